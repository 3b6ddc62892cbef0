#include "paste_fixture.h"

#include "keyboard_mouse.h"
#include "polling.h"
#include "prepared_conf.h"
#include "readable_text.h"
#include "window_activation.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

// The length first: reading a long text across processes again and again
// would slow its owner down while it works.
bool HasLength(HWND window, std::size_t length) {
    DWORD_PTR current = 0;
    return SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kShortWaitMs, &current) &&
           current == length;
}

}  // namespace

std::wstring JoinedBy(const std::vector<std::wstring>& copies, const std::wstring& separator) {
    std::wstring joined;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        if (i != 0) joined += separator;
        joined += copies[i];
    }
    return joined;
}

void EndToEndPasteTest::SetUp() {
    EndToEndTest::SetUp();
    if (HasFatalFailure()) return;
    notepad_ = std::make_unique<Notepad>();
    ASSERT_TRUE(notepad_->Started()) << notepad_->Problem();
}

void EndToEndPasteTest::TearDown() {
    if (notepad_) {
        EXPECT_TRUE(notepad_->Close()) << notepad_->Problem();
    }
    notepad_.reset();
    EndToEndTest::TearDown();
}

testing::AssertionResult EndToEndPasteTest::RestartWithSettings(const std::vector<std::wstring>& confLines) {
    if (auto closed = CloseGleaner(); !closed) return closed;
    // gleaner wrote its Conf.txt on closing; the prepared one replaces it.
    if (!WriteConfFile(folder_.FilePath(L"Conf.txt"), confLines)) {
        return testing::AssertionFailure() << "could not write Conf.txt in code page 932";
    }
    return StartGleaner();
}

testing::AssertionResult EndToEndPasteTest::CopyInNotepad(const std::vector<std::wstring>& copies,
                                                         const std::wstring& separator) {
    std::vector<std::wstring> sofar;
    for (const auto& text : copies) {
        if (!notepad_->TypeOver(text) || !notepad_->SelectAllAndCopy()) {
            return testing::AssertionFailure() << "copying " << Describe(text) << " in notepad: " << notepad_->Problem();
        }
        sofar.push_back(text);
        if (auto shown = CollectionIs(JoinedBy(sofar, separator)); !shown) return shown << " (after a copy in notepad)";
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult EndToEndPasteTest::EmptyNotepad() {
    std::string why;
    if (!BringToFront(notepad_->Window(), &why)) return testing::AssertionFailure() << "notepad: " << why;
    PressCtrl('A');
    PressKey(VK_DELETE);
    return NotepadShows(L"");
}

testing::AssertionResult EndToEndPasteTest::PressCtrlInNotepad(WORD key) {
    std::string why;
    if (!BringToFront(notepad_->Window(), &why)) return testing::AssertionFailure() << "notepad: " << why;
    PressCtrl(key);
    return testing::AssertionSuccess();
}

testing::AssertionResult EndToEndPasteTest::NotepadShows(const std::wstring& expected, DWORD timeoutMs) {
    HWND edit = FindWindowExW(notepad_->Window(), nullptr, L"Edit", nullptr);
    std::optional<std::wstring> shown;
    const auto matches = [&] { return HasLength(edit, expected.size()) && (shown = notepad_->Text()) == expected; };
    if (WaitUntil(matches, timeoutMs != 0 ? timeoutMs : kLongWaitMs, 50)) return testing::AssertionSuccess();
    shown = notepad_->Text();
    return testing::AssertionFailure() << "notepad holds "
                                       << (shown ? Describe(*shown) : std::string("nothing (no answer)"))
                                       << "\n  instead of " << Describe(expected);
}

testing::AssertionResult EndToEndPasteTest::CollectionIs(const std::wstring& expected, DWORD timeoutMs) {
    if (gleaner_->WaitForBoxText(expected, timeoutMs)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << gleaner_->Problem();
}

testing::AssertionResult EndToEndPasteTest::ClipboardHolds(const std::wstring& text, DWORD timeoutMs) {
    std::optional<std::wstring> held;
    if (WaitUntil([&] { return (held = other_.ClipboardText()) == text; }, timeoutMs != 0 ? timeoutMs : kLongWaitMs,
                  50)) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the clipboard holds "
                                       << (held ? Describe(*held) : std::string("no text")) << "\n  instead of "
                                       << Describe(text);
}

}  // namespace gleaner::e2e
