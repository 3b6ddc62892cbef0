#include "popup/popup_layout.h"

#include "resources/texts.h"

namespace gleaner {
namespace {

// Designed at 96 DPI, in pixels.
constexpr int kBalloonWidth = 300;
constexpr int kCornerBalloonHeight = 150;
constexpr int kPointerBalloonHeight = 180;
constexpr int kCornerDistance = 20;
constexpr int kTailStrip = 15;
constexpr int kBodyCorner = 15;
constexpr double kTextInset = 7.5;
// The tail's base along the body's edge; the apex lies above or below its
// outer end, so the tail runs down the window's side into the anchor.
constexpr int kTailBase = 20;
// The side panel, in twips as designed.
constexpr int kPanelWidthTwips = 285;
constexpr int kPanelHeightTwips = 1485;

struct PanelControl {
    int top;
    int width;
    int height;
};
constexpr PanelControl kTimeLabel{12, 21, 15};
constexpr PanelControl kClearLabel{26, 21, 15};
constexpr PanelControl kCloseButton{43, 18, 16};
constexpr PanelControl kHelpIcon{66, 19, 19};

Rect InPanel(const Rect& panel, const PanelControl& control, DpiScale scale) {
    const int top = panel.top + scale.Pixels(control.top);
    return {panel.left, top, panel.left + scale.Pixels(control.width), top + scale.Pixels(control.height)};
}

}  // namespace

bool AtPointer(const std::u16string& dispPos) {
    return dispPos != texts::kDispPosTopLeft && dispPos != texts::kDispPosTopRight &&
           dispPos != texts::kDispPosBottomRight;
}

BalloonPlace ChooseBalloonPlace(const std::u16string& dispPos, Point pointer, PixelSize primaryScreen,
                                DpiScale scale) {
    const int near = scale.Pixels(kCornerDistance);
    const int width = scale.Pixels(kBalloonWidth);
    const int height = scale.Pixels(kCornerBalloonHeight);
    if (dispPos == texts::kDispPosTopLeft) return {{near, near}, width, height, false};
    if (dispPos == texts::kDispPosTopRight) return {{primaryScreen.width - near, near}, width, height, false};
    if (dispPos == texts::kDispPosBottomRight)
        return {{primaryScreen.width - near, primaryScreen.height - near}, width, height, false};
    return {pointer, width, scale.Pixels(kPointerBalloonHeight), true};
}

// The balloon goes left or up wherever there is room for it there, so it
// stays on the screen without clamping; ties go right and down.
BalloonLayout LayOutBalloon(const BalloonPlace& place, DpiScale scale) {
    const int w = place.width;
    const int h = place.height;
    const int x = place.anchor.x;
    const int y = place.anchor.y;
    const bool left = x > w;
    const bool above = y > h;
    BalloonLayout layout;
    layout.scale = scale;
    layout.direction = left ? (above ? BalloonDirection::LeftAbove : BalloonDirection::LeftBelow)
                            : (above ? BalloonDirection::RightAbove : BalloonDirection::RightBelow);
    const int windowLeft = left ? x - w : x;
    const int windowTop = above ? y - h : y;
    layout.window = {windowLeft, windowTop, windowLeft + w, windowTop + h};

    const int strip = scale.Pixels(kTailStrip);
    layout.panel = {w - scale.Twips(kPanelWidthTwips), 0, w, scale.Twips(kPanelHeightTwips)};
    layout.timeLabel = InPanel(layout.panel, kTimeLabel, scale);
    layout.clearLabel = InPanel(layout.panel, kClearLabel, scale);
    layout.closeButton = InPanel(layout.panel, kCloseButton, scale);
    layout.helpIcon = InPanel(layout.panel, kHelpIcon, scale);

    // The tail strip lies on the anchor's side: at the bottom when the
    // balloon is above the anchor, else at the top.
    const int textTop = above ? scale.Pixels(kTextInset) : scale.Pixels(kTailStrip + kTextInset);
    layout.textBox = {scale.Pixels(kTextInset), textTop, layout.panel.left, h - strip};
    layout.body = above ? Rect{0, 0, w, h - strip} : Rect{0, strip, w, h};
    layout.corner = scale.Pixels(kBodyCorner);

    layout.tail = place.tail;
    const Point apex{left ? w : 0, above ? h : 0};
    const int baseRow = above ? h - strip - 1 : strip;
    const int inward = left ? -scale.Pixels(kTailBase) : scale.Pixels(kTailBase);
    layout.tailTriangle = {apex, Point{apex.x, baseRow}, Point{apex.x + inward, baseRow}};
    return layout;
}

}  // namespace gleaner
