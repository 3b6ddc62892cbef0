// Only one gleaner runs at a time: a second start says so and ends.
#include <gtest/gtest.h>

#include "child_process.h"
#include "e2e_fixture.h"
#include "message_box.h"
#include "polling.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

constexpr wchar_t kAlreadyRunningTitle[] = L"起動中！";
constexpr wchar_t kAlreadyRunningText[] = L"ぐりーなー！(gleaner) は既に起動中です！";

// What the second start did instead of showing the box.
std::string WhatItDidInstead(const ChildProcess& second) {
    if (!second.Running()) return "it ended without a message box";
    if (FindTopLevelWindow(second.Id(), kMainWindowClass) != nullptr) {
        return "it keeps running with a main window of its own";
    }
    return "it keeps running without any window";
}

class EndToEndSingleInstance : public EndToEndTest {
protected:
    ChildProcess StartSecond() {
        return ChildProcess(L"\"" + folder_.ExePath() + L"\"", folder_.Path().c_str());
    }
};

TEST_F(EndToEndSingleInstance, ASecondStartSaysItIsAlreadyRunningWithOnlyAnOkButton) {
    ChildProcess second = StartSecond();
    ASSERT_TRUE(second.Started());
    const MessageBoxView box = WaitForMessageBox(second.Id(), kLongWaitMs);
    ASSERT_NE(box.window, nullptr) << "the second start showed no message box; " << WhatItDidInstead(second);
    EXPECT_EQ(box.title, kAlreadyRunningTitle);
    EXPECT_EQ(box.text, kAlreadyRunningText);
    EXPECT_EQ(box.buttonIds, std::vector<int>{IDOK});
    EXPECT_EQ(FindTopLevelWindow(second.Id(), kMainWindowClass), nullptr) << "the second start opened a main window";

    PressButton(box.window, IDOK);
    EXPECT_TRUE(second.WaitForExit(kLongWaitMs)) << "the second start did not end after OK";
}

TEST_F(EndToEndSingleInstance, TheFirstKeepsRunningWithItsCollection) {
    ASSERT_TRUE(CopyInOtherApplication(L"collected before the second start"));
    ASSERT_TRUE(BoxShows({L"collected before the second start"}));

    ChildProcess second = StartSecond();
    ASSERT_TRUE(second.Started());
    const MessageBoxView box = WaitForMessageBox(second.Id(), kLongWaitMs);
    ASSERT_NE(box.window, nullptr) << "the second start showed no message box; " << WhatItDidInstead(second);
    PressButton(box.window, IDOK);
    ASSERT_TRUE(second.WaitForExit(kLongWaitMs)) << "the second start did not end after OK";

    EXPECT_TRUE(gleaner_->Running());
    EXPECT_TRUE(BoxShows({L"collected before the second start"}));
    ASSERT_TRUE(CopyInOtherApplication(L"and after it"));
    EXPECT_TRUE(BoxShows({L"collected before the second start", L"and after it"}));
}

}  // namespace
}  // namespace gleaner::e2e
