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

// Windows presses a focused push button on Enter only when the window says
// which one is the default, or handles IDOK; Wine presses it by itself.
TEST(SettingsWindow, EnterPressesTheFocusedPushButtonElseResume) {
    ProgramState state;
    LoadDefaults(state.Settings, {28800, 16200}, {4635, 2370});
    state.Settings.taskTray = 1;
    state.SettingsCloseAction = CloseAction::Tray;  // so that 終了 shows
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

}  // namespace
}  // namespace gleaner
