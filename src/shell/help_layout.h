// frmHelp's place at the pointer and the layout of its text and button.
#pragma once

#include "popup/count_popup.h"

namespace gleaner {

struct HelpLayout {
    Rect window;  // on the screen
    Rect label;   // lblHelp, in the window
    Rect closeButton;
};

// The window lies left of the pointer when there is room for it there, and
// above it likewise; it is not clamped to the screen's right or bottom edge.
HelpLayout LayOutHelp(Point pointer, DpiScale scale);

}  // namespace gleaner
