// Watches the keyboard input of the whole desktop with a low-level keyboard
// hook, the way a key logger would, to see which keys programs inject.
// The hook lives on a thread of its own, so that input never waits for the
// test's thread.
#pragma once

#include <windows.h>

#include <mutex>
#include <thread>
#include <vector>

namespace gleaner::e2e {

class InjectedKeyWatch {
public:
    // Starts watching. Started() is false when the hook could not be set.
    InjectedKeyWatch();
    ~InjectedKeyWatch();
    InjectedKeyWatch(const InjectedKeyWatch&) = delete;
    InjectedKeyWatch& operator=(const InjectedKeyWatch&) = delete;

    bool Started() const { return started_; }
    // The virtual keys of the injected presses seen so far, in order.
    std::vector<DWORD> PressedKeys() const;

private:
    static LRESULT CALLBACK HookProc(int code, WPARAM wParam, LPARAM lParam);
    void Run(HANDLE ready);

    mutable std::mutex mutex_;
    std::vector<DWORD> pressed_;
    DWORD threadId_ = 0;
    bool started_ = false;
    std::thread thread_;
};

}  // namespace gleaner::e2e
