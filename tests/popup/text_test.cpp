#include <gtest/gtest.h>

#include "popup/countdown.h"
#include "popup/number_format.h"
#include "popup/text_statistics.h"

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

// Zero as nothing is the limit message's of 0 (CaptureTest).
TEST(NumberFormat, GroupsDigitsByThreeAndTheBlankFormatWritesZeroAsNothing) {
    const std::pair<std::int64_t, const char16_t*> cases[] = {
        {0, u"0"}, {999, u"999"}, {1234567, u"1,234,567"}, {INT64_MIN, u"-9,223,372,036,854,775,808"}};
    for (const auto& [number, text] : cases) EXPECT_EQ(FormatGrouped(number), text);
    EXPECT_EQ(FormatGroupedOrBlank(-70000), u"-70,000");
    EXPECT_EQ(LengthTooltip(std::u16string(u"😀\r\n").size()), u"4文字");  // UTF-16 units
}

TEST(CountSubstring, CountsNonOverlappingMatchesLeftToRight) {
    const std::tuple<const char16_t*, const char16_t*, int> cases[] = {
        {u"a\r\n\r\nb", u"\r\n", 2}, {u"aaa", u"aa", 1}, {u"\r\r\n\n", u"\r\n", 1}, {u"abc", u"", 0}, {u"Ab ab AB", u"ab", 1}};
    for (const auto& [text, pattern, count] : cases) EXPECT_EQ(CountSubstring(text, pattern), count);
    EXPECT_EQ(CountSubstring(u"Ab ab AB", u"ab", CompareMode::Textual), 3);
}

}  // namespace
}  // namespace gleaner
