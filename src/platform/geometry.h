// Points, rectangles, sizes and colours as the window system measures them.
#pragma once

#include <cstdint>

namespace gleaner {

// A point on the screen, in pixels.
struct Point {
    int x = 0;
    int y = 0;
    bool operator==(const Point&) const = default;
};

// A rectangle in pixels; it holds its left and top edge, not its right and
// bottom one.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    bool operator==(const Rect&) const = default;
};

struct TwipsSize {
    std::int32_t width = 0;
    std::int32_t height = 0;
};

// Screen twips per pixel, whole numbers as the geometry settings use them.
struct TwipsPerPixel {
    std::int32_t x = 15;
    std::int32_t y = 15;
};

// Position and size of a top-level window, in twips.
struct TwipsRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t width = 0;
    std::int32_t height = 0;
    bool operator==(const TwipsRect&) const = default;
};

// RGB as 0x00BBGGRR, the window system's colour order.
using Colour = std::uint32_t;
constexpr Colour MakeColour(int r, int g, int b) {
    return static_cast<Colour>(r) | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

}  // namespace gleaner
