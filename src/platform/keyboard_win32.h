// System-wide hotkeys and injected keystrokes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/keyboard.h"

namespace gleaner::win32 {

class Win32Keyboard : public Keyboard {
public:
    std::uint16_t AddGlobalAtom(const std::u16string& name) override;
    void DeleteGlobalAtom(std::uint16_t atom) override;
    bool RegisterHotKey(WindowId window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) override;
    void UnregisterHotKey(WindowId window, int id) override;
    void SendKeyEvents(const std::vector<KeyEvent>& events) override;
};

}  // namespace gleaner::win32
