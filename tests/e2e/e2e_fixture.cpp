#include "e2e_fixture.h"

#include "readable_text.h"
#include "window_activation.h"
#include "windows_lookup.h"

namespace gleaner::e2e {

std::wstring Joined(const std::vector<std::wstring>& copies) {
    std::wstring joined;
    for (std::size_t i = 0; i < copies.size(); ++i) {
        if (i != 0) joined += L"\r\n";
        joined += copies[i];
    }
    return joined;
}

void EndToEndTest::SetUp() {
    ASSERT_TRUE(folder_.Ready()) << "could not copy " << Utf8(BuiltGleanerPath()) << " into a test folder";
    ASSERT_TRUE(other_.Started()) << "the other application's window did not open";
    ASSERT_EQ(FindAnyTopLevelWindow(kMainWindowClass), nullptr)
        << "a gleaner main window is already open (left over from an earlier test?)";
    ASSERT_TRUE(other_.Copy(kTextOnClipboardAtStart)) << "could not put the start text on the clipboard";
    ASSERT_TRUE(StartGleaner());
}

void EndToEndTest::TearDown() {
    if (gleaner_) {
        EXPECT_TRUE(CloseGleaner());
    }
}

testing::AssertionResult EndToEndTest::StartGleaner() {
    gleaner_ = std::make_unique<GleanerProcess>(folder_.ExePath());
    if (gleaner_->Started()) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "gleaner did not come up: " << gleaner_->Problem();
}

testing::AssertionResult EndToEndTest::CloseGleaner() {
    const bool closed = gleaner_->Close();
    const std::string problem = gleaner_->Problem();
    gleaner_.reset();
    if (closed) return testing::AssertionSuccess();
    return testing::AssertionFailure() << problem;
}

testing::AssertionResult EndToEndTest::CopyInOtherApplication(const std::wstring& text,
                                                              const std::vector<ClipboardMark>& marks) {
    std::string why;
    if (!BringToFront(other_.Window(), &why)) {
        return testing::AssertionFailure() << "the other application could not come to the front: " << why;
    }
    if (!other_.Copy(text, marks)) {
        return testing::AssertionFailure() << "the other application could not copy " << Describe(text);
    }
    return testing::AssertionSuccess();
}

testing::AssertionResult EndToEndTest::BoxShows(const std::vector<std::wstring>& copies, DWORD timeoutMs) {
    if (gleaner_->WaitForBoxText(Joined(copies), timeoutMs)) return testing::AssertionSuccess();
    return testing::AssertionFailure() << gleaner_->Problem();
}

}  // namespace gleaner::e2e
