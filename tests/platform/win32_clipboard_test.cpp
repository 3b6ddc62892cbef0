#include <gtest/gtest.h>

#include "platform/win32_platform.h"
#include "platform/win_test_support.h"

namespace gleaner {
namespace {

using testing_support::CreateEditWindow;
using testing_support::CreateHiddenWindow;

class Win32ClipboardTest : public testing::Test {
protected:
    win32::UniqueWindow owner = CreateHiddenWindow();
    win32::UniqueWindow otherProgram = CreateHiddenWindow();
    win32::Win32Clipboard clipboard{owner.Get()};
};

TEST_F(Win32ClipboardTest, TextOutsideTheAnsiCodePageSurvivesAWriteAndARead) {
    const std::u16string text = u"😀 한국어 改行 ﾊﾝｶｸ\r\nline two";
    ASSERT_TRUE(clipboard.WriteText(text));
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.ReadText(), text);
}

TEST_F(Win32ClipboardTest, ReadsWhatAnotherProgramCopiedAsAnsiText) {
    testing_support::PutClipboardAnsiText(otherProgram.Get(), "plain ascii");
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.ReadText(), u"plain ascii");
}

TEST_F(Win32ClipboardTest, AnEmptiedClipboardHasNoTextAndReadsAsEmptyText) {
    testing_support::PutClipboardText(otherProgram.Get(), L"something");
    ASSERT_TRUE(clipboard.Empty());
    EXPECT_FALSE(clipboard.HasText());
    EXPECT_EQ(clipboard.ReadText(), u"");
}

TEST_F(Win32ClipboardTest, ALongTextArrivesWhole) {
    std::u16string text(200000, u'x');
    text[123456] = u'Y';
    ASSERT_TRUE(clipboard.WriteText(text));
    EXPECT_EQ(clipboard.ReadText(), text);
}

TEST_F(Win32ClipboardTest, RegisteredFormatsAreSeenOnTheClipboard) {
    const auto format = clipboard.RegisterFormat(u"ExcludeClipboardContentFromMonitorProcessing");
    ASSERT_NE(format, 0u);
    EXPECT_EQ(clipboard.RegisterFormat(u"ExcludeClipboardContentFromMonitorProcessing"), format);
    testing_support::PutClipboardText(otherProgram.Get(), L"secret");
    EXPECT_FALSE(clipboard.HasFormat(format));
}

TEST_F(Win32ClipboardTest, ABusyClipboardFailsWithTheSystemsErrorNumberAndWording) {
    testing_support::ClipboardHolder holder(5000);
    ASSERT_TRUE(holder.Holding());
    EXPECT_EQ(clipboard.ReadText(), std::nullopt);
    EXPECT_NE(clipboard.LastError().number, 0u);
    EXPECT_FALSE(clipboard.LastError().description.empty());
    EXPECT_FALSE(clipboard.WriteText(u"x"));
    EXPECT_FALSE(clipboard.Empty());
}

TEST(Win32TextBoxTest, AppendsAtTheEndPastTheEditControlsDefaultLimit) {
    auto window = CreateEditWindow();
    win32::Win32TextBox box(window.edit);
    box.SetText(u"start");
    SendMessageW(window.edit, EM_SETSEL, 0, 2);  // the user's selection must not be replaced
    std::u16string lines;
    for (int i = 0; i < 4000; ++i) lines += u"\r\nten chars";  // 44,000 characters in all
    box.Append(lines);
    box.Append(u"\r\nend");
    EXPECT_EQ(box.Length(), 5u + 44000 + 5);
    const std::u16string text = box.Text();
    EXPECT_TRUE(text.starts_with(u"start\r\nten chars"));
    EXPECT_TRUE(text.ends_with(u"ten chars\r\nend"));
}

TEST(Win32TextBoxTest, PutsTheCaretWhereAskedAndKeepsTagAndColour) {
    auto window = CreateEditWindow();
    win32::Win32TextBox box(window.edit);
    box.SetText(u"0123456789");
    box.SetCaret(10);
    DWORD start = 0, end = 0;
    SendMessageW(window.edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 10u);
    EXPECT_EQ(end, 10u);
    box.SetTag(u"Init");
    box.SetForeColour(MakeColour(192, 192, 192));
    EXPECT_EQ(box.Tag(), u"Init");
    EXPECT_EQ(box.ForeColour(), RGB(192, 192, 192));
}

}  // namespace
}  // namespace gleaner
