// Keystrokes injected into the system's input stream, and the keyboard's state.
#pragma once

#include <cstdint>

#include "platform/platform.h"

namespace gleaner {

constexpr std::uint16_t kVkShift = 0x10;
constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkEnd = 0x23;
constexpr std::uint16_t kVkHome = 0x24;
constexpr std::uint16_t kVkA = 0x41;
constexpr std::uint16_t kVkV = 0x56;

// Down now, or pressed since the previous look.
bool IsKeyPressed(Keyboard& keyboard, int virtualKey);

// Each is its own injection, so applications see the events one by one.
void SendKeyDown(Keyboard& keyboard, std::uint16_t virtualKey);
void SendKeyUp(Keyboard& keyboard, std::uint16_t virtualKey);

// Ctrl+V, whatever key the paste hotkey is on.
void SendPasteKeys(Keyboard& keyboard);
// Ctrl+Home, then Ctrl+Shift+End: the whole text of an edit box selected.
void SendSelectAllKeys(Keyboard& keyboard);

}  // namespace gleaner
