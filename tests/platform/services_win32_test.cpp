// The thin services against the real window system, under Wine.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <semaphore>
#include <stdexcept>
#include <thread>

#include "capture/kept_collection.h"
#include "platform/clipboard_win32.h"
#include "platform/file_store_win32.h"
#include "platform/system_dlls_win32.h"
#include "platform/window_win32.h"

namespace gleaner {
namespace {

// As gleaner.exe does at start: the system DLLs are loaded before any test
// (loading them under Wine re-reads the pointer, undoing a test's SetCursorPos).
[[maybe_unused]] const bool kSystemDllsLoaded = &win32::System() != nullptr;

win32::UniqueWindow CreateHiddenWindow() {
    return win32::UniqueWindow(CreateWindowExW(0, L"STATIC", L"gleaner test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

std::string ReadClipboard(HWND owner, UINT format) {
    if (!OpenClipboard(owner)) return "<busy>";
    std::string bytes;
    const win32::LockedGlobal<const char> data(GetClipboardData(format));
    if (data.Get()) bytes.assign(data.Get(), data.Bytes());
    CloseClipboard();
    return bytes;
}

class Win32ClipboardTest : public testing::Test {
protected:
    win32::UniqueWindow ownerWindow = CreateHiddenWindow();
    win32::UniqueWindow otherProgram = CreateHiddenWindow();
    win32::OwnerWindow owner{ownerWindow.Get()};
    win32::Win32Clipboard clipboard{owner};
};

// Another program's image and formatted text, its mark's number read, swapped
// for our marked text of any script and length and put back byte for byte.
TEST_F(Win32ClipboardTest, OurMarkedTextOfAnyScriptAndLengthReadsBackWholeAndAnImageAndFormattedTextSurviveTheSwap) {
    const UINT html = RegisterClipboardFormatW(L"HTML Format");
    const UINT dropEffect = RegisterClipboardFormatW(L"Preferred DropEffect");  // a cut, not a copy
    const std::string dib = std::string("\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x20\0", 16) + std::string(24, '\x7f');
    // Put on the clipboard as another program would.
    for (int attempt = 0; attempt < 50 && !OpenClipboard(otherProgram.Get()); ++attempt) Sleep(20);
    EmptyClipboard();
    for (const auto& [format, bytes] : std::vector<std::pair<UINT, std::string>>{
             {CF_DIB, dib}, {html, "<b>bold</b>"}, {dropEffect, std::string("\2\0\0\0", 4)}}) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        if (!SetClipboardData(format, block)) GlobalFree(block);
    }
    CloseClipboard();
    EXPECT_EQ(clipboard.ReadCopy({dropEffect}).value().marks.at(0).second, 2u) << "a mark's number";
    const auto saved = clipboard.Snapshot();
    ASSERT_TRUE(saved);
    std::u16string text = u"😀 한국어 改行 ﾊﾝｶｸ\r\n";
    text.resize(200000, u'x');
    ASSERT_TRUE(clipboard.WriteText(text, true));
    EXPECT_EQ(clipboard.ReadText(), text);
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Clipboard Viewer Ignore")));
    ASSERT_TRUE(clipboard.Restore(*saved, true));
    EXPECT_EQ(ReadClipboard(otherProgram.Get(), CF_DIB).substr(0, dib.size()), dib);
    EXPECT_EQ(ReadClipboard(otherProgram.Get(), html).substr(0, 11), "<b>bold</b>");
    EXPECT_EQ(ReadClipboard(otherProgram.Get(), dropEffect), std::string("\2\0\0\0", 4));
    EXPECT_FALSE(clipboard.HasText());
    ASSERT_TRUE(clipboard.Empty());
    EXPECT_EQ(clipboard.ReadText(), u"");
}

TEST_F(Win32ClipboardTest, ABusyClipboardFailsWithTheSystemsErrorNumberAndWording) {
    // Another program's window holds the clipboard open meanwhile, for up to 5 s.
    std::binary_semaphore opened{0}, done{0};
    std::jthread holder([&] {
        const auto window = CreateHiddenWindow();
        const bool holding = OpenClipboard(window.Get()) != FALSE;
        opened.release();
        (void)done.try_acquire_for(std::chrono::seconds(5));
        if (holding) CloseClipboard();
    });
    opened.acquire();
    EXPECT_EQ(clipboard.ReadText(), std::nullopt);
    EXPECT_NE(clipboard.LastError().number, 0u);
    EXPECT_FALSE(clipboard.LastError().description.empty());
    EXPECT_FALSE(clipboard.WriteText(u"x"));
    done.release();
}

TEST(Win32FileStore, ReplacesAFileWholeOrNotAtAll) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::u16string path = win32::FromWide(temp, wcslen(temp)) + u"gleaner-store-test.txt";
    win32::Win32FileStore files;
    ASSERT_TRUE(files.ReplaceAtomically(path, "first"));
    ASSERT_TRUE(files.ReplaceAtomically(path, "second"));
    const auto holdsSecondOnly = [&] { return files.Read(path) == "second" && !files.Exists(path + u".new"); };
    EXPECT_TRUE(holdsSecondOnly());
    {  // held open without sharing by another program: it cannot be replaced
        win32::UniqueFile locked(CreateFileW(win32::Wide(path), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(locked.Valid());
        EXPECT_FALSE(files.ReplaceAtomically(path, "third"));
    }
    EXPECT_TRUE(holdsSecondOnly());
    EXPECT_FALSE(files.ReplaceAtomically(path + u"-missing\\x", "x"));
    DeleteFileW(win32::Wide(path));
}

// Sealed by the system for this user: the bytes open with CryptUnprotectData
// itself; one byte changed, they do not open. That the program keeps its
// collection so, and drops a file that does not open, is the host's and the
// end-to-end tests' to show (KeepTest, EndToEndWindow).
TEST(Win32DataProtection, SealsWhatTheSystemsCallOpensAndOpensNothingChanged) {
    win32::Win32DataProtection protection;
    const std::string kept = EncodeKept({u"東京\r\nID-42", u"ID-42"});
    std::string sealed = protection.Seal(kept).value_or("");
    DATA_BLOB in{static_cast<DWORD>(sealed.size()), reinterpret_cast<BYTE*>(sealed.data())}, out{};
    ASSERT_TRUE(win32::CryptDll().unprotectData(&in, nullptr, nullptr, nullptr, nullptr, 0, &out));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(out.pbData), out.cbData), kept);
    LocalFree(out.pbData);
    EXPECT_EQ(protection.Open(sealed), kept);
    sealed[sealed.size() / 2] ^= 1;
    EXPECT_EQ(protection.Open(sealed), std::nullopt);
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
