// The settings dialog on the screen, under Wine.
#include "settings/program_list_dialog_win32.h"
#include "settings/settings_defaults.h"
#include "settings/settings_dialog_win32.h"
#include "shell/menus_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ranges>

namespace gleaner {
namespace {

using namespace win32;

// How big it is and how the tray box grows it are the host's to show
// (SettingsDialogTest); the end-to-end settings scenario clicks its controls
// where they stand.

// The defaults in tray mode, which a confirmation chose: every control and
// button shows, 終了 too.
ProgramState InTrayMode(Language language) {
    ProgramState state;
    LoadDefaults(state.Settings, {28800, 16200}, {4635, 2370});
    state.Settings.taskTray = 1;
    state.SettingsCloseAction = CloseAction::Tray;
    state.DisplayLanguage = language;
    return state;
}

// Windows presses a focused push button on Enter only when the window says
// which one is the default, or handles IDOK; Wine presses it by itself.
TEST(SettingsWindow, EnterPressesTheFocusedPushButtonElseResume) {
    ProgramState state = InTrayMode(Language::Japanese);
    SettingsDialog dialog(state);
    ASSERT_TRUE(dialog.Open(u"ぐりーなー！"));
    const auto defaultId = [&] { return SendMessageW(dialog.Handle(), DM_GETDEFID, 0, 0); };
    SetFocus(GetDlgItem(dialog.Handle(), kChkTaskTray));
    EXPECT_EQ(defaultId(), MAKELRESULT(kCmdResume, DC_HASDEFID));
    SetFocus(GetDlgItem(dialog.Handle(), kCmdEnd));
    EXPECT_EQ(defaultId(), MAKELRESULT(kCmdEnd, DC_HASDEFID));
    SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_EQ(state.SettingsCloseAction, CloseAction::End);

    ASSERT_TRUE(dialog.Open(u"ぐりーなー！"));
    SetFocus(GetDlgItem(dialog.Handle(), kCmbSeparator));
    SendMessageW(dialog.Handle(), WM_COMMAND, IDOK, 0);
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_EQ(state.SettingsCloseAction, CloseAction::Tray) << "再開, the tray box still ticked";
}

// The width a control's text needs in its font, on one line: the label,
// the caption with a check box's box or a button's edges, a combo's or a
// list's widest item beside its scroll bar.
int Needed(HWND control, int dpi) {
    wchar_t kind[32] = L"", text[256] = L"";
    GetClassNameW(control, kind, 32);
    const bool combo = std::wstring(kind) == L"ComboBox", list = std::wstring(kind) == L"ListBox";
    const LRESULT items = combo || list ? SendMessageW(control, combo ? CB_GETCOUNT : LB_GETCOUNT, 0, 0) : 1;
    const WindowDc dc(control);
    const SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    int widest = 0;
    for (LRESULT i = 0; i < items; ++i) {
        if (combo || list) SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        else GetWindowTextW(control, text, 256);
        RECT bounds{};
        DrawTextW(dc.Get(), text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
        widest = std::max<int>(widest, bounds.right);
    }
    if (combo || list) return widest + GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi)) + 4;
    if (std::wstring(kind) != L"Button") return widest;
    return widest + ((GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON ? 8 : 16) * dpi / 96;
}

// The letters after a lone "&", as the system underlines them, of each
// item of a menu or each control the Tab key reaches in a dialog (a box
// takes the key of the label before it): each there, and once. Gives the
// names of those that are not.
std::wstring KeyFaults(const std::vector<std::pair<std::wstring, std::wstring>>& named) {
    std::vector<wchar_t> keys;
    for (const auto& caption : named | std::views::values) {
        std::size_t at = 0;
        while ((at = caption.find(L'&', at)) != std::wstring::npos && caption[at + 1] == L'&') at += 2;
        keys.push_back(at + 1 < caption.size() ? towupper(caption[at + 1]) : 0);
    }
    std::wstring faults;
    for (std::size_t i = 0; i < keys.size(); ++i)
        if (!keys[i] || std::ranges::count(keys, keys[i]) > 1) faults += named[i].first + L"|";
    return faults;
}

std::wstring Text(HWND window) {
    wchar_t text[512] = L"";
    GetWindowTextW(window, text, 512);
    return text;
}

std::wstring MenuKeyFaults(HMENU menu) {
    std::vector<std::pair<std::wstring, std::wstring>> items;
    std::wstring faults;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[128] = L"";
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION)) items.emplace_back(text, text);
        if (HMENU sub = GetSubMenu(menu, i)) faults += MenuKeyFaults(sub);
    }
    return KeyFaults(items) + faults;
}

