// The two system-wide hotkeys and the paste they start: the collection is
// swapped onto the clipboard, Ctrl+V is injected, and the clipboard gets its
// previous content back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

constexpr std::uint32_t kModControl = 0x0002;
constexpr std::uint32_t kModShift = 0x0004;

// The virtual key of a one-letter setting: lower case counts as upper case;
// an empty setting has none (0).
std::uint32_t HotKeyVirtualKey(const std::u16string& setting);
// "Ctrl+Shift+A", as the user reads a combination.
std::u16string HotKeyName(std::uint32_t modifiers, const std::u16string& setting);

class Hotkeys {
public:
    Hotkeys(CaptureContext& capture, Keyboard& keyboard, Timers& timers, WindowId mainWindow)
        : capture_(capture), keyboard_(keyboard), timers_(timers), mainWindow_(mainWindow) {}
    ~Hotkeys() { UnregisterHotKeys(); }
    Hotkeys(const Hotkeys&) = delete;
    Hotkeys& operator=(const Hotkeys&) = delete;

    // Registers Ctrl + "paste key" and, in tray mode, Ctrl+Shift + "popup
    // key". Does nothing while they are registered already. Gives the
    // combinations another program holds, by name ("Ctrl+V"): the program's
    // own re-registrations around a paste leave telling the user to those
    // who first registered.
    std::vector<std::u16string> RegisterHotKeys();
    // The reverse; does nothing while they are not registered.
    void UnregisterHotKeys();
    bool Registered() const { return registered_; }

    // WM_HOTKEY: the paste hotkey starts Timer_HotKey (a press while a paste
    // is pending or running is swallowed); the popup hotkey makes a popup
    // request.
    void HotKeyWindowProc(std::uintptr_t hotkeyId);

    // The tick of Timer_HotKey: one paste of the collection. True when another
    // application copied during the paste: that copy is on the clipboard now.
    bool RunPasteOperation();
    // A paste asked for but not yet started is dropped (the program ends).
    void CancelPendingPaste();

private:
    // False when another program holds the combination.
    bool Register(std::uint16_t id, std::uint32_t modifiers, const std::u16string& key);
    void InjectPaste();

    CaptureContext& capture_;
    Keyboard& keyboard_;
    Timers& timers_;
    WindowId mainWindow_;
    // The atoms name the hotkeys while they exist.
    std::uint16_t pasteHotkeyId_ = 0;
    std::uint16_t popupHotkeyId_ = 0;
    bool registered_ = false;
    bool busy_ = false;
    bool pastePending_ = false;  // the hotkey was pressed; Timer_HotKey has yet to tick
};

}  // namespace gleaner
