// The tooltip over the box tells how long the collection is.
#include <gtest/gtest.h>

#include "e2e_fixture.h"
#include "polling.h"
#include "readable_text.h"

namespace gleaner::e2e {
namespace {

using EndToEndTooltip = EndToEndTest;

// 1234567 -> "1,234,567文字"
std::wstring LengthText(std::size_t length) {
    std::wstring digits = std::to_wstring(length);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(at, L",");
    return digits + L"文字";
}

testing::AssertionResult TooltipReads(const GleanerProcess& gleaner, const std::wstring& expected) {
    std::optional<std::wstring> shown;
    if (WaitUntil([&] { return (shown = gleaner.TooltipText()) == expected; })) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the tooltip reads "
                                       << (shown ? Describe(*shown) : std::string("nothing (no tooltip for the box)"))
                                       << " instead of " << Describe(expected);
}

TEST_F(EndToEndTooltip, ShowsTheLengthOfTheCollectionAfterEachCopy) {
    const std::wstring shortText = L"short";
    std::wstring longText;
    while (longText.size() < 1234) longText += L"a longer text ";
    longText.resize(1234);
    ASSERT_TRUE(CopyInOtherApplication(shortText));
    ASSERT_TRUE(BoxShows({shortText}));
    EXPECT_TRUE(TooltipReads(*gleaner_, L"5文字"));

    ASSERT_TRUE(CopyInOtherApplication(longText));
    ASSERT_TRUE(BoxShows({shortText, longText}));
    // 5 + CR LF + 1,234
    EXPECT_TRUE(TooltipReads(*gleaner_, L"1,241文字"));
    EXPECT_TRUE(TooltipReads(*gleaner_, LengthText(gleaner_->BoxText().value_or(L"").size())));
}

}  // namespace
}  // namespace gleaner::e2e
