// Input: system-wide hotkeys and injected keystrokes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/window_id.h"

namespace gleaner {

struct KeyEvent {
    std::uint16_t virtualKey = 0;
    bool release = false;
    bool operator==(const KeyEvent&) const = default;
};

// System-wide hotkeys and injected keystrokes.
class Keyboard {
public:
    virtual ~Keyboard() = default;
    // Global atoms name the hotkeys; 0 on failure.
    virtual std::uint16_t AddGlobalAtom(const std::u16string& name) = 0;
    virtual void DeleteGlobalAtom(std::uint16_t atom) = 0;
    virtual bool RegisterHotKey(WindowId window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) = 0;
    virtual void UnregisterHotKey(WindowId window, int id) = 0;
    // One injection of the events, in order.
    virtual void SendKeyEvents(const std::vector<KeyEvent>& events) = 0;
};

}  // namespace gleaner
