// What the paste tests start from: the end-to-end setting plus Wine's
// notepad as the application the user works in, copies made there, and
// Ctrl+<key> pressed there.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "e2e_fixture.h"
#include "notepad.h"

namespace gleaner::e2e {

// The copies joined by separator, as gleaner's collection holds them.
std::wstring JoinedBy(const std::vector<std::wstring>& copies, const std::wstring& separator);

class EndToEndPasteTest : public EndToEndTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Closes gleaner, writes these lines as its Conf.txt and starts it again.
    testing::AssertionResult RestartWithSettings(const std::vector<std::wstring>& confLines);

    // Types and copies each text in notepad, waiting each time until the
    // collection shows the copies so far joined by separator.
    testing::AssertionResult CopyInNotepad(const std::vector<std::wstring>& copies,
                                           const std::wstring& separator = L"\r\n");
    // Brings notepad to the front and deletes all its text.
    testing::AssertionResult EmptyNotepad();
    // Brings notepad to the front and presses Ctrl+key there.
    testing::AssertionResult PressCtrlInNotepad(WORD key);
    // Waits until notepad holds exactly expected.
    testing::AssertionResult NotepadShows(const std::wstring& expected, DWORD timeoutMs = 0);
    // Waits until the collection is exactly expected (any separator).
    testing::AssertionResult CollectionIs(const std::wstring& expected, DWORD timeoutMs = 0);
    // Waits until the clipboard holds exactly this text.
    testing::AssertionResult ClipboardHolds(const std::wstring& text, DWORD timeoutMs = 0);

    std::unique_ptr<Notepad> notepad_;
};

}  // namespace gleaner::e2e
