// "Another application": a visible window of the test, on a thread of its
// own with its own message loop, that copies text while it is in front the
// way any program does when the user presses its Copy command.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "clipboard_text.h"

namespace gleaner::e2e {

class OtherApplication {
public:
    OtherApplication();
    ~OtherApplication();
    OtherApplication(const OtherApplication&) = delete;
    OtherApplication& operator=(const OtherApplication&) = delete;

    HWND Window() const { return window_; }
    bool Started() const { return window_ != nullptr; }

    // Puts text (and any marks) on the clipboard from this window's thread,
    // with this window as the clipboard owner. Does not change the foreground
    // window: call BringToFront(Window()) first to copy "from here".
    bool Copy(const std::wstring& text, const std::vector<ClipboardMark>& marks = {});
    // Reads the clipboard as this application would.
    std::optional<std::wstring> ClipboardText();

private:
    void Run(HANDLE ready);
    // Runs work on the window's thread and waits for it.
    void OnWindowThread(const std::function<void()>& work);

    HWND window_ = nullptr;
    DWORD threadId_ = 0;
    std::thread thread_;
};

}  // namespace gleaner::e2e
