// Ctrl+A selects the whole collection while gleaner's window is in front,
// and does nothing of gleaner's own while another application is.
#include <gtest/gtest.h>

#include <algorithm>

#include "injected_keys.h"
#include "keyboard_mouse.h"
#include "paste_fixture.h"
#include "polling.h"
#include "window_activation.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

struct Selection {
    DWORD start = 0;
    DWORD end = 0;
    bool operator==(const Selection&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Selection& selection) {
    return out << "(" << selection.start << ", " << selection.end << ")";
}

// EM_GETSEL answered in its result, so it works across processes (for
// texts shorter than 65,536 characters).
Selection SelectionOf(HWND edit) {
    DWORD_PTR packed = 0;
    SendMessageTimeoutW(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, kShortWaitMs, &packed);
    return {LOWORD(packed), HIWORD(packed)};
}

void Select(HWND edit, Selection selection) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(edit, EM_SETSEL, selection.start, selection.end, SMTO_ABORTIFHUNG, kShortWaitMs, &ignored);
}

bool Contains(const std::vector<DWORD>& keys, DWORD key) { return std::find(keys.begin(), keys.end(), key) != keys.end(); }

const std::vector<std::wstring> kCopies = {L"first copy", L"second copy", L"third copy"};

class EndToEndSelectAll : public EndToEndPasteTest {
protected:
    // Collects kCopies and selects a few characters in the middle of them.
    void CollectAndSelectPart() {
        for (const auto& text : kCopies) ASSERT_TRUE(CopyInOtherApplication(text));
        ASSERT_TRUE(CollectionIs(collection_));
        Select(gleaner_->Box(), kPartial);
        ASSERT_EQ(SelectionOf(gleaner_->Box()), kPartial);
    }

    testing::AssertionResult CtrlASelectsEverything() {
        PressCtrl('A');
        const Selection whole{0, static_cast<DWORD>(collection_.size())};
        if (!WaitUntil([&] { return SelectionOf(gleaner_->Box()) == whole; })) {
            return testing::AssertionFailure() << "the box's selection is " << SelectionOf(gleaner_->Box())
                                               << " instead of " << whole;
        }
        if (auto same = CollectionIs(collection_); !same) return same << " (selecting changed the text)";
        return testing::AssertionSuccess();
    }

    static constexpr Selection kPartial{3, 8};
    const std::wstring collection_ = Joined(kCopies);
};

TEST_F(EndToEndSelectAll, WithGleanersWindowInFrontSelectsTheWholeCollectionAfterAClickIntoIt) {
    ASSERT_NO_FATAL_FAILURE(CollectAndSelectPart());
    ASSERT_TRUE(BringToFront(gleaner_->MainWindow()));
    RECT box{};
    ASSERT_TRUE(GetWindowRect(gleaner_->Box(), &box));
    ClickAt({(box.left + box.right) / 2, (box.top + box.bottom) / 2});
    ASSERT_TRUE(WaitUntil([&] { return FocusInThreadOf(gleaner_->MainWindow()) == gleaner_->Box(); }))
        << "a click into the box did not give it the keyboard focus";
    EXPECT_TRUE(CtrlASelectsEverything());
}

// Activated the way Alt+Tab or a click on the title bar does it, without a
// click into the box.
TEST_F(EndToEndSelectAll, WithGleanersWindowInFrontSelectsTheWholeCollectionWhenTheWindowWasActivated) {
    ASSERT_NO_FATAL_FAILURE(CollectAndSelectPart());
    ASSERT_TRUE(BringToFront(gleaner_->MainWindow()));
    EXPECT_TRUE(CtrlASelectsEverything());
}

TEST_F(EndToEndSelectAll, WithNotepadInFrontInjectsNothing) {
    ASSERT_NO_FATAL_FAILURE(CollectAndSelectPart());
    const std::wstring typed = L"notepad's own text";
    ASSERT_TRUE(notepad_->TypeOver(typed)) << notepad_->Problem();

    InjectedKeyWatch watch;
    ASSERT_TRUE(watch.Started()) << "no low-level keyboard hook";
    ASSERT_TRUE(PressCtrlInNotepad('A'));
    // gleaner looks at the keyboard every 10 ms; anything it injected would
    // have arrived well within this.
    PumpFor(500);

    const std::vector<DWORD> keys = watch.PressedKeys();
    ASSERT_TRUE(Contains(keys, 'A')) << "the hook did not even see our own Ctrl+A";
    for (DWORD key : keys) {
        EXPECT_TRUE(key == VK_CONTROL || key == VK_LCONTROL || key == 'A')
            << "a key other than our Ctrl+A was injected: virtual key " << key;
    }
    EXPECT_EQ(SelectionOf(gleaner_->Box()), kPartial) << "gleaner's selection changed";
    EXPECT_TRUE(CollectionIs(collection_));
    EXPECT_TRUE(NotepadShows(typed)) << "notepad's text changed";
    HWND edit = FindWindowExW(notepad_->Window(), nullptr, L"Edit", nullptr);
    EXPECT_EQ(SelectionOf(edit), (Selection{0, static_cast<DWORD>(typed.size())}))
        << "notepad's own Ctrl+A selects its whole text";
}

}  // namespace
}  // namespace gleaner::e2e
