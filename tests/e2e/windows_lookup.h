// Finding and reading other programs' windows from outside, as a test
// driver that only sees the desktop.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gleaner::e2e {

// The first visible or hidden top-level window of process pid with this
// class name (and this caption, when given); nullptr when there is none.
HWND FindTopLevelWindow(DWORD pid, const std::wstring& className, const std::wstring* caption = nullptr);
// Any top-level window of any process with this class name.
HWND FindAnyTopLevelWindow(const std::wstring& className);
// A top-level window of this class whose owner is owner.
HWND FindOwnedWindow(HWND owner, const std::wstring& className);

std::wstring ClassNameOf(HWND window);
DWORD ProcessIdOf(HWND window);

// WM_GETTEXT through SendMessageTimeout, so a hung target fails the test
// instead of hanging it. nullopt when the window does not answer.
std::optional<std::wstring> ReadWindowText(HWND window);

std::optional<RECT> WindowRect(HWND window);

// The window that has the keyboard focus in the thread that owns window.
HWND FocusInThreadOf(HWND window);

}  // namespace gleaner::e2e
