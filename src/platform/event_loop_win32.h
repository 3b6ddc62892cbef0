// The one pause a step may take.
#pragma once

#include <windows.h>

#include "platform/timers.h"

namespace gleaner::win32 {

class Win32EventLoop : public EventLoop {
public:
    void Sleep(int milliseconds) override;
};

}  // namespace gleaner::win32
