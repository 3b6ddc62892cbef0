#include "settings/parse_number.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

TEST(ParseLeadingNumber, ReadsTheNumberAtTheStartAndStopsAtTheFirstStranger) {
    EXPECT_EQ(ParseLeadingNumber(u"250"), 250);
    EXPECT_EQ(ParseLeadingNumber(u"250ms"), 250);
    EXPECT_EQ(ParseLeadingNumber(u"5秒"), 5);
    EXPECT_EQ(ParseLeadingNumber(u"-42"), -42);
    EXPECT_EQ(ParseLeadingNumber(u"+7"), 7);
    EXPECT_EQ(ParseLeadingNumber(u"1.5.3"), 1.5);
    EXPECT_EQ(ParseLeadingNumber(u".5"), 0.5);
    EXPECT_EQ(ParseLeadingNumber(u"3-4"), 3);
}

TEST(ParseLeadingNumber, GivesZeroWhenNoNumberLeads) {
    EXPECT_EQ(ParseLeadingNumber(u""), 0);
    EXPECT_EQ(ParseLeadingNumber(u"on"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"x12"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"-"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"."), 0);
    EXPECT_EQ(ParseLeadingNumber(u"&"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"&H"), 0);
    EXPECT_EQ(ParseLeadingNumber(u"１２"), 0);  // full-width digits are not digits here
}

TEST(ParseLeadingNumber, IgnoresBlanksTabsAndLineFeedsAnywhere) {
    EXPECT_EQ(ParseLeadingNumber(u"12 34"), 1234);
    EXPECT_EQ(ParseLeadingNumber(u"  1\t2\n3 "), 123);
    EXPECT_EQ(ParseLeadingNumber(u"- 5"), -5);
    EXPECT_EQ(ParseLeadingNumber(u"1 . 2 5"), 1.25);
    EXPECT_EQ(ParseLeadingNumber(u"1\r2"), 1);  // a carriage return is not a blank
}

TEST(ParseLeadingNumber, ReadsHexadecimalAndOctalPrefixes) {
    EXPECT_EQ(ParseLeadingNumber(u"&H1F"), 31);
    EXPECT_EQ(ParseLeadingNumber(u"&hff"), 255);
    EXPECT_EQ(ParseLeadingNumber(u"&H1 0"), 16);
    EXPECT_EQ(ParseLeadingNumber(u"&HFG"), 15);
    EXPECT_EQ(ParseLeadingNumber(u"&O17"), 15);
    EXPECT_EQ(ParseLeadingNumber(u"&o78"), 7);
    EXPECT_EQ(ParseLeadingNumber(u"&X12"), 0);
}

TEST(ParseLeadingNumber, ReadsExponentsWrittenWithEOrD) {
    EXPECT_EQ(ParseLeadingNumber(u"1E3"), 1000);
    EXPECT_EQ(ParseLeadingNumber(u"1e3"), 1000);
    EXPECT_EQ(ParseLeadingNumber(u"2.5D2"), 250);
    EXPECT_EQ(ParseLeadingNumber(u"5d-1"), 0.5);
    EXPECT_EQ(ParseLeadingNumber(u"1E+2x"), 100);
    EXPECT_EQ(ParseLeadingNumber(u"7E"), 7);    // a letter with no digits after it ends the number
    EXPECT_EQ(ParseLeadingNumber(u"7E-"), 7);
    EXPECT_EQ(ParseLeadingNumber(u"1 E 2"), 100);
}

TEST(ParseWholeNumber, AcceptsOnlyAValueThatIsANumberThroughout) {
    EXPECT_EQ(ParseWholeNumber(u"  0 "), 0);
    EXPECT_EQ(ParseWholeNumber(u"2.5"), 2.5);
    EXPECT_EQ(ParseWholeNumber(u"-1E2"), -100);
    EXPECT_EQ(ParseWholeNumber(u"&H10"), 16);
    EXPECT_EQ(ParseWholeNumber(u"\t3\t"), 3);
    EXPECT_EQ(ParseWholeNumber(u"0x"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber(u"1 2"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber(u"off"), std::nullopt);
    EXPECT_EQ(ParseWholeNumber(u""), std::nullopt);
}

TEST(RoundToInt32, RoundsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(RoundToInt32(1.5), 2);
    EXPECT_EQ(RoundToInt32(2.5), 2);
    EXPECT_EQ(RoundToInt32(3.5), 4);
    EXPECT_EQ(RoundToInt32(-2.5), -2);
    EXPECT_EQ(RoundToInt32(-3.5), -4);
    EXPECT_EQ(RoundToInt32(2.4999), 2);
    EXPECT_EQ(RoundToInt32(0.5), 0);
}

TEST(RoundToInt32, RefusesWhatASigned32BitNumberCannotHold) {
    EXPECT_EQ(RoundToInt32(2147483647.0), 2147483647);
    EXPECT_EQ(RoundToInt32(-2147483648.0), -2147483647 - 1);
    EXPECT_EQ(RoundToInt32(2147483648.0), std::nullopt);
    EXPECT_EQ(RoundToInt32(-2147483649.0), std::nullopt);
    EXPECT_EQ(RoundToInt32(1e300 * 1e300), std::nullopt);
    EXPECT_EQ(RoundToInt32(ParseLeadingNumber(u"1E999")), std::nullopt);
}

}  // namespace
}  // namespace gleaner
