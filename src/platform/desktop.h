// The three services every step of the logic is handed.
#pragma once

#include "platform/clipboard.h"
#include "platform/timers.h"

namespace gleaner {

// The services every part of the logic shares.
struct Desktop {
    Clipboard& clipboard;
    EventLoop& events;
    Timers& timers;
};

}  // namespace gleaner
