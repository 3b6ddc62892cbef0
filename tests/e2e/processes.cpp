// The programs a scenario starts, and xdotool for the window manager.
#include "driver.h"

#include <filesystem>

namespace gleaner::e2e {
namespace {

// Wine shows the Linux file system as drive Z:.
std::wstring WindowsPathOf(const std::string& unixPath) {
    return L"Z:" + std::filesystem::path(unixPath).make_preferred().wstring();
}

std::wstring MakeFolderWith(const std::wstring& exe) {
    static int folders = 0;
    const auto name = L"gleaner-e2e-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++folders);
    const std::wstring path = (std::filesystem::temp_directory_path() / name).wstring();
    const std::wstring copy = path + L"\\gleaner.exe";
    return CreateDirectoryW(path.c_str(), nullptr) && CopyFileW(exe.c_str(), copy.c_str(), TRUE) ? path : L"";
}

// Wine starts a Linux program named in CreateProcess but hands back nothing to
// wait on: the shell leaves a file behind when it is done. Nor may its handles
// be closed: the process handle is null and the thread handle a stale number
// that may by now name one of ours (a job, whose closing ends its program).
void RunXdotool(const std::string& arguments) {
    static int runs = 0;
    const std::string done = "/tmp/gleaner-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
    std::wstring line = std::filesystem::path("/bin/sh -c \"timeout 10 xdotool " + arguments + "; touch " + done + "\"")
                            .wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION ignored{};
    CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr, &startup,
                   &ignored);
    (void)WaitFor("xdotool has finished", [&] { return std::filesystem::exists(WindowsPathOf(done)); }, true);
    DeleteFileW(WindowsPathOf(done).c_str());
}

}  // namespace

std::wstring BuiltGleaner() { return WindowsPathOf(GLEANER_EXE_UNIX_PATH); }

ExeFolder::ExeFolder(const std::wstring& exe) : path(MakeFolderWith(exe)) {}

ExeFolder::~ExeFolder() {
    // An exe that has just ended can stay locked for a moment.
    std::error_code failed;
    const auto removed = [&] { return std::filesystem::remove_all(path, failed) != static_cast<std::uintmax_t>(-1); };
    (void)WaitFor("the folder is removed", removed, true, 5000);
}

Program::Program(std::wstring commandLine, const std::wstring& folder) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        return;  // a program that never shows a window
    }
    job_ = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job_, JobObjectExtendedLimitInformation, &limits, sizeof limits);
    AssignProcessToJobObject(job_, started.hProcess);
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);
    process_ = started.hProcess;
    id_ = started.dwProcessId;
}

Program::~Program() {
    TerminateProcess(process_, 1);  // fails harmlessly once it has ended
    WaitForSingleObject(process_, 5000);
    if (process_ != nullptr) CloseHandle(process_);
    if (job_ != nullptr) CloseHandle(job_);
}

testing::AssertionResult Program::WaitForWindow(const std::wstring& className, bool shown) {
    WaitForInputIdle(process_, kWaitMs);
    const auto there = [&] {
        window_ = FindWindowOf(id_, className);
        return window_ != nullptr && (IsWindowVisible(window_) != FALSE) == shown;
    };
    auto result = WaitFor((shown ? "a shown window of class " : "a hidden window of class ") + Describe(className),
                          there, true);
    (void)Ask(window_, WM_NULL);  // answered once the program is through with what came before
    return result;
}

testing::AssertionResult Program::Close() {
    if (!Running()) return testing::AssertionSuccess();
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return WaitFor("the program is running after WM_CLOSE", [&] {
        if (HWND no = GetDlgItem(FindWindowOf(id_, L"#32770"), IDNO)) PostMessageW(no, BM_CLICK, 0, 0);
        return Running();
    }, false);
}

testing::AssertionResult BringToFront(HWND window) {
    // Wine keeps a top-level window's X window in a property anyone can read.
    const auto xWindow = reinterpret_cast<ULONG_PTR>(GetPropW(window, L"__wine_x11_whole_window"));
    // Asked after a moment, so that a window that falls back at once does not count.
    const auto settled = [] {
        PumpFor(150);
        return GetForegroundWindow();
    };
    return Retried(
        "the foreground window after xdotool windowactivate",
        [&] { RunXdotool("windowactivate --sync " + std::to_string(xWindow)); }, settled, window);
}

}  // namespace gleaner::e2e
