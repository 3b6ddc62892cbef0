#include "notepad.h"

#include "keyboard_mouse.h"
#include "polling.h"
#include "window_activation.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

constexpr int kNoButton = 7;

}  // namespace

Notepad::Notepad() : process_(L"notepad.exe", nullptr) {
    if (!process_.Started()) {
        problem_ = "notepad.exe did not start";
        return;
    }
    WaitForInputIdle(process_.Handle(), kLongWaitMs);
    WaitUntil([&] { return (window_ = FindTopLevelWindow(process_.Id(), L"Notepad")) != nullptr && IsWindowVisible(window_); },
              kLongWaitMs);
    if (window_ != nullptr) edit_ = FindWindowExW(window_, nullptr, L"Edit", nullptr);
    if (edit_ == nullptr) problem_ = "notepad's window or its Edit control did not appear";
}

Notepad::~Notepad() {
    if (process_.Running()) Close();
}

bool Notepad::ComeToFront() {
    std::string why;
    if (BringToFront(window_, &why)) return true;
    problem_ = "notepad could not be brought to the front: " + why;
    return false;
}

bool Notepad::TypeOver(const std::wstring& text) {
    if (!Started() || !ComeToFront()) return false;
    PressCtrl('A');
    TypeText(text);
    std::wstring expected;
    for (wchar_t c : text) {
        if (c == L'\r') continue;
        if (c == L'\n') expected += L'\r';
        expected += c;
    }
    if (WaitUntil([&] { return Text() == expected; })) return true;
    problem_ = "notepad does not show the typed text";
    return false;
}

bool Notepad::SelectAllAndCopy() {
    if (!Started() || !ComeToFront()) return false;
    PressCtrl('A');
    const DWORD before = GetClipboardSequenceNumber();
    PressCtrl('C');
    if (WaitUntil([&] { return GetClipboardSequenceNumber() != before; })) return true;
    problem_ = "Ctrl+C in notepad did not change the clipboard";
    return false;
}

std::optional<std::wstring> Notepad::Text() const {
    if (edit_ == nullptr) return std::nullopt;
    return ReadWindowText(edit_);
}

bool Notepad::Close() {
    if (!process_.Running()) return true;
    PostMessageW(window_, WM_CLOSE, 0, 0);
    // Notepad asks whether to save the typed text; a person answers "No".
    const bool ended = WaitUntil(
        [&] {
            if (HWND box = FindTopLevelWindow(process_.Id(), L"#32770")) {
                if (HWND no = GetDlgItem(box, kNoButton)) PostMessageW(no, BM_CLICK, 0, 0);
            }
            return !process_.Running();
        },
        kLongWaitMs, 100);
    if (!ended) {
        problem_ = "notepad did not end after WM_CLOSE";
        process_.Kill();
    }
    return ended;
}

}  // namespace gleaner::e2e
