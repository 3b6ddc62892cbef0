// Timer_Key: Ctrl+A in the main window selects the whole collection.
#pragma once

#include "platform/platform.h"
#include "state/program_state.h"

namespace gleaner {

// Timer_Key's period while it runs.
constexpr int kTimerKeyMs = 10;

// Timer_Key runs only while the main window is in front; idle, the program
// sleeps.
class KeyboardPolling {
public:
    KeyboardPolling(const ProgramState& state, Keyboard& keyboard, Windows& windows, Timers& timers)
        : state_(state), keyboard_(keyboard), windows_(windows), timers_(timers) {}

    // Starts Timer_Key; its first tick with the window behind stops it again.
    void Wake() { timers_.Start(TimerId::Key, kTimerKeyMs); }
    void OnKeyTimerTick();

private:
    const ProgramState& state_;
    Keyboard& keyboard_;
    Windows& windows_;
    Timers& timers_;
};

}  // namespace gleaner
