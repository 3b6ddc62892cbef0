#include "platform/win32_support.h"

#include <cstring>

#include "platform/win32_system_dlls.h"

namespace gleaner::testing_support {

// As gleaner.exe does at start: the system DLLs are loaded before any test
// (loading them under Wine re-reads the pointer, undoing a test's SetCursorPos).
const bool kSystemDllsLoaded = &win32::System() != nullptr;

win32::UniqueWindow CreateHiddenWindow() {
    return win32::UniqueWindow(CreateWindowExW(0, L"STATIC", L"gleaner test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
}

void PutClipboard(HWND owner, const std::vector<std::pair<UINT, std::string>>& items) {
    for (int attempt = 0; attempt < 50 && !OpenClipboard(owner); ++attempt) Sleep(20);
    EmptyClipboard();
    for (const auto& [format, bytes] : items) {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        std::memcpy(GlobalLock(block), bytes.data(), bytes.size());
        GlobalUnlock(block);
        if (!SetClipboardData(format, block)) GlobalFree(block);
    }
    CloseClipboard();
}

std::string ReadClipboard(HWND owner, UINT format) {
    if (!OpenClipboard(owner)) return "<busy>";
    std::string bytes;
    const win32::LockedGlobal<const char> data(GetClipboardData(format));
    if (data.Get()) bytes.assign(data.Get(), data.Bytes());
    CloseClipboard();
    return bytes;
}

Watcher::Watcher(std::function<bool()> look, DWORD timeoutMs)
    : thread_([this, look = std::move(look), timeoutMs] {
          for (DWORD waited = 0; !stop_ && waited < timeoutMs && !look(); waited += 20) Sleep(20);
      }) {}

Watcher::~Watcher() {
    stop_ = true;
    thread_.join();
}

ClipboardHolder::ClipboardHolder(DWORD holdMs) {
    thread_ = std::thread([this, holdMs] {
        auto window = CreateHiddenWindow();
        holding_ = OpenClipboard(window.Get()) != FALSE;
        SetEvent(opened_.Get());
        if (!holding_) return;
        WaitForSingleObject(release_.Get(), holdMs);
        CloseClipboard();
        holding_ = false;
    });
    WaitForSingleObject(opened_.Get(), 5000);
}

ClipboardHolder::~ClipboardHolder() {
    SetEvent(release_.Get());
    thread_.join();
}


}  // namespace gleaner::testing_support
