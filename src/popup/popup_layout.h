// Where the balloon goes and how it is cut: placement, rectangles, and the
// rounded body with its tail, as data that the window applies.
#pragma once

#include <array>
#include <string>

#include "platform/dpi_scale.h"
#include "platform/geometry.h"

namespace gleaner {

struct PixelSize {
    int width = 0;
    int height = 0;
};

// The anchor the balloon touches, its outer size and whether its tail points
// at the anchor.
struct BalloonPlace {
    Point anchor;
    int width = 0;
    int height = 0;
    bool tail = false;
    bool operator==(const BalloonPlace&) const = default;
};

// True when "disp pos" names no corner: the balloon goes to the pointer.
bool AtPointer(const std::u16string& dispPos);

// The corners of the primary screen by name, else the pointer.
BalloonPlace ChooseBalloonPlace(const std::u16string& dispPos, Point pointer, PixelSize primaryScreen,
                                DpiScale scale);

// Which side of the anchor the balloon lies on.
enum class BalloonDirection {
    LeftAbove,   // 左上
    LeftBelow,   // 左下
    RightAbove,  // 右上
    RightBelow,  // 右下
};

struct BalloonLayout {
    DpiScale scale;  // the density it was laid out for
    BalloonDirection direction = BalloonDirection::RightBelow;
    Rect window;  // on the screen; everything below is in the window
    Rect panel;   // Fr, the side panel
    Rect textBox;
    Rect timeLabel;
    Rect clearLabel;
    Rect closeButton;
    Rect helpIcon;
    Rect body;       // the rounded rectangle
    int corner = 0;  // width and height of its corners' ellipse
    bool tail = false;
    std::array<Point, 3> tailTriangle{};  // the apex (at the anchor) first
    bool operator==(const BalloonLayout&) const = default;
};

BalloonLayout LayOutBalloon(const BalloonPlace& place, DpiScale scale);

}  // namespace gleaner
