#include "running_program.h"

#include <vector>

namespace gleaner::bench {
namespace {

constexpr int kBoxId = 1001;
constexpr DWORD kStartTimeoutMs = 30000;

struct WindowSearch {
    DWORD processId;
    const std::wstring* windowClass;
    HWND found = nullptr;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM lParam) {
    auto* search = reinterpret_cast<WindowSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    wchar_t className[256] = L"";
    GetClassNameW(window, className, 256);
    if (processId != search->processId || *search->windowClass != className) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindMainWindow(DWORD processId, const std::wstring& windowClass) {
    WindowSearch search{processId, &windowClass};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

void PumpMessagesFor(DWORD ms) {
    const ULONGLONG until = GetTickCount64() + ms;
    do {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (ms > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (GetTickCount64() < until);
}

std::optional<RunningProgram> RunningProgram::Start(const ProgramStart& start, std::wstring& error) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::vector<wchar_t> commandLine(start.commandLine.begin(), start.commandLine.end());
    commandLine.push_back(L'\0');
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, start.folder.c_str(),
                        &startup, &info)) {
        error = L"could not start " + start.commandLine + L" (error " + std::to_wstring(GetLastError()) + L")";
        return std::nullopt;
    }
    CloseHandle(info.hThread);
    RunningProgram program;
    program.process_.Reset(info.hProcess);
    program.processId_ = info.dwProcessId;

    const ULONGLONG until = GetTickCount64() + kStartTimeoutMs;
    while (GetTickCount64() < until && !program.Ended()) {
        HWND window = FindMainWindow(program.processId_, start.windowClass);
        if (window && IsWindowVisible(window)) {
            program.window_ = window;
            program.box_ = GetDlgItem(window, kBoxId);
            break;
        }
        PumpMessagesFor(20);
    }
    if (!program.window_ || !program.box_) {
        error = L"no visible window of class " + start.windowClass + L" with an EDIT " + std::to_wstring(kBoxId) +
                L" appeared for " + start.commandLine;
        return std::nullopt;
    }
    return program;
}

std::optional<std::size_t> RunningProgram::BoxLength(DWORD timeoutMs) const {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(box_, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, timeoutMs, &length)) return std::nullopt;
    return static_cast<std::size_t>(length);
}

bool RunningProgram::SetShown(bool shown) {
    ShowWindow(window_, shown ? SW_SHOWNA : SW_HIDE);
    PumpMessagesFor(300);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &ignored);
    return (IsWindowVisible(window_) != FALSE) == shown && (IsWindowVisible(box_) != FALSE) == shown;
}

bool RunningProgram::Ended() const {
    return !process_.Valid() || WaitForSingleObject(process_.Get(), 0) == WAIT_OBJECT_0;
}

bool RunningProgram::Close(DWORD timeoutMs) {
    if (!process_.Valid()) return true;
    if (window_ && IsWindow(window_)) PostMessageW(window_, WM_CLOSE, 0, 0);
    const ULONGLONG until = GetTickCount64() + timeoutMs;
    while (!Ended() && GetTickCount64() < until) PumpMessagesFor(20);
    const bool ended = Ended();
    if (!ended) {
        TerminateProcess(process_.Get(), 1);
        WaitForSingleObject(process_.Get(), 5000);
    }
    process_.Reset();
    return ended;
}

}  // namespace gleaner::bench
