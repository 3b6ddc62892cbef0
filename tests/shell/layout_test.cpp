#include "shell/help_layout.h"
#include "shell/splash_layout.h"

#include <gtest/gtest.h>

#include "shell/menus.h"
#include "shell/version.h"

namespace gleaner {
namespace {

// 192 DPI is 7.5 twips per pixel, which no whole factor gives.
TEST(SplashLayout, GrowsWithEachLineOfTheMessageAndIsSizedAndDrawnAtTheDensityOfItsMonitor) {
    EXPECT_EQ(SplashHeight(u"終了します！"), 790);
    const std::u16string text = u"ぐりーなー！ Ver0.76\r\n\r\nタスクトレイに収納します！";
    EXPECT_EQ(SplashHeight(text), 1790);  // 4680 twips wide
    EXPECT_EQ(LayOutSplash(text, DpiScale{96}), (SplashLayout{DpiScale{96}, 312, 119, {6, 6}, -21}));
    EXPECT_EQ(LayOutSplash(text, DpiScale{144}), (SplashLayout{DpiScale{144}, 468, 179, {9, 9}, -32}));
    EXPECT_EQ(LayOutSplash(text, DpiScale{192}), (SplashLayout{DpiScale{192}, 624, 239, {12, 12}, -42}));
}

TEST(SplashLayout, ShrinksInNineteenStepsTowardsTheLowerRightCorner) {
    const auto frames = ShrinkFrames({1000, 2000, 4680, 790});
    ASSERT_EQ(frames.size(), 19u);
    for (const TwipsRect& frame : frames)
        EXPECT_EQ(std::pair(frame.left + frame.width, frame.top + frame.height), std::pair(5680, 2790));
    EXPECT_EQ(frames.back(), (TwipsRect{5446, 2751, 234, 39}));
}

// The text it carries is the tray test's start notice (AppTest).
TEST(SplashLayout, TheMessageCarriesItsTimeBehindAMark) {
    EXPECT_EQ(DecodeSplashMessage(EncodeSplashMessage(u"終了します！", 1000)).milliseconds, 1000);
    EXPECT_EQ(DecodeSplashMessage(u"no time").milliseconds, 0);
    EXPECT_EQ(DecodeSplashMessage(u"x\x01" u"15 00\x01" u"9").milliseconds, 1500);
}

// The title that holds it is the start test's (AppTest); the tray
// menu's version line names the company too.
TEST(VersionText, JoinsMinorAndRevisionWithoutASeparator) {
    EXPECT_EQ(VersionText({1, 2, 10, u"", u""}), u"Ver1.210");
    EXPECT_EQ(VersionMenuCaption(u"gleaner", {0, 7, 6, u"", u"A&B Works"}), u"&gleaner Ver0.76  A&&B Works");
}

// 4725 by 2250 twips: 315 by 150 pixels at 96 DPI.
TEST(HelpLayout, LiesLeftOfAndAboveThePointerWhereThereIsRoomElseRightOfAndBelowIt) {
    EXPECT_EQ(LayOutHelp({1900, 1060}, DpiScale{96}).window, (Rect{1585, 910, 1900, 1060}));
    EXPECT_EQ(LayOutHelp({10, 10}, DpiScale{96}).window, (Rect{10, 10, 325, 160}));
    EXPECT_EQ(LayOutHelp({10, 1060}, DpiScale{144}).window, (Rect{10, 835, 483, 1060}));
}

}  // namespace
}  // namespace gleaner
