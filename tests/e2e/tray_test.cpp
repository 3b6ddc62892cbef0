// Tray mode as a person meets it: the icon in the notification area, the
// balloon after each copy with its countdown, its controls and the legend,
// the popup key, the icon's menu, and the corners of the screen.
#include "scenario.h"

#include <shellapi.h>

namespace gleaner::e2e {
namespace {

enum BalloonControl { kText = 1, kTime = 2 };
using Place = std::array<LONG, 4>;

class EndToEndTray : public EndToEnd {
protected:
    testing::AssertionResult StartInTray(const std::wstring& dispPos) {
        return Start({L"task tray = 1", L"custom msg = 0", L"disp pos = " + dispPos, L"time auto close = 5"}, false);
    }
    HWND Balloon() const { return FindWindowOf(gleaner_->Id(), L"GleanerPopupWindow"); }
    HWND Help() const { return FindWindowOf(gleaner_->Id(), L"GleanerHelpWindow"); }
    std::wstring BalloonShows(int control) const { return TextOf(GetDlgItem(Balloon(), control)).value_or(L"-"); }
    testing::AssertionResult BalloonAt(const Place& place) {
        return WaitFor("the balloon's place", [&] { return RectOf(Balloon()); }, place);
    }
    // Wine's own notification area holds each icon as a window.
    static HWND Icon(HWND after = nullptr) {
        return FindWindowExW(FindWindowW(L"__winex11_standalone_tray", nullptr), after, L"__winex11_tray_icon", nullptr);
    }
    testing::AssertionResult IconsAre(int count) {
        const auto icons = [] { return (Icon() != nullptr) + (Icon(Icon()) != nullptr); };
        return WaitFor("icons in the notification area", icons, count);
    }
    // A right click on the icon, then the menu's item so many steps down.
    // From a settled desktop: the window manager activates the notification
    // area when it reappears, and would take the keys from the menu.
    testing::AssertionResult ChooseInTrayMenu(int steps) {
        if (auto front = BringToFront(other_.Window()); !front) return front;
        PostMessageW(Icon(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 8));
        PostMessageW(Icon(), WM_RBUTTONUP, 0, MAKELPARAM(8, 8));
        const auto menuOpen = [&] { return IsWindowVisible(FindWindowOf(gleaner_->Id(), L"#32768")); };
        if (auto open = WaitFor("gleaner's tray menu is open", menuOpen, TRUE); !open) return open;
        for (int i = 0; i < steps; ++i) Press({VK_DOWN});
        Press({VK_RETURN});
        return testing::AssertionSuccess();
    }
};

TEST_F(EndToEndTray, ShowsEachCopyInABalloonBesideThePointerThatCountsDownUnlessClickedClearsAndExplains) {
    ASSERT_TRUE(StartInTray(L"ポインタ"));  // its window hidden
    ASSERT_TRUE(IconsAre(1));
    SetCursorPos(1000, 700);
    ASSERT_TRUE(CopyInNotepad(L"first"));
    EXPECT_TRUE(BalloonAt({700, 520, 1000, 700}));
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, L"first"));
    Press({VK_END});
    TypeText(L"+");
    EXPECT_TRUE(NotepadShows(L"first+")) << "typing went elsewhere than notepad";
    std::wstring countdown;  // each label once, as it changes
    const auto closes = [&] {
        if (const std::wstring seen = BalloonShows(kTime); seen != L"-" && !countdown.ends_with(seen)) countdown += seen;
        return Balloon() == nullptr;
    };
    EXPECT_TRUE(WaitFor("the balloon is open", closes, true));
    EXPECT_EQ(countdown, L"4321");

