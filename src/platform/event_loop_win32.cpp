#include "platform/event_loop_win32.h"

namespace gleaner::win32 {

void Win32EventLoop::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

}  // namespace gleaner::win32
