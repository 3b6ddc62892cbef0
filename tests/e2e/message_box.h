// A message box of another process, read and answered as a person would.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace gleaner::e2e {

struct MessageBoxView {
    HWND window = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<int> buttonIds;  // IDOK, IDCANCEL, IDYES, ... present in the box
};

// Waits for a "#32770" box of process pid; window is nullptr when none came.
MessageBoxView WaitForMessageBox(DWORD pid, DWORD timeoutMs);
// Presses the button with this id (IDOK, say).
void PressButton(HWND box, int buttonId);

}  // namespace gleaner::e2e
