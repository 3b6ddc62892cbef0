#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <regex>
#include <iterator>
#include <tuple>

#include "text/language.h"
#include "text/number_format.h"
#include "text/parse_number.h"
#include "text/text_statistics.h"

namespace gleaner {
namespace {

// Zero as nothing is the limit message's of 0 (CaptureTest).
TEST(NumberFormat, GroupsDigitsByThreeAndTheBlankFormatWritesZeroAsNothing) {
    const std::pair<std::int64_t, const char16_t*> cases[] = {
        {0, u"0"}, {999, u"999"}, {1234567, u"1,234,567"}, {INT64_MIN, u"-9,223,372,036,854,775,808"}};
    for (const auto& [number, text] : cases) EXPECT_EQ(FormatGrouped(number), text);
    EXPECT_EQ(FormatGroupedOrBlank(-70000), u"-70,000");
    EXPECT_EQ(LengthTooltip(std::u16string(u"😀\r\n").size(), Language::Japanese), u"4文字");  // UTF-16 units
    EXPECT_EQ(LengthTooltip(1234, Language::English), u"1,234 characters");
}

TEST(CountSubstring, CountsNonOverlappingMatchesLeftToRight) {
    const std::tuple<const char16_t*, const char16_t*, int> cases[] = {
        {u"a\r\n\r\nb", u"\r\n", 2}, {u"aaa", u"aa", 1}, {u"\r\r\n\n", u"\r\n", 1}, {u"abc", u"", 0}, {u"Ab ab AB", u"ab", 1}};
    for (const auto& [text, pattern, count] : cases) EXPECT_EQ(CountSubstring(text, pattern), count);
}

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
    const std::pair<const char16_t*, std::optional<double>> cases[] = {{u"  0 ", 0}, {u"-1E2", -100}, {u"\t&H10\t", 16},
        {u"0x", std::nullopt}, {u"1 2", std::nullopt}, {u"off", std::nullopt}, {u"", std::nullopt}};
    for (const auto& [text, number] : cases) EXPECT_EQ(ParseWholeNumber(text), number);
}

TEST(RoundToInt32, RoundsHalvesToEvenAndRefusesWhatThirtyTwoBitsCannotHold) {
    const std::pair<double, std::optional<std::int32_t>> cases[] = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {2147483647.0, 2147483647}, {-2147483648.0, -2147483647 - 1},
        {2147483648.0, std::nullopt}, {std::numeric_limits<double>::infinity(), std::nullopt}};
    for (const auto& [number, rounded] : cases) EXPECT_EQ(RoundToInt32(number), rounded);
    EXPECT_EQ(RoundToInt32(ParseLeadingNumber(u"1E999")), std::nullopt);
}

TEST(Fill, PutsEachValueWhereItsNumberStandsInAnyOrder) {
    EXPECT_EQ(Fill(u"%2 of %1, 100%%", {u"a", u"b"}), u"b of a, 100%");
    EXPECT_EQ(Fill(u"%1%3%", {u"x"}), u"x%");  // a value not given is nothing
}

// Every pair of texts the program defines, read from its source: a text
// added later is checked without anyone listing it here. Only the language
// menu names Japanese in its English form, on purpose.
TEST(Texts, NoEnglishTextHoldsAJapaneseCharacter) {
    std::ifstream file(GLEANER_TEXTS_H);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    const std::regex pair(R"((\w*)\{\s*(?:\w+|(?:u"[^"]*"\s*)+),\s*((?:u"[^"]*"\s*)+)\})");
    int pairs = 0;
    for (std::sregex_iterator it(text.begin(), text.end(), pair), end; it != end; ++it, ++pairs) {
        const std::string name = (*it)[1], english = (*it)[2];
        if (name.starts_with("kMenuLanguage")) continue;
        EXPECT_TRUE(std::ranges::all_of(english, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
            << name << ": " << english;
    }
    EXPECT_GT(pairs, 60) << GLEANER_TEXTS_H;
}

}  // namespace
}  // namespace gleaner
