#include <gtest/gtest.h>

#include "popup/number_format.h"
#include "popup/text_statistics.h"

namespace gleaner {
namespace {

TEST(NumberFormat, GroupsDigitsByThreeAndTheBlankFormatWritesZeroAsNothing) {
    EXPECT_EQ(FormatGrouped(0), u"0");
    EXPECT_EQ(FormatGrouped(999), u"999");
    EXPECT_EQ(FormatGrouped(1234567), u"1,234,567");
    EXPECT_EQ(FormatGrouped(INT64_MIN), u"-9,223,372,036,854,775,808");
    EXPECT_EQ(FormatGroupedOrBlank(0), u"");
    EXPECT_EQ(FormatGroupedOrBlank(-70000), u"-70,000");
    EXPECT_EQ(LengthTooltip(std::u16string(u"😀\r\n").size()), u"4文字");  // UTF-16 units
}

TEST(CountSubstring, CountsNonOverlappingMatchesLeftToRight) {
    EXPECT_EQ(CountSubstring(u"a\r\n\r\nb", u"\r\n"), 2);
    EXPECT_EQ(CountSubstring(u"aaa", u"aa"), 1);
    EXPECT_EQ(CountSubstring(u"\r\r\n\n", u"\r\n"), 1);
    EXPECT_EQ(CountSubstring(u"abc", u""), 0);
    EXPECT_EQ(CountSubstring(u"Ab ab AB", u"ab"), 1);
    EXPECT_EQ(CountSubstring(u"Ab ab AB", u"ab", CompareMode::Textual), 3);
}

}  // namespace
}  // namespace gleaner
