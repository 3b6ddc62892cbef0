// Tray mode as a person meets it: the icon in the notification area, the
// balloon after each copy with its countdown, its controls and the legend,
// the popup key, the icon's menu, and the corners of the screen.
#include "scenario.h"

#include <shellapi.h>

namespace gleaner::e2e {
namespace {

enum BalloonControl { kText = 1, kTime = 2 };

class EndToEndTray : public EndToEnd {
protected:
    testing::AssertionResult StartInTray(const std::wstring& dispPos) {
        return Start({L"task tray = 1", L"custom msg = 0", L"disp pos = " + dispPos, L"time auto close = 5"}, false);
    }
    HWND Balloon() const { return FindWindowOf(gleaner_->Id(), L"GleanerPopupWindow"); }
    HWND Help() const { return FindWindowOf(gleaner_->Id(), L"GleanerHelpWindow"); }
    bool MenuOpen() const { return IsWindowVisible(FindWindowOf(gleaner_->Id(), L"#32768")) != FALSE; }
    std::wstring BalloonShows(int control) const { return TextOf(GetDlgItem(Balloon(), control)).value_or(L"-"); }
    testing::AssertionResult BalloonAt(const std::array<LONG, 4>& place) {
        return WaitFor("the balloon's place", [&] { return RectOf(Balloon()); }, place);
    }
    // A right click on the icon, then the menu's item so many steps down.
    // From a settled desktop: the window manager activates the notification
    // area when it reappears, and would take the keys from the menu.
    testing::AssertionResult ChooseInTrayMenu(int steps) {
        if (auto front = BringToFront(other_.Window()); !front) return front;
        PostMessageW(FirstTrayIcon(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(8, 8));
        PostMessageW(FirstTrayIcon(), WM_RBUTTONUP, 0, MAKELPARAM(8, 8));
        if (auto open = WaitFor("gleaner's tray menu is open", [&] { return MenuOpen(); }, true); !open) return open;
        for (int i = 0; i < steps; ++i) Press({VK_DOWN});
        Press({VK_RETURN});
        return testing::AssertionSuccess();
    }
};

TEST_F(EndToEndTray, ShowsEachCopyInABalloonBesideThePointerThatCountsDownUnlessClickedClearsAndExplains) {
    ASSERT_TRUE(StartInTray(L"ポインタ"));  // its window hidden
    ASSERT_TRUE(WaitFor("gleaner's icon is shown", [] { return FirstTrayIcon() != nullptr; }, true));
    SetCursorPos(1000, 700);
    ASSERT_TRUE(CopyInNotepad(L"first"));
    EXPECT_TRUE(BalloonAt({700, 520, 1000, 700}));
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, L"first"));
    Press({VK_END});
    TypeText(L"+");
    EXPECT_TRUE(NotepadShows(L"first+")) << "typing went elsewhere than notepad";
    // Its countdown's labels are the host's to show (Countdown).
    EXPECT_TRUE(WaitFor("the balloon is open", [&] { return Balloon() != nullptr; }, false));

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
    ClickAt({left + 100, top + 120});  // it stays while the pointer goes on
    SetCursorPos(right - 9, top + 75);  // the help icon
    ASSERT_TRUE(WaitFor("the legend is open", [&] { return IsWindowVisible(Help()) != FALSE; }, true));
    SetCursorPos(left + 100, top + 120);
    EXPECT_TRUE(WaitFor("the legend is open", [&] { return Help() != nullptr; }, false));
    // The balloon open and drawing, 1,000 copies made 5 ms apart: all kept.
    ASSERT_TRUE(BringToFront(other_.Window()));
    std::vector<std::wstring> copies{L"first", L"second"};
    for (const auto& copy : Burst(L"rapid copy", 1000, 5)) copies.push_back(copy);
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, Joined(copies)));
    const auto [movedLeft, movedTop, movedRight, movedBottom] = RectOf(Balloon());  // at the pointer again
    ClickAt({movedRight - 9, movedTop + 33});  // C: what it empties besides is the host's to show
    EXPECT_TRUE(BoxShows(L""));
}

