// The settings dialog on the screen, under Wine.
#include "settings/settings_dialog_win32.h"
#include "settings/settings_record.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

using namespace win32;

class SettingsWindow : public testing::Test {
protected:
    SettingsWindow() { LoadDefaults(state.Settings, {28800, 16200}, {4635, 2370}); }
    // The dialog's outer size in pixels.
    std::pair<LONG, LONG> Size() const {
        RECT r{};
        GetWindowRect(dialog.Handle(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    ProgramState state;
    SettingsDialog dialog{state};
};

TEST_F(SettingsWindow, LaysItsControlsOutInTwipsAtTheMonitorsDensityAndGrowsWithTheTrayBox) {
    ASSERT_TRUE(dialog.Open(u"ぐりーなー！"));
    ASSERT_EQ(GetDpiForWindow(dialog.Handle()), 96u);
    EXPECT_EQ(Size(), std::pair(250L, 320L));
    SendMessageW(GetDlgItem(dialog.Handle(), kChkTaskTray), BM_CLICK, 0, 0);
    EXPECT_EQ(Size(), std::pair(250L, 400L));  // 6000 twips high
    EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog.Handle(), kFrPos)));
    RECT resume{}, client{};
    GetWindowRect(GetDlgItem(dialog.Handle(), kCmdResume), &resume);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&resume), 2);
    GetClientRect(dialog.Handle(), &client);
    EXPECT_EQ(resume.bottom, client.bottom - 15) << "the buttons follow the bottom";
}

// Windows presses a focused push button on Enter only when the window says
// which one is the default, or handles IDOK; Wine presses it by itself.
TEST_F(SettingsWindow, EnterPressesTheFocusedPushButtonElseResume) {
    state.Settings.taskTray = 1;
    state.SettingsCloseAction = CloseAction::Tray;  // so that 終了 shows
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
