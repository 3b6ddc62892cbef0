#include <gtest/gtest.h>

#include "hotkeys/hotkeys.h"
#include "hotkeys/key_injection.h"
#include "hotkeys/keyboard_polling.h"
#include "support/program_fixture.h"

namespace gleaner {
namespace {

using testing_support::kEditorWindow;
using testing_support::kMainWindow;

class PasteTest : public testing_support::ProgramTest {
protected:
    PasteTest() { hotkeys.RegisterHotKeys(); }
    int HotkeyId(std::uint32_t modifiers) const {
        for (const auto& [id, hotkey] : keyboard.registered)
            if (hotkey.modifiers == modifiers) return id;
        return -1;
    }
    // The user presses the paste hotkey; the paste runs on the next tick.
    // True when another application copied during the paste.
    bool PressPasteHotkey() {
        hotkeys.HotKeyWindowProc(static_cast<std::uintptr_t>(HotkeyId(kModControl)));
        return timers.IsRunning(TimerId::HotKey) && hotkeys.RunPasteOperation();
    }
    // Timer_Key ticks inside the paste's waits, as window messages do.
    void KeepPolling() {
        events.onPump = [this] { polling.OnKeyTimerTick(); };
    }
    int Questions() const {
        int count = 0;
        for (const auto& shown : messages.shown) count += shown.title == u"クリア確認";
        return count;
    }

