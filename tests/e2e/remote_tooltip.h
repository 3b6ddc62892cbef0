// Reading a tooltip's text from outside its process.
//
// WM_GETTEXT on a tooltip window is empty until the tip is shown, and the
// TTM_* messages carry pointers: so the TOOLINFO and the text buffer are
// placed in the other process (VirtualAllocEx) and read back from there.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace gleaner::e2e {

// The text of the tool in tooltip whose uId is tool (a TTF_IDISHWND tool).
// process must allow PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE.
// nullopt when there is no such tool or the text could not be read.
std::optional<std::wstring> ReadToolText(HANDLE process, HWND tooltip, HWND tool);

}  // namespace gleaner::e2e
