// The thin services against the real window system, under Wine.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/win32_services.h"
#include "platform/win32_support.h"
#include "platform/win32_window.h"

namespace gleaner {
namespace {

using testing_support::CreateHiddenWindow;

class Win32ClipboardTest : public testing::Test {
protected:
    win32::UniqueWindow ownerWindow = CreateHiddenWindow();
    win32::UniqueWindow otherProgram = CreateHiddenWindow();
    win32::OwnerWindow owner{ownerWindow.Get()};
    win32::Win32Clipboard clipboard{owner};
};

TEST_F(Win32ClipboardTest, TextOfAnyScriptAndLengthSurvivesAWriteAndARead) {
    std::u16string text = u"😀 한국어 改行 ﾊﾝｶｸ\r\n";
    text.resize(200000, u'x');
    ASSERT_TRUE(clipboard.WriteText(text));
    EXPECT_EQ(clipboard.ReadText(), text);
    testing_support::PutClipboard(otherProgram.Get(), {{CF_TEXT, std::string("plain ascii", 12)}});
    EXPECT_TRUE(clipboard.HasText());
    EXPECT_EQ(clipboard.ReadText(), u"plain ascii");
    ASSERT_TRUE(clipboard.Empty());
    EXPECT_EQ(clipboard.ReadText(), u"");
}

TEST_F(Win32ClipboardTest, AnImageAndFormattedTextSurviveASwapByteForByteAndOurWritesAreMarked) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const UINT dropEffect = RegisterClipboardFormatW(L"Preferred DropEffect");  // a cut, not a copy
    const std::string dib = std::string("\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x20\0", 16) + std::string(24, '\x7f');
    testing_support::PutClipboard(otherProgram.Get(),
                                  {{CF_DIB, dib}, {html, "<b>bold</b>"}, {dropEffect, std::string("\2\0\0\0", 4)}});
    const auto saved = clipboard.Snapshot();
    ASSERT_TRUE(saved);
    ASSERT_TRUE(clipboard.WriteText(u"the collection", true));
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Clipboard Viewer Ignore")));
    ASSERT_TRUE(clipboard.Restore(*saved, true));
    EXPECT_EQ(testing_support::ReadClipboard(otherProgram.Get(), CF_DIB).substr(0, dib.size()), dib);
    EXPECT_EQ(testing_support::ReadClipboard(otherProgram.Get(), html).substr(0, 11), "<b>bold</b>");
    EXPECT_EQ(testing_support::ReadClipboard(otherProgram.Get(), dropEffect), std::string("\2\0\0\0", 4));
    EXPECT_FALSE(clipboard.HasText());
}

TEST_F(Win32ClipboardTest, ABusyClipboardFailsWithTheSystemsErrorNumberAndWording) {
    testing_support::ClipboardHolder holder(5000);
    ASSERT_TRUE(holder.Holding());
    EXPECT_EQ(clipboard.ReadText(), std::nullopt);
    EXPECT_NE(clipboard.LastError().number, 0u);
    EXPECT_FALSE(clipboard.LastError().description.empty());
    EXPECT_FALSE(clipboard.WriteText(u"x"));
}

TEST(Win32TextBox, AppendsAtTheEndPastTheEditControlsDefaultLimit) {
    HWND edit = nullptr;
    auto window = CreateHiddenWindow(&edit);
    win32::Win32TextBox box(edit);
    box.SetText(u"start");
    SendMessageW(edit, EM_SETSEL, 0, 2);  // the user's selection must not be replaced
    std::u16string lines;
    for (int i = 0; i < 4000; ++i) lines += u"\r\nten chars";
    box.Append(lines);
    EXPECT_EQ(box.Length(), 5u + 44000);
    EXPECT_TRUE(box.Text().starts_with(u"start\r\nten chars"));
}

TEST(Win32TextBox, ATextSetAsAWholeIsReportedToTheParentAsAChange) {
    HWND edit = nullptr;
    auto window = CreateHiddenWindow(&edit);
    win32::Win32TextBox box(edit);
    int changes = 0;
    win32::Subclass parent;
    ASSERT_TRUE(parent.Attach(window.Get(), [&](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) ++changes;
        return std::nullopt;
    }));
    box.SetText(u"");
    EXPECT_GE(changes, 1);
}

