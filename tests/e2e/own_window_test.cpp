// What the user copies out of gleaner's own box is not collected again.
#include <gtest/gtest.h>

#include <iostream>
#include <utility>

#include "e2e_fixture.h"
#include "keyboard_mouse.h"
#include "polling.h"
#include "readable_text.h"
#include "window_activation.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

using EndToEndOwnWindow = EndToEndTest;

POINT CenterOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

std::string Named(HWND window) {
    return window == nullptr ? std::string("nothing") : Utf8(ClassNameOf(window));
}

// Where the focus went instead of into the box, for the log.
std::string WhereTheClickWent(const GleanerProcess& gleaner, POINT center) {
    POINT cursor{};
    GetCursorPos(&cursor);
    return "the focus is on " + Named(FocusInThreadOf(gleaner.Box())) + ", the foreground window is " +
           Named(GetForegroundWindow()) + ", the pointer is at (" + std::to_string(cursor.x) + "," +
           std::to_string(cursor.y) + ") over " + Named(WindowFromPoint(center));
}

// Clicks into the box the way a person puts the caret there, and clicks
// again when the caret did not show up: now and then (a few in a hundred)
// Wine and the window manager let a click go by.
testing::AssertionResult ClickIntoBox(const GleanerProcess& gleaner) {
    constexpr int kClicks = 3;
    const POINT center = CenterOf(gleaner.Box());
    std::string missed;
    for (int click = 1; click <= kClicks; ++click) {
        std::string why;
        if (!BringToFront(gleaner.MainWindow(), &why)) {
            return testing::AssertionFailure() << "gleaner could not come to the front: " << why;
        }
        ClickAt(center);
        if (WaitUntil([&] { return FocusInThreadOf(gleaner.Box()) == gleaner.Box(); })) {
            if (!missed.empty()) std::cout << "note: clicked again into the box; before, " << missed << "\n";
            return testing::AssertionSuccess();
        }
        missed = WhereTheClickWent(gleaner, center);
    }
    return testing::AssertionFailure() << kClicks << " clicks into the box at (" << center.x << "," << center.y
                                       << ") did not give it the keyboard focus: " << missed;
}

std::pair<DWORD, DWORD> SelectionIn(HWND box) {
    DWORD start = 0, end = 0;
    SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
}

// Ctrl+Home, Shift+End: the first line of the box is selected.
testing::AssertionResult SelectFirstLine(const GleanerProcess& gleaner, DWORD lineLength) {
    PressCtrl(VK_HOME);
    PressChord({VK_SHIFT}, VK_END);
    const std::pair<DWORD, DWORD> wanted{0, lineLength};
    if (WaitUntil([&] { return SelectionIn(gleaner.Box()) == wanted; })) return testing::AssertionSuccess();
    const auto [start, end] = SelectionIn(gleaner.Box());
    return testing::AssertionFailure() << "the selection in the box is " << start << ".." << end
                                       << " instead of the first line";
}

// Presses Ctrl+C until the clipboard changes; like a click, a key press
// now and then goes by under Wine, and a person would press again.
testing::AssertionResult CopyWithCtrlC(const GleanerProcess& gleaner) {
    constexpr int kPresses = 3;
    std::string missed;
    for (int press = 1; press <= kPresses; ++press) {
        const DWORD before = GetClipboardSequenceNumber();
        PressCtrl('C');
        if (WaitUntil([&] { return GetClipboardSequenceNumber() != before; })) {
            if (!missed.empty()) std::cout << "note: pressed Ctrl+C again; before, " << missed << "\n";
            return testing::AssertionSuccess();
        }
        const auto [start, end] = SelectionIn(gleaner.Box());
        missed = "the box showed " + Describe(gleaner.BoxText().value_or(L"?")) + " with " + std::to_string(start) +
                 ".." + std::to_string(end) + " selected, the focus on " + Named(FocusInThreadOf(gleaner.Box())) +
                 ", the foreground window " + Named(GetForegroundWindow());
    }
    return testing::AssertionFailure() << "Ctrl+C in gleaner's box did not change the clipboard: " << missed;
}

TEST_F(EndToEndOwnWindow, DoesNotCollectACopyMadeInItsOwnBox) {
    ASSERT_TRUE(CopyInOtherApplication(L"alpha"));
    ASSERT_TRUE(BoxShows({L"alpha"}));
    ASSERT_TRUE(CopyInOtherApplication(L"beta"));
    ASSERT_TRUE(BoxShows({L"alpha", L"beta"}));

    // Click into gleaner's box, select its first line and copy it.
    ASSERT_TRUE(ClickIntoBox(*gleaner_));
    ASSERT_EQ(GetForegroundWindow(), gleaner_->MainWindow());
    ASSERT_TRUE(SelectFirstLine(*gleaner_, 5));
    ASSERT_TRUE(CopyWithCtrlC(*gleaner_));
    const auto copied = other_.ClipboardText();
    ASSERT_EQ(copied, std::wstring(L"alpha")) << "the clipboard holds " << Describe(copied.value_or(L"(no text)"));

    // A copy elsewhere afterwards shows the one from the box was passed over.
    ASSERT_TRUE(CopyInOtherApplication(L"gamma"));
    EXPECT_TRUE(BoxShows({L"alpha", L"beta", L"gamma"}));
}

}  // namespace
}  // namespace gleaner::e2e
