#include "settings/parse_number.h"

#include <gtest/gtest.h>

#include <limits>

namespace gleaner {
namespace {

TEST(ParseLeadingNumber, ReadsTheNumberAtTheStartAsLenientlyAsTheFileAlwaysAllowed) {
    const std::vector<std::pair<std::u16string, double>> cases{
        {u"250ms", 250},   {u"5秒", 5},       {u"-42", -42},     {u"+7", 7},        {u"1.5.3", 1.5},
        {u".5", 0.5},      {u"3-4", 3},       {u"", 0},          {u"on", 0},        {u"x12", 0},
        {u"-", 0},         {u"&H", 0},        {u"１２", 0},      {u"12 34", 1234},  {u"  1\t2\n3 ", 123},
        {u"- 5", -5},      {u"1\r2", 1},      {u"&H1F", 31},     {u"&hff", 255},    {u"&HFG", 15},
        {u"&O17", 15},     {u"&o78", 7},      {u"&X12", 0},      {u"1E3", 1000},    {u"2.5D2", 250},
        {u"5d-1", 0.5},    {u"1E+2x", 100},   {u"7E", 7},        {u"7E-", 7},       {u"1 E 2", 100}};
    for (const auto& [text, number] : cases) EXPECT_EQ(ParseLeadingNumber(text), number);
}

TEST(ParseWholeNumber, AcceptsOnlyAValueThatIsANumberThroughout) {
    EXPECT_EQ(ParseWholeNumber(u"  0 "), 0);
    EXPECT_EQ(ParseWholeNumber(u"-1E2"), -100);
    EXPECT_EQ(ParseWholeNumber(u"\t&H10\t"), 16);
    for (const char16_t* text : {u"0x", u"1 2", u"off", u""}) EXPECT_EQ(ParseWholeNumber(text), std::nullopt);
}

TEST(RoundToInt32, RoundsHalvesToEvenAndRefusesWhatThirtyTwoBitsCannotHold) {
    const std::pair<double, std::optional<std::int32_t>> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2147483647.0, 2147483647}, {-2147483648.0, -2147483647 - 1},
        {2147483648.0, std::nullopt}, {std::numeric_limits<double>::infinity(), std::nullopt}};
    for (const auto& [number, rounded] : cases) EXPECT_EQ(RoundToInt32(number), rounded);
    EXPECT_EQ(RoundToInt32(ParseLeadingNumber(u"1E999")), std::nullopt);
}

}  // namespace
}  // namespace gleaner
