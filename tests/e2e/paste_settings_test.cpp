// The settings in Conf.txt that shape a paste: the separator, the paste key,
// whether the collection is emptied afterwards and whether gleaner asks first.
#include <gtest/gtest.h>

#include "message_box.h"
#include "paste_fixture.h"
#include "polling.h"
#include "readable_text.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

using EndToEndPasteSettings = EndToEndPasteTest;

const std::vector<std::wstring> kCopies = {L"A", L"B", L"C"};
const std::wstring kCollection = L"A\r\nB\r\nC";

constexpr wchar_t kConfirmTitle[] = L"クリア確認";
constexpr wchar_t kConfirmText[] = L"クリップボード／表示をクリアしますか？";

// Where the confirmation's top left corner belongs: its lower right corner
// at the pointer, unless that would push it off the screen's left or top
// edge, where its left or top edge is at the pointer instead.
POINT ConfirmationTopLeft(const RECT& box, POINT pointer) {
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    return {pointer.x - width >= 0 ? pointer.x - width : pointer.x,
            pointer.y - height >= 0 ? pointer.y - height : pointer.y};
}

// Waits for the confirmation and checks what it says and where it stands.
testing::AssertionResult ConfirmationAppearsAtThePointer(DWORD pid, HWND* box) {
    const MessageBoxView view = WaitForMessageBox(pid, kLongWaitMs);
    *box = view.window;
    if (view.window == nullptr) return testing::AssertionFailure() << "no confirmation appeared";
    if (view.title != kConfirmTitle || view.text != kConfirmText) {
        return testing::AssertionFailure() << "a box titled \"" << Utf8(view.title) << "\" saying \""
                                           << Utf8(view.text) << "\" appeared";
    }
    if (view.buttonIds != std::vector<int>{IDYES, IDNO}) {
        return testing::AssertionFailure() << "the confirmation does not offer exactly Yes and No";
    }
    POINT pointer{};
    RECT rect{};
    GetCursorPos(&pointer);
    // The box is moved to the pointer as it comes up; give that a moment.
    POINT expected{};
    const bool placed = WaitUntil([&] {
        if (!GetWindowRect(view.window, &rect)) return false;
        expected = ConfirmationTopLeft(rect, pointer);
        return rect.left == expected.x && rect.top == expected.y;
    });
    if (placed) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "the confirmation is at (" << rect.left << "," << rect.top << ")-("
                                       << rect.right << "," << rect.bottom << "), the pointer at (" << pointer.x
                                       << "," << pointer.y << "): expected its top left at (" << expected.x << ","
                                       << expected.y << ")";
}

TEST_F(EndToEndPasteSettings, SeparatorNothingJoinsTheCopiesDirectly) {
    ASSERT_TRUE(RestartWithSettings({L"separator = 無し"}));
    ASSERT_TRUE(CopyInNotepad(kCopies, L""));
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"ABC"));
    EXPECT_TRUE(CollectionIs(L""));
}

TEST_F(EndToEndPasteSettings, AFreeTextSeparatorJoinsTheCopiesWithItsLeadingBlanksDropped) {
    // The value after "= " reads as "; ": the blank after "=" is dropped,
    // the one after ";" is kept.
    ASSERT_TRUE(RestartWithSettings({L"separator = ; "}));
    ASSERT_TRUE(CopyInNotepad(kCopies, L"; "));
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"A; B; C"));
    EXPECT_TRUE(CollectionIs(L""));
}

TEST_F(EndToEndPasteSettings, PasteKeyQMakesCtrlQPasteTheCollectionAndLeavesCtrlVAlone) {
    ASSERT_TRUE(RestartWithSettings({L"paste key = Q"}));
    ASSERT_TRUE(CopyInNotepad(kCopies));

    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"C")) << "Ctrl+V pastes the clipboard's own text";
    EXPECT_TRUE(CollectionIs(kCollection));

    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('Q'));
    EXPECT_TRUE(NotepadShows(kCollection)) << "Ctrl+Q pastes the collection";
    EXPECT_TRUE(CollectionIs(L""));
    EXPECT_TRUE(ClipboardHolds(L"C"));
}

TEST_F(EndToEndPasteSettings, CtrlvInitZeroKeepsTheCollectionAfterThePaste) {
    ASSERT_TRUE(RestartWithSettings({L"ctrlv init = 0"}));
    ASSERT_TRUE(CopyInNotepad(kCopies));
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    ASSERT_TRUE(NotepadShows(kCollection));
    ASSERT_TRUE(ClipboardHolds(L"C"));
    // A clear would come "erase delay" (500 ms) after the paste; wait well
    // past that before looking.
    PumpFor(1500);
    EXPECT_TRUE(CollectionIs(kCollection));

    // And the kept collection pastes again.
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    EXPECT_TRUE(NotepadShows(kCollection));
    EXPECT_TRUE(ClipboardHolds(L"C"));
    EXPECT_TRUE(CollectionIs(kCollection));
}

TEST_F(EndToEndPasteSettings, NoConfirmZeroAsksAtThePointerAndNoKeepsTheCollectionYesEmptiesIt) {
    ASSERT_TRUE(RestartWithSettings({L"no confirm = 0"}));
    ASSERT_TRUE(CopyInNotepad(kCopies));
    ASSERT_TRUE(EmptyNotepad());
    // Somewhere in the middle of the screen, away from the edges.
    ASSERT_TRUE(SetCursorPos(1100, 700));
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    ASSERT_TRUE(NotepadShows(kCollection));

    HWND box = nullptr;
    EXPECT_TRUE(ConfirmationAppearsAtThePointer(gleaner_->Id(), &box));
    ASSERT_NE(box, nullptr);
    PressButton(box, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the confirmation did not close";
    // The paste ends by giving the clipboard back, after the question.
    ASSERT_TRUE(ClipboardHolds(L"C"));
    EXPECT_TRUE(CollectionIs(kCollection)) << "after answering No";

    // Near the top left corner the box cannot end at the pointer.
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(SetCursorPos(40, 30));
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    ASSERT_TRUE(NotepadShows(kCollection));
    EXPECT_TRUE(ConfirmationAppearsAtThePointer(gleaner_->Id(), &box));
    ASSERT_NE(box, nullptr);
    PressButton(box, IDYES);
    EXPECT_TRUE(CollectionIs(L"")) << "after answering Yes";
    EXPECT_TRUE(ClipboardHolds(L"C"));
}

}  // namespace
}  // namespace gleaner::e2e
