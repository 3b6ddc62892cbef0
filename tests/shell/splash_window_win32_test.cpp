#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "platform/win32_splash_window.h"
#include "settings/settings_record.h"

namespace gleaner {
namespace {

using Clock = std::chrono::steady_clock;

struct SplashSeen {
    bool seen = false;
    RECT firstRect{};
    RECT lastRect{};
};

// Watches the splash from another thread, as a person would watch the screen.
SplashSeen WatchSplash(std::atomic<bool>& stop) {
    SplashSeen result;
    while (!stop) {
        if (HWND splash = FindWindowW(win32::kSplashWindowClass, nullptr); splash && IsWindowVisible(splash)) {
            RECT rect{};
            GetWindowRect(splash, &rect);
            if (!result.seen) result.firstRect = rect;
            result.seen = true;
            result.lastRect = rect;
        }
        Sleep(5);
    }
    return result;
}

TEST(SplashWindow, AModalMessageStaysItsTimeThenShrinksTowardsItsLowerRightCorner) {
    Settings.customMsg = 1;
    win32::SplashWindow splash(GetModuleHandleW(nullptr), win32::ScreenTwipsPerPixel());
    std::atomic<bool> stop{false};
    SplashSeen seen;
    std::thread watcher([&] { seen = WatchSplash(stop); });
    const auto start = Clock::now();
    ShowSplashMessage(splash, u"終了します！", 400, true);
    const auto elapsed = Clock::now() - start;
    stop = true;
    watcher.join();

    EXPECT_GE(elapsed, std::chrono::milliseconds(400));
    EXPECT_EQ(FindWindowW(win32::kSplashWindowClass, nullptr), nullptr);  // gone once the call returns
    ASSERT_TRUE(seen.seen);
    const auto scale = win32::ScreenTwipsPerPixel();
    EXPECT_EQ(seen.firstRect.right - seen.firstRect.left, 4680 / scale.x);
    EXPECT_EQ(seen.firstRect.bottom - seen.firstRect.top, 790 / scale.y);
    EXPECT_LT(seen.lastRect.right - seen.lastRect.left, seen.firstRect.right - seen.firstRect.left);
    EXPECT_NEAR(seen.lastRect.right, seen.firstRect.right, 1);
    EXPECT_NEAR(seen.lastRect.bottom, seen.firstRect.bottom, 1);
}

TEST(SplashWindow, ShowsNothingAndDoesNotWaitWhenMessagesAreTurnedOff) {
    Settings.customMsg = 0;
    win32::SplashWindow splash(GetModuleHandleW(nullptr), win32::ScreenTwipsPerPixel());
    const auto start = Clock::now();
    ShowSplashMessage(splash, u"終了します！", 3000, true);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(2500));
    EXPECT_EQ(splash.Handle(), nullptr);
    Settings.customMsg = 1;
}

TEST(SplashWindow, AModelessMessageReturnsAtOnceAndClosesOnItsOwn) {
    Settings.customMsg = 1;
    win32::SplashWindow splash(GetModuleHandleW(nullptr), win32::ScreenTwipsPerPixel());
    ShowSplashMessage(splash, u"ぐりーなー！ Ver0.76\r\n\r\nタスクトレイに収納します！", 200, false);
    ASSERT_NE(splash.Handle(), nullptr);
    RECT rect{};
    GetWindowRect(splash.Handle(), &rect);
    EXPECT_EQ(rect.bottom - rect.top, 1790 / win32::ScreenTwipsPerPixel().y);
    const auto deadline = Clock::now() + std::chrono::seconds(10);
    MSG msg;
    while (splash.Handle() && Clock::now() < deadline) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
        Sleep(10);
    }
    EXPECT_EQ(splash.Handle(), nullptr);
}

}  // namespace
}  // namespace gleaner
