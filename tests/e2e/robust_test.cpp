// No copy is lost: not to copies in quick succession, not to copying or
// logging off during a paste.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

using EndToEndRobust = EndToEnd;

TEST_F(EndToEndRobust, CollectsEveryCopyHoweverFast) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(BringToFront(other_.Window()));
    // An application that copies every 5 ms: each copy lives on the
    // clipboard only until the next one replaces it.
    auto copies = Burst(L"rapid copy", 1000, 5);
    EXPECT_TRUE(BoxShows(Joined(copies)));

    // Ctrl+V pressed as a burst ends pastes every copy made before it, shown
    // yet or not; what comes after starts the next collection.
    ASSERT_TRUE(TypeInNotepad(L""));
    for (const auto& copy : Burst(L"before", 300, 5)) copies.push_back(copy);
    Press({VK_CONTROL, 'V'});
    EXPECT_TRUE(NotepadShows(Joined(copies)));
    const auto after = Burst(L"after", 300, 5);
    EXPECT_TRUE(BoxShows(Joined(after)));
}

// Copies made while "クリア確認" waits for its answer: kept, in order, the
// newest on the clipboard. Answered Yes here; the host shows both answers and
// the question's words (PasteTest), closing during a paste, and クリア with
// copies not shown yet (AppTest). An application that holds the clipboard
// open for half a second right after it copies is waited for, with no box.
// Logging off while the question is open, with a copy waiting that takes the
// collection past "limit max": Windows ends the process as soon as
// WM_ENDSESSION returns, so neither message may wait on a box, and Conf.txt
// and the collection must be on disk by then; the next start shows the
// collection, the copy that waited included.
TEST_F(EndToEndRobust, APasteNeverCostsTheUserAClipboardOrACopyNorDoesAClipboardHeldOpenOrLoggingOff) {
    ASSERT_TRUE(Start({L"no confirm = 0", L"limit max = 100"}));
    ASSERT_TRUE(BringToFront(other_.Window()));
    std::vector<std::wstring> held;
    for (int i = 1; i <= 5; ++i) {
        held.push_back(L"held open " + std::to_wstring(i));
        ASSERT_TRUE(other_.OnThread([&] { return PutText(other_.Window(), held.back(), 500); }));
        PumpFor(300);  // then it leaves the copy there for a moment, as a person would
    }
    EXPECT_TRUE(BoxShows(Joined(held)));
    EXPECT_EQ(FindWindowOf(gleaner_->Id(), L"#32770"), nullptr) << "a box";

    // Away from the screen's top and left edges, where the question would
    // stand beside the pointer instead.
    SetCursorPos(1100, 700);
    ASSERT_TRUE(PressInNotepad('V'));
    const HWND question = WaitForMessageBox(gleaner_->Id());
    ASSERT_NE(question, nullptr) << "no question";
    const auto lowerRight = [&] { return std::pair(RectOf(question)[2], RectOf(question)[3]); };
    EXPECT_TRUE(WaitFor("the question's lower right corner", lowerRight, std::pair(1100L, 700L)));
    ASSERT_TRUE(CopyInOtherApp(L"X"));
    ASSERT_TRUE(ClipboardHolds(L"X"));
    ASSERT_TRUE(CopyInOtherApp(L"Y"));
    PostMessageW(GetDlgItem(question, IDYES), BM_CLICK, 0, 0);
    EXPECT_TRUE(ClipboardHolds(L"Y")) << "the paste must not put the older text back over it";
    EXPECT_TRUE(BoxShows(L"X\r\nY")) << "what came before the question cleared, what came during it kept";

    ASSERT_TRUE(PressInNotepad('V'));
    ASSERT_NE(WaitForMessageBox(gleaner_->Id()), nullptr) << "no question";
    ASSERT_TRUE(CopyInOtherApp(std::wstring(100, L'x')));
    const std::wstring conf = folder_.File(L"Conf.txt");
    DeleteFileW(conf.c_str());
    EXPECT_TRUE(Ask(gleaner_->Window(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, 5000)) << "timed out";
    EXPECT_TRUE(Ask(gleaner_->Window(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, 5000)) << "timed out";
    EXPECT_EQ(std::ranges::count(Contents(conf), '\n'), 19) << "Conf.txt when WM_ENDSESSION returned";
    EXPECT_NE(Contents(folder_.File(L"gleaner\\collection.dat")), "") << "the collection kept by then";
    gleaner_.reset();  // as Windows would end it
    ASSERT_TRUE(Start());
    EXPECT_TRUE(BoxShows(L"X\r\nY\r\n" + std::wstring(100, L'x')));
}

}  // namespace
}  // namespace gleaner::e2e
