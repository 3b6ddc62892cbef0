// A program the benchmark starts and drives from outside: its process, its
// main window and the multi-line EDIT (id 1001) that holds its collection.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32_handles.h"

namespace gleaner::bench {

struct ProgramStart {
    std::wstring commandLine;  // the executable (quoted) and its arguments
    std::wstring folder;       // the working folder
    std::wstring windowClass;  // the class of its main window
};

class RunningProgram {
public:
    // Starts the program and waits until its main window is visible (both
    // gleaner and the collector join the clipboard viewer chain before they
    // show it). Fills `error` and returns nothing when that does not happen.
    static std::optional<RunningProgram> Start(const ProgramStart& start, std::wstring& error);

    RunningProgram(RunningProgram&&) = default;
    RunningProgram& operator=(RunningProgram&&) = default;
    ~RunningProgram() { Close(); }

    HWND Window() const { return window_; }
    HWND Box() const { return box_; }
    // The EDIT's length in UTF-16 code units (WM_GETTEXTLENGTH, answered by
    // the program's own thread once it has handled what was sent before).
    std::optional<std::size_t> BoxLength(DWORD timeoutMs) const;

    // SW_HIDE, or SW_SHOWNA (shown without taking the foreground), then a
    // pause in which the program redraws. False when the window's
    // visibility did not follow.
    bool SetShown(bool shown);

    // WM_CLOSE, then waits for the process to end; a program that has not
    // ended after `timeoutMs` is terminated. False in that case.
    bool Close(DWORD timeoutMs = 15000);
    bool Ended() const;

private:
    RunningProgram() = default;

    win32::UniqueKernelHandle process_;
    DWORD processId_ = 0;
    HWND window_ = nullptr;
    HWND box_ = nullptr;
};

// Processes the calling thread's pending messages for about `ms` milliseconds.
void PumpMessagesFor(DWORD ms);

}  // namespace gleaner::bench
