// The program's fonts: two faces and the sizes each kind of text is shown
// at, in hundredths of a point. Named here once; platform/fonts_win32.h
// makes each at a density once and shares it.
#pragma once

namespace gleaner::fonts {

// Fixed-pitch for the collection and lists, so that columns line up;
// proportional for captions and notices.
inline constexpr char16_t kFixedFace[] = u"ＭＳ ゴシック";
inline constexpr char16_t kProportionalFace[] = u"ＭＳ Ｐゴシック";
// The English dialog's face: the Japanese faces draw a backslash as a yen
// sign, and an English Windows may lack them.
inline constexpr char16_t kLatinFace[] = u"Segoe UI";

struct Font {
    bool fixedPitch = false;
    int centipoints = 0;
    bool latin = false;  // kLatinFace, whatever the pitch
    bool operator==(const Font&) const = default;
};

inline constexpr Font kText{true, 975};             // boxes, lists, the legend
inline constexpr Font kCaption{false, 975};         // labels and buttons
inline constexpr Font kLatinCaption{false, 900, true};  // the same in English
inline constexpr Font kBalloonClear{false, 1125};   // the balloon's C
inline constexpr Font kNotice{false, 1575};         // the start and end notices

}  // namespace gleaner::fonts
