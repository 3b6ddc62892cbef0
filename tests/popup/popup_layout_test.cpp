#include "popup/popup_layout.h"

#include <gtest/gtest.h>

#include <tuple>

namespace gleaner {
namespace {

constexpr PixelSize kScreen{1920, 1080};

using D = BalloonDirection;
// "disp pos", the pointer; the direction, window, body, tail and its apex.
constexpr std::tuple<const char16_t*, Point, D, Rect, Rect, bool, Point> kCases[] = {
    {u"左上隅", {5, 5}, D::RightBelow, {20, 20, 320, 170}, {0, 15, 300, 150}, false, {0, 0}},
    {u"右上隅", {5, 5}, D::LeftBelow, {1600, 20, 1900, 170}, {0, 15, 300, 150}, false, {300, 0}},
    {u"右下隅", {5, 5}, D::LeftAbove, {1600, 910, 1900, 1060}, {0, 0, 300, 135}, false, {300, 150}},
    {u"ポインタ", {100, 50}, D::RightBelow, {100, 50, 400, 230}, {0, 15, 300, 180}, true, {0, 0}},
    {u"ポインタ", {300, 180}, D::RightBelow, {300, 180, 600, 360}, {0, 15, 300, 180}, true, {0, 0}},
    {u"ポインタ", {301, 181}, D::LeftAbove, {1, 1, 301, 181}, {0, 0, 300, 165}, true, {300, 180}},
    {u"ポインタ", {200, 700}, D::RightAbove, {200, 520, 500, 700}, {0, 0, 300, 165}, true, {0, 180}},
    {u"右下隅 ", {1000, 700}, D::LeftAbove, {700, 520, 1000, 700}, {0, 0, 300, 165}, true, {300, 180}},
};

TEST(BalloonPlacement, LiesWhereThereIsRoomAndCutsItsBodyAwayFromTheStrip) {
    for (const auto& [dispPos, pointer, direction, window, body, tail, apex] : kCases) {
        SCOPED_TRACE(testing::Message() << "window " << window.left << "," << window.top);
        const BalloonLayout layout = LayOutBalloon(ChooseBalloonPlace(dispPos, pointer, kScreen, {}), {});
        EXPECT_EQ(layout.direction, direction);
        EXPECT_EQ(layout.window, window);
        EXPECT_EQ(layout.body, body);
        EXPECT_EQ(layout.tail, tail);
        EXPECT_EQ(AtPointer(dispPos), tail);  // whose monitor's density it takes
        EXPECT_EQ(layout.tailTriangle[0], apex);
        EXPECT_EQ(layout.tailTriangle[1].y, layout.tailTriangle[2].y);  // the base lies on one row
        EXPECT_EQ(layout.tailTriangle[1].y, body.top == 0 ? body.bottom - 1 : body.top);
    }
}

TEST(BalloonLayout, PutsTextAndPanelWhereDesignedGrowingWithTheMonitorsDensity) {
    const BalloonLayout layout = LayOutBalloon({{1000, 700}, 300, 180, true}, {});
    EXPECT_EQ(layout.textBox, (Rect{8, 8, 281, 165}));  // 7.5 rounds to 8
    EXPECT_EQ(layout.panel, (Rect{281, 0, 300, 99}));
    EXPECT_EQ(layout.corner, 15);
    EXPECT_EQ(LayOutBalloon({{100, 50}, 300, 180, true}, {}).textBox, (Rect{8, 23, 281, 165}));  // below the strip
    // At 144 DPI, twips straight to pixels (192 DPI's 7.5 twips a pixel: see the notice's sizes).
    const DpiScale dense{144};
    EXPECT_EQ(LayOutBalloon(ChooseBalloonPlace(u"ポインタ", {1000, 700}, kScreen, dense), dense).body,
              (Rect{0, 0, 450, 247}));
    EXPECT_EQ(ChooseBalloonPlace(u"左上隅", {}, kScreen, dense).anchor, (Point{30, 30}));
}

}  // namespace
}  // namespace gleaner
