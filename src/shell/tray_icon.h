// The program's one icon in the notification area (MyTaskTray): added or
// renewed from the main window, which it hides, and removed.
#pragma once

#include <cstdint>

#include "platform/notification_area.h"
#include "shell/main_window.h"

namespace gleaner {

// The icon's events reach the main window as this private message
// (WM_APP + 1), the event in the low word of its lParam: a message of the
// mouse's own would be mistaken for clicks into the window. The icon speaks
// the shell's fourth version, which tells the keyboard's use of it too and
// gives the point in wParam.
constexpr std::uint32_t kTrayIconMessage = 0x8001;
constexpr std::uint32_t kTrayIconId = 1;
constexpr std::uint16_t kTrayContextMenu = 0x007B;      // WM_CONTEXTMENU: a right click, the menu key, Shift+F10
constexpr std::uint16_t kTrayLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
constexpr std::uint16_t kTraySelect = 0x0400;           // NIN_SELECT: a click
constexpr std::uint16_t kTrayKeySelect = 0x0401;        // NIN_KEYSELECT: Enter or Space

// How often an icon the notification area refused is offered again.
constexpr int kTrayRetryMs = 2000;

class TrayIcon {
public:
    TrayIcon(NotificationArea& area, Timers& timers) : area_(area), timers_(timers) {}

    // Fills the record from the window (its handle and its tag for the tip),
    // adds or renews the icon, and hides the window in any case. An add the
    // area refuses (at log-on the taskbar may not be up yet) is tried again
    // until it takes, so that a hidden program never stays out of reach.
    void UpdateTrayIcon(MainWindowView& window, NotifyCommand command);
    // The tip follows the window's tag again, while the icon is there.
    void Renew(MainWindowView& window);
    // The paused icon's shape, or the usual one; shown at the next renewal.
    void SetPaused(bool paused) { record_.paused = paused; }
    // Harmless when there is no icon.
    void DeleteTrayIcon();
    // The keyboard back to the icon, where a keyboard user left it.
    void GiveFocusBack();
    // The notification area was made anew (Explorer restarted): the icon
    // comes back if the program is in tray mode.
    void OnTaskbarCreated() { Add(); }
    // TrayRetry's tick.
    void OnRetryTimer() { Add(); }

private:
    void Add();

    NotificationArea& area_;
    Timers& timers_;
    NotifyIconRecord record_;
    bool inTray_ = false;
};

}  // namespace gleaner
