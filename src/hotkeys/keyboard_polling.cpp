#include "hotkeys/keyboard_polling.h"

#include "hotkeys/key_injection.h"

namespace gleaner {

void KeyboardPolling::OnKeyTimerTick() {
    const bool inFront = windows_.ForegroundWindow() == state_.MainWindowHandle;
    if (!inFront) {
        timers_.Stop(TimerId::Key);
        return;
    }
    const bool ctrl = IsKeyPressed(keyboard_, kVkControl);
    const bool a = IsKeyPressed(keyboard_, kVkA);
    if (ctrl && a) SendSelectAllKeys(keyboard_);
}

}  // namespace gleaner
