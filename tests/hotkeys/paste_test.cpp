#include <gtest/gtest.h>

#include <new>

#include "capture/clipboard_listener.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/key_injection.h"
#include "hotkeys/paste_session.h"
#include "support/program_fixture.h"

namespace gleaner {
namespace {

using testing_support::kEditorWindow;
using testing_support::kMainWindow;

class PasteTest : public testing_support::ProgramTest {
protected:
    PasteTest() {
        // The main window's timers and clipboard notices, as its procedure
        // hands them on.
        timers.onTick = [this](TimerId timer) {
            if (timer == TimerId::HotKey) paste.OnTimer();
            if (timer == TimerId::Batch) listener.OnBatchTimer();
        };
        watch.onQueued = [this] { events.Post([this] { listener.OnChangesQueued(); }); };
        listener.Start(kMainWindow);
        hotkeys.RegisterHotKeys();
        keyboard.onInjection = [this](const std::vector<KeyEvent>& keys) {
            if (keys[0] == KeyEvent{kVkV, false}) {
                pasted.push_back(clipboard.Contents().value_or(u"(none)"));
                EXPECT_FALSE(hotkeys.Registered());  // our Ctrl+V must not come back to us
            }
        };
    }
    int HotkeyId(std::uint32_t modifiers) const {
        for (const auto& [id, hotkey] : keyboard.registered)
            if (hotkey.modifiers == modifiers) return id;
        return -1;
    }
    // The user copies in another application; the collection shows it a
    // moment later.
    void CopyInEditor(const std::u16string& text) {
        windows.foreground = kEditorWindow;
        clipboard.Put(text);
        events.RunFor(kBatchTickMs);
    }
    // Another application copies at this many milliseconds from now.
    void CopyLater(int ms, const std::u16string& text) {
        events.At(timers.now + ms, [this, text] {
            windows.foreground = kEditorWindow;
            clipboard.Put(text);
        });
    }
    // The user presses the paste hotkey; the program runs for two seconds.
    void PressCtrlV() {
        ASSERT_EQ(hotkeys.Identify(static_cast<std::uintptr_t>(HotkeyId(kModControl))), Hotkeys::Pressed::Paste);
        paste.Request();
        events.RunFor(2000);
        EXPECT_FALSE(paste.Active());
    }
    int Questions() const {
        int count = 0;
        for (const auto& shown : messages.shown) count += shown.title == u"クリア確認";
        return count;
    }

