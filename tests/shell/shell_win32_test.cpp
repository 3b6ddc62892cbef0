// The program's own windows and resources, under Wine.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/notification_area_win32.h"
#include "platform/screen_win32.h"
#include "resources/texts.h"
#include "settings/program_list_dialog_win32.h"
#include "settings/settings_defaults.h"
#include "settings/settings_dialog_win32.h"
#include "shell/help_window_win32.h"
#include "shell/main_window_win32.h"
#include "shell/menus.h"
#include "shell/menus_win32.h"
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

// The letter after a lone "&", as the system underlines it; 0 for none.
wchar_t AccessKey(const std::wstring& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] == L'&' && caption[i + 1] != L'&') return towupper(caption[i + 1]);
        if (caption[i] == L'&') ++i;
    }
    return 0;
}

// Each key once, none missing: what a list of them that is not so reads.
std::wstring KeyFaults(const std::vector<std::pair<std::wstring, wchar_t>>& keys) {
    std::wstring faults;
    for (const auto& [name, key] : keys) {
        if (!key || std::ranges::count(keys, key, &std::pair<std::wstring, wchar_t>::second) > 1)
            faults += name + L"|";
    }
    return faults;
}

std::wstring MenuKeyFaults(HMENU menu) {
    std::vector<std::pair<std::wstring, wchar_t>> keys;
    std::wstring faults;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        if (!GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION)) continue;  // a separator
        keys.emplace_back(text, AccessKey(text));
        if (HMENU sub = GetSubMenu(menu, i)) faults += MenuKeyFaults(sub);
    }
    return KeyFaults(keys) + faults;
}

// The visible controls the Tab key reaches, each with its own caption's key
// or the key of the label before it.
std::wstring DialogKeyFaults(HWND dialog) {
    std::vector<std::pair<std::wstring, wchar_t>> keys;
    wchar_t labelKey = 0;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t kind[32] = L"", text[512] = L"";
        GetClassNameW(c, kind, 32);
        GetWindowTextW(c, text, 512);
        if (std::wstring(kind) == L"Static" && AccessKey(text)) labelKey = AccessKey(text);
        if (!IsWindowVisible(c) || !(GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP)) continue;
        keys.emplace_back(L"#" + std::to_wstring(GetDlgCtrlID(c)), std::wstring(kind) == L"Button" ? AccessKey(text) : labelKey);
        labelKey = 0;
    }
    return KeyFaults(keys);
}

// The access key a user presses with Alt, as the program's message loop
// hands it to the dialog keys.
HWND FocusAfterAltKey(HWND dialog, wchar_t key) {
    MSG msg{GetFocus(), WM_SYSCHAR, towlower(key), 1 << 29, 0, {}};
    IsDialogMessageW(dialog, &msg);
    return GetFocus();
}

class Chooser : public ProgramListEvents {
    void OnProgramListChosen(const std::vector<std::u16string>&) override {}
};

// Every item of both menus and every control the Tab key reaches in both
// dialogs has an access key of its own there, in both languages; a label's
// takes the keyboard to the box it names.
TEST(AccessKeys, EveryMenuItemAndDialogControlHasItsOwnInBothLanguages) {
    for (const Language language : {Language::Japanese, Language::English}) {
        const MenuState menus{language, LanguageChoice::Automatic, false};
        EXPECT_EQ(MenuKeyFaults(win32::BuildMenu(MenuBar(menus), false).Get()), L"");
        const auto tray = win32::BuildMenu(TrayMenu(VersionMenuCaption(u"gleaner", {0, 7, 6, u"", u"A&B"}), menus), true);
        EXPECT_EQ(MenuKeyFaults(tray.Get()), L"");

        ProgramState state;
        LoadDefaults(state.Settings, {28800, 16200}, {4635, 2370});
        state.Settings.taskTray = 1;
        state.SettingsCloseAction = CloseAction::Tray;  // 終了 shows
        state.DisplayLanguage = language;
        win32::SettingsDialog settings(state);
        ASSERT_TRUE(settings.Open(u"ぐりーなー！"));
        EXPECT_EQ(DialogKeyFaults(settings.Handle()), L"");
        const HWND separator = GetDlgItem(settings.Handle(), win32::kCmbSeparator);
        SetFocus(GetDlgItem(settings.Handle(), win32::kCmdResume));
        EXPECT_EQ(GetParent(FocusAfterAltKey(settings.Handle(), L'S')), separator);
        settings.Unload();

        Chooser chooser;
        win32::ProgramListDialog programs(chooser);
        ASSERT_TRUE(programs.Open({}, language));
        EXPECT_EQ(DialogKeyFaults(programs.Handle()), L"");
        const HWND box = GetFocus();
        SetFocus(GetDlgItem(programs.Handle(), IDOK));
        EXPECT_EQ(FocusAfterAltKey(programs.Handle(), L'P'), box);
        programs.Close();
    }
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
