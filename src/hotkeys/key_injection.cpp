#include "hotkeys/key_injection.h"

namespace gleaner {

void SendKeyDown(Keyboard& keyboard, std::uint16_t virtualKey) { keyboard.SendKeyEvents({{virtualKey, false}}); }

void SendKeyUp(Keyboard& keyboard, std::uint16_t virtualKey) { keyboard.SendKeyEvents({{virtualKey, true}}); }

void SendPasteKeys(Keyboard& keyboard) {
    SendKeyDown(keyboard, kVkControl);
    SendKeyDown(keyboard, kVkV);
    SendKeyUp(keyboard, kVkV);
    SendKeyUp(keyboard, kVkControl);
}

}  // namespace gleaner
