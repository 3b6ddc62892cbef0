// Making a window the one the user works in.
//
// Under Wine, Windows' idea of the foreground window and X's keyboard focus
// can disagree right after SetForegroundWindow. So the window is raised
// through the window manager (xdotool windowactivate --sync), and then we
// check that Windows agrees and still agrees a moment later.
#pragma once

#include <windows.h>

#include <string>

namespace gleaner::e2e {

// True when window is the foreground window and stayed so for a moment.
// On false, *why (when given) tells what went wrong.
bool BringToFront(HWND window, std::string* why = nullptr);

}  // namespace gleaner::e2e
