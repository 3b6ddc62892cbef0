// The two system-wide hotkeys and the paste they start: the collection is
// swapped onto the clipboard, Ctrl+V is injected, and the clipboard gets its
// previous content back.
#pragma once

#include <cstdint>

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

constexpr std::uint32_t kModControl = 0x0002;
constexpr std::uint32_t kModShift = 0x0004;

struct HotkeyContext {
    CaptureContext& capture;
    Keyboard& keyboard;
    Timers& timers;
    WindowId mainWindow = 0;
};

// The virtual key of a one-letter setting: lower case counts as upper case;
// an empty setting has none (0).
std::uint32_t HotKeyVirtualKey(const std::u16string& setting);

// Registers Ctrl + "paste key" and Ctrl+Shift + "popup key". Does nothing
// while they are registered already.
void RegisterHotKeys(HotkeyContext& context);
// The reverse; does nothing while they are not registered.
void UnregisterHotKeys(HotkeyContext& context);
bool HotKeysRegistered();

// WM_HOTKEY: the paste hotkey starts Timer_HotKey (a press while a paste is
// pending or running is swallowed); the popup hotkey makes a popup request.
void HotKeyWindowProc(HotkeyContext& context, std::uintptr_t hotkeyId);

// The tick of Timer_HotKey: one paste of the collection.
void RunPasteOperation(HotkeyContext& context);

}  // namespace gleaner
