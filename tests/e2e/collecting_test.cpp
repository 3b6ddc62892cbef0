// Copies made in notepad and in another application end up in gleaner's box
// in order; repeats, private copies and copies out of its own box do not.
#include "scenario.h"

namespace gleaner::e2e {
namespace {

using EndToEndCollecting = EndToEnd;

TEST_F(EndToEndCollecting, GathersWhatIsCopiedElsewhereInOrderButNotRepeatsPrivateCopiesOrItsOwn) {
    ASSERT_TRUE(Start());
    const std::wstring introduction = TextOf(box_).value_or(L"");
    EXPECT_TRUE(!introduction.empty() && introduction.find(kAtStart) == std::wstring::npos) << Describe(introduction);

    // Copies text in the other application (or notepad) and waits until the
    // box shows it collected after all before.
    std::vector<std::wstring> collected;
    constexpr bool kInNotepad = true;
    const auto collects = [&](const std::wstring& text, bool inNotepad = false) {
        auto copied = inNotepad ? CopyInNotepad(text) : CopyInOtherApp(text);
        collected.push_back(text);
        return copied ? BoxShows(Joined(collected)) : copied;
    };
    const std::wstring longCopy = std::wstring(1234, L'x').replace(0, 20, L"a longer copy, then ");
    ASSERT_TRUE(collects(L"short"));
    ASSERT_TRUE(collects(longCopy));
    // 5 + CR LF + 1,234
    EXPECT_TRUE(WaitFor("the tooltip over the box", [&] { return gleaner_->TooltipText(box_); }, L"1,241文字"));

    ASSERT_TRUE(CopyInOtherApp(longCopy)) << "the same again";
    ASSERT_TRUE(collects(L"typed in notepad", kInNotepad));
    ASSERT_TRUE(CopyInNotepad(L"typed in notepad")) << "the same again";
    ASSERT_TRUE(collects(L"日本語のテキスト、二つ目", kInNotepad));
    for (const wchar_t* text : {L"ping", L"pong", L"ping"}) ASSERT_TRUE(collects(text));
    ASSERT_TRUE(CopyInOtherApp(L"a password", {L"Clipboard Viewer Ignore"}));

    // Into gleaner's box, the first line selected, Ctrl+C.
    const auto [left, top, right, bottom] = RectOf(box_);
    const auto selectFirstLine = [&] {
        (void)BringToFront(gleaner_->Window());
        ClickAt({(left + right) / 2, (top + bottom) / 2});
        Press({VK_CONTROL, VK_HOME});
        Press({VK_SHIFT, VK_END});
    };
    ASSERT_TRUE(Retried("the selection in the box", selectFirstLine, [&] { return SelectionOf(box_); },
                        std::pair<WORD, WORD>(0, 5)));
    ASSERT_TRUE(Retried("the clipboard", [] { Press({VK_CONTROL, 'C'}); }, [&] { return other_.ClipboardText(); },
                        L"short"));

    // The next ordinary copy shows that the repeats, the private copy and the
    // copy out of the box were passed over.
    EXPECT_TRUE(collects(L"the last copy"));
    EXPECT_NE(GetWindowLongW(gleaner_->Window(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0) << "not a topmost window";
}

}  // namespace
}  // namespace gleaner::e2e
