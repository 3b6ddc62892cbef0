#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <tuple>

#include "hotkeys/hotkeys.h"
#include "hotkeys/key_injection.h"
#include "support/program_fixture.h"

namespace gleaner {
namespace {

using testing_support::kEditorWindow, testing_support::kMainWindow;

class PasteTest : public testing_support::ProgramTest {
protected:
    PasteTest() {
        StartProgram();
        keyboard.onInjection = [this](const std::vector<KeyEvent>& keys) {
            if (keys[0] != KeyEvent{kVkV, false}) return;
            pasted.push_back(clipboard.Contents().value_or(u"(none)"));
            EXPECT_TRUE(keyboard.registered.empty());  // our Ctrl+V must not come back to us
        };
    }
    // Another application copies at this many milliseconds from now.
    void CopyLater(int ms, std::optional<std::u16string> text, std::map<std::uint32_t, std::string> data = {}) {
        events.At(timers.now + ms, [this, text, data] { clipboard.Put(text, data); });
    }
    // The user presses the paste hotkey; the program runs for two seconds, or
    // as long as told, and is at rest again with its hotkeys back.
    void PressCtrlV(int runMs = 2000) {
        PressPasteHotkey();
        events.RunFor(runMs);
        EXPECT_TRUE(timers.running.empty());
        EXPECT_EQ(keyboard.registered.size(), 1u);
    }
    // Collects text, then leaves the user's own "before" on the clipboard, unseen.
    void CollectWithTheUsersOwnAfter(const char16_t* text) {
        Copy(text);
        clipboard.Preset(u"before");
    }

