// 設定 opens the settings dialog filled from Conf.txt; what it confirms
// takes effect at once, its close box changes nothing, and it can send
// gleaner to the tray and end it from there.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

// The dialog and its controls, by their ids.
constexpr wchar_t kSettingsClass[] = L"GleanerSettingsWindow";
constexpr int kChkTaskTray = 2001, kCmbSeparator = 2002, kCmbPasteKey = 2006, kCmbTimeAutoClose = 2007;
constexpr int kCmdResume = 2013, kCmdEnd = 2014;

class EndToEndSettings : public EndToEnd {
protected:
    HWND Dialog() const {
        HWND dialog = FindWindowOf(gleaner_->Id(), kSettingsClass);
        return IsWindowVisible(dialog) ? dialog : nullptr;
    }
    std::wstring Shows(int id) const { return TextOf(GetDlgItem(Dialog(), id)).value_or(L"<none>"); }
    testing::AssertionResult Closed() {
        return WaitFor("the settings dialog is open", [&] { return Dialog() != nullptr; }, false);
    }
    // 設定, the first item on the menu bar, with the keyboard.
    testing::AssertionResult OpenSettingsFromTheMenuBar() {
        if (auto front = BringToFront(gleaner_->Window()); !front) return front;
        const auto open = [] {
            Press({VK_F10});
            Press({VK_RETURN});
        };
        return Retried("the settings dialog is open", open, [&] { return Dialog() != nullptr; }, true);
    }
    // Clicks into the control, selects all it holds and types text.
    testing::AssertionResult TypeInto(int id, const std::wstring& text, const std::wstring& expected) {
        const auto type = [&] {
            (void)BringToFront(Dialog());
            const auto [left, top, right, bottom] = RectOf(GetDlgItem(Dialog(), id));
            ClickAt({left + 8, (top + bottom) / 2});
            Press({VK_END});
            Press({VK_SHIFT, VK_HOME});
            TypeText(text);
        };
        return Retried("the dialog's field", type, [&] { return Shows(id); }, expected);
    }
    template <class Reader, class T>
    testing::AssertionResult Click(int id, Reader read, const T& expected) {
        const auto click = [&] {
            const auto [left, top, right, bottom] = RectOf(GetDlgItem(Dialog(), id));
            ClickAt({(left + right) / 2, (top + bottom) / 2});
        };
        return Retried("a click into the dialog", click, read, expected);
    }
    testing::AssertionResult NoticeShows(const std::wstring& text) {
        return WaitFor("the notice", [&] { return TextOf(FindWindowOf(gleaner_->Id(), L"GleanerSplashWindow")); },
                       text);
    }
    testing::AssertionResult ConfHolds(const std::vector<std::wstring>& expected) {
        const auto lines = ReadConf(folder_.File(L"Conf.txt")).value_or(std::vector<std::wstring>{});
        for (const auto& line : expected) {
            if (std::find(lines.begin(), lines.end(), line) == lines.end())
                return testing::AssertionFailure() << "Conf.txt lacks " << Describe(line);
        }
        return testing::AssertionSuccess();
    }
};

