// Long copies arrive whole, and a collection of a million characters pastes
// whole.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

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
    EXPECT_TRUE(Holds(box_, L"")) << "gleaner's box after the paste";
}

}  // namespace
}  // namespace gleaner::e2e
