// gleaner in its window, as a person meets it: copies made in notepad and in
// another application gathered in order, Ctrl+V in notepad pasting them once
// and giving the clipboard back, a second start sent away, and the window's
// place kept in Conf.txt. Which copies are passed over (repeats, private
// ones, its own) and how a paste goes step by step are the host's to show;
// a private copy here only shows that the real mark is read.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

using EndToEndWindow = EndToEnd;

TEST_F(EndToEndWindow, GathersCopiesPastesThemOnceSendsASecondStartAwayAndKeepsItsPlace) {
    ASSERT_TRUE(Start());
    EXPECT_NE(GetWindowLongW(gleaner_->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not a topmost window";
    ASSERT_TRUE(CopyInNotepad(L"typed in notepad"));
    ASSERT_TRUE(CopyInNotepad(L"日本語のテキスト、二つ目"));
    ASSERT_TRUE(CopyInOtherApp(L"a password", {L"Clipboard Viewer Ignore"}));
    ASSERT_TRUE(CopyInOtherApp(L"from another application"));
    const std::wstring collection = L"typed in notepad\r\n日本語のテキスト、二つ目\r\nfrom another application";
    ASSERT_TRUE(BoxShows(collection));

    Program second(L"\"" + folder_.File(L"gleaner.exe") + L"\"", folder_.path);
    const MessageBoxView box = WaitForMessageBox(second.Id());
    ASSERT_NE(box.window, nullptr) << "the second start showed no message box";
    EXPECT_EQ(box.title + L"|" + box.text, L"起動中！|ぐりーなー！(gleaner) は既に起動中です！");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(FindWindowOf(second.Id(), kMainWindowClass), nullptr) << "the second start opened a main window";
    Answer(box, IDOK);
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
    ASSERT_TRUE(gleaner_->Close());
    const auto lines = ReadConf(folder_.File(L"Conf.txt"));
    ASSERT_EQ(lines.size(), 19u) << "Conf.txt is not nineteen CR LF lines in code page 932";
    const auto twips = [](int pixels) { return std::to_wstring(MulDiv(pixels, 1440, GetDpiForSystem())); };
    EXPECT_EQ(std::vector(lines.begin(), lines.begin() + 4),
              (std::vector<std::wstring>{L"form left = " + twips(240), L"form top = " + twips(180),
                                         L"form width = " + twips(520), L"form height = " + twips(360)}));
    ASSERT_TRUE(Start());
    EXPECT_TRUE(WaitFor("the window on the next start", place, moved));
}

}  // namespace
}  // namespace gleaner::e2e
