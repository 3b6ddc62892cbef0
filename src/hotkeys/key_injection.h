// Keystrokes injected into the system's input stream.
#pragma once

#include <cstdint>

#include "platform/keyboard.h"

namespace gleaner {

constexpr std::uint16_t kVkControl = 0x11;
constexpr std::uint16_t kVkV = 0x56;

// Each is its own injection, so applications see the events one by one.
void SendKeyDown(Keyboard& keyboard, std::uint16_t virtualKey);
void SendKeyUp(Keyboard& keyboard, std::uint16_t virtualKey);

// Ctrl+V, whatever key the paste hotkey is on.
void SendPasteKeys(Keyboard& keyboard);
}  // namespace gleaner
