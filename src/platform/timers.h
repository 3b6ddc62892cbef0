// Time: the one pause a step may take, and the main window's timers.
#pragma once

#include <cstdint>

namespace gleaner {

// The program's one message loop belongs to the Win32 glue: no step of the
// logic runs another inside it (boxes aside, which PromptQueue opens from
// the main loop). A step may only pause, and nothing runs meanwhile.
class EventLoop {
public:
    virtual ~EventLoop() = default;
    virtual void Sleep(int milliseconds) = 0;
};

// The main window's timers, each running only while its work is under way:
// HotKey carries a paste from one step to the next, End ends the program,
// TrayRetry adds the icon again while the notification area refuses it,
// Batch shows the copies read meanwhile, Prompt opens the next box from the
// main loop, ClearRetry tries クリア's clipboard again while it is busy,
// Keep writes the collection's file a moment after a change.
enum class TimerId : std::uintptr_t {
    HotKey = 2,
    End = 3,
    TrayRetry = 4,
    Batch = 5,
    Prompt = 6,
    ClearRetry = 7,
    Keep = 8
};
class Timers {
public:
    virtual ~Timers() = default;
    virtual void Start(TimerId timer, int milliseconds) = 0;
    virtual void Stop(TimerId timer) = 0;
};

}  // namespace gleaner
