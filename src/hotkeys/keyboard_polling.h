// Timer_Key: every 10 ms, Ctrl+A in the main window, and the clear that
// follows a paste.
#pragma once

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

// Timer_Key's period while it runs.
constexpr int kTimerKeyMs = 10;

// Timer_Key runs only while it can matter: while the main window is in front
// (Ctrl+A) and while a clear after a paste is due. Idle, the program sleeps.
class KeyboardPolling {
public:
    KeyboardPolling(CaptureContext& capture, Keyboard& keyboard, Windows& windows, Timers& timers)
        : capture_(capture), keyboard_(keyboard), windows_(windows), timers_(timers) {}

    // Starts Timer_Key; its first tick with nothing to watch stops it again.
    void Wake() { timers_.Start(TimerId::Key, kTimerKeyMs); }
    void OnKeyTimerTick();

private:
    void ClearAfterPaste();

    CaptureContext& capture_;
    Keyboard& keyboard_;
    Windows& windows_;
    Timers& timers_;
    // A tick that falls due while an earlier one waits (the erase delay, the
    // question) must not start a second clear or a second question.
    bool tickRunning_ = false;
};

// Where the confirmation goes: its lower right corner at the pointer, or its
// upper left one where the box would leave the screen's top or left edge.
Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer);

}  // namespace gleaner
