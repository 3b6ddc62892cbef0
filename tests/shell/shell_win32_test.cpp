// The program's own windows and resources, under Wine.
#include <gtest/gtest.h>


#include "platform/notification_area_win32.h"
#include "platform/screen_win32.h"
#include "resources/texts.h"
#include "shell/help_window_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus.h"
#include "shell/tray_icon.h"
#include "shell/version_win32.h"

namespace gleaner {
namespace {

TEST(VersionResource, TheProgramIsVersion076WithItsNamesAManifestAndAnIcon) {
    const auto version = win32::ReadVersionInfo(GLEANER_EXE_PATH);
    ASSERT_TRUE(version);
    EXPECT_EQ(AppTitle(*version, Language::Japanese), u"ぐりーなー！ Ver0.76");
    EXPECT_EQ(AppTitle(*version, Language::English), u"Gleaner Ver0.76");
    EXPECT_EQ(version->companyName, u"Gleaner Works");

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
    // The notification area's icon while paused has another outline, not
    // only other colours: its mask differs.
    const auto mask = [&](int id) {
        ICONINFO info{};
        GetIconInfo(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, LR_SHARED)), &info);
        const win32::UniqueGdiObject maskOwner(info.hbmMask), colourOwner(info.hbmColor);
        std::string bits(64, '\0');
        bits.resize(static_cast<std::size_t>(GetBitmapBits(info.hbmMask, 64, bits.data())));
        return bits;
    };
    EXPECT_NE(mask(1), mask(win32::kPausedIconId));
    EXPECT_NE(mask(win32::kPausedIconId), "");
    FreeLibrary(module);
}

class MainWindowTest : public testing::Test, public MainWindowEvents {
protected:
    void OnClipboardUpdate() override {}
    void OnHotKey(std::uintptr_t) override {}
    void OnTimer(TimerId) override {}
    void OnMenu(MenuCommand) override {}
    void OnClose() override {}
    void OnSessionEnd() override {}
    void OnTrayIcon(std::uint16_t, Point) override {}
    void OnTaskbarCreated() override {}
    void OnSystemSettingChange() override {}
    void OnSettingsClosed() override {}

    LONG FontHeight() const {
        LOGFONTW font{};
        const HWND edit = GetDlgItem(main->Handle(), win32::kCollectionBoxId);
        GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(edit, WM_GETFONT, 0, 0)), sizeof font, &font);
        return font.lfHeight;
    }

    ProgramState state;
    std::unique_ptr<win32::MainWindow> main = win32::MainWindow::Create(*this, win32::Win32Screen().Scale(), state);
};

