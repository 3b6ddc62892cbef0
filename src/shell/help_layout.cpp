#include "shell/help_layout.h"

namespace gleaner {
namespace {

// As designed, in twips.
constexpr int kInnerWidth = 4725;
constexpr int kInnerHeight = 2250;
constexpr int kLabelInset = 60;
constexpr int kButtonWidth = 345;
constexpr int kButtonHeight = 285;
// In 96-DPI pixels: the label stops short of the right and bottom edge, the
// button sits inside the label's corner.
constexpr int kLabelMargin = 2;
constexpr int kButtonMargin = 3;

}  // namespace

HelpLayout LayOutHelp(Point pointer, DpiScale scale) {
    const int width = scale.Twips(kInnerWidth);
    const int height = scale.Twips(kInnerHeight);
    const int left = width < pointer.x ? pointer.x - width : pointer.x;
    const int top = height < pointer.y ? pointer.y - height : pointer.y;
    HelpLayout layout;
    layout.window = {left, top, left + width, top + height};
    const int inset = scale.Twips(kLabelInset);
    layout.label = {inset, inset, width - scale.Pixels(kLabelMargin), height - scale.Pixels(kLabelMargin)};
    const int buttonRight = layout.label.right - scale.Pixels(kButtonMargin);
    const int buttonBottom = layout.label.bottom - scale.Pixels(kButtonMargin);
    layout.closeButton = {buttonRight - scale.Twips(kButtonWidth), buttonBottom - scale.Twips(kButtonHeight),
                          buttonRight, buttonBottom};
    return layout;
}

}  // namespace gleaner
