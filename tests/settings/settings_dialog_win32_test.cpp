// The settings dialog on the screen, under Wine.
#include "settings/settings_dialog_win32.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

using namespace win32;

TEST(SettingsWindow, LaysItsControlsOutInTwipsAtTheMonitorsDensityAndGrowsWithTheTrayBox) {
    ProgramState state;
    LoadDefaults(state.Settings, {28800, 16200}, {4635, 2370});
    SettingsDialog dialog(state);
    ASSERT_TRUE(dialog.Open(u"ぐりーなー！"));
    ASSERT_EQ(GetDpiForWindow(dialog.Handle()), 96u);
    const auto place = [&](int id) {  // in the client area; 0 for the dialog itself
        RECT r{};
        GetWindowRect(id ? GetDlgItem(dialog.Handle(), id) : dialog.Handle(), &r);
        MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    };
    RECT client{};
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(std::pair(place(0).right - place(0).left, place(0).bottom - place(0).top), std::pair(250L, 320L));
    EXPECT_GE(place(kTxtSearchStr).left, client.right) << "the search group stays out of sight";
    SendMessageW(GetDlgItem(dialog.Handle(), kChkTaskTray), BM_CLICK, 0, 0);
    EXPECT_EQ(place(0).bottom - place(0).top, 400);  // 6000 twips
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(place(kCmdResume).bottom, client.bottom - 15) << "the buttons follow the bottom";
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog.Handle(), kFrPos)));
}

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
