// Ctrl+V in notepad pastes the whole collection there, gives the clipboard
// back and empties the collection; Conf.txt can change the joining, the key
// and have gleaner ask first.
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

TEST_F(EndToEndPaste, JoinsPastesAndAsksAsConfTxtSays) {
    ASSERT_TRUE(Start({L"separator = ; ", L"paste key = Q", L"no confirm = 0"}));
    for (const wchar_t* text : {L"A", L"B", L"C"}) ASSERT_TRUE(CopyInNotepad(text));
    ASSERT_TRUE(BoxShows(L"A; B; C"));
    ASSERT_TRUE(PressInNotepad('V'));
    EXPECT_TRUE(NotepadShows(L"C")) << "Ctrl+V is an ordinary paste";

    for (int answer : {IDNO, IDYES}) {
        // Away from the screen's top and left edges, where the question
        // would stand beside the pointer instead.
        SetCursorPos(1100, 700);
        ASSERT_TRUE(PressInNotepad('Q'));
        EXPECT_TRUE(NotepadShows(L"A; B; C"));
        const MessageBoxView question = WaitForMessageBox(gleaner_->Id());
        ASSERT_NE(question.window, nullptr) << "no question";
        EXPECT_EQ(question.title, L"クリア確認");
        EXPECT_EQ(question.text, L"クリップボード／表示をクリアしますか？");
        EXPECT_EQ(question.buttons, (std::vector<int>{IDYES, IDNO}));
        const auto lowerRight = [&] { return std::pair(RectOf(question.window)[2], RectOf(question.window)[3]); };
        EXPECT_TRUE(WaitFor("the question's lower right corner", lowerRight, std::pair(1100L, 700L)));
        Answer(question, answer);
        ASSERT_TRUE(WaitFor("the question is open", [&] { return IsWindow(question.window) != FALSE; }, false));
        EXPECT_TRUE(BoxShows(answer == IDNO ? L"A; B; C" : L""));
        EXPECT_TRUE(ClipboardHolds(L"C"));
    }
}

}  // namespace
}  // namespace gleaner::e2e
