#include "shell/help_layout.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

// 4725 by 2250 twips: 315 by 150 pixels at 96 DPI.
TEST(HelpLayout, LiesLeftOfAndAboveThePointerWhereThereIsRoomElseRightOfAndBelowIt) {
    EXPECT_EQ(LayOutHelp({1900, 1060}, DpiScale{96}).window, (Rect{1585, 910, 1900, 1060}));
    EXPECT_EQ(LayOutHelp({10, 10}, DpiScale{96}).window, (Rect{10, 10, 325, 160}));
    EXPECT_EQ(LayOutHelp({10, 1060}, DpiScale{144}).window, (Rect{10, 835, 483, 1060}));
}

}  // namespace
}  // namespace gleaner
