// What the Win32 tests need around the code under test: windows of their
// own, another party holding the clipboard, and a person closing message boxes.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32_handles.h"

namespace gleaner::testing_support {

// A hidden top-level window, for APIs that want a real window.
win32::UniqueWindow CreateHiddenWindow();
// A multi-line EDIT child in a hidden top-level window.
struct EditWindow {
    win32::UniqueWindow frame;
    HWND edit = nullptr;
};
EditWindow CreateEditWindow();

// Puts text on the clipboard directly, as another program would.
void PutClipboardText(HWND owner, const std::wstring& text);
void PutClipboardAnsiText(HWND owner, const std::string& text);

// Another window, on its own thread, that opens the clipboard and keeps it
// open until Release() or until holdMs has passed.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    bool Holding() const { return holding_; }
    void Release();

private:
    win32::UniqueKernelHandle opened_;
    win32::UniqueKernelHandle release_;
    std::atomic<bool> holding_{false};
    std::thread thread_;
};

// Watches for message boxes with a given title, as a person at the screen
// would, reads them and presses OK.
class MessageBoxCloser {
public:
    explicit MessageBoxCloser(std::wstring title);
    ~MessageBoxCloser();
    MessageBoxCloser(const MessageBoxCloser&) = delete;
    MessageBoxCloser& operator=(const MessageBoxCloser&) = delete;

    int Count() const { return count_; }
    std::wstring LastText() const;

private:
    void Run();

    std::wstring title_;
    std::atomic<int> count_{0};
    std::atomic<bool> stop_{false};
    mutable std::mutex textLock_;
    std::wstring lastText_;
    std::thread thread_;
};

}  // namespace gleaner::testing_support
