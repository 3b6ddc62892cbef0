// The main window's timers.
#pragma once

#include <windows.h>

#include "platform/handles_win32.h"
#include "platform/timers.h"

namespace gleaner::win32 {

class Win32Timers : public Timers {
public:
    explicit Win32Timers(const OwnerWindow& owner) : owner_(owner) {}
    void Start(TimerId timer, int milliseconds) override;
    void Stop(TimerId timer) override;

private:
    const OwnerWindow& owner_;
};

}  // namespace gleaner::win32
