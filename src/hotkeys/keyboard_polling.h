// Timer_Key: every 10 ms, Ctrl+A in the main window, and the clear that
// follows a paste.
#pragma once

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

struct PollingContext {
    CaptureContext& capture;
    Keyboard& keyboard;
    Windows& windows;
};

void OnKeyTimerTick(PollingContext& context);

// Where the confirmation goes: its lower right corner at the pointer, or its
// upper left one where the box would leave the screen's top or left edge.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};
Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer);

}  // namespace gleaner
