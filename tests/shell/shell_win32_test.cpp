// The program's own windows and resources, under Wine.
#include <gtest/gtest.h>

#include <chrono>

#include "platform/win32_services.h"
#include "platform/win32_support.h"
#include "resources/texts.h"
#include "settings/settings_record.h"
#include "shell/help_window_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus.h"
#include "shell/tray_icon.h"
#include "shell/splash_window_win32.h"
#include "shell/version_win32.h"

namespace gleaner {
namespace {

using Clock = std::chrono::steady_clock;

TEST(SplashWindow, AModalMessageStaysItsTimeThenShrinksTowardsItsLowerRightCorner) {
    SettingsRecord settings;
    settings.customMsg = 1;
    win32::SplashWindow splash;
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
    ShowSplashMessage(settings, splash, u"終了します！", 400, true);
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(400));
    EXPECT_EQ(splash.Handle(), nullptr);  // gone once the call returns
    Sleep(50);
    ASSERT_TRUE(seen);
    EXPECT_EQ(std::pair(first.right - first.left, first.bottom - first.top), std::pair(312L, 53L));  // 96 DPI
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

class MainWindowTest : public testing::Test, public MainWindowEvents {
protected:
    void OnClipboardUpdate() override {}
    void OnHotKey(std::uintptr_t) override {}
    void OnTimer(TimerId) override {}
    void OnMenu(MenuCommand) override {}
    void OnClose() override {}
    void OnTrayIcon(std::uint16_t) override {}
    void OnTaskbarCreated() override {}

    LONG FontHeight() const {
        LOGFONTW font{};
        const HWND edit = GetDlgItem(main->Handle(), win32::kCollectionBoxId);
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    }

    std::unique_ptr<win32::MainWindow> main = win32::MainWindow::Create(*this, win32::Win32Screen().Scale());
};

TEST_F(MainWindowTest, FollowsAChangeOfTheMonitorsDensityWithItsFont) {
    EXPECT_EQ(FontHeight(), -13);  // 9.75 points at 96 DPI
    RECT bounds{};
    GetWindowRect(main->Handle(), &bounds);
    SendMessageW(main->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&bounds));
    EXPECT_EQ(FontHeight(), -20);
}

TEST_F(MainWindowTest, CtrlAInTheBoxSelectsTheWholeCollection) {
    const HWND edit = GetDlgItem(main->Handle(), win32::kCollectionBoxId);
    main->Collection().SetText(u"one\r\ntwo");
    SendMessageW(edit, EM_SETSEL, 2, 2);
    BYTE keys[256]{};
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    SendMessageW(edit, WM_KEYDOWN, 'A', 0);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    DWORD start = 1, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(std::pair(start, end), std::pair(DWORD{0}, DWORD{8}));
}

TEST(NotificationArea, GetsTheIconsCallbackAndItsTipCutToTheRecordsRoom) {
    const std::u16string longTip(200, u'あ');
    const NOTIFYICONDATAW data = win32::NotifyIconData({0, kTrayIconId, kTrayIconMessage, longTip});
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, kTrayIconMessage);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(data.szTip)), longTip.substr(0, 127));
}

TEST(HelpWindow, ShowsItsElevenLinesBesideThePointer) {
    SetCursorPos(1000, 700);
    win32::HelpWindow help;
    help.ShowHelp(true);
    ASSERT_NE(help.Handle(), nullptr);
    RECT placed{};
    const RECT leftOfAndAbove{1000 - 315, 700 - 150, 1000, 700};  // 4725 by 2250 twips at 96 DPI
    EXPECT_TRUE(GetWindowRect(help.Handle(), &placed) && EqualRect(&placed, &leftOfAndAbove));
    wchar_t text[512] = L"";
    GetWindowTextW(FindWindowExW(help.Handle(), nullptr, L"Static", nullptr), text, 512);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), texts::kHelpText);
}

}  // namespace
}  // namespace gleaner
