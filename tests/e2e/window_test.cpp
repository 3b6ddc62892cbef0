// gleaner in its window, as a person meets it: copies made in notepad and in
// another application gathered in order, Ctrl+V in notepad pasting them once
// and giving the clipboard back, a second start sent away, and the window's
// place kept in Conf.txt. Which copies are passed over (repeats, private
// ones, its own), how a paste goes step by step and what the second start's
// box says are the host's to show; that the real marks are read, the Win32
// clipboard test's.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

using EndToEndWindow = EndToEnd;

TEST_F(EndToEndWindow, GathersCopiesPastesThemOnceSendsASecondStartAwayAndKeepsItsPlace) {
    ASSERT_TRUE(Start());
    EXPECT_NE(GetWindowLongW(gleaner_->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not a topmost window";
    ASSERT_TRUE(CopyInNotepad(L"typed in notepad"));
    ASSERT_TRUE(CopyInNotepad(L"日本語のテキスト、二つ目"));
    ASSERT_TRUE(CopyInOtherApp(L"from another application"));
    const std::wstring collection = L"typed in notepad\r\n日本語のテキスト、二つ目\r\nfrom another application";
    ASSERT_TRUE(BoxShows(collection));

    Program second(L"\"" + folder_.File(L"gleaner.exe") + L"\"", folder_.path);
    const HWND box = WaitForMessageBox(second.Id());
    ASSERT_NE(box, nullptr) << "the second start showed no message box";
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitFor("the second start runs after OK", [&] { return second.Running(); }, false));

    // Ctrl+A with gleaner's window activated, without a click into the box.
    ASSERT_TRUE(BringToFront(gleaner_->Window()));
    Press({VK_CONTROL, 'A'});
    const auto all = std::pair<WORD, WORD>(0, static_cast<WORD>(collection.size()));
    EXPECT_TRUE(WaitFor("the selection in the box", [&] { return SelectionOf(box_); }, all));
    ASSERT_TRUE(PressInNotepad('V'));
    Press({VK_CONTROL, 'V'});  // again at once, while the paste is going on
    EXPECT_TRUE(BoxShows(L"")) << "after the erase delay";
    EXPECT_TRUE(ClipboardHolds(L"from another application"));
    EXPECT_TRUE(NotepadShows(collection)) << "once, when all is over";

    SetWindowPos(gleaner_->Window(), nullptr, 240, 180, 520, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    const auto place = [&] { return RectOf(gleaner_->Window()); };
    const std::array<LONG, 4> moved{240, 180, 240 + 520, 180 + 360};
    ASSERT_TRUE(WaitFor("the moved window", place, moved));
    // What Conf.txt holds and how it reads back are the host's to show
    // (ConfFileTest); here the next start stands where this one was left.
    ASSERT_TRUE(gleaner_->Close());
    ASSERT_TRUE(Start());
    EXPECT_TRUE(WaitFor("the window on the next start", place, moved));
}

// Ended abruptly, as by a crash, a second and a half after the last copy:
// the next start shows the collection and Ctrl+V pastes it. Ended by the
// user, it keeps nothing.
TEST_F(EndToEndWindow, KeepsTheCollectionThroughACrashButNothingPastAnExit) {
    ASSERT_TRUE(Start());
    const std::vector<std::wstring> copies{L"東京都千代田区丸の内1-1", L"ID-20261206-0042", L"gather, then paste"};
    for (const auto& copy : copies) ASSERT_TRUE(CopyInOtherApp(copy));
    ASSERT_TRUE(BoxShows(Joined(copies)));
    PumpFor(1500);
    gleaner_.reset();
    ASSERT_TRUE(Start());
    EXPECT_TRUE(BoxShows(Joined(copies)));
    ASSERT_TRUE(PressInNotepad('V'));
    EXPECT_TRUE(NotepadShows(Joined(copies)));
    ASSERT_TRUE(CopyInOtherApp(L"kept a moment"));
    PumpFor(1500);
    const auto kept = [&] { return GetFileAttributesW(folder_.File(L"gleaner\\collection.dat").c_str()) != INVALID_FILE_ATTRIBUTES; };
    EXPECT_TRUE(kept());
    ASSERT_TRUE(gleaner_->Close());
    EXPECT_FALSE(kept());
}

// 一時停止 from the menu bar (fourth on it): a copy meanwhile is not collected
// (that nothing is read is the host's to show), and after the resume the
// same text copied again is. A program listed in its dialog (fifth on the
// menu bar; in another case) copies through its own window, and with no
// owner window while it is in front: neither copy is collected. The same
// program under another name is. Each listed copy is followed by one of
// another application while the listed program still runs and stays in
// front, so that it was looked at.
TEST_F(EndToEndWindow, CollectsNothingWhilePausedNorFromAListedProgramWithOrWithoutItsOwnWindow) {
    for (const wchar_t* name : {L"Listed-Copier.exe", L"other-copier.exe"})
        ASSERT_TRUE(CopyFileW(BuiltCopier().c_str(), folder_.File(name).c_str(), FALSE));
    ASSERT_TRUE(Start());
    ASSERT_TRUE(CopyInOtherApp(L"before"));
    ASSERT_TRUE(BoxShows(L"before"));
    ASSERT_TRUE(PressInGleaner({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}));
    ASSERT_TRUE(WaitFor("the caption", [&] { return TextOf(gleaner_->Window()); }, L"ぐりーなー！ Ver0.76 (一時停止中)"));
    ASSERT_TRUE(CopyInOtherApp(L"meanwhile"));
    ASSERT_TRUE(PressInGleaner({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}));
    ASSERT_TRUE(CopyInOtherApp(L"before"));
    std::vector<std::wstring> collected{L"before", L"before"};
    ASSERT_TRUE(PressInGleaner({VK_F10, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RIGHT, VK_RETURN}));
    const auto dialog = [&] { return FindWindowOf(gleaner_->Id(), L"GleanerProgramListWindow") != nullptr; };
    ASSERT_TRUE(WaitFor("the ignored programs' dialog", dialog, true));
    TypeText(L"LISTED-copier.EXE");
    for (const WORD key : {VK_TAB, VK_SPACE}) Press({key});  // OK
    ASSERT_TRUE(WaitFor("the dialog", dialog, false));
    EXPECT_NE(Contents(folder_.File(L"gleaner.ini")).find("ignore program = LISTED-copier.EXE\r\n"), std::string::npos);
    for (const WPARAM noOwner : {0, 1}) {
        const std::wstring how = noOwner ? L" with no owner" : L" through its window";
        for (const std::wstring name : {L"Listed-Copier.exe", L"other-copier.exe"}) {
            Program copier(L"\"" + folder_.File(name) + L"\" " + name + how, folder_.path);
            ASSERT_TRUE(copier.WaitForWindow(L"GleanerTestCopier"));
            ASSERT_TRUE(BringToFront(copier.Window()));
            ASSERT_EQ(Ask(copier.Window(), WM_APP + 1, noOwner), 1);
            const bool listed = name[0] == L'L';
            collected.push_back(listed ? L"after the listed copy" + how : name + how);
            ASSERT_TRUE(!listed || other_.Copy(collected.back()));
            ASSERT_TRUE(BoxShows(Joined(collected)));
        }
    }
}

// Long copies arrive whole, and a collection of a million characters pastes
// whole.
using EndToEndLarge = EndToEnd;

// The length first: reading a long text across processes again and again
// would slow its owner down while it works.
testing::AssertionResult Holds(HWND window, const std::wstring& text) {
    const auto length = [&] { return Ask(window, WM_GETTEXTLENGTH); };
    const auto sameLength = WaitFor("the length", length, static_cast<LRESULT>(text.size()), 180000);
    return sameLength ? WaitFor("the text", [&] { return TextOf(window); }, text, 0) : sameLength;
}

TEST_F(EndToEndLarge, CarriesLongCopiesAndPastesAMillionCharactersWhole) {
    // No length messages in between: they are not what this is about.
    ASSERT_TRUE(Start({L"limit max = 2000000000", L"limit unit = 0"}));
    std::vector<std::wstring> copies;
    for (int copy = 1; copy <= 5; ++copy) {
        // Numbered lines, so that a lost or doubled piece shows where it
        // happened; not one giant word, which Wine's EDIT takes long to wrap.
        std::wstring text;
        for (int line = 1; text.size() < 200000; ++line) {
            text += L"copy " + std::to_wstring(copy) + L" line " + std::to_wstring(line) + L": the quick brown fox\r\n";
        }
        copies.push_back(text.substr(0, 200000 - 4) + L"END" + std::to_wstring(copy));
        ASSERT_TRUE(CopyInOtherApp(copies.back()));
        ASSERT_TRUE(Holds(box_, Joined(copies))) << "gleaner's box after copy " << copy;
    }
    ASSERT_TRUE(PressInNotepad('V'));
    EXPECT_TRUE(Holds(notepadEdit_, Joined(copies))) << "notepad";
}

}  // namespace
}  // namespace gleaner::e2e
