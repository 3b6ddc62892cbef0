// What the Win32 tests need around the code under test: windows of their
// own, another program holding the clipboard, and a person at the screen.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/win32_handles.h"

namespace gleaner::testing_support {

// A hidden top-level window, for APIs that want a real window.
win32::UniqueWindow CreateHiddenWindow();

// Puts these formats on the clipboard, as another program would.
void PutClipboard(HWND owner, const std::vector<std::pair<UINT, std::string>>& items);
std::string ReadClipboard(HWND owner, UINT format);

// Calls look on another thread every 20 ms until it returns true or
// timeoutMs has passed, while this thread runs the code under test.
class Watcher {
public:
    Watcher(std::function<bool()> look, DWORD timeoutMs = 10000);
    ~Watcher();
    Watcher(const Watcher&) = delete;
    Watcher& operator=(const Watcher&) = delete;

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Another program's window that holds the clipboard open for holdMs.
class ClipboardHolder {
public:
    explicit ClipboardHolder(DWORD holdMs);
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;
    bool Holding() const { return holding_; }

private:
    win32::UniqueKernelHandle opened_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    win32::UniqueKernelHandle release_{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    std::atomic<bool> holding_{false};
    std::thread thread_;
};

}  // namespace gleaner::testing_support
