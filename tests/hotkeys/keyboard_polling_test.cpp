#include <gtest/gtest.h>

#include "hotkeys/key_injection.h"
#include "hotkeys/paste_fixture.h"

namespace gleaner {
namespace {

class ClearAfterPasteTest : public PasteFixture {
protected:
    ClearAfterPasteTest() {
        RegisterHotKeys(hotkeys);
        Copy(u"A");
        Copy(u"B");
        clipboard.Put(u"before");
        KeepPolling();
    }
    int Questions() const {
        int count = 0;
        for (const auto& shown : messages.shown) count += shown.title == u"クリア確認";
        return count;
    }
};

TEST_F(ClearAfterPasteTest, AsksAtThePointerWhenConfirmationIsOnAndNoKeepsTheCollection) {
    Settings.noConfirm = 0;
    messages.answers = {MessageAnswer::No};
    PressPasteHotkey();
    ASSERT_EQ(Questions(), 1);
    EXPECT_EQ(messages.shown[0].text, u"クリップボード／表示をクリアしますか？");
    EXPECT_EQ(messages.shown[0].placement, MessagePlacement::AtPointer);
    EXPECT_EQ(box.Text(), u"A\r\nB");
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_EQ(PasteDone, 0);
}

TEST_F(ClearAfterPasteTest, AYesEmptiesTheCollectionAndTheForegroundGoesBack) {
    Settings.noConfirm = 0;
    messages.answers = {MessageAnswer::Yes};
    messages.whileOpen = [this] { windows.foreground = kMainWindow; };  // the box took the focus
    PressPasteHotkey();
    EXPECT_EQ(Questions(), 1);
    EXPECT_EQ(box.Text(), u"");
    EXPECT_EQ(windows.foreground, kEditorWindow);
}

TEST_F(ClearAfterPasteTest, TicksDoNotOverlapSoThereIsOneQuestionPerPaste) {
    Settings.noConfirm = 0;
    Settings.eraseDelay = 300;
    messages.whileOpen = [this] { OnKeyTimerTick(polling); };
    PressPasteHotkey();
    EXPECT_EQ(Questions(), 1);
}

TEST_F(ClearAfterPasteTest, WaitsTheEraseDelayBeforeClearing) {
    Settings.eraseDelay = 1000;
    int slices = 0;
    int pasted = 0;
    int cleared = 0;
    events.onPump = [&] {
        ++slices;
        if (PasteDone == 1 && pasted == 0) pasted = slices;
        OnKeyTimerTick(polling);
        if (box.Length() == 0 && cleared == 0) cleared = slices;
    };
    PressPasteHotkey();
    EXPECT_EQ(box.Text(), u"");
    ASSERT_GT(pasted, 0);
    EXPECT_GE(cleared - pasted, 100);  // a hundred 10 ms slices
}

TEST_F(ClearAfterPasteTest, CtrlvInitOffLeavesTheCollection) {
    Settings.ctrlvInit = 0;
    PressPasteHotkey();
    EXPECT_EQ(box.Text(), u"A\r\nB");
    EXPECT_EQ(PasteDone, 0);
}

TEST_F(ClearAfterPasteTest, NothingIsClearedWhenTheClipboardLostItsText) {
    PasteDone = 1;
    clipboard.Put(std::nullopt);
    OnKeyTimerTick(polling);
    EXPECT_EQ(box.Text(), u"A\r\nB");
    EXPECT_EQ(PasteDone, 0);
}

using SelectAllTest = PasteFixture;

TEST_F(SelectAllTest, CtrlAInTheMainWindowSelectsTheWholeCollection) {
    keyboard.held = {kVkControl, kVkA};
    windows.foreground = kMainWindow;
    OnKeyTimerTick(polling);
    const std::vector<std::vector<KeyEvent>> expected{
        {{kVkControl, false}}, {{kVkHome, false}}, {{kVkHome, true}}, {{kVkShift, false}},
        {{kVkEnd, false}},     {{kVkEnd, true}},   {{kVkControl, true}}, {{kVkShift, true}}};
    EXPECT_EQ(keyboard.injections, expected);
}

TEST_F(SelectAllTest, CtrlAElsewhereOrAloneInjectsNothing) {
    keyboard.held = {kVkControl, kVkA};
    windows.foreground = kEditorWindow;
    OnKeyTimerTick(polling);
    keyboard.held = {kVkA};
    windows.foreground = kMainWindow;
    OnKeyTimerTick(polling);
    EXPECT_TRUE(keyboard.injections.empty());
}

TEST(PlaceBoxAtPointer, PutsTheLowerRightCornerAtThePointerUnlessTheBoxWouldLeaveTheScreen) {
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {800, 600}), (Point{500, 480}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {100, 600}), (Point{100, 480}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {800, 50}), (Point{500, 50}));
    EXPECT_EQ(PlaceBoxAtPointer(300, 120, {300, 120}), (Point{0, 0}));
}

}  // namespace
}  // namespace gleaner
