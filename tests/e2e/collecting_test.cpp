// Copies made in other applications end up in gleaner's box, in order.
#include <gtest/gtest.h>

#include "e2e_fixture.h"
#include "notepad.h"

namespace gleaner::e2e {
namespace {

using EndToEndCollecting = EndToEndTest;

TEST_F(EndToEndCollecting, StartsWithAnIntroductionInsteadOfTheTextOnTheClipboard) {
    const auto shown = gleaner_->BoxText();
    ASSERT_TRUE(shown.has_value());
    EXPECT_FALSE(shown->empty());
    EXPECT_EQ(shown->find(kTextOnClipboardAtStart), std::wstring::npos);
}

TEST_F(EndToEndCollecting, TheFirstCopyReplacesTheIntroduction) {
    ASSERT_TRUE(CopyInOtherApplication(L"the first copy"));
    EXPECT_TRUE(BoxShows({L"the first copy"}));
}

TEST_F(EndToEndCollecting, CollectsCopiesFromNotepadAndAnotherApplicationInOrder) {
    Notepad notepad;
    ASSERT_TRUE(notepad.Started()) << notepad.Problem();
    const std::vector<std::wstring> typed = {L"typed in notepad", L"日本語のテキスト、二つ目",
                                             L"third: with spaces, commas and 123"};
    std::vector<std::wstring> copies;
    for (const auto& text : typed) {
        ASSERT_TRUE(notepad.TypeOver(text)) << notepad.Problem();
        ASSERT_TRUE(notepad.SelectAllAndCopy()) << notepad.Problem();
        copies.push_back(text);
        ASSERT_TRUE(BoxShows(copies)) << "after copying in notepad";
    }
    for (const auto& text : {L"copied in another application", L"and one more there"}) {
        ASSERT_TRUE(CopyInOtherApplication(text));
        copies.push_back(text);
        ASSERT_TRUE(BoxShows(copies)) << "after copying in the other application";
    }
    EXPECT_TRUE(notepad.Close()) << notepad.Problem();
}

TEST_F(EndToEndCollecting, DropsACopyOfTheSameTextAsThePreviousOne) {
    Notepad notepad;
    ASSERT_TRUE(notepad.Started()) << notepad.Problem();
    ASSERT_TRUE(notepad.TypeOver(L"copied twice")) << notepad.Problem();
    ASSERT_TRUE(notepad.SelectAllAndCopy()) << notepad.Problem();
    ASSERT_TRUE(BoxShows({L"copied twice"}));

    ASSERT_TRUE(notepad.SelectAllAndCopy()) << notepad.Problem();
    ASSERT_TRUE(CopyInOtherApplication(L"copied twice"));
    // A different copy afterwards shows that the repeats have been handled.
    ASSERT_TRUE(CopyInOtherApplication(L"something else"));
    EXPECT_TRUE(BoxShows({L"copied twice", L"something else"}));
    EXPECT_TRUE(notepad.Close()) << notepad.Problem();
}

TEST_F(EndToEndCollecting, CollectsTheSameTextAgainAfterADifferentOne) {
    std::vector<std::wstring> copies;
    for (const auto& text : {L"ping", L"pong", L"ping"}) {
        ASSERT_TRUE(CopyInOtherApplication(text));
        copies.push_back(text);
        ASSERT_TRUE(BoxShows(copies));
    }
}

}  // namespace
}  // namespace gleaner::e2e
