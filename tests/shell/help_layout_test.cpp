#include "shell/help_layout.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

TEST(HelpLayout, LiesLeftOfAndAboveThePointerWhereThereIsRoom) {
    EXPECT_EQ(LayOutHelp({1000, 700}, {}).window, (Rect{685, 550, 1000, 700}));
    EXPECT_EQ(LayOutHelp({315, 150}, {}).window, (Rect{315, 150, 630, 300}));  // a tie goes right and down
}

TEST(HelpLayout, KeepsTheCloseButtonInTheTextsLowerRightCornerAtAnyDensity) {
    for (const int dpi : {96, 144, 192}) {
        const DpiScale scale{dpi};
        const HelpLayout layout = LayOutHelp({}, scale);
        EXPECT_EQ(layout.label.left, scale.Twips(60));
        EXPECT_EQ(layout.window.Width() - layout.label.right, scale.Pixels(2));
        EXPECT_EQ(layout.window.Height() - layout.label.bottom, scale.Pixels(2));
        EXPECT_EQ(layout.label.right - layout.closeButton.right, scale.Pixels(3));
        EXPECT_EQ(layout.label.bottom - layout.closeButton.bottom, scale.Pixels(3));
        EXPECT_EQ(layout.closeButton.Width(), scale.Twips(345));
    }
}

}  // namespace
}  // namespace gleaner
