// A top-level window's placement in twips.
#pragma once

#include <windows.h>

#include "platform/window_system.h"

namespace gleaner::win32 {

// A top-level window's placement in twips.
class Win32WindowFrame : public WindowFrame {
public:
    Win32WindowFrame(HWND window, TwipsPerPixel scale) : window_(window), scale_(scale) {}
    TwipsRect Bounds() const override;
    void SetBounds(const TwipsRect& bounds) override;

private:
    HWND window_;
    TwipsPerPixel scale_;
};

}  // namespace gleaner::win32
