#include <gtest/gtest.h>

#include "capture/capture_handler.h"
#include "capture/clipboard_access.h"
#include "capture/clipboard_listener.h"
#include "capture/ignored_programs.h"
#include "support/program_fixture.h"

namespace gleaner {
namespace {

using testing_support::kMainWindow, testing_support::kPopupWindow, testing_support::kSettingsWindow;

// The capture alone over the collection box. Its only timer is the boxes'
// it asks for: the test plays the main loop that opens them.
class CaptureTest : public testing_support::DesktopTest {
protected:
    CaptureTest() { timers.onTick = [this](TimerId) { state.Prompts.ShowNext(messages, timers); }; }
    void Collect(const std::u16string& text) { CollectClipboardText(capture, text, state.Settings.dispPos); }

    CaptureContext capture{desktop, box, state, nullptr};
};

TEST_F(CaptureTest, CollectsEachDistinctCopyOnceJoinedWithTheSeparatorInPlaceOfTheIntroductionAndNoneDuringAPaste) {
    box.SetTag(u"Init");  // the introduction is shown
    box.SetTextPaint(Paint::Introduction);
    Collect(u"A");
    EXPECT_EQ(box.Tag(), u"");  // the introduction is gone
    EXPECT_EQ(box.TextPaint(), Paint::Collected);
    Collect(u"A");
    Collect(u"B");
    box.caret = 0;  // wherever the user clicked meanwhile
    Collect(u"A");
    Collect(u"");  // an empty copy adds nothing
    EXPECT_EQ(box.caret, box.Length());
    state.Settings.separator = u"無し";
    Collect(u"B");
    state.Settings.separator = u"\\n- ";
    Collect(u"C");
    state.PasteInProgress = true;
    Collect(u"D");
    EXPECT_EQ(box.Text(), u"A\r\nB\r\nAB\r\n- C");
}

// Copies that came together join the collection in one go, exactly as
// each alone would have.
TEST_F(CaptureTest, CollectsCopiesThatCameTogetherInOneAppendAsEachAloneWouldBe) {
    Collect(u"C");
    state.Settings.separator = u"; ";
    box.journal = &journal;
    CollectBatch(capture, {u"C", u"E", u"E", u"F", u""}, state.Settings.dispPos);  // C repeats the last copy before
    CollectBatch(capture, {u"F", u"G"}, state.Settings.dispPos);
    EXPECT_EQ(journal.entries, std::vector<std::string>(2, "text appended"));
    EXPECT_EQ(state.LastCapturedText, u"G");
    EXPECT_EQ(box.Text(), u"C; E; F; G");
}

TEST(DecodeSeparator, KnowsSevenNamesAndTheEscapesForLineBreakAndBackslash) {
    const std::vector<std::pair<std::u16string, std::u16string>> cases{
        {u"無し", u""},         {u"半角スペース", u" "}, {u"全角スペース", u"\u3000"}, {u"カンマ", u","},
        {u"スラッシュ", u"/"},  {u"タブ", u"\t"},         {u"改行", u"\r\n"},          {u"改行 ", u"改行 "},
        {u" | ", u" | "},       {u"\\n", u"\r\n"},        {u"\\\\n", u"\\n"},          {u"a\\n\\nb", u"a\r\n\r\nb"},
        {u"\\t", u"\\t"},       {u"\\\\\\n", u"\\\r\n"},  {u"\x01", u"\\"}};
    for (const auto& [setting, joining] : cases) EXPECT_EQ(DecodeSeparator(setting), joining);
}

// One message a capture at most, for the length its last copy left: at each
// new step of the unit but the first (a unit of 0 has none), and at every
// capture from the limit on, which does not stop it. A limit of 0 is written
// as nothing. A copy made while the message is open is collected but brings
// no second message.
TEST_F(CaptureTest, ReportsTheLengthOnceABatchAtEachNewStepAndFromTheLimitOn) {
    char16_t next = u'a';  // each copy 5,000 characters, unlike the one before
    const auto batch = [&](int copies, bool thenTheMainLoop = true) {
        std::vector<std::u16string> texts;
        for (int i = 0; i < copies; ++i) texts.push_back(std::u16string(4999, u'x') + next++);
        CollectBatch(capture, texts, state.Settings.dispPos);
        if (thenTheMainLoop) events.RunFor(1);
    };
    batch(3);  // 15,004: the first step brings no message
    const std::u16string nested(5000, u'n');
    messages.whileOpen = [&] {
        messages.whileOpen = nullptr;
        Collect(nested);  // 30,010: across 30,000
    };
    batch(2);  // 25,008: across 20,000
    Collect(nested);  // a repeat of the last capture, which was the nested one
    batch(2, false);  // 40,014: across 40,000, its box waiting
    batch(2);         // 50,018: across 50,000, while it waits
    state.Settings.limitUnit = 0;
    batch(1);  // 55,020
    for (const auto& [limit, text] : {std::pair{55023, u"x"}, std::pair{0, u"y"}}) {  // reached exactly, then none
        state.Settings.limitMax = limit;
        Collect(text);
        events.RunFor(1);
    }
    // The box for a length, a limit, and what follows them.
    const auto told = [](const std::u16string& length, const std::u16string& limit, const std::u16string& more = u"") {
        return fake::ShownMessage{u"現在、" + length + u"文字です。\r\n取得徳可能文字数は、" + limit + u"文字までです。" + more,
                                  u"現在取得文字数", MessageButtons::Ok};
    };
    const std::u16string reached = u"\r\n\r\nこれ以上の採集はできません！";
    EXPECT_EQ(messages.shown, (std::vector{told(u"25,008", u"65,535"), told(u"40,014", u"65,535"),
                                           told(u"55,023", u"55,023", reached), told(u"55,026", u"", reached)}));
}

using ClipboardAccessTest = testing_support::ProgramTest;

// クリア's clipboard, busy: tried again on a timer while the program goes
// on; given up quietly after ten attempts, at once when somebody has copied
// since (that copy is not the one to empty), and never tried after the close.
TEST_F(ClipboardAccessTest, ClearsABusyClipboardOnATimerUntilItGivesUpACopyComesOrTheProgramEnds) {
    StartProgram();
    enum Meanwhile { kNothing, kCopy, kClose };
    const std::tuple<int, Meanwhile, std::optional<std::u16string>> cases[] = {
        {3, kNothing, std::nullopt}, {-1, kNothing, u"B"}, {-1, kCopy, u"newer"}, {-1, kClose, u"D"}};
    char16_t next = u'A';
    for (const auto& [busy, meanwhile, left] : cases) {
        Copy(std::u16string(1, next++));
        clipboard.HoldOpenFor(busy);
        app.OnMenu(MenuCommand::Clear);
        EXPECT_EQ(box.Text(), u"");
        events.At(timers.now + 150, [this, meanwhile] {
            if (meanwhile == kNothing) return;
            if (meanwhile == kClose) app.OnClose();
            clipboard.HoldOpenFor(0);
            if (meanwhile == kCopy) clipboard.Put(u"newer");
        });
        events.RunFor(2000);
        EXPECT_EQ(clipboard.Contents(), left);
        clipboard.HoldOpenFor(0);
    }
    EXPECT_TRUE(messages.shown.empty());
}

// The watcher's read waits for another tool's look at the same copy in quick
// retries, and gives up as soon as a newer copy replaced it.
TEST(ReadArrival, TriesAgainWhileTheSameCopyStays) {
    fake::FakeClipboard clipboard;
    std::vector<int> pauses;
    const auto pause = [&](int ms) { pauses.push_back(ms); };
    clipboard.Put(u"copied");
    clipboard.HoldOpenFor(2);
    EXPECT_EQ(ReadArrival(clipboard, pause, {}).text, u"copied");
    EXPECT_EQ(pauses, (std::vector<int>{1, 2}));

    for (const int busyMs : {900, 1500}) {  // the copying application holds it meanwhile
        int waited = 0;
        clipboard.HoldOpenFor(-1);
        clipboard.onOpen = [&] {
            if (waited >= busyMs) clipboard.HoldOpenFor(0);
        };
        const ClipboardArrival arrival = ReadArrival(clipboard, [&](int ms) { waited += ms; }, {});
        EXPECT_EQ(arrival.error.value_or(PlatformError{}).number, busyMs < 1000 ? 0u : 5u);
    }
    clipboard.HoldOpenFor(-1);
    pauses.clear();
    clipboard.onOpen = [&] {
        if (pauses.size() == 1) clipboard.Put(u"newer");  // while the first retry waits
    };
    EXPECT_FALSE(ReadArrival(clipboard, pause, {}).error);
    EXPECT_EQ(pauses.size(), 1u);
}

using ClipboardListenerTest = testing_support::ProgramTest;

// Those marked to be ignored (our own paste's writes among them) are not
// even opened: the application being pasted into must find the clipboard free.
TEST_F(ClipboardListenerTest, CollectsCopiesOfOtherApplicationsNotMarkedPrivate) {
    StartProgram();
    for (const WindowId ours : {kMainWindow, kPopupWindow, kSettingsWindow}) Copy(u"ours", ours);
    Copy(std::nullopt);
    Copy(u"B", 0);  // with nothing in front: a script's, say
    // The mark holds a DWORD; a permission without one is no permission.
    const auto copyMarked = [this](const std::u16string& text, const char16_t* mark, const std::string& value) {
        clipboard.Put(text, {{clipboard.RegisterFormat(mark), value}});
        events.RunFor(kBatchTickMs);
    };
    const std::string no("\0\0\0\0", 4), yes("\1\0\0\0", 4);
    const int opened = clipboard.openAttempts;
    copyMarked(u"ignored", u"Clipboard Viewer Ignore", no);
    EXPECT_EQ(clipboard.openAttempts, opened);
    const std::pair<const char16_t*, std::string> refusals[] = {{u"ExcludeClipboardContentFromMonitorProcessing", yes},
        {u"CanIncludeInClipboardHistory", no}, {u"CanUploadToCloudClipboard", no}, {u"CanUploadToCloudClipboard", ""}};
    for (const auto& [name, value] : refusals) copyMarked(name, name, value);
    copyMarked(u"history allowed", u"CanIncludeInClipboardHistory", yes);
    copyMarked(u"cloud allowed", u"CanUploadToCloudClipboard", yes);
    EXPECT_EQ(box.Text(), u"B\r\nhistory allowed\r\ncloud allowed");
    clipboard.HoldOpenFor(-1);  // never readable: the user is told
    Copy(u"unread");
    EXPECT_EQ(messages.shown.size(), 1u);
    clipboard.HoldOpenFor(0);
    const std::size_t shown = box.Length();  // a burst is shown as it goes: a batch every five ticks at the latest
    for (int i = 1; i <= 40; ++i) events.At(timers.now + 5 * i, [this, i] { clipboard.Put(std::u16string(i, u'x')); });
    events.RunFor(100);
    EXPECT_GT(box.Length(), shown + 10);
}

TEST(IgnoredPrograms, MatchesAFileNameOrAFullPathInAnyCase) {
    const IgnoredPrograms ignored({u"KeePass.exe", u"mstsc", u"C:/Tools/Term.EXE", u"ｗｔ.exe", u"Ärger.exe", u""});
    const std::pair<const char16_t*, bool> cases[] = {{u"C:\\Program Files\\KeePass\\keepass.EXE", true},
        {u"KEEPASS.exe", true}, {u"C:\\Windows\\System32\\MSTSC.EXE", true}, {u"c:\\tools\\term.exe", true},
        {u"D:\\Tools\\Term.exe", false}, {u"C:\\x\\ＷＴ.EXE", true}, {u"C:\\x\\äRGER.exe", true},
        {u"C:\\x\\KeePass.exe.bak", false}, {u"C:\\x\\mstsc.com", false}, {u"C:\\KeePass\\other.exe", false},
        {u"", false}};
    for (const auto& [path, held] : cases) EXPECT_EQ(ignored.Holds(path), held) << testing::PrintToString(path);
    // A long list costs a lookup, not a walk.
    std::vector<std::u16string> many(20000, u"C:\\Tools\\tool.exe");
    many.push_back(u"last.exe");
    EXPECT_TRUE(IgnoredPrograms(many).Holds(u"C:\\LAST.EXE"));
}

// The owner window's program decides; only a copy without an owner window
// goes by the window in front. A listed program's copy is not even opened,
// and an empty list asks Windows nothing.
TEST_F(ClipboardListenerTest, NeverReadsACopyOfAListedProgramNorRemembersIt) {
    StartProgram();
    const auto copyFrom = [this](const std::u16string& text, std::optional<std::u16string> owner, const char16_t* front) {
        clipboard.ownerProgram = std::move(owner);
        clipboard.foregroundProgram = front;
        Copy(text);
    };
    copyFrom(u"A", u"C:\\KeePass\\KeePass.exe", u"C:\\notepad.exe");
    EXPECT_EQ(clipboard.programLookups, 0);
    app.OnProgramListChosen({u"keepass.exe"});  // the dialog's OK: it holds at once
    const int opened = clipboard.openAttempts;
    copyFrom(u"secret", u"C:\\KeePass\\KeePass.exe", u"C:\\notepad.exe");
    copyFrom(u"secret too", std::nullopt, u"C:\\KeePass\\KeePass.exe");
    EXPECT_EQ(clipboard.openAttempts, opened) << "a listed program's copy was read";
    copyFrom(u"B", u"C:\\notepad.exe", u"C:\\KeePass\\KeePass.exe");
    copyFrom(u"C", std::nullopt, u"C:\\notepad.exe");
    copyFrom(u"D", u"", u"C:\\KeePass\\KeePass.exe");  // an owner Windows will not name is not listed
    // A skipped copy is never "the last text": it neither lets a repeat of
    // the one before through nor keeps its own repeat out.
    copyFrom(u"D", u"C:\\KeePass\\KeePass.exe", u"");
    copyFrom(u"D", u"C:\\notepad.exe", u"");
    copyFrom(u"x", u"C:\\KeePass\\KeePass.exe", u"");
    copyFrom(u"x", u"C:\\notepad.exe", u"");
    EXPECT_EQ(box.Text(), u"A\r\nB\r\nC\r\nD\r\nx");
}

}  // namespace
}  // namespace gleaner
