#include "popup/number_format.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

TEST(NumberFormat, GroupsDigitsByThreeWithCommas) {
    EXPECT_EQ(FormatGrouped(0), u"0");
    EXPECT_EQ(FormatGrouped(999), u"999");
    EXPECT_EQ(FormatGrouped(1000), u"1,000");
    EXPECT_EQ(FormatGrouped(65535), u"65,535");
    EXPECT_EQ(FormatGrouped(1234567), u"1,234,567");
    EXPECT_EQ(FormatGrouped(-1234), u"-1,234");
    EXPECT_EQ(FormatGrouped(INT64_MIN), u"-9,223,372,036,854,775,808");
}

TEST(NumberFormat, TheBlankFormatWritesZeroAsNothing) {
    EXPECT_EQ(FormatGroupedOrBlank(0), u"");
    EXPECT_EQ(FormatGroupedOrBlank(70000), u"70,000");
    EXPECT_EQ(FormatGroupedOrBlank(-5), u"-5");
}

}  // namespace
}  // namespace gleaner
