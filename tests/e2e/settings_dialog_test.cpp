// 設定 opens the settings dialog filled from Conf.txt; what it confirms
// takes effect at once, and it can send gleaner to the tray and end it from
// there. What it stores, that its close box stores nothing, that the hotkeys
// rest while it is open and that a key another program holds is told are the
// host's to show (SettingsDialogTest, SettingsCommandTest).
#include "scenario.h"

namespace gleaner::e2e {
namespace {

// The dialog and its controls, by their ids.
constexpr int kChkTaskTray = 2001, kCmbSeparator = 2002, kCmbPasteKey = 2006, kCmbTimeAutoClose = 2007;
constexpr int kCmdResume = 2013, kCmdEnd = 2014;

class EndToEndSettings : public EndToEnd {
protected:
    HWND Dialog() const {
        HWND dialog = FindWindowOf(gleaner_->Id(), L"GleanerSettingsWindow");
        return IsWindowVisible(dialog) ? dialog : nullptr;
    }
    std::wstring Shows(int id) const { return TextOf(GetDlgItem(Dialog(), id)).value_or(L"<none>"); }
    void ClickOn(int id) const {
        const auto [left, top, right, bottom] = RectOf(GetDlgItem(Dialog(), id));
        ClickAt({(left + right) / 2, (top + bottom) / 2});
    }
    // Does act until the dialog is open, or closed.
    template <class Act>
    testing::AssertionResult UntilDialog(bool open, Act act) {
        return Retried("the settings dialog is open", act, [&] { return Dialog() != nullptr; }, open);
    }
    // 設定, the first item on the menu bar, with the keyboard.
    testing::AssertionResult OpenSettingsFromTheMenuBar() {
        if (auto front = BringToFront(gleaner_->Window()); !front) return front;
        return UntilDialog(true, [] { Press({VK_F10}); Press({VK_RETURN}); });
    }
    // Clicks into the field, selects what it holds and types text over it.
    testing::AssertionResult TypeInto(int id, const std::wstring& text, const std::wstring& expected) {
        const auto type = [&] {
            (void)BringToFront(Dialog());
            ClickOn(id);
            Press({VK_END});
            Press({VK_SHIFT, VK_HOME});
            TypeText(text);
        };
        return Retried("the dialog's field", type, [&] { return Shows(id); }, expected);
    }
    testing::AssertionResult NoticeShows(const std::wstring& text) {
        const auto notice = [&] { return TextOf(FindWindowOf(gleaner_->Id(), L"GleanerSplashWindow")); };
        return WaitFor("the notice", notice, text);
    }
};

TEST_F(EndToEndSettings, WhatIsConfirmedTakesEffectAtOnceTheTrayIncludedWhereTheIconsDialogEndsGleaner) {
    ASSERT_TRUE(Start({L"separator = タブ", L"time auto close = 7"}));
    ASSERT_TRUE(OpenSettingsFromTheMenuBar());
    EXPECT_EQ(Shows(kCmbSeparator) + L"|" + Shows(kCmbTimeAutoClose) + L"|" + Shows(kCmbPasteKey), L"タブ| 7|V");
    ASSERT_TRUE(TypeInto(kCmbSeparator, L"; ", L"; "));
    ASSERT_TRUE(TypeInto(kCmbPasteKey, L"q", L"Q"));
    ASSERT_TRUE(UntilDialog(false, [&] { ClickOn(kCmdResume); }));
    for (const wchar_t* text : {L"A", L"B", L"C"}) ASSERT_TRUE(CopyInNotepad(text));
    ASSERT_TRUE(PressInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"C")) << "Ctrl+V is notepad's own paste";
    ASSERT_TRUE(PressInNotepad('Q'));
    EXPECT_TRUE(NotepadShows(L"A; B; C"));
    ASSERT_TRUE(BoxShows(L"")) << "emptied after the paste";

    ASSERT_TRUE(OpenSettingsFromTheMenuBar());
    ASSERT_TRUE(Retried("the tray box", [&] { ClickOn(kChkTaskTray); },
                        [&] { return IsDlgButtonChecked(Dialog(), kChkTaskTray); }, UINT{BST_CHECKED}));
    ASSERT_TRUE(UntilDialog(false, [&] { ClickOn(kCmdResume); }));
    EXPECT_TRUE(NoticeShows(L"ぐりーなー！ Ver0.76\r\n\r\nタスクトレイに収納します！"));
    EXPECT_FALSE(IsWindowVisible(gleaner_->Window()));

    // The icon is there, and now the dialog offers 終了.
    ASSERT_TRUE(UntilDialog(true, [] { PostMessageW(FirstTrayIcon(), WM_LBUTTONDBLCLK, MK_LBUTTON, 0); }));
    ASSERT_TRUE(UntilDialog(false, [&] { ClickOn(kCmdEnd); }));
    EXPECT_TRUE(NoticeShows(L"終了します！"));
    EXPECT_TRUE(WaitFor("gleaner running", [&] { return gleaner_->Running(); }, false));
}

// Windows' display language chooses (LC_ALL's, under Wine: ctest runs this
// once more with a Japanese and with a German one), unless the menu did: the
// choice changes the open window and outlives a restart.
TEST_F(EndToEndSettings, SpeaksTheDisplayLanguageOrTheOneTheMenuChoseEvenAfterARestart) {
    DeleteFileW(folder_.File(L"gleaner.ini").c_str());
    const bool japanese = PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
    // The caption, the tray box's label, the limit message's start.
    const std::array<std::wstring, 3> ja{L"ぐりーなー！ Ver0.76", L"タスクトレイ収納", L"現在、9文字です。"};
    const std::array<std::wstring, 3> en{L"Gleaner Ver0.76", L"Notification area", L"The collection holds 9 characters."};
    const auto& [title, trayBox, limit] = japanese ? ja : en;
    ASSERT_TRUE(Start({L"limit max = 5"}));
    EXPECT_EQ(TextOf(gleaner_->Window()), title);
    ASSERT_TRUE(CopyInOtherApp(L"123456789"));
    const HWND box = WaitForMessageBox(gleaner_->Id());
    ASSERT_NE(box, nullptr) << "no limit message";
    EXPECT_TRUE(TextOf(GetDlgItem(box, 0xFFFF)).value_or(L"").starts_with(limit));
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    ASSERT_TRUE(OpenSettingsFromTheMenuBar());
    std::wstring shown = Shows(kChkTaskTray);
    std::erase(shown, L'&');  // its access key aside: "タスクトレイ収納(T)", "Notification area"
    EXPECT_TRUE(shown.starts_with(trayBox)) << Describe(shown);
    ASSERT_TRUE(UntilDialog(false, [&] { ClickOn(kCmdResume); }));
    // 言語 (Language), seventh on the menu bar: 自動, 日本語, English.
    ASSERT_TRUE(PressInGleaner({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_DOWN, VK_DOWN}));
    if (japanese) Press({VK_DOWN});  // English
    Press({VK_RETURN});
    const std::wstring& other = (japanese ? en : ja)[0];
    EXPECT_TRUE(WaitFor("the caption", [&] { return TextOf(gleaner_->Window()); }, other));
    ASSERT_TRUE(gleaner_->Close());
    ASSERT_TRUE(Start());
    EXPECT_EQ(TextOf(gleaner_->Window()), other);
}

}  // namespace
}  // namespace gleaner::e2e
