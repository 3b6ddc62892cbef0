#include <gtest/gtest.h>

#include "popup/countdown.h"

namespace gleaner {
namespace {

using Labels = std::vector<std::u16string>;

// The labels each tick leaves, "closed" for the tick that closes.
Labels Ticks(Countdown& countdown, int ticks) {
    Labels labels;
    for (int i = 0; i < ticks; ++i) labels.push_back(countdown.Tick() ? u"closed" : countdown.Label());
    return labels;
}

TEST(Countdown, ReadsFourThreeTwoOneAndClosesOnTheFifthTickAfterTheLastChangeUnlessStopped) {
    Countdown countdown;
    countdown.Load(5);
    EXPECT_EQ(Ticks(countdown, 3), (Labels{u"4", u"3", u"2"}));
    countdown.TextChanged(5);
    EXPECT_EQ(countdown.Label(), u"");
    EXPECT_EQ(Ticks(countdown, 2), (Labels{u"4", u"3"}));
    countdown.TextChanged(0);  // no time to start again from
    EXPECT_EQ(Ticks(countdown, 3), (Labels{u"2", u"1", u"closed"}));

    countdown.Load(5);
    Ticks(countdown, 1);
    countdown.Stop();  // for good, even when the text changes
    EXPECT_EQ(countdown.Label(), u"");
    countdown.TextChanged(5);
    EXPECT_EQ(Ticks(countdown, 9), Labels(9, u""));
    EXPECT_FALSE(countdown.TimerOn());
    countdown.Load(INT32_MIN);  // a hand-edited Conf.txt: closed at once, or an hour at most
    EXPECT_EQ(Ticks(countdown, 1), Labels{u"closed"});
    countdown.Load(INT32_MAX);
    EXPECT_EQ(Ticks(countdown, 1), Labels{u"3599"});
}

}  // namespace
}  // namespace gleaner