TEST(Win32Keyboard, AnInjectedKeyFiresARegisteredHotkey) {
    auto window = CreateHiddenWindow();
    win32::Win32Keyboard keyboard;
    const std::uint16_t atom = keyboard.AddGlobalAtom(u"GLEANER_TEST_HOTKEY");
    ASSERT_TRUE(keyboard.RegisterHotKey(win32::ToWindowId(window.Get()), atom, MOD_CONTROL | MOD_SHIFT, 'K'));
    keyboard.SendKeyEvents({{VK_CONTROL, false}, {VK_SHIFT, false}, {'K', false}});
    keyboard.SendKeyEvents({{'K', true}, {VK_SHIFT, true}, {VK_CONTROL, true}});
    bool fired = false;
    MSG msg;
    for (DWORD deadline = GetTickCount() + 3000; !fired && GetTickCount() < deadline; Sleep(10))
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) fired = fired || msg.message == WM_HOTKEY;
    keyboard.UnregisterHotKey(win32::ToWindowId(window.Get()), atom);
    keyboard.DeleteGlobalAtom(atom);
    EXPECT_TRUE(fired);
}

Point ToTheLeftOfThePointer(int width, int, Point pointer) { return {pointer.x - width, pointer.y}; }

TEST(Win32MessageBoxes, AQuestionIsPlacedAsAskedAsSoonAsItAppears) {
    SetCursorPos(900, 700);
    RECT seen{};
    testing_support::Watcher person([&] {
        HWND box = FindWindowW(L"#32770", L"クリア確認");
        if (!box || !IsWindowVisible(box)) return false;
        Sleep(150);  // placed once more when it has its final size
        GetWindowRect(box, &seen);
        PostMessageW(box, WM_COMMAND, IDNO, 0);
        return true;
    });
    win32::OwnerWindow noOwner;
    win32::Win32MessageBoxes messages(noOwner);
    EXPECT_EQ(messages.AskAtPointer(u"クリップボード／表示をクリアしますか？", u"クリア確認", ToTheLeftOfThePointer),
              MessageAnswer::No);
    EXPECT_EQ(seen.right, 900);
    EXPECT_EQ(seen.top, 700);
}

TEST(Win32FileStore, ReplacesAFileWholeOrNotAtAll) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::u16string path = win32::FromWide(temp, wcslen(temp)) + u"gleaner-store-test.txt";
    win32::Win32FileStore files;
    ASSERT_TRUE(files.ReplaceAtomically(path, "first"));
    ASSERT_TRUE(files.ReplaceAtomically(path, "second"));
    EXPECT_EQ(files.Read(path), "second");
    EXPECT_FALSE(files.Exists(path + u".new"));
    {  // held open without sharing by another program: it cannot be replaced
        win32::UniqueFile locked(CreateFileW(win32::Wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked.Valid());
        EXPECT_FALSE(files.ReplaceAtomically(path, "third"));
    }
    EXPECT_EQ(files.Read(path), "second");
    EXPECT_FALSE(files.Exists(path + u".new"));
    EXPECT_FALSE(files.ReplaceAtomically(path + u"-missing\\x", "x"));
    DeleteFileW(win32::Wide(path));
}

class ThrowingWindow : public win32::Window {
public:
    ThrowingWindow() { Create({L"GleanerThrowingWindow"}, L"", {}); }
    void OnTimer(UINT_PTR) override { throw std::runtime_error("out of memory, say"); }
};

TEST(Win32Window, AHandlerThatThrowsIsStoppedAtTheWindowsEdge) {
    ThrowingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    const int before = win32::Window::FailedMessages();
    EXPECT_EQ(SendMessageW(window.Handle(), WM_TIMER, 1, 0), 0);
    EXPECT_EQ(win32::Window::FailedMessages(), before + 1);
    EXPECT_TRUE(IsWindow(window.Handle()));
}

}  // namespace
}  // namespace gleaner
