// gleaner.exe as the user sees it: started from a folder, its main window,
// the collection box, the length tooltip, and closing it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "child_process.h"

namespace gleaner::e2e {

inline constexpr wchar_t kMainWindowClass[] = L"GleanerMainWindow";
inline constexpr wchar_t kMainWindowCaption[] = L"ぐりーなー！ Ver0.76";
inline constexpr int kBoxControlId = 1001;

class GleanerProcess {
public:
    // Starts exePath (its folder as the working folder) and waits until the
    // main window with its box is up and the program waits for input.
    explicit GleanerProcess(const std::wstring& exePath);
    ~GleanerProcess();
    GleanerProcess(const GleanerProcess&) = delete;
    GleanerProcess& operator=(const GleanerProcess&) = delete;

    bool Started() const { return box_ != nullptr; }
    bool Running() const { return process_.Running(); }
    DWORD Id() const { return process_.Id(); }
    HWND MainWindow() const { return main_; }
    HWND Box() const { return box_; }

    std::optional<std::wstring> BoxText() const;
    // Waits until the box shows exactly expected. False (and Problem() says
    // what it showed instead) when it does not within the deadline.
    bool WaitForBoxText(const std::wstring& expected, DWORD timeoutMs = 0);
    // The text of the tooltip the main window keeps for the box.
    std::optional<std::wstring> TooltipText() const;

    // WM_CLOSE to the main window, then waits for the process to end.
    bool Close();
    const std::string& Problem() const { return problem_; }

private:
    ChildProcess process_;
    HWND main_ = nullptr;
    HWND box_ = nullptr;
    std::string problem_;
};

}  // namespace gleaner::e2e
