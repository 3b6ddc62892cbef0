#include "window_activation.h"

#include <cstdio>

#include "polling.h"
#include "unix_command.h"

namespace gleaner::e2e {
namespace {

constexpr int kAttempts = 3;
constexpr DWORD kSettleMs = 150;

// The X window Wine made for a top-level window; Wine keeps it in a window
// property that every process can read.
unsigned long XWindowOf(HWND window) {
    return static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window")));
}

bool AskWindowManager(unsigned long xWindow, std::string* why) {
    char command[128];
    std::snprintf(command, sizeof command, "timeout 10 xdotool windowactivate --sync %lu", xWindow);
    const auto result = RunUnixCommand(command, kLongWaitMs);
    if (!result) {
        if (why) *why = std::string("could not run or did not finish: ") + command;
        return false;
    }
    if (result->exitCode != 0) {
        if (why) *why = std::string(command) + " failed: " + result->output;
        return false;
    }
    return true;
}

bool StaysInFront(HWND window) {
    if (!WaitUntil([&] { return GetForegroundWindow() == window; }, kShortWaitMs)) return false;
    PumpFor(kSettleMs);
    return GetForegroundWindow() == window;
}

}  // namespace

bool BringToFront(HWND window, std::string* why) {
    unsigned long xWindow = 0;
    if (!WaitUntil([&] { return (xWindow = XWindowOf(window)) != 0; }, kShortWaitMs)) {
        if (why) *why = "the window has no X window (not shown?)";
        return false;
    }
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        if (!AskWindowManager(xWindow, why)) continue;
        if (StaysInFront(window)) return true;
        if (why) *why = "the window manager activated it, but Windows' foreground window is another one";
    }
    return false;
}

}  // namespace gleaner::e2e
