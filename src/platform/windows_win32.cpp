#include "platform/windows_win32.h"

#include "platform/handles_win32.h"

namespace gleaner::win32 {

WindowId Win32Windows::ForegroundWindow() { return ToWindowId(GetForegroundWindow()); }

void Win32Windows::SetForegroundWindow(WindowId window) {
    if (window) ::SetForegroundWindow(ToHwnd(window));
}

}  // namespace gleaner::win32
