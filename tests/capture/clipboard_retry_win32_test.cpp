// The retries against the real clipboard while another program holds it.
#include <gtest/gtest.h>

#include "capture/clipboard_access.h"
#include "platform/win32_services.h"
#include "platform/win32_support.h"

namespace gleaner {
namespace {

class ClipboardRetryTest : public testing::Test {
protected:
    win32::UniqueWindow ownerWindow = testing_support::CreateHiddenWindow();
    win32::UniqueWindow otherProgram = testing_support::CreateHiddenWindow();
    win32::OwnerWindow owner{ownerWindow.Get()};
    win32::Win32Clipboard clipboard{owner};
    win32::Win32EventLoop events;
    win32::Win32MessageBoxes messages{owner};
    Desktop desktop{clipboard, events, messages};
    int errorBoxes = 0;
    // A person who closes every "クリップボードエラー" box.
    testing_support::Watcher person{[this] {
        if (HWND box = FindWindowW(L"#32770", L"クリップボードエラー"); box && IsWindowVisible(box)) {
            ++errorBoxes;
            PostMessageW(box, WM_COMMAND, IDOK, 0);
            while (IsWindow(box)) Sleep(20);
        }
        return false;
    }};
};

TEST_F(ClipboardRetryTest, AClipboardHeldForAMomentIsReadAndWrittenWithoutAMessage) {
    testing_support::PutClipboard(otherProgram.Get(), {{CF_UNICODETEXT, std::string("h\0i\0\0\0", 6)}});
    {
        testing_support::ClipboardHolder holder(300);
        ASSERT_TRUE(holder.Holding());
        EXPECT_EQ(GetClipboardText(desktop), u"hi");
    }
    {
        testing_support::ClipboardHolder holder(300);
        EXPECT_TRUE(SetClipboardText(desktop, u"written 😀"));
    }
    EXPECT_EQ(clipboard.ReadText(), u"written 😀");
    EXPECT_EQ(errorBoxes, 0);
}

TEST_F(ClipboardRetryTest, AClipboardHeldTooLongIsReportedOnce) {
    {
        testing_support::ClipboardHolder holder(2500);
        ASSERT_TRUE(holder.Holding());
        EXPECT_EQ(GetClipboardText(desktop), std::nullopt);
    }
    Sleep(300);
    EXPECT_EQ(errorBoxes, 1);
}

}  // namespace
}  // namespace gleaner
