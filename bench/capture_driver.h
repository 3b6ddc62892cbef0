// The benchmark's side of a capture: its own window, which is the foreground
// window while it copies (so that the collecting program collects) and which
// owns what it puts on the clipboard; and the clock.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/win32_handles.h"
#include "running_program.h"

namespace gleaner::bench {

class CaptureDriver {
public:
    static std::optional<CaptureDriver> Create();

    HWND Window() const { return window_.Get(); }

    // Makes the driver's window the foreground window and checks that it
    // still is a moment later.
    bool TakeForeground();
    bool HasForeground() const { return GetForegroundWindow() == window_.Get(); }

    // OpenClipboard with the driver's window, EmptyClipboard,
    // SetClipboardData(CF_UNICODETEXT), CloseClipboard.
    bool Put(const std::wstring& text);

    // Puts the text and waits until the program's EDIT holds `expected`
    // characters. The milliseconds from the put to that observation, or
    // nothing when the length went elsewhere or did not arrive in time.
    std::optional<double> TimedCapture(const RunningProgram& program, const std::wstring& text,
                                       std::size_t expected, DWORD timeoutMs);

    // What the EDIT held when the last TimedCapture failed.
    std::optional<std::size_t> LastSeenLength() const { return lastSeen_; }

private:
    CaptureDriver() = default;

    win32::UniqueWindow window_;
    std::optional<std::size_t> lastSeen_;
};

// Milliseconds since an arbitrary start, high resolution.
double NowMs();

}  // namespace gleaner::bench
