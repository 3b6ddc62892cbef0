#include "capture/capture_handler.h"

#include <gtest/gtest.h>

#include "support/fake_desktop.h"

#include "support/program_state.h"

#include "hotkeys/paste_state.h"
#include "platform/fake_platform.h"
#include "settings/settings_record.h"

namespace gleaner {
namespace {

const std::u16string kIntroduction = u"コピー操作を行うと､順次､この窓に追加されます｡";

struct Presented {
    std::u16string dispPos;
    std::u16string collection;
};

class RecordingPopup : public CountPopup {
public:
    void PresentCountPopup(const std::u16string& dispPos, const std::u16string& collection) override {
        presented.push_back({dispPos, collection});
        box.SetText(collection);
        box.SetVisible(true);
    }
    TextBox* OpenTextBox() override { return open ? &box : nullptr; }

    std::vector<Presented> presented;
    fake::FakeTextBox box;
    bool open = true;
};

class CaptureTest : public testing::Test, protected testing_support::FakeDesktop {
protected:
    CaptureTest() {
        testing_support::ResetProgramState();
        box.SetText(kIntroduction);
        box.SetTag(u"Init");
        box.SetForeColour(kIntroductionColour);
    }

    // The user copies text in another application.
    void Copy(const std::u16string& text) {
        clipboard.Put(text);
        CollectClipboardText(context, text, Settings.dispPos);
    }
    void PopupRequest() { CollectClipboardText(context, u"", Settings.dispPos); }
    void CopyPieces(int count, std::size_t size) {
        for (int i = 0; i < count; ++i, ++pieces_) Copy(std::u16string(size - 2, static_cast<char16_t>(u'a' + pieces_ % 2)));
    }
    std::vector<std::u16string> LimitMessages() const {
        std::vector<std::u16string> texts;
        for (const auto& shown : messages.shown)
            if (shown.title == u"現在取得文字数") texts.push_back(shown.text);
        return texts;
    }

