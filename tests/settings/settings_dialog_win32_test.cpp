// The settings dialog on the screen, under Wine.
#include "settings/settings_defaults.h"
#include "settings/settings_dialog_win32.h"

#include <gtest/gtest.h>

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
        DrawTextW(dc.Get(), text, -1, &bounds, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        widest = std::max<int>(widest, bounds.right);
    }
    if (combo || list) return widest + GetSystemMetricsForDpi(SM_CXVSCROLL, static_cast<UINT>(dpi)) + 4;
    if (std::wstring(kind) != L"Button") return widest;
    return widest + ((GetWindowLongW(control, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON ? 8 : 16) * dpi / 96;
}

// Each control's text as the user's language writes it fits the control,
// at the density the design was made for and at twice it.
TEST(SettingsWindow, EveryControlsTextFitsItInBothLanguagesAtOneAndTwiceTheDensity) {
    for (const Language language : {Language::Japanese, Language::English}) {
        ProgramState state = InTrayMode(language);
        SettingsDialog dialog(state);
        ASSERT_TRUE(dialog.Open(u"ぐりーなー！"));
        for (const int dpi : {96, 192}) {
            RECT bounds{};
            GetWindowRect(dialog.Handle(), &bounds);
            SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&bounds));
            std::wstring cut;
            for (HWND c = GetWindow(dialog.Handle(), GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT at{};
                if (IsWindowVisible(c) && GetWindowRect(c, &at) && Needed(c, dpi) > at.right - at.left)
                    cut += L" #" + std::to_wstring(GetDlgCtrlID(c));
            }
            EXPECT_EQ(cut, L"") << dpi << " DPI, " << (language == Language::English ? "English" : "Japanese");
        }
        dialog.Unload();
    }
}

}  // namespace
}  // namespace gleaner
