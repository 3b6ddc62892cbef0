// Which top-level window is in front.
#pragma once

#include <windows.h>

#include "platform/window_system.h"

namespace gleaner::win32 {

class Win32Windows : public Windows {
public:
    WindowId ForegroundWindow() override;
    void SetForegroundWindow(WindowId window) override;
};

}  // namespace gleaner::win32
