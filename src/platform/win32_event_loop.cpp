#include "platform/win32_services.h"

namespace gleaner::win32 {

void Win32EventLoop::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

void Win32EventLoop::ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit to the outermost message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

void Win32Timers::Start(TimerId timer, int milliseconds) {
    SetTimer(owner_.hwnd, static_cast<UINT_PTR>(timer), static_cast<UINT>(milliseconds), nullptr);
}

void Win32Timers::Stop(TimerId timer) { KillTimer(owner_.hwnd, static_cast<UINT_PTR>(timer)); }

}  // namespace gleaner::win32
