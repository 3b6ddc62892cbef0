// The thin services against the real window system, under Wine.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <latch>
#include <semaphore>
#include <stdexcept>
#include <thread>

#include "capture/kept_collection.h"
#include "platform/clipboard_win32.h"
#include "platform/file_store_win32.h"
#include "platform/system_dlls_win32.h"
#include "platform/window_win32.h"
#include "support/fake_platform.h"

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

TEST_F(Win32ClipboardTest, TextOfAnyScriptAndLengthSurvivesAWriteAndARead) {
    std::u16string text = u"😀 한국어 改行 ﾊﾝｶｸ\r\n";
    text.resize(200000, u'x');
    ASSERT_TRUE(clipboard.WriteText(text));
    EXPECT_EQ(clipboard.ReadText(), text);
    ASSERT_TRUE(clipboard.Empty());
    EXPECT_EQ(clipboard.ReadText(), u"");
}

TEST_F(Win32ClipboardTest, AnImageAndFormattedTextSurviveASwapByteForByteAMarksNumberIsReadAndOurWritesAreMarked) {
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
    ASSERT_TRUE(clipboard.WriteText(u"the collection", true));
    EXPECT_TRUE(IsClipboardFormatAvailable(RegisterClipboardFormatW(L"Clipboard Viewer Ignore")));
    ASSERT_TRUE(clipboard.Restore(*saved, true));
    EXPECT_EQ(ReadClipboard(otherProgram.Get(), CF_DIB).substr(0, dib.size()), dib);
    EXPECT_EQ(ReadClipboard(otherProgram.Get(), html).substr(0, 11), "<b>bold</b>");
    EXPECT_EQ(ReadClipboard(otherProgram.Get(), dropEffect), std::string("\2\0\0\0", 4));
    EXPECT_FALSE(clipboard.HasText());
}

TEST_F(Win32ClipboardTest, ABusyClipboardFailsWithTheSystemsErrorNumberAndWording) {
    // Another program's window holds the clipboard open meanwhile, for up to 5 s.
    std::latch opened{1};
    std::binary_semaphore done{0};
    bool holding = false;
    std::jthread holder([&] {
        const auto window = CreateHiddenWindow();
        holding = OpenClipboard(window.Get()) != FALSE;
        opened.count_down();
        (void)done.try_acquire_for(std::chrono::seconds(5));
        if (holding) CloseClipboard();
    });
    opened.wait();
    EXPECT_TRUE(holding);
    EXPECT_EQ(clipboard.ReadText(), std::nullopt);
    EXPECT_NE(clipboard.LastError().number, 0u);
    EXPECT_FALSE(clipboard.LastError().description.empty());
    EXPECT_FALSE(clipboard.WriteText(u"x"));
    done.release();
}

std::u16string TempPath(const std::u16string& name) {
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    return win32::FromWide(temp, wcslen(temp)) + name;
}

TEST(Win32FileStore, ReplacesAFileWholeOrNotAtAll) {
    const std::u16string path = TempPath(u"gleaner-store-test.txt");
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

// Sealed by the system for this user: the file's bytes open with
// CryptUnprotectData itself; one byte changed, the file is removed at start.
TEST(Win32DataProtection, TheKeptFileOpensWithTheSystemsCallAndAChangedOneIsRemoved) {
    const std::u16string path = TempPath(u"gleaner-kept\\collection.dat");
    win32::Win32FileStore files;
    win32::Win32DataProtection protection;
    fake::FakeTimers timers;
    fake::FakeTextBox box;
    ProgramState state;
    state.LastCapturedText = u"ID-42";
    box.SetText(u"東京\r\nID-42");
    CollectionKeeper keeper(files, protection, timers, box, state, path, true);
    keeper.Finish(true);
    std::string bytes = files.Read(path).value_or("");
    DATA_BLOB in{static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(bytes.data())}, out{};
    ASSERT_TRUE(win32::CryptDll().unprotectData(&in, nullptr, nullptr, nullptr, nullptr, 0, &out));
    EXPECT_EQ(DecodeKept(std::string(reinterpret_cast<char*>(out.pbData), out.cbData)),
              (KeptCollection{u"東京\r\nID-42", u"ID-42"}));
    LocalFree(out.pbData);
    bytes[bytes.size() / 2] ^= 1;
    ASSERT_TRUE(files.ReplaceAtomically(path, bytes));
    EXPECT_EQ(CollectionKeeper(files, protection, timers, box, state, path, true).Restore(), std::nullopt);
    EXPECT_FALSE(files.Exists(path));
    RemoveDirectoryW(win32::Wide(path.substr(0, path.rfind(u'\\'))));
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
