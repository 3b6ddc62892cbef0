// The retries against the real clipboard while another window holds it open.
#include <gtest/gtest.h>

#include "support/program_state.h"

#include <chrono>

#include "capture/capture_handler.h"
#include "capture/clipboard_access.h"
#include "hotkeys/paste_state.h"
#include "platform/win32_platform.h"
#include "platform/win_test_support.h"
#include "settings/settings_record.h"

namespace gleaner {
namespace {

using Clock = std::chrono::steady_clock;

class ClipboardRetryTest : public testing::Test {
protected:
    ClipboardRetryTest() {
        testing_support::ResetProgramState();
    }

    win32::UniqueWindow owner = testing_support::CreateHiddenWindow();
    win32::UniqueWindow otherProgram = testing_support::CreateHiddenWindow();
    win32::Win32Clipboard clipboard{owner.Get()};
    win32::Win32EventLoop events;
    win32::Win32MessageBoxes messages;
    Desktop desktop{clipboard, events, messages};
};

TEST_F(ClipboardRetryTest, AClipboardHeldForAMomentIsReadWithoutAMessage) {
    testing_support::PutClipboardText(otherProgram.Get(), L"held briefly");
    testing_support::MessageBoxCloser person(L"クリップボードエラー");
    const auto start = Clock::now();
    {
        testing_support::ClipboardHolder holder(300);
        ASSERT_TRUE(holder.Holding());
        EXPECT_EQ(GetClipboardText(desktop), u"held briefly");
    }
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(250));  // it really had to wait
    EXPECT_EQ(person.Count(), 0);
}

TEST_F(ClipboardRetryTest, AWriteWaitsForTheClipboardToBeFree) {
    testing_support::MessageBoxCloser person(L"クリップボードエラー");
    {
        testing_support::ClipboardHolder holder(300);
        ASSERT_TRUE(holder.Holding());
        EXPECT_TRUE(SetClipboardText(desktop, u"written 😀"));
    }
    EXPECT_EQ(clipboard.ReadText(), u"written 😀");
    EXPECT_EQ(person.Count(), 0);
}

TEST_F(ClipboardRetryTest, AClipboardHeldTooLongIsReportedOnceAndNothingIsCollected) {
    testing_support::PutClipboardText(otherProgram.Get(), L"first");
    auto window = testing_support::CreateEditWindow();
    win32::Win32TextBox box(window.edit);
    CaptureContext context{desktop, box};
    ASSERT_TRUE(CollectFromClipboard(context, Settings.dispPos));
    ASSERT_EQ(box.Text(), u"first");

    testing_support::PutClipboardText(otherProgram.Get(), L"second");
    testing_support::MessageBoxCloser person(L"クリップボードエラー");
    {
        testing_support::ClipboardHolder holder(2000);
        ASSERT_TRUE(holder.Holding());
        EXPECT_FALSE(CollectFromClipboard(context, Settings.dispPos));
    }
    EXPECT_EQ(person.Count(), 1);
    EXPECT_FALSE(person.LastText().empty());
    EXPECT_EQ(box.Text(), u"first");

    // Once the other program lets go, the next copy is collected as usual.
    testing_support::PutClipboardText(otherProgram.Get(), L"third");
    EXPECT_TRUE(CollectFromClipboard(context, Settings.dispPos));
    EXPECT_EQ(box.Text(), u"first\r\nthird");
}

TEST_F(ClipboardRetryTest, WaitingHandlesTheMessagesThatArriveMeanwhile) {
    PostMessageW(owner.Get(), WM_APP, 0, 0);
    const auto start = Clock::now();
    WaitWithEvents(events, 200);
    MSG msg;
    EXPECT_FALSE(PeekMessageW(&msg, owner.Get(), WM_APP, WM_APP, PM_NOREMOVE));
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(180));
}

}  // namespace
}  // namespace gleaner
