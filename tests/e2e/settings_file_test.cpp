// Conf.txt beside gleaner.exe keeps the window where the user left it; and
// only one gleaner runs at a time.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

using EndToEndConfAndSingleInstance = EndToEnd;

TEST_F(EndToEndConfAndSingleInstance, KeepsTheWindowInConfTxtAndSendsASecondStartAway) {
    ASSERT_TRUE(Start());
    ASSERT_TRUE(CopyInOtherApp(L"before the second start"));
    ASSERT_TRUE(BoxShows(L"before the second start"));

    Program second(L"\"" + folder_.File(L"gleaner.exe") + L"\"", folder_.path);
    const MessageBoxView box = WaitForMessageBox(second.Id());
    ASSERT_NE(box.window, nullptr) << "the second start showed no message box";
    EXPECT_EQ(box.title, L"起動中！");
    EXPECT_EQ(box.text, L"ぐりーなー！(gleaner) は既に起動中です！");
    EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
    EXPECT_EQ(FindWindowOf(second.Id(), kMainWindowClass), nullptr) << "the second start opened a main window";
    Answer(box, IDOK);
    EXPECT_TRUE(WaitFor("the second start runs after OK", [&] { return second.Running(); }, false));
    ASSERT_TRUE(CopyInOtherApp(L"after it"));
    EXPECT_TRUE(BoxShows(L"before the second start\r\nafter it"));

    const std::array<LONG, 4> moved{240, 180, 240 + 520, 180 + 360};
    SetWindowPos(gleaner_->Window(), nullptr, 240, 180, 520, 360, SWP_NOZORDER | SWP_NOACTIVATE);
    const auto place = [&] { return RectOf(gleaner_->Window()); };
    ASSERT_TRUE(WaitFor("the moved window", place, moved));
    ASSERT_TRUE(gleaner_->Close());

    const auto lines = ReadConf(folder_.File(L"Conf.txt"));
    ASSERT_TRUE(lines.has_value()) << "Conf.txt is not CR LF lines in code page 932";
    ASSERT_EQ(lines->size(), 19u);
    const UINT dpi = GetDpiForSystem();
    const auto twips = [&](int pixels) { return std::to_wstring(MulDiv(pixels, 1440, dpi)); };
    const std::vector<std::wstring> geometry{L"form left = " + twips(240), L"form top = " + twips(180),
                                             L"form width = " + twips(520), L"form height = " + twips(360)};
    EXPECT_EQ(std::vector(lines->begin(), lines->begin() + 4), geometry);

    ASSERT_TRUE(Start());
    EXPECT_TRUE(WaitFor("the window on the next start", place, moved));
}

}  // namespace
}  // namespace gleaner::e2e
