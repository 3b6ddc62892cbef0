#include "capture/clipboard_access.h"

#include <gtest/gtest.h>

#include "support/fake_desktop.h"

#include "platform/fake_platform.h"

namespace gleaner {
namespace {

class ClipboardAccessTest : public testing::Test, protected testing_support::FakeDesktop {
protected:
    int ErrorBoxes() const {
        int count = 0;
        for (const auto& box : messages.shown) count += box.title == u"クリップボードエラー";
        return count;
    }

};

TEST_F(ClipboardAccessTest, AFreeClipboardIsUsedAtOnceWithoutPausing) {
    clipboard.Put(u"hello");
    EXPECT_EQ(GetClipboardText(desktop), u"hello");
    EXPECT_TRUE(SetClipboardText(desktop, u"world"));
    EXPECT_EQ(clipboard.Contents(), u"world");
    EXPECT_TRUE(ClearClipboard(desktop));
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    EXPECT_EQ(events.totalSleptMs, 0);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClipboardAccessTest, AClipboardWithoutTextReadsAsEmptyTextNotAsAFailure) {
    EXPECT_EQ(GetClipboardText(desktop), u"");
    EXPECT_EQ(clipboard.OpenAttempts(), 1);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClipboardAccessTest, TheOldErrorMarkerIsJustAnotherText) {
    clipboard.Put(u"%%%% error gleaner %%%%");
    EXPECT_EQ(GetClipboardText(desktop), u"%%%% error gleaner %%%%");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClipboardAccessTest, AClipboardBusyForAFewAttemptsIsWaitedForWithoutAMessage) {
    clipboard.Put(u"late");
    clipboard.HoldOpenFor(3);
    EXPECT_EQ(GetClipboardText(desktop), u"late");
    EXPECT_EQ(clipboard.OpenAttempts(), 4);
    EXPECT_EQ(events.totalSleptMs, 300);
    EXPECT_TRUE(messages.shown.empty());

    clipboard.HoldOpenFor(2);
    EXPECT_TRUE(ClearClipboard(desktop));
    EXPECT_EQ(clipboard.Contents(), std::nullopt);

    clipboard.HoldOpenFor(5);
    EXPECT_TRUE(SetClipboardText(desktop, u"written"));
    EXPECT_EQ(clipboard.Contents(), u"written");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(ClipboardAccessTest, AReadThatNeverSucceedsGivesUpAfterTenAttemptsWithOneMessage) {
    clipboard.Put(u"unreachable");
    clipboard.HoldOpenFor(-1);
    EXPECT_EQ(GetClipboardText(desktop), std::nullopt);
    EXPECT_EQ(clipboard.OpenAttempts(), 10);
    EXPECT_EQ(events.totalSleptMs, 1000);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, u"クリップボードエラー");
    EXPECT_EQ(messages.shown[0].text, u"5 Access is denied.");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
}

TEST_F(ClipboardAccessTest, AClearThatNeverSucceedsFailsSilently) {
    clipboard.Put(u"stays");
    clipboard.HoldOpenFor(-1);
    EXPECT_FALSE(ClearClipboard(desktop));
    EXPECT_EQ(clipboard.OpenAttempts(), 10);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(clipboard.Contents(), u"stays");
}

TEST_F(ClipboardAccessTest, AWriteThatDoesNotReadBackIsRetriedAndReported) {
    clipboard.CorruptWrites(true);
    EXPECT_FALSE(SetClipboardText(desktop, u"abc"));
    EXPECT_EQ(clipboard.OpenAttempts(), 20);  // ten writes, each read back
    EXPECT_EQ(ErrorBoxes(), 1);
}

TEST_F(ClipboardAccessTest, AWriteToAClipboardThatCannotBeOpenedReportsEveryFailedReadBack) {
    clipboard.HoldOpenFor(-1);
    EXPECT_FALSE(SetClipboardText(desktop, u"abc"));
    EXPECT_EQ(ErrorBoxes(), 11);  // each attempt's read-back, then the write itself
}

TEST_F(ClipboardAccessTest, TheUserInterfaceKeepsRunningDuringTheRetries) {
    int handled = 0;
    events.onPump = [&] {
        if (++handled == 4) clipboard.HoldOpenFor(0);  // the other program lets go
    };
    clipboard.Put(u"x");
    clipboard.HoldOpenFor(-1);
    EXPECT_EQ(GetClipboardText(desktop), u"x");
    EXPECT_EQ(handled, 10);  // two 100 ms pauses of ten slices each
}

TEST(WaitWithEvents, SleepsInTenMillisecondSlicesRoundedHalfToEven) {
    struct Case {
        int ms;
        int slices;
    };
    for (const Case c : {Case{0, 0}, {4, 0}, {5, 0}, {6, 1}, {15, 2}, {25, 2}, {35, 4}, {100, 10}, {200, 20},
                         {500, 50}, {-30, 0}}) {
        fake::FakeEventLoop events;
        WaitWithEvents(events, c.ms);
        EXPECT_EQ(static_cast<int>(events.sleeps.size()), c.slices) << c.ms << " ms";
        EXPECT_EQ(events.totalSleptMs, 10 * c.slices) << c.ms << " ms";
        EXPECT_EQ(events.pumps, c.slices) << c.ms << " ms";
    }
}

}  // namespace
}  // namespace gleaner
