#include "platform/win32_services.h"

namespace gleaner::win32 {

void Win32EventLoop::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

namespace {

// A window that declares itself a control parent gets a dialog's keys: Tab
// between its controls, Esc as its close.
bool IsDialogKey(MSG& msg) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageW(root, &msg);
}

}  // namespace

void Win32EventLoop::ProcessPendingMessages() { Dispatch(); }

bool Win32EventLoop::WaitForMessages() {
    MsgWaitForMultipleObjectsEx(0, nullptr, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return Dispatch();
}

bool Win32EventLoop::Dispatch() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit to the outermost message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (IsDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

void Win32Timers::Start(TimerId timer, int milliseconds) {
    SetTimer(owner_.hwnd, static_cast<UINT_PTR>(timer), static_cast<UINT>(milliseconds), nullptr);
}

void Win32Timers::Stop(TimerId timer) { KillTimer(owner_.hwnd, static_cast<UINT_PTR>(timer)); }

}  // namespace gleaner::win32
