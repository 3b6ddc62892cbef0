// The watcher's thread, which reads each clipboard change as it comes.
#pragma once

#include <windows.h>

#include <future>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/clipboard.h"

namespace gleaner::win32 {

// A thread of its own with a message-only window that listens for clipboard
// changes and reads each as it comes.
class Win32ClipboardWatch : public ClipboardWatch {
public:
    Win32ClipboardWatch() = default;
    ~Win32ClipboardWatch() override { Stop(); }
    Win32ClipboardWatch(const Win32ClipboardWatch&) = delete;
    Win32ClipboardWatch& operator=(const Win32ClipboardWatch&) = delete;

    bool Start(WindowId window, Reader read) override;
    void Stop() override;
    std::vector<ClipboardArrival> Take() override;

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    void Run(std::promise<bool>& started);
    void OnUpdate(Clipboard& clipboard);

    HWND notify_ = nullptr;
    Reader read_;
    std::thread thread_;
    DWORD threadId_ = 0;
    // Of the watcher's thread alone.
    std::uint32_t lastSequence_ = 0;
    Clipboard* clipboard_ = nullptr;
    std::mutex mutex_;
    // Guarded by mutex_: what was read, and whether the window was told.
    std::vector<ClipboardArrival> queue_;
    bool told_ = false;
};

}  // namespace gleaner::win32
