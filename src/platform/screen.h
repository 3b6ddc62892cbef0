// The screen and the pointer on it.
#pragma once

#include "platform/geometry.h"

namespace gleaner {

// The screen the program starts on, and the pointer on it.
class Screen {
public:
    virtual ~Screen() = default;
    virtual TwipsPerPixel Scale() = 0;
    // The primary screen.
    virtual TwipsSize Size() = 0;
    virtual Point Pointer() = 0;
    // Dots per inch of the monitor that shows this point.
    virtual int DpiAt(Point point) = 0;
    // Windows' high-contrast setting is on.
    virtual bool HighContrast() = 0;
};

}  // namespace gleaner
