#include "message_box.h"

#include "polling.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

// MessageBox puts its text in a static control with this id.
constexpr int kTextControlId = 0xFFFF;
constexpr int kButtonIds[] = {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE};

}  // namespace

MessageBoxView WaitForMessageBox(DWORD pid, DWORD timeoutMs) {
    MessageBoxView view;
    WaitUntil(
        [&] {
            view.window = FindTopLevelWindow(pid, L"#32770");
            return view.window != nullptr && IsWindowVisible(view.window);
        },
        timeoutMs);
    if (view.window == nullptr) return view;
    view.title = ReadWindowText(view.window).value_or(L"");
    if (HWND text = GetDlgItem(view.window, kTextControlId)) view.text = ReadWindowText(text).value_or(L"");
    for (int id : kButtonIds) {
        HWND button = GetDlgItem(view.window, id);
        if (button != nullptr && IsWindowVisible(button)) view.buttonIds.push_back(id);
    }
    return view;
}

void PressButton(HWND box, int buttonId) {
    if (HWND button = GetDlgItem(box, buttonId)) PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace gleaner::e2e
