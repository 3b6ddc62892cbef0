#include <gtest/gtest.h>

#include "hotkeys/key_injection.h"
#include "hotkeys/paste_fixture.h"

namespace gleaner {
namespace {

using HotkeyRegistrationTest = PasteFixture;

TEST_F(HotkeyRegistrationTest, DefaultsToCtrlVAndCtrlShiftA) {
    RegisterHotKeys(hotkeys);
    ASSERT_EQ(keyboard.registered.size(), 2u);
    EXPECT_EQ(keyboard.registered.at(HotkeyId(kModControl)).virtualKey, 0x56u);
    EXPECT_EQ(keyboard.registered.at(HotkeyId(kModControl | kModShift)).virtualKey, 0x41u);
    EXPECT_EQ(keyboard.registered.at(HotkeyId(kModControl)).window, kMainWindow);
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_CTRLV"], 1);
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_POPUP"], 1);
}

TEST_F(HotkeyRegistrationTest, RegisteringTwiceOrUnregisteringTwiceChangesNothing) {
    RegisterHotKeys(hotkeys);
    RegisterHotKeys(hotkeys);
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_CTRLV"], 1);
    UnregisterHotKeys(hotkeys);
    UnregisterHotKeys(hotkeys);
    EXPECT_TRUE(keyboard.registered.empty());
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_CTRLV"], 0);
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_POPUP"], 0);
    RegisterHotKeys(hotkeys);
    EXPECT_EQ(keyboard.registered.size(), 2u);
}

TEST_F(HotkeyRegistrationTest, TakesLowerCaseLettersAsTheirKeysAndSkipsEmptyOnes) {
    Settings.pasteKey = u"q";
    Settings.popupKey = u"";
    RegisterHotKeys(hotkeys);
    ASSERT_EQ(keyboard.registered.size(), 1u);
    EXPECT_EQ(keyboard.registered.begin()->second.virtualKey, 0x51u);
    EXPECT_EQ(HotKeyVirtualKey(u"Zed"), 0x5Au);
    EXPECT_EQ(HotKeyVirtualKey(u""), 0u);
}

TEST_F(HotkeyRegistrationTest, AKeyHeldByAnotherProgramLeavesTheOtherWorking) {
    keyboard.takenKeys = {0x56};
    RegisterHotKeys(hotkeys);
    EXPECT_EQ(keyboard.registered.size(), 1u);
    EXPECT_TRUE(HotKeysRegistered());
}

TEST_F(HotkeyRegistrationTest, ThePopupHotkeyShowsTheCollectionWithoutChangingIt) {
    struct Popup : CountPopup {
        void PresentCountPopup(const std::u16string&, const std::u16string& collection) override {
            shown.push_back(collection);
        }
        TextBox* OpenTextBox() override { return nullptr; }
        std::vector<std::u16string> shown;
    } popup;
    capture.popup = &popup;
    Settings.taskTray = 1;
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    HotKeyWindowProc(hotkeys, static_cast<std::uintptr_t>(HotkeyId(kModControl | kModShift)));
    EXPECT_EQ(popup.shown.back(), u"A");
    EXPECT_EQ(box.Text(), u"A");
    EXPECT_TRUE(HotKeysRegistered());
    EXPECT_FALSE(timers.IsRunning(TimerId::HotKey));
}

using PasteTest = PasteFixture;

TEST_F(PasteTest, SwapsTheCollectionInInjectsCtrlVAndPutsTheOldTextBack) {
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    Copy(u"B");
    Copy(u"C");
    clipboard.Put(u"before");
    std::optional<std::u16string> clipboardAtPaste;
    bool collectingDuringPaste = true;
    keyboard.onInjection = [&](const std::vector<KeyEvent>& events) {
        if (events == std::vector<KeyEvent>{{kVkV, false}}) {
            clipboardAtPaste = clipboard.Contents();
            collectingDuringPaste = !PasteInProgress;
            EXPECT_FALSE(HotKeysRegistered());  // the injected Ctrl+V must not come back to us
        }
    };

    PressPasteHotkey();

    EXPECT_EQ(clipboardAtPaste, u"A\r\nB\r\nC");
    EXPECT_FALSE(collectingDuringPaste);
    const std::vector<std::vector<KeyEvent>> ctrlV{
        {{kVkControl, false}}, {{kVkV, false}}, {{kVkV, true}}, {{kVkControl, true}}};
    EXPECT_EQ(keyboard.injections, ctrlV);
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_EQ(box.Text(), u"A\r\nB\r\nC");  // only the clear after the paste empties it
    EXPECT_EQ(PasteDone, 1);
    EXPECT_FALSE(PasteInProgress);
    EXPECT_TRUE(HotKeysRegistered());
    EXPECT_FALSE(timers.IsRunning(TimerId::HotKey));
}

TEST_F(PasteTest, OurOwnClipboardWritesAreMarkedForClipboardToolsToIgnore) {
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    clipboard.Put(u"before");
    clipboard.writes.clear();
    PressPasteHotkey();
    ASSERT_EQ(clipboard.writes.size(), 2u);
    EXPECT_EQ(clipboard.writes[0], std::make_pair(std::u16string(u"A"), true));
    EXPECT_EQ(clipboard.writes[1], std::make_pair(std::u16string(u"before"), true));
}

TEST_F(PasteTest, AnImageOnTheClipboardComesBackByteForByte) {
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    const std::string dib("\x28\0\0\0\x02\0\0\0\xff\x00\x7f", 11);
    clipboard.Put(std::nullopt);
    clipboard.PutData(kDibFormat, dib);
    PressPasteHotkey();
    EXPECT_EQ(clipboard.Data(kDibFormat), dib);
    EXPECT_EQ(clipboard.Contents(), std::nullopt);  // and no text appeared beside it
}

TEST_F(PasteTest, AnEmptyClipboardStaysEmpty) {
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    clipboard.Put(std::nullopt);
    PressPasteHotkey();
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    EXPECT_FALSE(clipboard.HasFormat(clipboard.RegisterFormat(u"Clipboard Viewer Ignore")));
}

TEST_F(PasteTest, AClipboardThatCouldNotBeReadGetsNothingBack) {
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    clipboard.Put(u"unreadable");
    clipboard.HoldOpenFor(10);  // exactly the snapshot's ten attempts
    PressPasteHotkey();
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title, u"クリップボードエラー");
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    EXPECT_TRUE(HotKeysRegistered());
}

TEST_F(PasteTest, WithNothingCollectedTheUsersCtrlVPastesTheClipboardItself) {
    RegisterHotKeys(hotkeys);
    clipboard.Put(u"the user's own text");
    clipboard.writes.clear();
    PressPasteHotkey();  // the introduction is still shown
    EXPECT_EQ(keyboard.injections.size(), 4u);
    EXPECT_TRUE(clipboard.writes.empty());
    EXPECT_EQ(clipboard.Contents(), u"the user's own text");
    EXPECT_EQ(PasteDone, 0);

    Copy(u"A");
    ClearCollection(capture);
    clipboard.Put(u"again");
    PressPasteHotkey();
    EXPECT_TRUE(clipboard.writes.empty());
    EXPECT_EQ(keyboard.injections.size(), 8u);
    EXPECT_TRUE(HotKeysRegistered());
}

TEST_F(PasteTest, APressDuringThePasteIsCaughtAndIgnored) {
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    const int pasteId = HotkeyId(kModControl);
    bool caughtAfterInjection = false;
    events.onPump = [&] {
        // The user presses Ctrl+V again: with the hotkey registered, the
        // press reaches us instead of pasting the clipboard into the editor.
        if (PasteDone == 1) caughtAfterInjection = caughtAfterInjection || HotKeysRegistered();
        HotKeyWindowProc(hotkeys, static_cast<std::uintptr_t>(pasteId));
    };
    PressPasteHotkey();
    EXPECT_TRUE(caughtAfterInjection);
    EXPECT_EQ(keyboard.injections.size(), 4u);
    EXPECT_FALSE(timers.IsRunning(TimerId::HotKey));
    events.onPump = nullptr;
    Copy(u"B");
    PressPasteHotkey();  // and the next paste after it works as usual
    EXPECT_EQ(keyboard.injections.size(), 8u);
}

TEST_F(PasteTest, WithDefaultSettingsThePasteEndsWithAnEmptyCollectionAndTheOldClipboard) {
    RegisterHotKeys(hotkeys);
    Copy(u"A");
    Copy(u"B");
    clipboard.Put(u"before");
    KeepPolling();
    PressPasteHotkey();
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_EQ(PasteDone, 0);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(windows.broughtToFront, std::vector<WindowId>{kEditorWindow});
}

TEST_F(PasteTest, APasteKeyOtherThanVStillInjectsCtrlV) {
    Settings.pasteKey = u"Q";
    RegisterHotKeys(hotkeys);
    EXPECT_EQ(keyboard.registered.at(HotkeyId(kModControl)).virtualKey, 0x51u);
    Copy(u"A");
    PressPasteHotkey();
    EXPECT_EQ(keyboard.injections[1], (std::vector<KeyEvent>{{kVkV, false}}));
}

}  // namespace
}  // namespace gleaner
