#include "hotkeys/key_injection.h"

namespace gleaner {

bool IsKeyPressed(Keyboard& keyboard, int virtualKey) { return (keyboard.AsyncKeyState(virtualKey) & 0x8001) != 0; }

void SendKeyDown(Keyboard& keyboard, std::uint16_t virtualKey) { keyboard.SendKeyEvents({{virtualKey, false}}); }

void SendKeyUp(Keyboard& keyboard, std::uint16_t virtualKey) { keyboard.SendKeyEvents({{virtualKey, true}}); }

void SendPasteKeys(Keyboard& keyboard) {
    SendKeyDown(keyboard, kVkControl);
    SendKeyDown(keyboard, kVkV);
    SendKeyUp(keyboard, kVkV);
    SendKeyUp(keyboard, kVkControl);
}

void SendSelectAllKeys(Keyboard& keyboard) {
    SendKeyDown(keyboard, kVkControl);
    SendKeyDown(keyboard, kVkHome);
    SendKeyUp(keyboard, kVkHome);
    SendKeyDown(keyboard, kVkShift);
    SendKeyDown(keyboard, kVkEnd);
    SendKeyUp(keyboard, kVkEnd);
    SendKeyUp(keyboard, kVkControl);
    SendKeyUp(keyboard, kVkShift);
}

}  // namespace gleaner
