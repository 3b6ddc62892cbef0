// The one owner of the program's fonts: each font made once per density
// and shared by every window that shows it, alive until the program ends
// (a window may hand it to its controls without keeping a copy).
#pragma once

#include <windows.h>

#include <initializer_list>

#include "platform/dpi_scale.h"
#include "resources/fonts.h"

namespace gleaner::win32 {

HFONT ProgramFont(fonts::Font font, DpiScale scale);
// Hands the font to the controls; they redraw with it.
void SetFont(std::initializer_list<HWND> controls, fonts::Font font, DpiScale scale);

}  // namespace gleaner::win32
