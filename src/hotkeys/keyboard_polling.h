// Timer_Key: every 10 ms, Ctrl+A in the main window, and the clear that
// follows a paste.
#pragma once

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

class KeyboardPolling {
public:
    KeyboardPolling(CaptureContext& capture, Keyboard& keyboard, Windows& windows)
        : capture_(capture), keyboard_(keyboard), windows_(windows) {}

    void OnKeyTimerTick();

private:
    void ClearAfterPaste();

    CaptureContext& capture_;
    Keyboard& keyboard_;
    Windows& windows_;
    // A tick that falls due while an earlier one waits (the erase delay, the
    // question) must not start a second clear or a second question.
    bool tickRunning_ = false;
};

// Where the confirmation goes: its lower right corner at the pointer, or its
// upper left one where the box would leave the screen's top or left edge.
Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer);

}  // namespace gleaner