std::wstring DialogKeyFaults(HWND dialog) {
    std::vector<std::pair<std::wstring, std::wstring>> controls;
    std::wstring label;
    for (HWND c = GetWindow(dialog, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        wchar_t kind[32] = L"";
        GetClassNameW(c, kind, 32);
        if (std::wstring(kind) == L"Static" && Text(c).find(L'&') != std::wstring::npos) label = Text(c);
        if (!IsWindowVisible(c) || !(GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP)) continue;
        controls.emplace_back(L"#" + std::to_wstring(GetDlgCtrlID(c)), std::wstring(kind) == L"Button" ? Text(c) : label);
        label.clear();
    }
    return KeyFaults(controls);
}

// Each control's text as the user's language writes it fits the control,
// and the control the window, apart from the others, at the density the
// design was made for and at twice it (what stands wholly beyond the
// window's edge is out of sight by design); each has its access key.
TEST(SettingsWindow, EveryControlsTextFitsItAndItTheWindowWithItsAccessKeyInBothLanguagesAtOneAndTwiceTheDensity) {
    // Side by side in one row and into each other: the design's rows may touch.
    const auto overlap = [](const RECT& a, const RECT& b) {
        RECT common{};
        const LONG lower = std::min(a.bottom - a.top, b.bottom - b.top);
        return IntersectRect(&common, &a, &b) && common.right - common.left > 2 && 2 * (common.bottom - common.top) > lower;
    };
    for (const Language language : {Language::Japanese, Language::English}) {
        ProgramState state = InTrayMode(language);
        SettingsDialog dialog(state);
        ASSERT_TRUE(dialog.Open(u"ぐりーなー！"));
        RECT designed{};
        GetWindowRect(dialog.Handle(), &designed);
        for (const int dpi : {96, 192}) {
            RECT bounds{designed.left, designed.top, designed.left + (designed.right - designed.left) * dpi / 96,
                        designed.top + (designed.bottom - designed.top) * dpi / 96};
            SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&bounds));
            RECT client{}, inside{};
            GetClientRect(dialog.Handle(), &client);
            MapWindowPoints(dialog.Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
            std::wstring cut;
            std::vector<RECT> placed;
            for (HWND c = GetWindow(dialog.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT at{};
                if (!IsWindowVisible(c) || !GetWindowRect(c, &at) || !IntersectRect(&inside, &at, &client)) continue;
                const bool frame = (GetWindowLongW(c, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
                const bool overlaps = !frame && std::ranges::any_of(placed, [&](const RECT& r) { return overlap(at, r); });
                if (Needed(c, dpi) > at.right - at.left || !EqualRect(&inside, &at) || overlaps)
                    cut += L" #" + std::to_wstring(GetDlgCtrlID(c));
                if (!frame) placed.push_back(at);
            }
            EXPECT_EQ(cut, L"") << dpi << " DPI, " << (language == Language::English ? "English" : "Japanese");
        }
        EXPECT_EQ(DialogKeyFaults(dialog.Handle()), L"");
        SetFocus(GetDlgItem(dialog.Handle(), kCmdResume));
        MSG altS{GetFocus(), WM_SYSCHAR, L's', 1 << 29, 0, {}};  // as the program's message loop hands it on
        IsDialogMessageW(dialog.Handle(), &altS);
        EXPECT_EQ(GetParent(GetFocus()), GetDlgItem(dialog.Handle(), kCmbSeparator)) << "Alt and a label's key";
        dialog.Unload();
    }
}

class Chooser : public ProgramListEvents {
    void OnProgramListChosen(const std::vector<std::u16string>&) override {}
};

// In both languages; the settings dialog's are read where it is laid out.
TEST(AccessKeys, EveryMenuItemAndDialogControlHasOneOfItsOwnInBothLanguages) {
    for (const Language language : {Language::Japanese, Language::English}) {
        const MenuState menus{language, LanguageChoice::Automatic, false};
        EXPECT_EQ(MenuKeyFaults(BuildMenu(MenuBar(menus), false).Get()), L"");
        EXPECT_EQ(MenuKeyFaults(BuildMenu(TrayMenu(VersionMenuCaption(u"gleaner", {}), menus), true).Get()), L"");
        Chooser chooser;
        ProgramListDialog programs(chooser);
        ASSERT_TRUE(programs.Open({}, language));
        EXPECT_EQ(DialogKeyFaults(programs.Handle()), L"");
        programs.Close();
    }
}

}  // namespace
}  // namespace gleaner