    fake::FakeTextBox box;
    RecordingPopup popup;
    CaptureContext context{desktop, box, &popup};

private:
    int pieces_ = 0;
};

TEST_F(CaptureTest, TheFirstCaptureReplacesTheGreyIntroduction) {
    Copy(u"first");
    EXPECT_EQ(box.Text(), u"first");
    EXPECT_EQ(box.Tag(), u"");
    EXPECT_EQ(box.ForeColour(), kCollectedColour);
}

TEST_F(CaptureTest, CollectsEachDistinctCopyOnceJoinedByLineBreaks) {
    Copy(u"A");
    Copy(u"A");
    Copy(u"B");
    Copy(u"A");
    EXPECT_EQ(box.Text(), u"A\r\nB\r\nA");
}

TEST_F(CaptureTest, AppendsAtTheEndWhateverTheUserSelectedAndLeavesTheCaretThere) {
    Copy(u"one");
    Copy(u"two");
    box.Select(0, 3);
    Copy(u"three");
    EXPECT_EQ(box.Text(), u"one\r\ntwo\r\nthree");
    EXPECT_EQ(box.SelectionStart(), box.Length());
    EXPECT_EQ(box.SelectionEnd(), box.Length());
}

TEST_F(CaptureTest, TextTheUserTypedCountsAsCollectedAndGetsTheSeparator) {
    Copy(u"A");
    box.SetText(u"typed");
    Copy(u"B");
    EXPECT_EQ(box.Text(), u"typed\r\nB");
}

TEST_F(CaptureTest, JoinsWithTheChosenSeparator) {
    Settings.separator = u"無し";
    Copy(u"A");
    Copy(u"B");
    EXPECT_EQ(box.Text(), u"AB");
    Settings.separator = u"\\n- ";
    Copy(u"C");
    EXPECT_EQ(box.Text(), u"AB\r\n- C");
}

TEST_F(CaptureTest, NothingIsCollectedWhileAPasteIsInProgress) {
    Copy(u"A");
    PasteInProgress = true;
    Copy(u"A\r\nB");
    PasteInProgress = false;
    EXPECT_EQ(box.Text(), u"A");
    Copy(u"B");
    EXPECT_EQ(box.Text(), u"A\r\nB");
}

TEST_F(CaptureTest, AfterClearingTheLastCollectedTextIsStillARepeat) {
    Copy(u"A");
    Copy(u"B");
    clipboard.Put(u"B");
    ClearCollection(context);
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(clipboard.Contents(), std::nullopt);

    Copy(u"B");
    EXPECT_EQ(box.Text(), u"");
    Copy(u"C");
    EXPECT_EQ(box.Text(), u"C");  // an empty collection takes no separator
    EXPECT_EQ(box.Tag(), u"");    // and the introduction never comes back
}

TEST_F(CaptureTest, ClearingEmptiesTheOpenBalloonToo) {
    Settings.taskTray = 1;
    Copy(u"A");
    ASSERT_EQ(popup.box.Text(), u"A");
    ClearCollection(context);
    EXPECT_EQ(popup.box.Text(), u"");

    Copy(u"B");
    popup.box.SetVisible(false);
    ClearCollection(context);
    EXPECT_EQ(popup.box.Text(), u"B");  // a hidden balloon is left alone
}

TEST_F(CaptureTest, ClearingGoesOnWhenTheClipboardCannotBeEmptied) {
    Copy(u"A");
    clipboard.HoldOpenFor(-1);
    ClearCollection(context);
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(clipboard.Contents(), u"A");
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(CaptureTest, InTrayModeEachCaptureShowsTheWholeCollectionInTheBalloon) {
    Settings.dispPos = u"左上隅";
    Copy(u"A");
    EXPECT_TRUE(popup.presented.empty());
    Settings.taskTray = 1;
    Copy(u"B");
    ASSERT_EQ(popup.presented.size(), 1u);
    EXPECT_EQ(popup.presented[0].dispPos, u"左上隅");
    EXPECT_EQ(popup.presented[0].collection, u"A\r\nB");
}

TEST_F(CaptureTest, APopupRequestNeverChangesTheCollection) {
    clipboard.Put(u"on the clipboard");
    PopupRequest();
    EXPECT_EQ(box.Text(), kIntroduction);
    EXPECT_EQ(box.Tag(), u"Init");

    Copy(u"A");
    PopupRequest();
    PopupRequest();
    EXPECT_EQ(box.Text(), u"A");
    Copy(u"A");  // still a repeat: the request did not forget the last capture
    EXPECT_EQ(box.Text(), u"A");
    EXPECT_TRUE(popup.presented.empty());  // not in tray mode
}

TEST_F(CaptureTest, InTrayModeAPopupRequestShowsTheCollectionEvenWithoutClipboardText) {
    Settings.taskTray = 1;
    PopupRequest();
    ASSERT_EQ(popup.presented.size(), 1u);
    EXPECT_EQ(popup.presented[0].collection, u"");  // the introduction is not collected text

    Copy(u"A");
    Copy(u"B");
    clipboard.Put(std::nullopt);
    PopupRequest();
    PopupRequest();
    ASSERT_EQ(popup.presented.size(), 5u);
    EXPECT_EQ(popup.presented[3].collection, u"A\r\nB");
    EXPECT_EQ(popup.presented[4].collection, u"A\r\nB");
    EXPECT_EQ(box.Text(), u"A\r\nB");
}

TEST_F(CaptureTest, ACopiedEmptyTextAddsNothing) {
    Copy(u"A");
    Copy(u"");
    Copy(u"B");
    EXPECT_EQ(box.Text(), u"A\r\nB");
}

TEST_F(CaptureTest, TheLengthIsReportedFromTwentyThousandOnAtEachNewTenThousand) {
    CopyPieces(25, 1000);  // each piece is 998 characters and a line break
    ASSERT_EQ(box.Length(), 24998u);
    auto shown = LimitMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], u"現在、20,998文字です。\r\n取得徳可能文字数は、65,535文字までです。");

    CopyPieces(6, 1000);
    shown = LimitMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], u"現在、30,998文字です。\r\n取得徳可能文字数は、65,535文字までです。");
    EXPECT_EQ(messages.shown.back().buttons, MessageButtons::Ok);
}

TEST_F(CaptureTest, FromTheLimitOnEveryCaptureShowsTheClosingLineAndCollectionGoesOn) {
    Copy(std::u16string(65533, u'x'));
    ASSERT_TRUE(LimitMessages().empty());  // from step 0 to 60,000 brings no message
    Copy(u"y");
    EXPECT_EQ(box.Length(), 65536u);
    Copy(std::u16string(4462, u'z'));
    EXPECT_EQ(box.Length(), 70000u);

    const auto shown = LimitMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], u"現在、65,536文字です。\r\n取得徳可能文字数は、65,535文字までです。\r\n\r\nこれ以上の採集はできません！");
    EXPECT_EQ(shown[1], u"現在、70,000文字です。\r\n取得徳可能文字数は、65,535文字までです。\r\n\r\nこれ以上の採集はできません！");
}

