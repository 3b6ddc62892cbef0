// A long copy arrives in the box whole.
#include <gtest/gtest.h>

#include <cstdio>

#include "e2e_fixture.h"
#include "readable_text.h"

namespace gleaner::e2e {
namespace {

using EndToEndLargeCopy = EndToEndTest;

constexpr std::size_t kLength = 200000;

// Numbered lines, so a lost or doubled piece shows where it happened.
std::wstring NumberedLines(std::size_t length) {
    std::wstring text;
    text.reserve(length + 64);
    for (int line = 1; text.size() < length; ++line) {
        wchar_t row[64];
        swprintf(row, 64, L"line %06d: the quick brown fox jumps over the lazy dog\r\n", line);
        text += row;
    }
    text.resize(length - 3);
    return text + L"END";
}

TEST_F(EndToEndLargeCopy, ArrivesWholeWithTwoHundredThousandCharacters) {
    const std::wstring text = NumberedLines(kLength);
    ASSERT_EQ(text.size(), kLength);
    ASSERT_TRUE(CopyInOtherApplication(text));
    ASSERT_TRUE(BoxShows({text}, 60000));

    const auto shown = gleaner_->BoxText();
    ASSERT_TRUE(shown.has_value());
    EXPECT_EQ(shown->size(), kLength);
    EXPECT_EQ(shown->substr(0, 12), L"line 000001:");
    EXPECT_EQ(shown->substr(kLength / 2, 40), text.substr(kLength / 2, 40));
    EXPECT_EQ(shown->substr(kLength - 3), L"END");
}

TEST_F(EndToEndLargeCopy, IsFollowedByTheNextCopyAfterALineBreak) {
    const std::wstring text = NumberedLines(kLength);
    ASSERT_TRUE(CopyInOtherApplication(text));
    ASSERT_TRUE(BoxShows({text}, 60000));
    ASSERT_TRUE(CopyInOtherApplication(L"after the long one"));
    EXPECT_TRUE(BoxShows({text, L"after the long one"}, 60000));
}

}  // namespace
}  // namespace gleaner::e2e
