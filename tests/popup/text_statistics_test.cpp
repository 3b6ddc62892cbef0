#include "popup/text_statistics.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

TEST(CountSubstring, CountsNonOverlappingMatchesLeftToRight) {
    EXPECT_EQ(CountSubstring(u"a\r\n\r\nb", u"\r\n"), 2);
    EXPECT_EQ(CountSubstring(u"aaa", u"aa"), 1);
    EXPECT_EQ(CountSubstring(u"aaaa", u"aa"), 2);
    EXPECT_EQ(CountSubstring(u"xy", u"yz"), 0);
    EXPECT_EQ(CountSubstring(u"", u"\r\n"), 0);
    EXPECT_EQ(CountSubstring(u"\r\r\n\n", u"\r\n"), 1);
}

TEST(CountSubstring, ExactComparisonMindsCaseAndTextualDoesNot) {
    EXPECT_EQ(CountSubstring(u"Ab ab AB", u"ab"), 1);
    EXPECT_EQ(CountSubstring(u"Ab ab AB", u"ab", CompareMode::Textual), 3);
}

TEST(CountSubstring, AnEmptyPatternOccursNowhere) { EXPECT_EQ(CountSubstring(u"abc", u""), 0); }

TEST(LengthTooltip, ShowsTheLengthInUtf16UnitsGroupedAndFollowedBy文字) {
    EXPECT_EQ(LengthTooltip(0), u"0文字");
    EXPECT_EQ(LengthTooltip(std::u16string(u"abc").size()), u"3文字");
    EXPECT_EQ(LengthTooltip(std::u16string(u"あ\r\nb").size()), u"4文字");
    EXPECT_EQ(LengthTooltip(std::u16string(u"😀").size()), u"2文字");
    EXPECT_EQ(LengthTooltip(1234), u"1,234文字");
    EXPECT_EQ(LengthTooltip(1000000), u"1,000,000文字");
}

}  // namespace
}  // namespace gleaner
