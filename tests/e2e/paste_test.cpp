// Ctrl+V in notepad pastes the whole collection there, gives the clipboard
// back and empties the collection. Another joining and key, set in the
// settings dialog, are EndToEndSettings'; the question before the clear is
// EndToEndRobust's.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

using EndToEndPaste = EndToEnd;

constexpr wchar_t kCollection[] = L"A\r\nB\r\nC";

TEST_F(EndToEndPaste, PastesTheCollectionOnceThenEmptiesItAndGivesTheClipboardBack) {
    ASSERT_TRUE(Start());
    for (const wchar_t* text : {L"A", L"B", L"C"}) ASSERT_TRUE(CopyInNotepad(text));
    ASSERT_TRUE(BoxShows(kCollection));

    // Ctrl+A with gleaner's window activated, without a click into the box.
    ASSERT_TRUE(BringToFront(gleaner_->Window()));
    Press({VK_CONTROL, 'A'});
    EXPECT_TRUE(WaitFor("the selection in the box", [&] { return SelectionOf(box_); },
                        std::pair<WORD, WORD>(0, 7)));
    ASSERT_TRUE(PressInNotepad('V'));
    Press({VK_CONTROL, 'V'});  // again at once, while the paste is going on
    EXPECT_TRUE(BoxShows(L"")) << "after the erase delay";
    EXPECT_TRUE(ClipboardHolds(L"C"));
    EXPECT_TRUE(NotepadShows(kCollection)) << "once, when all is over";

    ASSERT_TRUE(PressInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"C")) << "with nothing collected, the clipboard's own text";
}

}  // namespace
}  // namespace gleaner::e2e
