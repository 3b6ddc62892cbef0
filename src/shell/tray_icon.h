// The program's one icon in the notification area (MyTaskTray): added or
// renewed from the main window, which it hides, and removed.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "shell/main_window.h"

namespace gleaner {

// The icon's mouse events reach the main window as this private message
// (WM_APP + 1), the mouse message in the low word of its lParam: a message
// of the mouse's own would be mistaken for clicks into the window.
constexpr std::uint32_t kTrayIconMessage = 0x8001;
constexpr std::uint32_t kTrayIconId = 1;
constexpr std::uint16_t kTrayLeftDoubleClick = 0x0203;  // WM_LBUTTONDBLCLK
constexpr std::uint16_t kTrayRightButtonDown = 0x0204;  // WM_RBUTTONDOWN

class TrayIcon {
public:
    explicit TrayIcon(NotificationArea& area) : area_(area) {}

    // Fills the record from the window (its handle and its tag for the tip),
    // adds or renews the icon, and hides the window in any case.
    void UpdateTrayIcon(MainWindowView& window, NotifyCommand command);
    // Harmless when there is no icon.
    void DeleteTrayIcon();
    // The notification area was made anew (Explorer restarted): the icon
    // comes back if the program is in tray mode.
    void OnTaskbarCreated();
    bool Added() const { return added_; }

private:
    NotificationArea& area_;
    NotifyIconRecord record_;
    bool added_ = false;
};

}  // namespace gleaner