    Hotkeys hotkeys{capture, keyboard, timers, kMainWindow};
    KeyboardPolling polling{capture, keyboard, windows, timers};
    const std::vector<std::vector<KeyEvent>> ctrlV{
        {{kVkControl, false}}, {{kVkV, false}}, {{kVkV, true}}, {{kVkControl, true}}};
};

TEST_F(PasteTest, RegistersCtrlPasteKeyAndInTrayModeCtrlShiftPopupKeyOnceEach) {
    EXPECT_EQ(keyboard.registered.size(), 1u);  // in window mode Ctrl+Shift+A stays other programs'
    Settings.pasteKey.assign(1, u'q');  // read another time: the keys come from the settings
    Settings.taskTray = 1;
    hotkeys.UnregisterHotKeys();
    hotkeys.RegisterHotKeys();
    hotkeys.RegisterHotKeys();
    ASSERT_EQ(keyboard.registered.size(), 2u);
    EXPECT_EQ(keyboard.registered[HotkeyId(kModControl)].virtualKey, static_cast<std::uint32_t>('Q'));
    EXPECT_EQ(keyboard.registered[HotkeyId(kModControl | kModShift)].virtualKey, static_cast<std::uint32_t>('A'));
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_CTRLV"], 1);
    hotkeys.UnregisterHotKeys();
    hotkeys.UnregisterHotKeys();
    EXPECT_TRUE(keyboard.registered.empty());
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_POPUP"], 0);

    keyboard.takenKeys = {'Q'};  // another program holds Ctrl+Q: the other key still works
    hotkeys.RegisterHotKeys();
    ASSERT_EQ(keyboard.registered.size(), 1u);
    Copy(u"A");  // the popup hotkey makes a popup request and nothing else
    hotkeys.HotKeyWindowProc(static_cast<std::uintptr_t>(HotkeyId(kModControl | kModShift)));
    EXPECT_EQ(box.Text(), u"A");
    EXPECT_FALSE(timers.IsRunning(TimerId::HotKey));
}

TEST_F(PasteTest, SwapsTheCollectionInInjectsCtrlVAndPutsTheOldClipboardBack) {
    Copy(u"A");
    Copy(u"B");
    clipboard.Put(std::nullopt);
    clipboard.PutData(8, std::string("\x28\0\0\0\xff", 5));  // an image
    std::optional<std::u16string> atPaste;
    keyboard.onInjection = [&](const std::vector<KeyEvent>& events) {
        if (events[0] == KeyEvent{kVkV, false}) {
            atPaste = clipboard.Contents();
            EXPECT_FALSE(hotkeys.Registered());  // our Ctrl+V must not come back to us
            EXPECT_TRUE(PasteInProgress);
        }
    };
    clipboard.writes.clear();
    PressPasteHotkey();
    EXPECT_EQ(atPaste, u"A\r\nB");
    EXPECT_EQ(keyboard.injections, ctrlV);
    EXPECT_EQ(clipboard.Data(8), std::string("\x28\0\0\0\xff", 5));
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    EXPECT_EQ(clipboard.writes, (std::vector<std::pair<std::u16string, bool>>{{u"A\r\nB", true}}));
    EXPECT_EQ(box.Text(), u"A\r\nB");  // only the clear after the paste empties it
    EXPECT_EQ(PasteDone, 1);
    EXPECT_FALSE(PasteInProgress);
    EXPECT_TRUE(hotkeys.Registered());
}

TEST_F(PasteTest, AClipboardThatWasEmptyOrUnreadableGetsNothingBack) {
    Copy(u"A");
    clipboard.Put(std::nullopt);
    PressPasteHotkey();
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    EXPECT_FALSE(clipboard.HasFormat(clipboard.RegisterFormat(u"Clipboard Viewer Ignore")));
    clipboard.Put(u"unreadable");
    clipboard.HoldOpenFor(10);  // exactly the snapshot's ten attempts
    PressPasteHotkey();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
}

TEST_F(PasteTest, WithNothingCollectedCtrlVIsAnOrdinaryPaste) {
    clipboard.Put(u"the user's own text");
    PressPasteHotkey();  // the introduction is still shown
    Copy(u"A");
    ClearCollection(capture);
    clipboard.Put(u"again");
    PressPasteHotkey();
    EXPECT_TRUE(clipboard.writes.empty());
    EXPECT_EQ(keyboard.injections.size(), 8u);
    EXPECT_EQ(PasteDone, 0);
}

TEST_F(PasteTest, WithDefaultSettingsTheCollectionIsEmptiedAfterTheEraseDelay) {
    Copy(u"A");
    Copy(u"B");
    clipboard.Put(u"before");
    int slices = 0, pasted = 0, cleared = 0;
    events.onPump = [&] {
        ++slices;
        if (PasteDone == 1 && pasted == 0) pasted = slices;
        // Timer_Key ticks only while it runs: the paste wakes it for the clear.
        if (timers.IsRunning(TimerId::Key)) polling.OnKeyTimerTick();
        if (box.Length() == 0 && cleared == 0) cleared = slices;
    };
    PressPasteHotkey();
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_GE(cleared - pasted, 50);  // 500 ms in 10 ms slices
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(windows.broughtToFront, std::vector<WindowId>{kEditorWindow});
    EXPECT_FALSE(timers.IsRunning(TimerId::Key));
}

TEST_F(PasteTest, TheClearQuestionStandsAtThePointerAndNoKeepsTheCollection) {
    Settings.noConfirm = 0;
    Copy(u"A");
    messages.answers = {MessageAnswer::No, MessageAnswer::Yes};
    messages.whileOpen = [this] {
        windows.foreground = kMainWindow;  // the box took the focus
        polling.OnKeyTimerTick();          // and ticks do not overlap
    };
    KeepPolling();
    PressPasteHotkey();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(messages.shown[0].text, u"クリップボード／表示をクリアしますか？");
    EXPECT_EQ(messages.placedAt, (Point{200, 280}));  // a 300 x 120 box, the pointer at (500, 400)
    EXPECT_EQ(box.Text(), u"A");
    PressPasteHotkey();
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(windows.foreground, kEditorWindow);
}

TEST_F(PasteTest, CtrlvInitOffOrAClipboardWithoutTextLeavesTheCollection) {
    Copy(u"A");
    Settings.ctrlvInit = 0;
    KeepPolling();
    PressPasteHotkey();
    Settings.ctrlvInit = 1;
    PasteDone = 1;
    clipboard.Put(std::nullopt);
    polling.OnKeyTimerTick();
    EXPECT_EQ(box.Text(), u"A");
    EXPECT_EQ(PasteDone, 0);
}

TEST_F(PasteTest, CtrlAInTheMainWindowSelectsTheWholeCollectionAndNowhereElse) {
    keyboard.held = {kVkControl, kVkA};
    polling.OnKeyTimerTick();  // the editor is in front
    windows.foreground = kMainWindow;
    keyboard.held = {kVkA};
    polling.OnKeyTimerTick();
    EXPECT_TRUE(keyboard.injections.empty());
    keyboard.held = {kVkControl, kVkA};
    polling.OnKeyTimerTick();
    const std::vector<std::vector<KeyEvent>> selectAll{
        {{kVkControl, false}}, {{kVkHome, false}}, {{kVkHome, true}}, {{kVkShift, false}},
        {{kVkEnd, false}},     {{kVkEnd, true}},   {{kVkControl, true}}, {{kVkShift, true}}};
    EXPECT_EQ(keyboard.injections, selectAll);
}

TEST_F(PasteTest, AnotherApplicationsCopyDuringThePasteStaysOnTheClipboard) {
    Settings.noConfirm = 0;
    for (const MessageAnswer answer : {MessageAnswer::No, MessageAnswer::Yes}) {
        Copy(u"A");
        clipboard.Put(u"before");
        messages.answers = {answer};
        messages.whileOpen = [this] { clipboard.Put(u"copied meanwhile"); };
        KeepPolling();
        EXPECT_TRUE(PressPasteHotkey());
        EXPECT_EQ(clipboard.Contents(), u"copied meanwhile");
        EXPECT_EQ(box.Text(), answer == MessageAnswer::No ? u"A" : u"");
    }
}

TEST_F(PasteTest, ACollectionThatCouldNotBePutOnTheClipboardIsNeitherPastedNorCleared) {
    Copy(u"A");
    clipboard.Put(u"before");
    clipboard.CorruptWrites(true);
    KeepPolling();
    EXPECT_FALSE(PressPasteHotkey());
    EXPECT_TRUE(keyboard.injections.empty());
    EXPECT_EQ(box.Text(), u"A");
    EXPECT_EQ(messages.shown.size(), 1u);  // the clipboard error
    EXPECT_TRUE(hotkeys.Registered());
}

TEST_F(PasteTest, TimerKeyRunsOnlyWhileTheMainWindowIsInFrontOrAClearIsDue) {
    polling.Wake();
    polling.OnKeyTimerTick();  // the editor is in front, nothing is due
    EXPECT_FALSE(timers.IsRunning(TimerId::Key));
    windows.foreground = kMainWindow;
    polling.Wake();
    polling.OnKeyTimerTick();
    EXPECT_TRUE(timers.IsRunning(TimerId::Key));
    windows.foreground = kEditorWindow;
    polling.OnKeyTimerTick();
    EXPECT_FALSE(timers.IsRunning(TimerId::Key));
}

TEST(PlaceBoxAtPointer, PutsTheLowerRightCornerAtThePointerUnlessTheBoxWouldLeaveTheScreen) {
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {100, 600}), (Point{100, 480}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {800, 50}), (Point{500, 50}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {300, 120}), (Point{0, 0}));
}

}  // namespace
}  // namespace gleaner
