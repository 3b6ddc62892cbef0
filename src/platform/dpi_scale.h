// Sizes are designed in twips or in pixels at 96 dots per inch; a window
// shows them at the density of its monitor. At 96 every figure is the
// designed one.
#pragma once

#include <cmath>

namespace gleaner {

constexpr int kDesignDpi = 96;

struct DpiScale {
    int dpi = kDesignDpi;
    bool operator==(const DpiScale&) const = default;

    // A length designed in 96-DPI pixels (halves allowed), rounded.
    int Pixels(double designed) const { return static_cast<int>(std::lround(designed * dpi / kDesignDpi)); }
    // Twips straight to pixels: a whole number of twips per pixel would make
    // 192 DPI's 7.5 a 7.
    int Twips(int twips) const { return static_cast<int>(std::lround(static_cast<double>(twips) * dpi / 1440)); }
    // A font's height in pixels for a size in hundredths of a point, negative
    // as fonts are asked for by their character height.
    int FontHeight(int centipoints) const {
        return -static_cast<int>(std::lround(static_cast<double>(centipoints) * dpi / 7200));
    }
};

}  // namespace gleaner
