// What every end-to-end test starts from: a private folder with a fresh
// gleaner.exe, another application to copy from, a known text already on
// the clipboard, and gleaner running. Everything is closed afterwards, also
// when the test fails.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "clipboard_text.h"
#include "gleaner_process.h"
#include "other_application.h"
#include "test_folder.h"

namespace gleaner::e2e {

// On the clipboard before gleaner starts; it must never be collected.
inline constexpr wchar_t kTextOnClipboardAtStart[] = L"on the clipboard before gleaner started";

// The collection as the box shows it: the copies joined by CR LF.
std::wstring Joined(const std::vector<std::wstring>& copies);

class EndToEndTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts gleaner.exe from the test folder (again, after CloseGleaner).
    testing::AssertionResult StartGleaner();
    testing::AssertionResult CloseGleaner();

    // Brings the other application to the front and copies text there.
    testing::AssertionResult CopyInOtherApplication(const std::wstring& text,
                                                    const std::vector<ClipboardMark>& marks = {});
    // Waits until gleaner's box shows exactly these copies.
    testing::AssertionResult BoxShows(const std::vector<std::wstring>& copies, DWORD timeoutMs = 0);

    TestFolder folder_;
    OtherApplication other_;
    std::unique_ptr<GleanerProcess> gleaner_;
};

}  // namespace gleaner::e2e
