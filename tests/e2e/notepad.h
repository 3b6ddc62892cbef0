// Wine's notepad: a real application we did not write, driven with the
// keyboard the way a person uses it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "child_process.h"

namespace gleaner::e2e {

class Notepad {
public:
    // Starts notepad and waits for its window.
    Notepad();
    ~Notepad();
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    bool Started() const { return edit_ != nullptr; }
    HWND Window() const { return window_; }

    // Brings notepad to the front and types text over whatever it holds
    // (Ctrl+A, then the keys). True once notepad shows exactly that text.
    bool TypeOver(const std::wstring& text);
    // Brings notepad to the front, selects everything and presses Ctrl+C.
    // True once the clipboard has changed.
    bool SelectAllAndCopy();
    std::optional<std::wstring> Text() const;

    // Closes notepad, answering "No" when it asks to save. True when it ended.
    bool Close();
    // What went wrong in the last call that returned false.
    const std::string& Problem() const { return problem_; }

private:
    bool ComeToFront();

    ChildProcess process_;
    HWND window_ = nullptr;
    HWND edit_ = nullptr;
    std::string problem_;
};

}  // namespace gleaner::e2e
