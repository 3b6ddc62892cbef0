// The main window as the program sees it: the collection box in an
// always-on-top window with a menu bar, and the events it reports.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_system.h"
#include "shell/menus.h"

namespace gleaner {

class MainWindowView {
public:
    virtual ~MainWindowView() = default;
    virtual WindowId Id() const = 0;
    // txtDescription: the collection.
    virtual TextBox& Collection() = 0;
    virtual WindowFrame& Frame() = 0;
    // The caption, which is also the window's tag.
    virtual void SetTitle(const std::u16string& title) = 0;
    virtual std::u16string Title() const = 0;
    // The menu bar, and the menu ShowTrayMenu shows.
    virtual void SetMenus(const std::vector<MenuItem>& bar, const std::vector<MenuItem>& trayMenu) = 0;
    virtual void MakeTopmost() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool IsVisible() const = 0;
    // A disabled window takes no input (while the settings dialog is open).
    virtual void Enable(bool enabled) = 0;
    // The tray menu at this point, the window made the foreground first so
    // that the menu closes when the user clicks elsewhere. Gives the command
    // chosen; MenuCommand::None when Esc closed it; nullopt when a click
    // elsewhere did, which takes the keyboard where the user clicked.
    virtual std::optional<MenuCommand> ShowTrayMenu(Point at) = 0;
    // The window is the foreground one: the keys typed come to it.
    virtual bool HoldsKeyboard() const = 0;
    // The window is gone after this, and the program's message loop ends.
    virtual void Destroy() = 0;
};

class MainWindowEvents {
public:
    virtual ~MainWindowEvents() = default;
    // Clipboard changes were read and wait to be taken.
    virtual void OnClipboardUpdate() = 0;
    virtual void OnHotKey(std::uintptr_t id) = 0;
    virtual void OnTimer(TimerId timer) = 0;
    virtual void OnMenu(MenuCommand command) = 0;
    // The close box, a menu's 終了.
    virtual void OnClose() = 0;
    // The end of the Windows session (log-off, shutdown, a restart for updates).
    virtual void OnSessionEnd() = 0;
    // The notification-area icon used: the event, and the point it gives.
    virtual void OnTrayIcon(std::uint16_t event, Point at) = 0;
    // The notification area was made anew (Explorer restarted).
    virtual void OnTaskbarCreated() = 0;
    // A setting of Windows changed (high contrast among them); the window
    // repaints after.
    virtual void OnSystemSettingChange() = 0;
    // The settings dialog is gone, confirmed, cancelled or unloaded.
    virtual void OnSettingsClosed() = 0;
};

}  // namespace gleaner
