// The settings dialog on the screen, under Wine.
#include "settings/settings_dialog_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/win32_services.h"

namespace gleaner {
namespace {

using namespace win32;

class SettingsWindowTest : public testing::Test {
protected:
    SettingsWindowTest() {
        LoadDefaults(Settings, {28800, 16200}, {4635, 2370});
        SettingsCloseAction = CloseAction::ShowWindow;
    }
    ~SettingsWindowTest() override { dialog.Unload(); }

    HWND Control(int id) const { return GetDlgItem(dialog.Handle(), id); }
    std::wstring Text(HWND window) const {
        wchar_t text[256] = L"";
        SendMessageW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text));
        return text;
    }
    HWND Edit(int combo) const { return FindWindowExW(Control(combo), nullptr, WC_EDITW, nullptr); }
    SIZE Size() const {
        RECT r{};
        GetWindowRect(dialog.Handle(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    std::wstring TipOf(int id) const {
        HWND tooltip = nullptr;
        while ((tooltip = FindWindowExW(nullptr, tooltip, TOOLTIPS_CLASSW, nullptr)) &&
               GetWindow(tooltip, GW_OWNER) != dialog.Handle()) {
        }
        wchar_t text[256] = L"";
        TOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = dialog.Handle();
        tool.uId = reinterpret_cast<UINT_PTR>(Control(id));
        tool.lpszText = text;
        SendMessageW(tooltip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
        return text;
    }

    SettingsDialog dialog;
};

TEST_F(SettingsWindowTest, OpensFilledFromTheRecordAtItsDesignedSizeAndGrowsWithTheTrayBox) {
    Settings.separator = u"; ";
    Settings.timeAutoClose = 7;
    Settings.ctrlvInit = 0;
    ASSERT_TRUE(dialog.Open());
    EXPECT_EQ(SettingsWindowHandle, ToWindowId(dialog.Handle()));
    EXPECT_EQ(Text(Control(kCmbSeparator)) + Text(Control(kCmbPasteKey)) + Text(Control(kCmbTimeAutoClose)), L"; V 7");
    EXPECT_FALSE(IsWindowEnabled(Control(kChkNoConfirm)));
    EXPECT_EQ(TipOf(kChkNoConfirm), L"既知の確認メッセーjを表示しない");
    ASSERT_EQ(GetDpiForWindow(dialog.Handle()), 96u);
    EXPECT_EQ(std::pair(Size().cx, Size().cy), std::pair(250L, 320L));  // 3750 x 4800 twips
    RECT client{}, search{}, resume{};
    GetClientRect(dialog.Handle(), &client);
    GetWindowRect(Control(kTxtSearchStr), &search);
    GetWindowRect(Control(kCmdResume), &resume);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&search), 2);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&resume), 2);
    EXPECT_GE(search.left, client.right) << "the search group stays out of sight";
    EXPECT_EQ(resume.bottom, client.bottom - 15);
    EXPECT_FALSE(IsWindowVisible(Control(kFrPos)) || IsWindowVisible(Control(kCmdEnd)));

    SendMessageW(Control(kChkTaskTray), BM_CLICK, 0, 0);
    SendMessageW(Control(kChkCtrlVInit), BM_CLICK, 0, 0);
    EXPECT_EQ(Size().cy, 400);  // 6000 twips
    EXPECT_TRUE(IsWindowVisible(Control(kFrPos)) && IsWindowVisible(Control(kCmbDispPos)));
    EXPECT_FALSE(IsWindowVisible(Control(kCmdEnd))) << "not before a confirmation sent the program to the tray";
    EXPECT_TRUE(IsWindowEnabled(Control(kChkNoConfirm)));

    SendMessageW(dialog.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(SettingsWindowHandle, 0u);
    EXPECT_EQ(Settings.taskTray + Settings.ctrlvInit, 0) << "the close box stores nothing";
}

TEST_F(SettingsWindowTest, TakesAHotKeyAsOneCapitalLetterRefusesTypingInTheListCombosAndStoresOnConfirming) {
    ASSERT_TRUE(dialog.Open());
    for (wchar_t typed : {L'q', L'1', L'.'}) SendMessageW(Edit(kCmbPasteKey), WM_CHAR, typed, 0);
    SendMessageW(Edit(kCmbTimeAutoClose), WM_CHAR, L'9', 0);
    SendMessageW(Control(kCmbDispPos), CB_SETCURSEL, 1, 0);
    SendMessageW(Control(kChkTaskTray), BM_CLICK, 0, 0);
    EXPECT_EQ(Text(Edit(kCmbPasteKey)) + Text(Edit(kCmbTimeAutoClose)) + Text(Edit(kCmbDispPos)), L"Q 5左上隅");
    SendMessageW(Control(kCmdResume), BM_CLICK, 0, 0);
    EXPECT_EQ(SettingsWindowHandle, 0u);
    EXPECT_EQ(Settings.pasteKey + Settings.dispPos, u"Q左上隅");
    EXPECT_EQ(SettingsCloseAction, CloseAction::Tray);

    ASSERT_TRUE(dialog.Open());
    EXPECT_TRUE(IsWindowVisible(Control(kCmdEnd)));
    EXPECT_EQ(Text(Control(kCmdEnd)), L"終了");
    SendMessageW(Control(kCmdEnd), BM_CLICK, 0, 0);
    EXPECT_EQ(SettingsCloseAction, CloseAction::End);
}

TEST_F(SettingsWindowTest, FollowsAChangeOfTheMonitorsDensity) {
    ASSERT_TRUE(dialog.Open());
    RECT bounds{};
    GetWindowRect(dialog.Handle(), &bounds);
    SendMessageW(dialog.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&bounds));
    RECT resume{};
    GetWindowRect(Control(kCmdResume), &resume);
    EXPECT_EQ(resume.right - resume.left, 95);  // 945 twips at 144 DPI: 94.5, rounded
    LOGFONTW font{};
    GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessageW(Control(kCmdResume), WM_GETFONT, 0, 0)), sizeof font, &font);
    EXPECT_EQ(font.lfHeight, -20);  // 9.75 points
}

}  // namespace
}  // namespace gleaner
