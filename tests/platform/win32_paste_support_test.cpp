// What the paste relies on from the real window system: a clipboard saved and
// put back whole, hotkeys that fire on injected keys, and the question placed
// at the pointer.
#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "platform/win32_platform.h"
#include "platform/win_test_support.h"

namespace gleaner {
namespace {

class Win32PasteSupportTest : public testing::Test {
protected:
    win32::UniqueWindow owner = testing_support::CreateHiddenWindow();
    win32::UniqueWindow otherProgram = testing_support::CreateHiddenWindow();
    win32::Win32Clipboard clipboard{owner.Get()};
};

void PutFormats(HWND owner, const std::vector<std::pair<UINT, std::string>>& items) {
    ASSERT_TRUE(OpenClipboard(owner));
    EmptyClipboard();
    for (const auto& [format, bytes] : items) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        SetClipboardData(format, block);
    }
    CloseClipboard();
}

std::string ReadFormat(HWND owner, UINT format) {
    std::string bytes;
    if (!OpenClipboard(owner)) return "<busy>";
    if (HANDLE data = GetClipboardData(format)) {
        bytes.assign(static_cast<const char*>(GlobalLock(data)), GlobalSize(data));
        GlobalUnlock(data);
    }
    CloseClipboard();
    return bytes;
}

std::string SmallDib() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 2;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::string dib(reinterpret_cast<const char*>(&header), sizeof header);
    dib += std::string("\x10\x20\x30\x00\x40\x50\x60\x00\x70\x80\x90\x00\xa0\xb0\xc0\x00", 16);
    return dib;
}

TEST_F(Win32PasteSupportTest, AnImageAndFormattedTextSurviveASwapByteForByte) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const std::string dib = SmallDib();
    const std::string fragment = "Version:0.9\r\nStartHTML:0\r\n<b>bold</b>";
    PutFormats(otherProgram.Get(), {{CF_DIB, dib}, {html, fragment}});

    const auto saved = clipboard.Snapshot();
    ASSERT_TRUE(saved);
    ASSERT_TRUE(clipboard.WriteText(u"the collection", true));
    EXPECT_EQ(clipboard.ReadText(), u"the collection");
    ASSERT_TRUE(clipboard.Empty());
    ASSERT_TRUE(clipboard.Restore(*saved, true));

    EXPECT_EQ(ReadFormat(otherProgram.Get(), CF_DIB).substr(0, dib.size()), dib);
    EXPECT_EQ(ReadFormat(otherProgram.Get(), html).substr(0, fragment.size()), fragment);
    EXPECT_FALSE(clipboard.HasText());
}

TEST_F(Win32PasteSupportTest, AnEmptyClipboardGivesAnEmptySnapshot) {
    ASSERT_TRUE(clipboard.Empty());
    const auto saved = clipboard.Snapshot();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->empty());
}

TEST_F(Win32PasteSupportTest, OurOwnWritesCarryTheMarkerThatClipboardToolsHonour) {
    const UINT ignore = RegisterClipboardFormatW(L"Clipboard Viewer Ignore");
    ASSERT_TRUE(clipboard.WriteText(u"temporary", true));
    EXPECT_TRUE(IsClipboardFormatAvailable(ignore));
    ASSERT_TRUE(clipboard.WriteText(u"ordinary"));
    EXPECT_FALSE(IsClipboardFormatAvailable(ignore));
}

TEST(Win32Keyboard, AnInjectedKeyFiresARegisteredHotkey) {
    auto window = testing_support::CreateHiddenWindow();
    win32::Win32Keyboard keyboard;
    const std::uint16_t atom = keyboard.AddGlobalAtom(u"GLEANER_TEST_HOTKEY");
    ASSERT_NE(atom, 0);
    ASSERT_TRUE(keyboard.RegisterHotKey(win32::ToWindowId(window.Get()), atom, MOD_CONTROL | MOD_SHIFT, 'K'));
    keyboard.SendKeyEvents({{VK_CONTROL, false}, {VK_SHIFT, false}, {'K', false}});
    keyboard.SendKeyEvents({{'K', true}, {VK_SHIFT, true}, {VK_CONTROL, true}});

    bool fired = false;
    const DWORD deadline = GetTickCount() + 3000;
    MSG msg;
    while (!fired && GetTickCount() < deadline) {
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) fired = fired || (msg.message == WM_HOTKEY && msg.wParam == atom);
        Sleep(10);
    }
    keyboard.UnregisterHotKey(win32::ToWindowId(window.Get()), atom);
    keyboard.DeleteGlobalAtom(atom);
    EXPECT_TRUE(fired);
}

TEST(Win32MessageBoxes, TheClearQuestionAppearsWithItsCornerAtThePointer) {
    SetCursorPos(900, 700);
    std::atomic<bool> stop{false};
    RECT seen{};
    POINT pointer{};
    std::thread person([&] {
        while (!stop) {
            if (HWND box = FindWindowW(L"#32770", L"クリア確認"); box && IsWindowVisible(box)) {
                Sleep(100);
                GetWindowRect(box, &seen);
                GetCursorPos(&pointer);
                PostMessageW(box, WM_COMMAND, IDNO, 0);
                return;
            }
            Sleep(20);
        }
    });
    win32::Win32MessageBoxes messages;
    const auto answer = messages.AskAtPointer(u"クリップボード／表示をクリアしますか？", u"クリア確認");
    stop = true;
    person.join();
    EXPECT_EQ(answer, MessageAnswer::No);
    EXPECT_GT(pointer.x, seen.right - seen.left);  // far enough from the edges for the usual placement
    EXPECT_EQ(seen.right, pointer.x);
    EXPECT_EQ(seen.bottom, pointer.y);
}

}  // namespace
}  // namespace gleaner
