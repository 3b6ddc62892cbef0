#include "popup/popup_layout.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

using Direction = BalloonDirection;
constexpr PixelSize kScreen{1920, 1080};

struct PlacementCase {
    const char16_t* dispPos;
    Point pointer;
    Direction direction;
    Rect window;
    Rect body;
    bool tail;
    Point apex;
};

void PrintTo(const PlacementCase& c, std::ostream* out) {
    *out << "pointer " << c.pointer.x << "," << c.pointer.y << " window " << c.window.left << "," << c.window.top;
}

class BalloonPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(BalloonPlacement, LiesWhereThereIsRoomAndCutsItsBodyAwayFromTheStrip) {
    const PlacementCase& c = GetParam();
    const BalloonLayout layout = LayOutBalloon(ChooseBalloonPlace(c.dispPos, c.pointer, kScreen, {}), {});
    EXPECT_EQ(layout.direction, c.direction);
    EXPECT_EQ(layout.window, c.window);
    EXPECT_EQ(layout.body, c.body);
    EXPECT_EQ(layout.tail, c.tail);
    EXPECT_EQ(layout.tailTriangle[0], c.apex);
    EXPECT_EQ(layout.tailTriangle[1].y, layout.tailTriangle[2].y);  // the base lies on one row
    EXPECT_EQ(layout.tailTriangle[1].y, c.body.top == 0 ? c.body.bottom - 1 : c.body.top);
}

INSTANTIATE_TEST_SUITE_P(
    CornersAndPointer, BalloonPlacement,
    testing::Values(
        PlacementCase{u"左上隅", {5, 5}, Direction::RightBelow, {20, 20, 320, 170}, {0, 15, 300, 150}, false, {0, 0}},
        PlacementCase{u"右上隅", {5, 5}, Direction::LeftBelow, {1600, 20, 1900, 170}, {0, 15, 300, 150}, false,
                      {300, 0}},
        PlacementCase{u"右下隅", {5, 5}, Direction::LeftAbove, {1600, 910, 1900, 1060}, {0, 0, 300, 135}, false,
                      {300, 150}},
        PlacementCase{u"ポインタ", {100, 50}, Direction::RightBelow, {100, 50, 400, 230}, {0, 15, 300, 180}, true,
                      {0, 0}},
        PlacementCase{u"ポインタ", {300, 180}, Direction::RightBelow, {300, 180, 600, 360}, {0, 15, 300, 180}, true,
                      {0, 0}},
        PlacementCase{u"ポインタ", {301, 181}, Direction::LeftAbove, {1, 1, 301, 181}, {0, 0, 300, 165}, true,
                      {300, 180}},
        PlacementCase{u"ポインタ", {200, 700}, Direction::RightAbove, {200, 520, 500, 700}, {0, 0, 300, 165}, true,
                      {0, 180}},
        PlacementCase{u"右下隅 ", {1000, 700}, Direction::LeftAbove, {700, 520, 1000, 700}, {0, 0, 300, 165}, true,
                      {300, 180}}));

TEST(BalloonLayout, TheWorkedPlacementAtThePointerPutsTextAndPanelWhereDesigned) {
    const BalloonLayout layout = LayOutBalloon({{1000, 700}, 300, 180, true}, {});
    EXPECT_EQ(layout.textBox, (Rect{8, 8, 281, 165}));  // 7.5 rounds to 8
    EXPECT_EQ(layout.panel, (Rect{281, 0, 300, 99}));
    EXPECT_EQ(layout.corner, 15);
    EXPECT_EQ(layout.helpIcon, (Rect{281, 66, 300, 85}));
    const BalloonLayout below = LayOutBalloon({{100, 50}, 300, 180, true}, {});
    EXPECT_EQ(below.textBox, (Rect{8, 23, 281, 165}));
}

TEST(BalloonLayout, GrowsWithTheMonitorsDensityTwipsTurningStraightIntoPixels) {
    const DpiScale scale{144};
    const BalloonLayout layout = LayOutBalloon(ChooseBalloonPlace(u"ポインタ", {1000, 700}, kScreen, scale), scale);
    EXPECT_EQ(layout.window, (Rect{550, 430, 1000, 700}));
    EXPECT_EQ(layout.body, (Rect{0, 0, 450, 247}));  // 15 * 1.5 = 22.5 rounds to 23
    EXPECT_EQ(ChooseBalloonPlace(u"左上隅", {}, kScreen, scale).anchor, (Point{30, 30}));
    EXPECT_EQ(DpiScale{192}.Twips(4725), 630);  // 7 whole twips a pixel would give 675
    EXPECT_EQ(scale.FontHeight(975), -20);
}

}  // namespace
}  // namespace gleaner
