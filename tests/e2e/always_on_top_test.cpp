// gleaner's window stays above the windows the user works in.
#include <gtest/gtest.h>

#include "e2e_fixture.h"
#include "notepad.h"
#include "polling.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

using EndToEndAlwaysOnTop = EndToEndTest;

bool IsTopmost(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; }

// True when upper comes before lower in the desktop's stacking order.
bool IsAbove(HWND upper, HWND lower) {
    for (HWND window = GetTopWindow(nullptr); window != nullptr; window = GetWindow(window, GW_HWNDNEXT)) {
        if (window == upper) return true;
        if (window == lower) return false;
    }
    return false;
}

TEST_F(EndToEndAlwaysOnTop, IsATopmostWindowOnceShown) {
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(gleaner_->MainWindow()); }));
}

TEST_F(EndToEndAlwaysOnTop, StaysAboveTheApplicationInFront) {
    ASSERT_TRUE(CopyInOtherApplication(L"copied while in front"));
    EXPECT_TRUE(WaitUntil([&] { return IsAbove(gleaner_->MainWindow(), other_.Window()); }))
        << "the other application's window lies above gleaner's";

    Notepad notepad;
    ASSERT_TRUE(notepad.Started()) << notepad.Problem();
    ASSERT_TRUE(notepad.TypeOver(L"typed")) << notepad.Problem();
    EXPECT_TRUE(WaitUntil([&] { return IsAbove(gleaner_->MainWindow(), notepad.Window()); }))
        << "notepad's window lies above gleaner's";
    EXPECT_TRUE(IsTopmost(gleaner_->MainWindow()));
}

}  // namespace
}  // namespace gleaner::e2e
