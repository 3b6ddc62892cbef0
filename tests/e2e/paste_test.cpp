// Ctrl+V in the application the user works in pastes the whole collection
// there, gives the clipboard back, and (by default) empties the collection.
#include <gtest/gtest.h>

#include "clipboard_image.h"
#include "keyboard_mouse.h"
#include "paste_fixture.h"
#include "polling.h"
#include "window_activation.h"

namespace gleaner::e2e {
namespace {

using EndToEndPaste = EndToEndPasteTest;

const std::vector<std::wstring> kCopies = {L"A", L"B", L"C"};
const std::wstring kCollection = L"A\r\nB\r\nC";

std::size_t CountOf(const std::wstring& text, const std::wstring& part) {
    std::size_t count = 0;
    for (std::size_t at = text.find(part); at != std::wstring::npos; at = text.find(part, at + part.size())) ++count;
    return count;
}

TEST_F(EndToEndPaste, PutsTheCollectionIntoNotepadOnceThenEmptiesItAndGivesTheClipboardBack) {
    ASSERT_TRUE(CopyInNotepad(kCopies));
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));

    EXPECT_TRUE(NotepadShows(kCollection));
    // About "erase delay" after the paste.
    EXPECT_TRUE(CollectionIs(L""));
    EXPECT_TRUE(ClipboardHolds(L"C"));
    // The paste is over by now: still exactly one copy of the collection.
    EXPECT_TRUE(NotepadShows(kCollection));
}

TEST_F(EndToEndPaste, GivesBackAPictureCopiedJustBeforeByteForByte) {
    ASSERT_TRUE(CopyInNotepad(kCopies));
    // Another application copies a picture: nothing to collect.
    const std::vector<BYTE> picture = PatternedDib(13, 7);
    ASSERT_TRUE(BringToFront(other_.Window()));
    ASSERT_TRUE(PutClipboardDib(other_.Window(), picture));
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));

    EXPECT_TRUE(NotepadShows(kCollection));
    std::optional<std::vector<BYTE>> held;
    EXPECT_TRUE(WaitUntil([&] { return (held = ReadClipboardDib(other_.Window())) == picture; }, kLongWaitMs, 50))
        << (held ? "the clipboard holds a different picture of " + std::to_string(held->size()) + " bytes instead of " +
                       std::to_string(picture.size())
                 : std::string("the clipboard holds no picture"));
}

TEST_F(EndToEndPaste, LetsCtrlVPasteTheClipboardTextOnceTheCollectionIsEmpty) {
    ASSERT_TRUE(CopyInNotepad(kCopies));
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    ASSERT_TRUE(NotepadShows(kCollection));
    ASSERT_TRUE(CollectionIs(L""));
    ASSERT_TRUE(ClipboardHolds(L"C"));

    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"C"));
    EXPECT_TRUE(CollectionIs(L""));
}

TEST_F(EndToEndPaste, LetsCtrlVPasteTheClipboardTextWhileTheIntroductionShows) {
    const auto introduction = gleaner_->BoxText();
    ASSERT_TRUE(introduction.has_value());
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    EXPECT_TRUE(NotepadShows(kTextOnClipboardAtStart));
    EXPECT_TRUE(CollectionIs(*introduction));
}

TEST_F(EndToEndPaste, DoesNotPasteASecondTimeWhenCtrlVIsPressedAgainDuringThePaste) {
    ASSERT_TRUE(CopyInNotepad(kCopies));
    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    PressCtrl('V');  // at once, while the first paste is still going on

    ASSERT_TRUE(CollectionIs(L""));
    ASSERT_TRUE(ClipboardHolds(L"C"));
    const auto text = notepad_->Text();
    ASSERT_TRUE(text.has_value());
    EXPECT_EQ(CountOf(*text, kCollection), 1u) << "notepad holds " << testing::PrintToString(*text);
    EXPECT_EQ(text->substr(0, kCollection.size()), kCollection);
}

}  // namespace
}  // namespace gleaner::e2e