    ClipboardListener listener{watch, timers, capture};
    Hotkeys hotkeys{state, keyboard, kMainWindow};
    PasteSession paste{capture, listener, hotkeys, keyboard, timers, windows};
    std::vector<std::u16string> pasted;  // what the clipboard held at each Ctrl+V
    const std::vector<std::vector<KeyEvent>> ctrlV{
        {{kVkControl, false}}, {{kVkV, false}}, {{kVkV, true}}, {{kVkControl, true}}};
};

TEST_F(PasteTest, RegistersCtrlPasteKeyAndInTrayModeCtrlShiftPopupKeyOnceEachAndNotWhileHeldOff) {
    EXPECT_EQ(keyboard.registered.size(), 1u);  // in window mode Ctrl+Shift+A stays other programs'
    state.Settings.pasteKey.assign(1, u'q');     // read another time: the keys come from the settings
    state.Settings.taskTray = 1;
    hotkeys.UnregisterHotKeys();
    hotkeys.RegisterHotKeys();
    hotkeys.RegisterHotKeys();
    ASSERT_EQ(keyboard.registered.size(), 2u);
    EXPECT_EQ(keyboard.registered[HotkeyId(kModControl)].virtualKey, static_cast<std::uint32_t>('Q'));
    EXPECT_EQ(keyboard.registered[HotkeyId(kModControl | kModShift)].virtualKey, static_cast<std::uint32_t>('A'));
    EXPECT_EQ(hotkeys.Identify(static_cast<std::uintptr_t>(HotkeyId(kModControl | kModShift))),
              Hotkeys::Pressed::Popup);
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_CTRLV"], 1);
    {
        Hotkeys::Hold outer = hotkeys.HoldOff();
        Hotkeys::Hold inner = hotkeys.HoldOff();
        hotkeys.RegisterHotKeys();
        inner.Release();
        EXPECT_TRUE(keyboard.registered.empty());
        EXPECT_EQ(keyboard.atomUses[u"GLEANER_POPUP"], 0);
    }
    EXPECT_EQ(keyboard.registered.size(), 2u);
    hotkeys.End();
    hotkeys.HoldOff().Release();
    EXPECT_TRUE(keyboard.registered.empty());

    keyboard.takenKeys = {'Q'};  // another program holds Ctrl+Q: the other key still works
    Hotkeys again{state, keyboard, kMainWindow};
    EXPECT_EQ(again.RegisterHotKeys(), std::vector<std::u16string>{u"Ctrl+Q"});
    EXPECT_EQ(keyboard.registered.size(), 1u);
}

TEST_F(PasteTest, SwapsTheCollectionInInjectsCtrlVAndPutsTheOldClipboardBack) {
    state.Settings.ctrlvInit = 0;
    CopyInEditor(u"A");
    CopyInEditor(u"B");
    clipboard.Put(std::nullopt, {{8, std::string("\x28\0\0\0\xff", 5)}});  // an image
    clipboard.writes.clear();
    PressCtrlV();
    EXPECT_EQ(pasted, std::vector<std::u16string>{u"A\r\nB"});
    EXPECT_EQ(keyboard.injections, ctrlV);
    EXPECT_EQ(clipboard.Data(8), std::string("\x28\0\0\0\xff", 5));
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    EXPECT_EQ(clipboard.writes, (std::vector<std::pair<std::u16string, bool>>{{u"A\r\nB", true}}));
    EXPECT_EQ(box.Text(), u"A\r\nB");  // "ctrlv init" 0: kept
    EXPECT_FALSE(state.PasteInProgress);
    EXPECT_TRUE(hotkeys.Registered());
}

TEST_F(PasteTest, AClipboardThatWasEmptyOrUnreadableGetsNothingBack) {
    CopyInEditor(u"A");
    clipboard.Put(std::nullopt);
    PressCtrlV();
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    CopyInEditor(u"B");
    clipboard.Preset(u"unreadable");
    clipboard.HoldOpenFor(10);  // exactly the snapshot's ten attempts
    PressCtrlV();
    EXPECT_EQ(pasted.back(), u"B");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
}

TEST_F(PasteTest, WithNothingCollectedCtrlVIsAnOrdinaryPaste) {
    clipboard.Preset(u"the user's own text");
    PressCtrlV();  // the introduction is still shown
    CopyInEditor(u"A");
    ClearCollection(capture);  // the clipboard goes too
    PressCtrlV();
    EXPECT_TRUE(clipboard.writes.empty());
    EXPECT_EQ(pasted, (std::vector<std::u16string>{u"the user's own text", u"(none)"}));
    EXPECT_EQ(keyboard.injections.size(), 8u);
    EXPECT_TRUE(hotkeys.Registered());
}

// Ctrl+V, the application's paste, the erase delay, the clear, the clipboard
// given back: in that order on the clock, none inside another's wait.
TEST_F(PasteTest, WithDefaultSettingsTheCollectionIsEmptiedAfterTheEraseDelayThenTheClipboardGivenBack) {
    CopyInEditor(u"A");
    CopyInEditor(u"B");
    clipboard.Preset(u"before");
    std::int64_t injectedAt = -1, clearedAt = -1, restoredAt = -1;
    keyboard.onInjection = [&](const std::vector<KeyEvent>& keys) {
        if (keys[0] == KeyEvent{kVkV, false}) injectedAt = timers.now;
    };
    events.onPump = [&] {
        if (clearedAt < 0 && box.Length() == 0) clearedAt = timers.now;
        if (restoredAt < 0 && clipboard.Contents() == u"before" && injectedAt >= 0) restoredAt = timers.now;
    };
    PressCtrlV();
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_GE(clearedAt - injectedAt, 500);
    EXPECT_GE(restoredAt, clearedAt);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PasteTest, TheClearQuestionStandsAtThePointerAndNoKeepsTheCollection) {
    state.Settings.noConfirm = 0;
    CopyInEditor(u"A");
    messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    messages.whileOpen = [this] { windows.foreground = kMainWindow; };  // the box took the focus
    PressCtrlV();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(messages.shown[0].text, u"クリップボード／表示をクリアしますか？");
    EXPECT_EQ(messages.placedAt, (Point{200, 280}));  // a 300 x 120 box, the pointer at (500, 400)
    EXPECT_EQ(box.Text(), u"A");
    PressCtrlV();
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(windows.foreground, kEditorWindow);
}

TEST_F(PasteTest, CtrlvInitOffOrAClipboardWithoutTextAfterThePasteLeavesTheCollection) {
    CopyInEditor(u"A");
    state.Settings.ctrlvInit = 0;
    PressCtrlV();
    state.Settings.ctrlvInit = 1;
    CopyLater(100, u"x");  // another application's copy, then an image
    events.At(timers.now + 150, [this] { clipboard.Put(std::nullopt, {{8, "image"}}); });
    PressCtrlV();
    EXPECT_EQ(box.Text(), u"A\r\nx");
}

// Copies another application makes during the paste are read as they come
// and collected in order once it ends; the clipboard keeps the newest.
TEST_F(PasteTest, TwoCopiesDuringTheQuestionAreCollectedInOrderWhateverTheAnswer) {
    state.Settings.noConfirm = 0;
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        CopyInEditor(u"A");
        clipboard.Preset(u"before");
        messages.answers = {answer};
        messages.whileOpen = [this] {
            CopyInEditor(u"X");
            CopyInEditor(u"Y");
        };
        PressCtrlV();
        EXPECT_EQ(clipboard.Contents(), u"Y");
        EXPECT_EQ(box.Text(), answer == MessageAnswer::No ? u"A\r\nX\r\nY" : u"X\r\nY");
        ClearCollection(capture);
    }
}

TEST_F(PasteTest, ACopyDuringTheFinalSettleIsCollectedAndStaysOnTheClipboard) {
    CopyInEditor(u"A");
    clipboard.Preset(u"before");
    // The clear comes 500 ms after the Ctrl+V, the restore with it; the
    // copy lands after both, before the paste ends, its word not yet come.
    watch.onQueued = nullptr;
    CopyLater(560, u"late");
    PressCtrlV();
    EXPECT_EQ(box.Text(), u"late");
    EXPECT_EQ(clipboard.Contents(), u"late");
}

TEST_F(PasteTest, ACopyThatRacesTheRestoreIsNeitherOverwrittenNorLost) {
    CopyInEditor(u"A");
    clipboard.Preset(u"before");
    bool raced = false;
    // The copy lands between our last look and our opening the clipboard to
    // give it back.
    clipboard.onOpen = [&] {
        if (!raced && box.Length() == 0 && clipboard.HoldsOurs()) {
            raced = true;
            clipboard.Put(u"racing");
        }
    };
    PressCtrlV();
    ASSERT_TRUE(raced);
    EXPECT_EQ(clipboard.Contents(), u"racing");
    EXPECT_EQ(box.Text(), u"racing");
}

TEST_F(PasteTest, AClearChosenWhileTheQuestionIsOpenEmptiesAllThatCameBeforeIt) {
    state.Settings.noConfirm = 0;
    CopyInEditor(u"A");
    clipboard.Preset(u"before");
    messages.answers = {MessageAnswer::No};
    messages.whileOpen = [this] {
        CopyInEditor(u"X");
        ClearCollection(capture);  // クリア in the menu
        CopyInEditor(u"Y");
    };
    PressCtrlV();
    EXPECT_EQ(box.Text(), u"Y");
    EXPECT_EQ(clipboard.Contents(), u"Y");
}

TEST_F(PasteTest, AnExceptionInTheMiddleOfAPasteLeavesNoFlagSetAndTheNextCtrlVPastes) {
    CopyInEditor(u"A");
    clipboard.Preset(u"before");
    clipboard.onOpen = [this] {
        clipboard.onOpen = nullptr;
        throw std::bad_alloc();
    };
    paste.Request();
    EXPECT_THROW(events.RunFor(2000), std::bad_alloc);
    EXPECT_FALSE(state.PasteInProgress);
    EXPECT_FALSE(paste.Active());
    EXPECT_TRUE(hotkeys.Registered());
    CopyInEditor(u"B");
    EXPECT_EQ(box.Text(), u"A\r\nB");  // copies are collected again
    PressCtrlV();
    EXPECT_EQ(pasted, std::vector<std::u16string>{u"A\r\nB"});
    EXPECT_EQ(box.Text(), u"");
}

TEST_F(PasteTest, CtrlVPastesEveryCopyMadeBeforeItShownYetOrNot) {
    for (const char16_t* text : {u"A", u"B"}) {  // A shown at once, B a moment later with what follows
        clipboard.Put(text);
        events.ProcessPendingMessages();
    }
    ASSERT_EQ(box.Text(), u"A");
    PressCtrlV();
    EXPECT_EQ(pasted, std::vector<std::u16string>{u"A\r\nB"});
}

TEST_F(PasteTest, ACollectionThatCouldNotBePutOnTheClipboardIsNeitherPastedNorCleared) {
    CopyInEditor(u"A");
    clipboard.Preset(u"before");
    clipboard.CorruptWrites(true);
    PressCtrlV();
    EXPECT_TRUE(keyboard.injections.empty());
    EXPECT_EQ(box.Text(), u"A");
    EXPECT_EQ(messages.shown.size(), 1u);  // the clipboard error
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_TRUE(hotkeys.Registered());
}

TEST(PlaceBoxAtPointer, PutsTheLowerRightCornerAtThePointerUnlessTheBoxWouldLeaveTheScreen) {
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {100, 600}), (Point{100, 480}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {800, 50}), (Point{500, 50}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {300, 120}), (Point{0, 0}));
}

}  // namespace
}  // namespace gleaner
