#include "platform/timers_win32.h"

namespace gleaner::win32 {

void Win32Timers::Start(TimerId timer, int milliseconds) {
    SetTimer(owner_.hwnd, static_cast<UINT_PTR>(timer), static_cast<UINT>(milliseconds), nullptr);
}

void Win32Timers::Stop(TimerId timer) { KillTimer(owner_.hwnd, static_cast<UINT_PTR>(timer)); }

}  // namespace gleaner::win32
