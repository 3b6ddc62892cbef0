// The screen, its density and the pointer on it.
#pragma once

#include <windows.h>

#include "platform/screen.h"

namespace gleaner::win32 {

class Win32Screen : public Screen {
public:
    TwipsPerPixel Scale() override;
    TwipsSize Size() override;
    Point Pointer() override;
    int DpiAt(Point point) override;
    bool HighContrast() override;
};

}  // namespace gleaner::win32
