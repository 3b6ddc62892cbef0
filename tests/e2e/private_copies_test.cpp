// Copies that other programs mark as private (passwords and the like) are
// never collected.
#include <gtest/gtest.h>

#include "e2e_fixture.h"

namespace gleaner::e2e {
namespace {

struct Marking {
    const char* name;  // for the test name
    ClipboardMark mark;
};

std::ostream& operator<<(std::ostream& out, const Marking& marking) { return out << marking.name; }

std::vector<ClipboardMark> MarkOnly(const ClipboardMark& mark) { return {mark}; }

class EndToEndPrivateCopies : public EndToEndTest, public testing::WithParamInterface<Marking> {};

TEST_P(EndToEndPrivateCopies, AreNotCollectedButTheNextOrdinaryCopyIs) {
    ASSERT_TRUE(CopyInOtherApplication(L"a password", MarkOnly(GetParam().mark)));
    ASSERT_TRUE(CopyInOtherApplication(L"an ordinary copy"));
    EXPECT_TRUE(BoxShows({L"an ordinary copy"}));
}

TEST_P(EndToEndPrivateCopies, AreNotCollectedBetweenOrdinaryCopies) {
    ASSERT_TRUE(CopyInOtherApplication(L"before"));
    ASSERT_TRUE(BoxShows({L"before"}));
    ASSERT_TRUE(CopyInOtherApplication(L"a password", MarkOnly(GetParam().mark)));
    ASSERT_TRUE(CopyInOtherApplication(L"after"));
    EXPECT_TRUE(BoxShows({L"before", L"after"}));
}

INSTANTIATE_TEST_SUITE_P(
    Marks, EndToEndPrivateCopies,
    testing::Values(Marking{"ClipboardViewerIgnore", {L"Clipboard Viewer Ignore", {}}},
                    Marking{"ExcludeClipboardContentFromMonitorProcessing",
                            {L"ExcludeClipboardContentFromMonitorProcessing", {}}},
                    Marking{"CanIncludeInClipboardHistoryZero", DwordMark(L"CanIncludeInClipboardHistory", 0)},
                    Marking{"CanUploadToCloudClipboardZero", DwordMark(L"CanUploadToCloudClipboard", 0)}),
    [](const testing::TestParamInfo<Marking>& info) { return std::string(info.param.name); });

// The two history formats only keep a copy out when they hold 0.
class EndToEndHistoryAllowedCopies : public EndToEndTest, public testing::WithParamInterface<Marking> {};

TEST_P(EndToEndHistoryAllowedCopies, AreCollected) {
    ASSERT_TRUE(CopyInOtherApplication(L"history allowed", MarkOnly(GetParam().mark)));
    EXPECT_TRUE(BoxShows({L"history allowed"}));
}

INSTANTIATE_TEST_SUITE_P(
    Marks, EndToEndHistoryAllowedCopies,
    testing::Values(Marking{"CanIncludeInClipboardHistoryOne", DwordMark(L"CanIncludeInClipboardHistory", 1)},
                    Marking{"CanUploadToCloudClipboardOne", DwordMark(L"CanUploadToCloudClipboard", 1)}),
    [](const testing::TestParamInfo<Marking>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace gleaner::e2e