    ASSERT_TRUE(CopyInNotepad(L"second"));
    ASSERT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, L"first\r\nsecond"));
    const HWND balloon = Balloon();
    const auto [left, top, right, bottom] = RectOf(balloon);
    ClickAt({left + 100, top + 120});
    PumpFor(6000);
    ASSERT_TRUE(IsWindowVisible(balloon)) << "a click into the text did not stop the countdown";
    EXPECT_EQ(BalloonShows(kTime), L"");
    ClickAt({right - 9, top + 51});  // ×
    ASSERT_TRUE(WaitFor("the balloon is open", [&] { return IsWindow(balloon) != FALSE; }, false));

    SetCursorPos(1000, 700);
    ASSERT_TRUE(BringToFront(notepad_.Window()));  // where the user goes on working
    Press({VK_CONTROL, VK_SHIFT, 'A'});
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, L"first\r\nsecond"));
    EXPECT_TRUE(BoxShows(L"first\r\nsecond"));
    ClickAt({left + 100, top + 120});  // it stays while the pointer goes on
    SetCursorPos(right - 9, top + 75);  // the help icon
    ASSERT_TRUE(WaitFor("the legend is open", [&] { return IsWindowVisible(Help()) != FALSE; }, true));
    const Place legend = RectOf(Help());
    SetCursorPos(right - 6, top + 72);
    PumpFor(300);
    EXPECT_EQ(RectOf(Help()), legend) << "opened a second time";
    SetCursorPos(left + 100, top + 120);
    EXPECT_TRUE(WaitFor("the legend is open", [&] { return Help() != nullptr; }, false));
    // The balloon open and drawing, 1,000 copies made 10 ms apart: all kept.
    ASSERT_TRUE(BringToFront(other_.Window()));
    std::vector<std::wstring> copies{L"first", L"second"};
    for (const auto& copy : Burst(L"rapid copy", 1000, 10)) copies.push_back(copy);
    EXPECT_TRUE(BoxShows(Joined(copies)));
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, Joined(copies)));
    const auto [movedLeft, movedTop, movedRight, movedBottom] = RectOf(Balloon());  // at the pointer again
    ClickAt({movedRight - 9, movedTop + 33});  // C
    EXPECT_TRUE(BoxShows(L""));
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, L""));
    EXPECT_TRUE(WaitFor("the clipboard", [&] { return other_.ClipboardText().value_or(L""); }, L""));
}

TEST_F(EndToEndTray, ItsIconsMenuShowsLeavesAndEndsAndTheIconOutlivesAShellRestart) {
    ASSERT_TRUE(StartInTray(L"右下隅"));
    NOTIFYICONDATAW removal{};
    removal.cbSize = sizeof removal;
    removal.hWnd = gleaner_->Window();
    removal.uID = 1;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &removal));
    ASSERT_TRUE(IconsAre(0));
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, nullptr);
    ASSERT_TRUE(IconsAre(1));

    ASSERT_TRUE(CopyInOtherApp(L"copied"));
    EXPECT_TRUE(BalloonAt({1600, 910, 1900, 1060}));
    ClickAt({1891, 961});  // ×
    ASSERT_TRUE(WaitFor("the balloon is open", [&] { return Balloon() != nullptr; }, false));
    ASSERT_TRUE(ChooseInTrayMenu(2));  // 表示
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, L"copied"));
    ASSERT_TRUE(ChooseInTrayMenu(3));  // トレイから出す
    EXPECT_TRUE(WaitFor("the main window is shown", [&] { return IsWindowVisible(gleaner_->Window()); }, TRUE));
    SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, nullptr);
    ASSERT_TRUE(TypeInNotepad(L"abc"));
    Press({VK_CONTROL, VK_SHIFT, 'A'});  // gleaner leaves the key to notepad now
    EXPECT_TRUE(WaitFor("notepad's selection", [&] { return SelectionOf(notepadEdit_); }, std::pair<WORD, WORD>(0, 3)));
    EXPECT_TRUE(IconsAre(0));
    ASSERT_TRUE(gleaner_->Close());
    EXPECT_EQ(ReadConf(folder_.File(L"Conf.txt")).value_or(std::vector<std::wstring>(5)).at(4), L"task tray = 0");

    // The other corners and a time of 0 are the host's to show
    // (BalloonPlacement, AppTest).
    ASSERT_TRUE(StartInTray(L"ポインタ"));
    ASSERT_TRUE(ChooseInTrayMenu(7));  // 終了
    EXPECT_TRUE(WaitFor("gleaner runs", [&] { return gleaner_->Running(); }, false));
}

TEST_F(EndToEndTray, AtHighDensityTheBalloonAtThePointerGrowsToFourHundredFiftyByTwoHundredSeventy) {
    if (!std::getenv("GLEANER_AT_144_DPI")) GTEST_SKIP() << "scripts/test.sh runs it in a Wine prefix set to 144 DPI";
    SetThreadDpiAwarenessContext(DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2);  // the screen's own pixels
    ASSERT_EQ(GetDpiForSystem(), 144u);
    ASSERT_TRUE(StartInTray(L"ポインタ"));
    SetCursorPos(1000, 700);
    ASSERT_TRUE(CopyInOtherApp(L"large"));
    EXPECT_TRUE(BalloonAt({550, 430, 1000, 700}));
}

}  // namespace
}  // namespace gleaner::e2e