    std::vector<std::u16string> pasted;  // what the clipboard held at each Ctrl+V
};

using HotkeysTest = testing_support::DesktopTest;

TEST_F(HotkeysTest, RegistersCtrlPasteKeyAndInTrayModeCtrlShiftPopupKeyOnceEachAndNotWhileHeldOff) {
    Hotkeys hotkeys{state, keyboard, kMainWindow};
    const auto hotkeyId = [this](std::uint32_t modifiers) {
        return std::ranges::find(keyboard.registered, modifiers, [](auto& key) { return key.second.modifiers; })->first;
    };
    hotkeys.RegisterHotKeys();
    EXPECT_EQ(keyboard.registered.size(), 1u);  // in window mode Ctrl+Shift+A stays other programs'
    state.Settings.pasteKey.assign(1, u'q');     // read another time: the keys come from the settings
    state.Settings.taskTray = 1;
    hotkeys.UnregisterHotKeys();
    hotkeys.RegisterHotKeys();
    hotkeys.RegisterHotKeys();
    ASSERT_EQ(keyboard.registered.size(), 2u);
    EXPECT_EQ(keyboard.registered[hotkeyId(kModControl)].virtualKey, static_cast<std::uint32_t>('Q'));
    EXPECT_EQ(keyboard.registered[hotkeyId(kModControl | kModShift)].virtualKey, static_cast<std::uint32_t>('A'));
    EXPECT_EQ(hotkeys.Identify(hotkeyId(kModControl | kModShift)), Hotkeys::Pressed::Popup);
    {
        Hotkeys::Hold outer = hotkeys.HoldOff();
        Hotkeys::Hold inner = hotkeys.HoldOff();
        hotkeys.RegisterHotKeys();
        inner.Release();
        EXPECT_TRUE(keyboard.registered.empty());
    }
    EXPECT_EQ(keyboard.registered.size(), 2u);
}

// Ctrl+V, the application's paste, the erase delay, the clear, the clipboard
// given back: in that order on the clock, none inside another's wait. What
// was copied before the key is pasted, shown yet or not.
TEST_F(PasteTest, SwapsTheCollectionInPastesItEmptiesItAfterTheEraseDelayThenPutsTheOldClipboardBack) {
    for (const char16_t* text : {u"A", u"B"}) {  // A shown at once, B a moment later with what follows
        clipboard.Put(text);
        events.RunFor(0);
    }
    ASSERT_EQ(box.Text(), u"A");
    const std::string image("\x28\0\0\0\xff", 5);
    clipboard.Put(std::nullopt, {{8, image}});
    std::int64_t injectedAt = -1, clearedAt = -1, restoredAt = -1;
    events.At(timers.now + 300, [this] {  // a second press meanwhile is still ours, and swallowed
        ASSERT_EQ(keyboard.registered.size(), 1u);
        PressPasteHotkey();
    });
    events.onPump = [&] {
        if (injectedAt < 0 && !pasted.empty()) injectedAt = timers.now;
        if (clearedAt < 0 && box.Length() == 0) clearedAt = timers.now;
        if (restoredAt < 0 && clipboard.Data(8) && injectedAt >= 0) restoredAt = timers.now;
    };
    PressCtrlV();
    EXPECT_EQ(pasted, std::vector<std::u16string>{u"A\r\nB"});
    EXPECT_EQ(keyboard.injections, (std::vector<std::vector<KeyEvent>>{
                                       {{kVkControl, false}}, {{kVkV, false}}, {{kVkV, true}}, {{kVkControl, true}}}));
    EXPECT_EQ(clipboard.writes, (std::vector<std::pair<std::u16string, bool>>{{u"A\r\nB", true}}));
    EXPECT_EQ(clipboard.Data(8), image);
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    EXPECT_EQ(clearedAt - injectedAt, 500);
    EXPECT_GE(restoredAt, clearedAt);
}

// With nothing collected, the introduction shown or after クリア, Ctrl+V
// writes nothing: the application pastes what the clipboard holds.
TEST_F(PasteTest, WithNothingCollectedCtrlVIsAnOrdinaryPaste) {
    clipboard.Preset(u"the user's own text");
    PressCtrlV();
    Copy(u"A");
    app.OnMenu(MenuCommand::Clear);  // the clipboard goes too
    PressCtrlV();
    EXPECT_TRUE(clipboard.writes.empty());
    EXPECT_EQ(pasted, (std::vector<std::u16string>{u"the user's own text", u"(none)"}));
}

// "ctrlv init" clears at 1 only. Another application's copy and then an
// image land before we look: the collection stays, and the copy joins it.
TEST_F(PasteTest, TheCollectionStaysWhenCtrlvInitIsNotOneOrTheClipboardHoldsNoTextOnceTheApplicationHasPasted) {
    Copy(u"A");
    state.Settings.ctrlvInit = 2;
    PressCtrlV();
    state.Settings.ctrlvInit = 1;
    CopyLater(100, u"x");
    CopyLater(150, std::nullopt, {{8, "image"}});
    PressCtrlV();
    EXPECT_EQ(box.Text(), u"A\r\nx");
}

// The question opens by the pointer, Ctrl+V every application's own while
// it waits; the focus goes back to the application the paste went to. Copies
// another application makes meanwhile are read as they come and collected in
// order once it ends; the clipboard keeps the newest. クリア in the menu
// meanwhile empties all that came before it.
TEST_F(PasteTest, TheQuestionAtThePointerCollectsTheCopiesMadeWhileItWaitsInOrderWhateverTheAnswer) {
    state.Settings.noConfirm = 0;
    const std::tuple<MessageAnswer, bool, const char16_t*> cases[] = {
        {MessageAnswer::No, false, u"A\r\nX\r\nY"}, {MessageAnswer::Yes, false, u"X\r\nY"}, {MessageAnswer::No, true, u"Y"}};
    for (const auto& [answer, clear, collected] : cases) {
        CollectWithTheUsersOwnAfter(u"A");
        messages.answers = {answer};
        messages.whileOpen = [this, clear] {
            EXPECT_TRUE(keyboard.registered.empty()) << "Ctrl+V is every application's own while it waits";
            Copy(u"X");
            if (clear) app.OnMenu(MenuCommand::Clear);
            Copy(u"Y");
            windows.foreground = kMainWindow;  // the box took the focus
        };
        PressCtrlV();
        EXPECT_EQ(windows.foreground, kEditorWindow);
        EXPECT_EQ(clipboard.Contents(), u"Y");
        EXPECT_EQ(box.Text(), collected);
        app.OnMenu(MenuCommand::Clear);
    }
    const fake::ShownMessage question{u"クリップボード／表示をクリアしますか？", u"クリア確認", MessageButtons::YesNo,
                                      fake::MessagePlacement::AtPointer};
    EXPECT_EQ(messages.shown, std::vector(3, question));
    EXPECT_EQ(messages.placedAt, (Point{200, 280}));  // a 300 x 120 box, the pointer at (500, 400)
}

// Another program may hold the clipboard for a moment: it is tried again
// for a second. From the clear on the collection goes whatever the clipboard
// does; the user's own comes back once it is free, or never when it stays
// busy. A collection the clipboard cannot take (busy for longer than a
// second, or not taking it) is neither pasted nor cleared: the user is told.
TEST_F(PasteTest, ABusyClipboardIsTriedAgainForASecondAtTheSwapAndAtTheRestoreAndACollectionItCannotTakeStays) {
    // What is collected; busy at the swap, and at the restore (-1: for good); its writes corrupted.
    const std::tuple<const char16_t*, int, int, bool> cases[] = {
        {u"A", 9, 0, false}, {u"B", 10, 0, false}, {u"C", 0, 0, true}, {u"D", 0, 3, false}, {u"E", 0, -1, false}};
    for (const auto& [text, atSwap, atRestore, corrupt] : cases) {
        CollectWithTheUsersOwnAfter(text);
        clipboard.HoldOpenFor(atSwap);  // 9: the tenth attempt gets it
        clipboard.corruptWrites = corrupt;
        clipboard.onOpen = [this, atRestore, opens = 0]() mutable {
            if (box.Length() == 0 && opens++ == 0) clipboard.HoldOpenFor(atRestore);
        };
        PressCtrlV();
        EXPECT_EQ(clipboard.Contents(), atRestore < 0 ? std::nullopt : std::optional<std::u16string>(u"before"));
    }
    EXPECT_EQ(pasted, (std::vector<std::u16string>{u"A", u"B\r\nC\r\nD", u"E"}));  // B and C stayed
    EXPECT_EQ(messages.shown.size(), 3u);  // a clipboard error for B, C and E
}

// Either it lands between our last look and our opening the clipboard to
// give it back, or is half written (the clipboard emptied, its text not yet
// there) when we look whether the application's paste left text there, or
// comes after the clear and the restore (500 ms after the Ctrl+V) before the
// paste ends, its word not yet come.
TEST_F(PasteTest, ACopyThatRacesTheSwapOrTheRestoreOrComesDuringTheFinalSettleIsCollectedAndStaysOnTheClipboard) {
    for (const std::u16string late : {u"swapping", u"racing", u"writing", u"settling"}) {
        CollectWithTheUsersOwnAfter(u"A");
        // The copy lands as we open the clipboard for the swap, or to give it back.
        if (late == u"swapping" || late == u"racing") {
            clipboard.onOpen = [this, late, raced = false]() mutable {
                const bool now = late == u"racing" ? box.Length() == 0 && clipboard.HoldsOurs()
                                                   : state.PasteInProgress && !clipboard.HoldsOurs();
                if (now && !std::exchange(raced, true)) clipboard.Put(late);
            };
        } else if (late == u"writing") {
            events.At(timers.now + 195, [this] { clipboard.Preset(std::nullopt); });
            CopyLater(215, late);
        } else {
            watch.onQueued = nullptr;
            CopyLater(560, late);
        }
        PressCtrlV();
        EXPECT_EQ(box.Text(), late);
        EXPECT_EQ(clipboard.Contents(), late);
        clipboard.onOpen = nullptr;
    }
}

TEST_F(PasteTest, AnExceptionAfterTheWriteGivesTheClipboardBackLeavesNoFlagSetAndTheNextCtrlVPastes) {
    CollectWithTheUsersOwnAfter(u"A");
    clipboard.onOpen = [this, start = timers.now] {
        if (timers.now - start < 500) return;  // at the clear
        clipboard.onOpen = nullptr;
        throw std::bad_alloc();
    };
    PressPasteHotkey();
    EXPECT_THROW(events.RunFor(2000), std::bad_alloc);
    EXPECT_EQ(clipboard.Contents(), u"before");
    ASSERT_EQ(keyboard.registered.size(), 1u);
    Copy(u"B");
    PressCtrlV();
    EXPECT_EQ(pasted, (std::vector<std::u16string>{u"A", u"A\r\nB"}));  // copies are collected again
}

// The program ends while a paste is under way: just after our Ctrl+V (still
// on its way, it must find the collection), or while a step waits for a busy
// clipboard, at the swap or at the clear. Nothing happens after the shutdown
// (no Ctrl+V, no clear), and the clipboard ends as the user had it.
class PasteCloseTest : public PasteTest, public testing::WithParamInterface<int> {};

TEST_P(PasteCloseTest, AClosingMidPasteLeavesNothingAfterItAndTheClipboardAsTheUserHadIt) {
    const int busyFrom = GetParam();  // ms after the key, until the close 250 ms later; -1: closed at 10 ms
    CollectWithTheUsersOwnAfter(u"A");
    if (busyFrom >= 0) events.At(timers.now + busyFrom, [this] { clipboard.HoldOpenFor(-1); });
    events.At(timers.now + (busyFrom >= 0 ? busyFrom + 250 : 10), [this] {
        clipboard.HoldOpenFor(0);
        app.OnClose();
    });
    events.At(timers.now + 150, [this] { pasted.push_back(clipboard.Contents().value_or(u"")); });  // it pastes
    PressPasteHotkey();
    events.RunFor(3000);
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_EQ(keyboard.injections.size(), busyFrom == 0 ? 0u : 4u);
    EXPECT_EQ(pasted.back(), busyFrom == 0 ? u"before" : u"A");
    EXPECT_TRUE(timers.running.empty());
}

INSTANTIATE_TEST_SUITE_P(AfterOurCtrlVAtTheSwapAndAtTheClear, PasteCloseTest, testing::Values(-1, 0, 450));

// A hand-edited Conf.txt may hold any number: a minute at most.
TEST_F(PasteTest, AnEraseDelayAtEitherExtremeOfThirtyTwoBitsEndsWithinAMinute) {
    for (const std::int32_t delay : {INT32_MAX, INT32_MIN}) {
        state.Settings.eraseDelay = delay;
        Copy(delay > 0 ? u"long" : u"short");
        PressCtrlV(60500);
        EXPECT_EQ(box.Length(), 0u);
    }
}

TEST(PlaceBoxAtPointer, PutsTheLowerRightCornerAtThePointerUnlessTheBoxWouldLeaveTheScreen) {
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {100, 600}), (Point{100, 480}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {800, 50}), (Point{500, 50}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {300, 120}), (Point{0, 0}));
}

}  // namespace
}  // namespace gleaner
