// The program's own windows and resources, under Wine.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/win32_services.h"
#include "platform/win32_support.h"
#include "settings/settings_record.h"
#include "shell/menus.h"
#include "shell/splash_window_win32.h"
#include "shell/version_win32.h"

namespace gleaner {
namespace {

using Clock = std::chrono::steady_clock;

TEST(SplashWindow, AModalMessageStaysItsTimeThenShrinksTowardsItsLowerRightCorner) {
    Settings.customMsg = 1;
    const TwipsPerPixel scale = win32::Win32Screen().Scale();
    win32::SplashWindow splash(scale);
    RECT first{}, last{};
    bool seen = false;
    testing_support::Watcher person([&] {
        HWND window = FindWindowW(win32::kSplashWindowClass, nullptr);
        if (window && IsWindowVisible(window)) {
            GetWindowRect(window, seen ? &last : &first);
            seen = true;
        }
        return false;
    }, 3000);
    const auto start = Clock::now();
    ShowSplashMessage(splash, u"終了します！", 400, true);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(400));
    EXPECT_EQ(splash.Handle(), nullptr);  // gone once the call returns
    Sleep(50);
    ASSERT_TRUE(seen);
    EXPECT_EQ(first.right - first.left, 4680 / scale.x);
    EXPECT_EQ(first.bottom - first.top, 790 / scale.y);
    EXPECT_LT(last.right - last.left, first.right - first.left);
    EXPECT_NEAR(last.right, first.right, 1);
    EXPECT_NEAR(last.bottom, first.bottom, 1);
}

TEST(VersionResource, TheProgramIsVersion076WithItsNamesAManifestAndAnIcon) {
    const auto version = win32::ReadVersionInfo(GLEANER_EXE_PATH);
    ASSERT_TRUE(version);
    EXPECT_EQ(AppTitle(*version), u"ぐりーなー！ Ver0.76");
    EXPECT_EQ(version->productName, u"ぐりーなー！");
    EXPECT_EQ(VersionMenuCaption(u"gleaner", *version), u"gleaner Ver0.76  Gleaner Works");

    HMODULE module = LoadLibraryExW(reinterpret_cast<const wchar_t*>(GLEANER_EXE_PATH), nullptr,
                                    LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                           SizeofResource(module, manifest));
    EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0), nullptr);
    FreeLibrary(module);
}

}  // namespace
}  // namespace gleaner
