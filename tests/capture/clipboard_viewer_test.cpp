#include "capture/clipboard_viewer.h"

#include <gtest/gtest.h>

#include "support/fake_desktop.h"

#include "support/program_state.h"

#include "hotkeys/paste_state.h"
#include "platform/fake_platform.h"
#include "popup/popup_state.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner {
namespace {

constexpr WindowId kMain = 0x100;
constexpr WindowId kPopup = 0x200;
constexpr WindowId kEditor = 0x300;
constexpr WindowId kOtherViewer = 0x400;
constexpr WindowId kThirdViewer = 0x500;

class ClipboardViewerTest : public testing::Test, protected testing_support::FakeDesktop {
protected:
    ClipboardViewerTest() {
        testing_support::ResetProgramState();
        MainWindowHandle = kMain;
        box.SetTag(u"Init");
        box.SetText(u"introduction");
        chain.viewers = {kOtherViewer, kThirdViewer};  // tools that were running before us
        clipboard.Put(u"there before we started");
        JoinClipboardViewer(chain, kMain);
    }

    // The user copies in some window; the system tells the chain's first viewer.
    void CopyIn(WindowId window, std::optional<std::u16string> text) {
        chain.foreground = window;
        clipboard.Put(std::move(text));
        ++chain.sequence;
        OnDrawClipboard(chain, capture, 7, 9);
    }

    fake::FakeTextBox box;
    CaptureContext capture{desktop, box};
    fake::FakeViewerChain chain;
};

TEST_F(ClipboardViewerTest, CollectsCopiesMadeInOtherApplicationsAndTellsTheNextViewer) {
    EXPECT_EQ(NextViewerWindow, kOtherViewer);
    CopyIn(kEditor, u"A");
    CopyIn(kEditor, u"B");
    EXPECT_EQ(box.Text(), u"A\r\nB");
    ASSERT_EQ(chain.passedOn.size(), 2u);
    EXPECT_EQ(chain.passedOn[1].to, kOtherViewer);
    EXPECT_EQ(chain.passedOn[1].message, kDrawClipboardMessage);
    EXPECT_EQ(chain.passedOn[1].wParam, 7u);
    EXPECT_EQ(chain.passedOn[1].lParam, 9);
}

TEST_F(ClipboardViewerTest, TheClipboardAsFoundAtStartIsNotCollectedButTheSameTextCopiedAgainIs) {
    chain.foreground = kEditor;
    OnDrawClipboard(chain, capture, 0, 0);  // the greeting that comes with joining
    EXPECT_EQ(box.Text(), u"introduction");
    EXPECT_EQ(chain.passedOn.size(), 1u);
    CopyIn(kEditor, u"there before we started");
    EXPECT_EQ(box.Text(), u"there before we started");
}

TEST_F(ClipboardViewerTest, CopiesMadeInOurOwnWindowsOrWithNoForegroundAreNotCollected) {
    CopyIn(kMain, u"from the collection itself");
    PopupWindowHandle = kPopup;
    CopyIn(kPopup, u"from the balloon");
    PopupWindowHandle = 0;
    CopyIn(0, u"nobody in front");
    EXPECT_EQ(box.Text(), u"introduction");
    EXPECT_EQ(chain.passedOn.size(), 3u);  // every change still goes down the chain
}

TEST_F(ClipboardViewerTest, AChangeWithoutTextCollectsNothingAndIsPassedOn) {
    CopyIn(kEditor, std::nullopt);
    EXPECT_EQ(box.Text(), u"introduction");
    EXPECT_EQ(chain.passedOn.size(), 1u);
}

TEST_F(ClipboardViewerTest, CopiesMarkedPrivateAreNeverCollected) {
    const auto mark = [&](const char16_t* name, std::optional<std::uint32_t> value) {
        chain.foreground = kEditor;
        clipboard.Put(u"hunter2");
        const auto format = clipboard.RegisterFormat(name);
        if (value)
            clipboard.AddNumber(format, *value);
        else
            clipboard.Put(u"hunter2", {format});
        ++chain.sequence;
        OnDrawClipboard(chain, capture, 0, 0);
    };
    mark(u"Clipboard Viewer Ignore", std::nullopt);
    mark(u"ExcludeClipboardContentFromMonitorProcessing", std::nullopt);
    mark(u"CanIncludeInClipboardHistory", 0);
    mark(u"CanUploadToCloudClipboard", 0);
    EXPECT_EQ(box.Text(), u"introduction");
    EXPECT_EQ(chain.passedOn.size(), 4u);

    mark(u"CanIncludeInClipboardHistory", 1);  // allowed explicitly
    EXPECT_EQ(box.Text(), u"hunter2");
}

TEST_F(ClipboardViewerTest, WhenTheNextViewerLeavesTheOneAfterItTakesItsPlace) {
    OnChangeClipboardChain(chain, kOtherViewer, kThirdViewer);
    EXPECT_EQ(NextViewerWindow, kThirdViewer);
    EXPECT_TRUE(chain.passedOn.empty());
    CopyIn(kEditor, u"A");
    EXPECT_EQ(chain.passedOn.back().to, kThirdViewer);

    OnChangeClipboardChain(chain, kThirdViewer, 0);
    EXPECT_EQ(NextViewerWindow, 0u);
    CopyIn(kEditor, u"B");
    EXPECT_EQ(chain.passedOn.size(), 1u);  // the last viewer has nobody to tell
}

TEST_F(ClipboardViewerTest, WhenAnotherViewerLeavesTheNewsGoesDownTheChain) {
    OnChangeClipboardChain(chain, kThirdViewer, 0);
    EXPECT_EQ(NextViewerWindow, kOtherViewer);
    ASSERT_EQ(chain.passedOn.size(), 1u);
    EXPECT_EQ(chain.passedOn[0].to, kOtherViewer);
    EXPECT_EQ(chain.passedOn[0].message, kChangeCbChainMessage);
    EXPECT_EQ(chain.passedOn[0].wParam, kThirdViewer);
    EXPECT_EQ(chain.passedOn[0].lParam, 0);
}

TEST_F(ClipboardViewerTest, LeavingTakesUsOutOfTheChain) {
    ASSERT_EQ(chain.viewers.front(), kMain);
    LeaveClipboardViewer(chain, kMain);
    EXPECT_EQ(chain.viewers, (std::vector<WindowId>{kOtherViewer, kThirdViewer}));
}

TEST_F(ClipboardViewerTest, AFailedReadIsReportedAndNothingIsCollected) {
    clipboard.HoldOpenFor(-1);
    CopyIn(kEditor, u"busy");
    EXPECT_EQ(box.Text(), u"introduction");
    EXPECT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(chain.passedOn.size(), 1u);
}

}  // namespace
}  // namespace gleaner