// As the user reads it: the bar's captions in order, the language submenu
// with its choice marked, 一時停止 checked while paused.
TEST_F(MainWindowTest, ItsMenuBarReadsInTheLanguageWithTheLanguageChoiceMarked) {
    const auto captions = [this] {
        std::wstring all;
        for (int i = 0; i < GetMenuItemCount(GetMenu(main->Handle())); ++i) {
            wchar_t text[64] = L"";
            GetMenuStringW(GetMenu(main->Handle()), static_cast<UINT>(i), text, 64, MF_BYPOSITION);
            all += text + std::wstring(L"|");
        }
        return all;
    };
    main->SetMenus(MenuBar({Language::English, LanguageChoice::Japanese, true}), {});
    EXPECT_EQ(captions(), L"&Settings|&Clear|&Undo|&Pause collecting|&Ignored programs...|&Help|&Language (言語)|E&xit|");
    const auto checked = [this](MenuCommand item) {
        return (GetMenuState(GetMenu(main->Handle()), static_cast<UINT>(item), MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_TRUE(checked(MenuCommand::LanguageJapanese) && !checked(MenuCommand::LanguageEnglish));
    EXPECT_TRUE(checked(MenuCommand::Pause));
    main->SetMenus(MenuBar({Language::Japanese, LanguageChoice::Automatic, false}), {});
    EXPECT_EQ(captions(), L"設定(&S)|クリア(&C)|元に戻す(&U)|一時停止(&P)|除外するプログラム(&I)...|ヘルプ(&H)|言語 (Language)(&L)|終了(&X)|");
    EXPECT_FALSE(checked(MenuCommand::Pause));
}

TEST_F(MainWindowTest, FollowsAChangeOfTheMonitorsDensityWithItsFont) {
    EXPECT_EQ(FontHeight(), -13);  // 9.75 points at 96 DPI
    RECT bounds{};
    GetWindowRect(main->Handle(), &bounds);
    SendMessageW(main->Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&bounds));
    EXPECT_EQ(FontHeight(), -20);
}

// The tip follows every change of the box: an append, and a whole new text
// (クリア), of which a multi-line box tells nothing by itself. Nothing polls
// the pointer: the box's own moves bring the tip, its leave takes it away,
// and a "move" to where the pointer was is no move.
TEST_F(MainWindowTest, TheBoxsTooltipTellsItsLengthOnAMoveOntoTheBoxAndHidesWhenThePointerLeaves) {
    const HWND edit = GetDlgItem(main->Handle(), win32::kCollectionBoxId);
    HWND tooltip = nullptr;  // the one the main window owns
    while ((tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) != nullptr &&
           GetWindow(tooltip, GW_OWNER) != main->Handle()) {
    }
    const auto tip = [&] {
        wchar_t text[80] = L"";
        TTTOOLINFOW tool{sizeof tool, 0, main->Handle(), reinterpret_cast<UINT_PTR>(edit), {}, nullptr, text, 0,
                         nullptr};
        SendMessageW(tooltip, TTM_GETTEXTW, std::size(text), reinterpret_cast<LPARAM>(&tool));
        return std::u16string(reinterpret_cast<const char16_t*>(text));
    };
    main->Collection().Append(std::u16string(1234, u'x'));
    EXPECT_EQ(tip(), u"1,234文字");
    main->Collection().SetText(u"");
    EXPECT_EQ(tip(), u"0文字");

    const auto shown = [&] { return IsWindowVisible(tooltip) != FALSE; };
    SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(shown());
    SendMessageW(edit, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(shown());
    SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_FALSE(shown());
    SendMessageW(edit, WM_MOUSEMOVE, 0, MAKELPARAM(9, 5));
    EXPECT_TRUE(shown());
    SendMessageW(edit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(9, 5));
    EXPECT_FALSE(shown());
}

TEST(NotificationArea, GetsTheIconsCallbackAndItsTipCutToTheRecordsRoom) {
    const std::u16string longTip(200, u'あ');
    const NOTIFYICONDATAW data = win32::NotifyIconData({0, kTrayIconId, kTrayIconMessage, longTip});
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_SHOWTIP));
    EXPECT_EQ(data.uCallbackMessage, kTrayIconMessage);
    EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(data.szTip)), longTip.substr(0, 127));
}

TEST(HelpWindow, ShowsItsElevenLinesBesideThePointerInTheLanguageUnderItsNameUntilEsc) {
    SetCursorPos(1000, 700);
    ProgramState state;
    win32::HelpWindow help(state);
    for (const Language language : {Language::Japanese, Language::English}) {
        state.DisplayLanguage = language;
        help.ShowHelp(true);
        ASSERT_NE(help.Handle(), nullptr);
        RECT placed{};
        const RECT leftOfAndAbove{1000 - 315, 700 - 150, 1000, 700};  // 4725 by 2250 twips at 96 DPI
        EXPECT_TRUE(GetWindowRect(help.Handle(), &placed) && EqualRect(&placed, &leftOfAndAbove));
        wchar_t text[512] = L"";
        GetWindowTextW(FindWindowExW(help.Handle(), nullptr, L"Static", nullptr), text, 512);
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), texts::kHelpText.In(language));
        GetWindowTextW(help.Handle(), text, 512);  // what a screen reader names it
        EXPECT_EQ(std::u16string(reinterpret_cast<const char16_t*>(text)), texts::kHelpTitle.In(language));
        MSG esc{help.Handle(), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        IsDialogMessageW(help.Handle(), &esc);
        EXPECT_EQ(help.Handle(), nullptr) << "Esc closes it";
    }
}

}  // namespace
}  // namespace gleaner
