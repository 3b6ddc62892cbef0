// A collection of a million characters pastes whole.
#include <gtest/gtest.h>

#include <cwchar>

#include "paste_fixture.h"
#include "readable_text.h"

namespace gleaner::e2e {
namespace {

using EndToEndPasteLarge = EndToEndPasteTest;

constexpr int kCopyCount = 5;
constexpr std::size_t kCopyLength = 200000;
constexpr DWORD kLargeWaitMs = 180000;

// Numbered lines tagged with the copy's number, so every copy differs and
// a lost or doubled piece shows where it happened.
std::wstring NumberedCopy(int copy, std::size_t length) {
    std::wstring text;
    text.reserve(length + 64);
    for (int line = 1; text.size() < length; ++line) {
        wchar_t row[128];
        swprintf(row, 128, L"copy %d line %06d: the quick brown fox jumps over the lazy dog\r\n", copy, line);
        text += row;
    }
    text.resize(length - 4);
    return text + L"END" + static_cast<wchar_t>(L'0' + copy);
}

TEST_F(EndToEndPasteLarge, PastesACollectionOfAMillionCharactersWhole) {
    std::vector<std::wstring> copies;
    for (int copy = 1; copy <= kCopyCount; ++copy) {
        copies.push_back(NumberedCopy(copy, kCopyLength));
        ASSERT_TRUE(CopyInOtherApplication(copies.back()));
        ASSERT_TRUE(CollectionIs(Joined(copies), kLargeWaitMs));
    }
    const std::wstring collection = Joined(copies);
    ASSERT_GE(collection.size(), 1000000u);

    ASSERT_TRUE(EmptyNotepad());
    ASSERT_TRUE(PressCtrlInNotepad('V'));
    EXPECT_TRUE(NotepadShows(collection, kLargeWaitMs));
    const auto pasted = notepad_->Text();
    ASSERT_TRUE(pasted.has_value());
    EXPECT_EQ(pasted->size(), collection.size());
    EXPECT_EQ(pasted->substr(0, 20), L"copy 1 line 000001: ");
    EXPECT_EQ(pasted->substr(pasted->size() / 2, 60), collection.substr(collection.size() / 2, 60));
    EXPECT_EQ(pasted->substr(pasted->size() - 4), L"END5");
    EXPECT_TRUE(CollectionIs(L"", kLargeWaitMs));
}

}  // namespace
}  // namespace gleaner::e2e
