#include "platform/fonts_win32.h"

#include <map>
#include <tuple>

#include "platform/handles_win32.h"

namespace gleaner::win32 {

HFONT ProgramFont(fonts::Font font, DpiScale scale) {
    // The process's fonts: few (two faces, four sizes, the densities of the
    // monitors shown on), made on the user interface's one thread.
    static std::map<std::tuple<bool, int, bool, int>, UniqueGdiObject> made;
    UniqueGdiObject& slot = made[{font.fixedPitch, font.centipoints, font.latin, scale.dpi}];
    if (!slot.Valid()) {
        const char16_t* face = font.latin ? fonts::kLatinFace
                               : font.fixedPitch ? fonts::kFixedFace
                                                 : fonts::kProportionalFace;
        const DWORD pitch = font.fixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS;
        slot.Reset(CreateFontW(scale.FontHeight(font.centipoints), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                               font.latin ? DEFAULT_CHARSET : SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                               CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, pitch, reinterpret_cast<const wchar_t*>(face)));
    }
    return static_cast<HFONT>(slot.Get());
}

void SetFont(std::initializer_list<HWND> controls, fonts::Font font, DpiScale scale) {
    const HFONT made = ProgramFont(font, scale);
    for (HWND control : controls) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
}

}  // namespace gleaner::win32