TEST_F(EndToEndSettings, WhatIsConfirmedTakesEffectAtOnceAndTheCloseBoxChangesNothing) {
    ASSERT_TRUE(Start({L"separator = タブ", L"time auto close = 7"}));
    ASSERT_TRUE(OpenSettingsFromTheMenuBar());
    EXPECT_EQ(Shows(kCmbSeparator) + L"|" + Shows(kCmbTimeAutoClose) + L"|" + Shows(kCmbPasteKey), L"タブ| 7|V");
    ASSERT_TRUE(TypeInto(kCmbSeparator, L"; ", L"; "));
    ASSERT_TRUE(TypeInto(kCmbPasteKey, L"q", L"Q"));
    ASSERT_TRUE(Click(kCmdResume, [&] { return Dialog() != nullptr; }, false));
    for (const wchar_t* text : {L"A", L"B", L"C"}) ASSERT_TRUE(CopyInNotepad(text));
    ASSERT_TRUE(BoxShows(L"A; B; C"));
    ASSERT_TRUE(PressInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"C")) << "Ctrl+V is notepad's own paste";
    ASSERT_TRUE(PressInNotepad('Q'));
    EXPECT_TRUE(NotepadShows(L"A; B; C"));
    EXPECT_TRUE(BoxShows(L""));

    // Changed, then the close box; meanwhile copies are collected and
    // Ctrl+V is notepad's own.
    ASSERT_TRUE(OpenSettingsFromTheMenuBar());
    ASSERT_TRUE(TypeInto(kCmbSeparator, L" | ", L" | "));
    ASSERT_TRUE(TypeInto(kCmbPasteKey, L"w", L"W"));
    ASSERT_TRUE(Click(kChkTaskTray, [&] { return IsDlgButtonChecked(Dialog(), kChkTaskTray) == BST_CHECKED; }, true));
    for (const wchar_t* text : {L"D", L"E"}) ASSERT_TRUE(CopyInNotepad(text));
    EXPECT_TRUE(BoxShows(L"D; E"));
    ASSERT_TRUE(PressInNotepad('Q'));
    EXPECT_TRUE(NotepadShows(L"")) << "the hotkeys are off while the dialog is open";
    ASSERT_TRUE(PressInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"E"));
    ASSERT_TRUE(BringToFront(Dialog()));
    ASSERT_TRUE(Retried("the settings dialog is open", [] { Press({VK_MENU, VK_F4}); },
                        [&] { return Dialog() != nullptr; }, false));
    ASSERT_TRUE(PressInNotepad('Q'));
    EXPECT_TRUE(NotepadShows(L"D; E"));
    EXPECT_TRUE(IsWindowVisible(gleaner_->Window()) && IsWindowEnabled(gleaner_->Window()));
    ASSERT_TRUE(gleaner_->Close());
    EXPECT_TRUE(ConfHolds({L"task tray = 0", L"time auto close = 7", L"separator = ; ", L"paste key = Q"}));
}

TEST_F(EndToEndSettings, SendsGleanerToTheTraySaysWhenAKeyIsHeldAndEndsFromTheIconsDialog) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(RegisterHotKey(nullptr, 1, MOD_CONTROL, 'Q')) << "as another program holding Ctrl+Q";
    ASSERT_TRUE(OpenSettingsFromTheMenuBar());
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Dialog(), kCmdEnd)));
    ASSERT_TRUE(Click(kChkTaskTray, [&] { return IsDlgButtonChecked(Dialog(), kChkTaskTray) == BST_CHECKED; }, true));
    ASSERT_TRUE(TypeInto(kCmbPasteKey, L"q", L"Q"));
    ASSERT_TRUE(Click(kCmdResume, [&] { return Dialog() != nullptr; }, false));
    EXPECT_TRUE(NoticeShows(L"ぐりーなー！ Ver0.76\r\n\r\nタスクトレイに収納します！"));
    EXPECT_FALSE(IsWindowVisible(gleaner_->Window()));
    const MessageBoxView held = WaitForMessageBox(gleaner_->Id());
    ASSERT_NE(held.window, nullptr) << "nobody said that Ctrl+Q is taken";
    EXPECT_EQ(held.text, L"Ctrl+Q は他のプログラムが使用中のため登録できませんでした。「設定」で別のキーを選んでください。");
    Answer(held, IDOK);
    UnregisterHotKey(nullptr, 1);

    ASSERT_TRUE(WaitFor("gleaner's icon", [&] { return FirstTrayIcon() != nullptr; }, true));
    const auto doubleClick = [&] { PostMessageW(FirstTrayIcon(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0); };
    ASSERT_TRUE(Retried("the settings dialog is open", doubleClick, [&] { return Dialog() != nullptr; }, true));
    EXPECT_EQ(FirstTrayIcon(), nullptr) << "the icon stays while the dialog is open";
    EXPECT_EQ(Shows(kCmdEnd), L"終了");
    ASSERT_TRUE(Click(kCmdEnd, [&] { return Dialog() != nullptr; }, false));
    EXPECT_TRUE(NoticeShows(L"終了します！"));
    EXPECT_TRUE(WaitFor("gleaner running", [&] { return gleaner_->Running(); }, false));
    EXPECT_TRUE(ConfHolds({L"task tray = 1", L"paste key = Q"}));
}

}  // namespace
}  // namespace gleaner::e2e