TEST_F(CaptureTest, ALengthOfExactlyTheLimitHasReachedIt) {
    Settings.limitMax = 5;
    Copy(u"abcd");
    EXPECT_TRUE(LimitMessages().empty());
    Copy(u"e");  // 4 + CR LF + 1 = 7
    ASSERT_EQ(LimitMessages().size(), 1u);

    Settings.separator = u"無し";
    box.SetText(u"");
    Copy(u"12345");
    ASSERT_EQ(LimitMessages().size(), 2u);
    EXPECT_EQ(LimitMessages()[1], u"現在、5文字です。\r\n取得徳可能文字数は、5文字までです。\r\n\r\nこれ以上の採集はできません！");
}

TEST_F(CaptureTest, ALimitOfZeroReportsEveryCaptureAndWritesZeroAsNothing) {
    Settings.limitMax = 0;
    Copy(u"A");
    Copy(u"B");
    const auto shown = LimitMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], u"現在、1文字です。\r\n取得徳可能文字数は、文字までです。\r\n\r\nこれ以上の採集はできません！");
}

TEST_F(CaptureTest, AUnitOfZeroOrLessSkipsTheStepsButNotTheLimitOrTheBalloon) {
    Settings.taskTray = 1;
    for (const std::int32_t unit : {0, -100}) {
        Settings.limitUnit = unit;
        Settings.limitMax = 65535;
        box.SetText(u"");
        messages.shown.clear();
        popup.presented.clear();
        CopyPieces(30, 1000);
        EXPECT_TRUE(LimitMessages().empty()) << unit;
        EXPECT_EQ(popup.presented.size(), 30u) << unit;

        Settings.limitMax = 10;
        Copy(u"past the limit");
        EXPECT_EQ(LimitMessages().size(), 1u) << unit;
    }
}

TEST_F(CaptureTest, ReadsTheClipboardAndCollectsOnlyWhatWasReadWhole) {
    clipboard.Put(u"from the clipboard");
    EXPECT_TRUE(CollectFromClipboard(context, Settings.dispPos));
    EXPECT_EQ(box.Text(), u"from the clipboard");

    clipboard.Put(std::nullopt, {fake::kFirstRegisteredFormat + 9});  // an image, say
    EXPECT_FALSE(CollectFromClipboard(context, Settings.dispPos));

    clipboard.Put(u"locked away");
    clipboard.HoldOpenFor(-1);
    EXPECT_FALSE(CollectFromClipboard(context, Settings.dispPos));
    EXPECT_EQ(box.Text(), u"from the clipboard");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, u"クリップボードエラー");
}

struct SeparatorCase {
    const char16_t* setting;
    const char16_t* joining;
};

void ExpectJoining(std::initializer_list<SeparatorCase> cases) {
    for (const SeparatorCase& c : cases) {
        Settings.separator = c.setting;
        EXPECT_EQ(DecodeSeparator(), c.joining) << "separator setting #" << (&c - cases.begin());
    }
}

TEST(DecodeSeparator, TheSevenNamesGiveTheirCharacters) {
    ExpectJoining({{u"無し", u""},
                   {u"半角スペース", u" "},
                   {u"全角スペース", u"\u3000"},
                   {u"カンマ", u","},
                   {u"スラッシュ", u"/"},
                   {u"タブ", u"\t"},
                   {u"改行", u"\r\n"},
                   {u"改行 ", u"改行 "}});  // names match exactly or not at all
}

TEST(DecodeSeparator, FreeTextKnowsOnlyTheEscapesForLineBreakAndBackslash) {
    ExpectJoining({{u"", u""},
                   {u" | ", u" | "},
                   {u"\\n", u"\r\n"},
                   {u"\\\\", u"\\"},
                   {u"\\\\n", u"\\n"},
                   {u"a\\n\\nb", u"a\r\n\r\nb"},
                   {u"\\t", u"\\t"},
                   {u"\\", u"\\"},
                   {u"x\\y", u"x\\y"},
                   {u"\\\\\\n", u"\\\r\n"},
                   {u"\x01", u"\\"}});
}

}  // namespace
}  // namespace gleaner