// The other corners, a time of 0, what 表示 shows and the icon put back when
// the notification area starts again are the host's to show
// (BalloonPlacement, AppTest).
TEST_F(EndToEndTray, ItsIconsMenuShowsLeavesAndEnds) {
    ASSERT_TRUE(StartInTray(L"ポインタ"));
    ASSERT_TRUE(ChooseInTrayMenu(2));  // 表示, with nothing collected yet
    EXPECT_TRUE(WaitFor("the balloon's text", [&] { return BalloonShows(kText); }, L""));
    PumpFor(1000);
    EXPECT_FALSE(MenuOpen()) << "the one right click opened a second menu";
    ASSERT_TRUE(ChooseInTrayMenu(3));  // トレイから出す
    EXPECT_TRUE(WaitFor("the main window is shown", [&] { return IsWindowVisible(gleaner_->Window()); }, TRUE));
    EXPECT_TRUE(WaitFor("gleaner's icon is shown", [] { return FirstTrayIcon() != nullptr; }, false));
    ASSERT_TRUE(TypeInNotepad(L"abc"));
    Press({VK_CONTROL, VK_SHIFT, 'A'});  // gleaner leaves the key to notepad now
    EXPECT_TRUE(WaitFor("notepad's selection", [&] { return SelectionOf(notepadEdit_); }, std::pair<WORD, WORD>(0, 3)));
    ASSERT_TRUE(gleaner_->Close());
    ASSERT_TRUE(StartInTray(L"ポインタ"));
    ASSERT_TRUE(ChooseInTrayMenu(11));  // 終了, the last item
    EXPECT_TRUE(WaitFor("gleaner runs", [&] { return gleaner_->Running(); }, false));
}

// Wine's tray tells nothing of the keyboard: the scenario tells gleaner's
// window what the shell would (WM_APP + 1, the fourth version's words).
TEST_F(EndToEndTray, AnswersTheIconsKeysAsTheShellTellsThem) {
    ASSERT_TRUE(StartInTray(L"ポインタ"));
    ASSERT_TRUE(WaitFor("gleaner's icon is shown", [] { return FirstTrayIcon() != nullptr; }, true));
    const auto tell = [&](WORD event, POINT at = {}) {
        PostMessageW(gleaner_->Window(), WM_APP + 1, MAKEWPARAM(at.x, at.y), MAKELPARAM(event, 1));
    };
    const auto dialogs = [&] {
        const HWND first = FindWindowOf(gleaner_->Id(), L"GleanerSettingsWindow");
        return !first ? 0 : FindWindowExW(nullptr, first, L"GleanerSettingsWindow", nullptr) ? 2 : 1;
    };
    ASSERT_TRUE(BringToFront(other_.Window()));
    tell(NIN_SELECT);
    PumpFor(1000);
    EXPECT_FALSE(MenuOpen() || dialogs() > 0) << "a click opened something of its own";
    tell(NIN_KEYSELECT);
    tell(NIN_KEYSELECT);  // the shell's two words for one Enter
    ASSERT_TRUE(WaitFor("the settings dialogs open", dialogs, 1));
    PumpFor(1000);
    EXPECT_EQ(dialogs(), 1);
    Press({VK_ESCAPE});
    ASSERT_TRUE(WaitFor("the settings dialogs open", dialogs, 0));
    ASSERT_TRUE(WaitFor("gleaner's icon is shown", [] { return FirstTrayIcon() != nullptr; }, true));
    ASSERT_TRUE(BringToFront(other_.Window()));
    tell(WM_CONTEXTMENU, {400, 300});
    ASSERT_TRUE(WaitFor("gleaner's tray menu is open", [&] { return MenuOpen(); }, true));
    const auto [left, top, right, bottom] = RectOf(FindWindowOf(gleaner_->Id(), L"#32768"));
    EXPECT_EQ(std::pair(left, top), std::pair(400L, 300L)) << "the menu opens where the shell says";
    Press({VK_ESCAPE});
    EXPECT_TRUE(WaitFor("gleaner's tray menu is open", [&] { return MenuOpen(); }, false));
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
