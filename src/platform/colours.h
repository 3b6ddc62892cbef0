// The colours the program paints with, and the system's own in their place
// for a user who asked Windows for high contrast: a colour of ours could be
// one they cannot read.
#pragma once

#include <optional>

#include "platform/geometry.h"

namespace gleaner {

enum class Paint {
    Introduction,    // the collection box's text until the first capture
    Collected,       // its text after
    CollectionBack,  // the collection box's background
    BalloonText,     // the balloon's copy
    BalloonLabel,    // the balloon's countdown and C
    LegendText,
    LegendBack,
    NoticeText,      // the start and end notices
    NoticeBack,
};

// One of the system's colours, by the number Windows gives it.
enum class SystemColour { Window = 5, WindowText = 8, GrayText = 17, InfoText = 23, InfoBack = 24 };

// A colour of the program's own, or the system's.
struct ColourChoice {
    Colour own = 0;
    std::optional<SystemColour> system;
    bool operator==(const ColourChoice&) const = default;
};

ColourChoice ChooseColour(Paint paint, bool highContrast);

}  // namespace gleaner
