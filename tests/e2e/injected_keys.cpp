#include "injected_keys.h"

namespace gleaner::e2e {
namespace {

// A low-level hook procedure gets no context: the one watch at a time.
InjectedKeyWatch* activeWatch = nullptr;

}  // namespace

InjectedKeyWatch::InjectedKeyWatch() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    activeWatch = this;
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
}

InjectedKeyWatch::~InjectedKeyWatch() {
    if (threadId_ != 0) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
    activeWatch = nullptr;
}

std::vector<DWORD> InjectedKeyWatch::PressedKeys() const {
    std::lock_guard lock(mutex_);
    return pressed_;
}

LRESULT CALLBACK InjectedKeyWatch::HookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && activeWatch != nullptr && (wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN)) {
        const auto* event = reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam);
        if (event->flags & LLKHF_INJECTED) {
            std::lock_guard lock(activeWatch->mutex_);
            activeWatch->pressed_.push_back(event->vkCode);
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void InjectedKeyWatch::Run(HANDLE ready) {
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    threadId_ = GetCurrentThreadId();
    HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, HookProc, GetModuleHandleW(nullptr), 0);
    started_ = hook != nullptr;
    SetEvent(ready);
    if (hook == nullptr) return;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    UnhookWindowsHookEx(hook);
}

}  // namespace gleaner::e2e
