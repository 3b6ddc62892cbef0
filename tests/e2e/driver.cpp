// What any program on the desktop can do: start programs, find and read
// other windows, use the clipboard, give input, read message boxes and the
// files beside them; and xdotool for the window manager.
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <latch>

#include "driver.h"

namespace gleaner::e2e {
namespace {

// WM_APP carries work from OtherApplication::OnThread.
LRESULT CALLBACK OtherWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP) return DefWindowProcW(window, message, wParam, lParam);
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 0;
}

void SendKey(WORD virtualKey, wchar_t unit, DWORD flags, DWORD pauseMs) {
    INPUT input{INPUT_KEYBOARD, {}};
    const auto scan = static_cast<WORD>(unit != 0 ? unit : MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC));
    input.ki = {virtualKey, scan, flags, 0, 0};
    SendInput(1, &input, sizeof input);
    PumpFor(pauseMs);
}

// CreateProcessW with no handles inherited and the default window.
bool Launch(std::wstring line, DWORD flags, const wchar_t* folder, PROCESS_INFORMATION& started) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    return CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, flags, nullptr, folder, &startup, &started);
}

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

}  // namespace

void PumpFor(DWORD ms) {
    for (const ULONGLONG end = GetTickCount64() + ms;;) {
        for (MSG msg; PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&msg);
        const ULONGLONG now = GetTickCount64();
        if (now >= end) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
    }
}

std::string Describe(const std::wstring& text) {
    const auto cut = text.size() <= 300 ? text : text.substr(0, 60) + L" ... " + text.substr(text.size() - 240);
    std::wstring escaped;
    for (wchar_t c : cut) escaped += c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
    std::string utf8(escaped.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, escaped.data(), static_cast<int>(escaped.size()), utf8.data(),
                                    static_cast<int>(utf8.size()), nullptr, nullptr));
    return "\"" + utf8 + "\" (" + std::to_string(text.size()) + " chars)";
}

HWND FindWindowOf(DWORD pid, const std::wstring& className) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className.c_str(), nullptr)) != nullptr) {
        DWORD windowPid = 0;
        GetWindowThreadProcessId(window, &windowPid);
        if (pid == 0 || windowPid == pid) break;
    }
    return window;
}

bool PutText(HWND owner, const std::wstring& text, DWORD holdMs) {
    if (!WaitFor("OpenClipboard", [&] { return OpenClipboard(owner) != FALSE; }, true, 5000)) return false;
    bool ok = EmptyClipboard() != FALSE;
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text.c_str(), size);
    GlobalUnlock(block);
    ok = ok && SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!ok) GlobalFree(block);  // the clipboard did not take it
    ok = CloseClipboard() && ok;
    if (holdMs == 0 || !OpenClipboard(owner)) return ok;
    Sleep(holdMs);
    return CloseClipboard() && ok;
}

std::optional<std::wstring> ReadText(HWND owner) {
    if (!WaitFor("OpenClipboard", [&] { return OpenClipboard(owner) != FALSE; }, true, 5000)) return std::nullopt;
    std::optional<std::wstring> text;
    HANDLE block = GetClipboardData(CF_UNICODETEXT);
    if (const auto* chars = static_cast<const wchar_t*>(block != nullptr ? GlobalLock(block) : nullptr)) {
        text.emplace(chars, wcsnlen(chars, GlobalSize(block) / sizeof(wchar_t)));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

OtherApplication::OtherApplication() {
    std::latch ready(1);
    thread_ = std::jthread([this, &ready] {
        const WNDCLASSW windowClass{0,       OtherWindowProc, 0,       0,       GetModuleHandleW(nullptr),
                                    nullptr, nullptr,         nullptr, nullptr, L"GleanerE2EOtherApplication"};
        RegisterClassW(&windowClass);
        // Away from where gleaner and notepad appear, so that a click meant
        // for one of them never lands here.
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"Another application",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 1300, 600, 400, 250, nullptr, nullptr,
                                  windowClass.hInstance, nullptr);
        ready.count_down();
        for (MSG msg; window_ != nullptr && GetMessageW(&msg, nullptr, 0, 0) > 0;) DispatchMessageW(&msg);
    });
    ready.wait();
}

OtherApplication::~OtherApplication() {
    OnThread([this] {
        PostQuitMessage(0);
        return DestroyWindow(window_);
    });
}

void Press(std::initializer_list<WORD> keys) {
    for (WORD key : keys) SendKey(key, 0, 0, 30);
    PumpFor(70);
    for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) SendKey(*key, 0, KEYEVENTF_KEYUP, 30);
}

void TypeText(const std::wstring& text) {
    for (wchar_t unit : text) {
        SendKey(0, unit, KEYEVENTF_UNICODE, 0);
        SendKey(0, unit, KEYEVENTF_UNICODE | KEYEVENTF_KEYUP, 5);
    }
}

void ClickAt(POINT point) {
    SetCursorPos(point.x, point.y);
    for (DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
        PumpFor(100);
        INPUT input{INPUT_MOUSE, {}};
        input.mi.dwFlags = button;
        SendInput(1, &input, sizeof input);
    }
}

HWND WaitForMessageBox(DWORD pid) {
    HWND box = nullptr;
    const auto shown = [&] { return IsWindowVisible(box = FindWindowOf(pid, L"#32770")) != FALSE; };
    return WaitFor("a message box", shown, true) ? box : nullptr;
}

bool WriteConf(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    std::string bytes(text.size() * 2, '\0');
    BOOL lossy = FALSE;
    bytes.resize(WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, &lossy));
    std::ofstream file(path.c_str(), std::ios::binary);
    return !lossy && (file << bytes).good();
}

std::string Contents(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    return {std::istreambuf_iterator<char>(file), {}};
}

std::wstring BuiltGleaner() { return WindowsPathOf(GLEANER_EXE_UNIX_PATH); }
std::wstring BuiltCopier() { return WindowsPathOf(GLEANER_COPIER_UNIX_PATH); }

ExeFolder::ExeFolder(const std::wstring& exe, const char* language) : path(MakeFolderWith(exe)) {
    if (!path.empty() && language)
        std::ofstream(File(L"gleaner.ini").c_str(), std::ios::binary) << "language = " << language << "\r\n";
}

ExeFolder::~ExeFolder() {
    // An exe that has just ended can stay locked for a moment.
    std::error_code failed;
    const auto removed = [&] { return std::filesystem::remove_all(path, failed) != static_cast<std::uintmax_t>(-1); };
    (void)WaitFor("the folder is removed", removed, true, 5000);
}

Program::Program(std::wstring commandLine, const std::wstring& folder) {
    PROCESS_INFORMATION started{};
    // The folder is its local application data too: the collection one run
    // keeps never reaches another's.
    std::wstring local(MAX_PATH, L'\0');
    local.resize(GetEnvironmentVariableW(L"LOCALAPPDATA", local.data(), MAX_PATH));
    if (!folder.empty()) SetEnvironmentVariableW(L"LOCALAPPDATA", folder.c_str());
    const bool launched = Launch(std::move(commandLine), CREATE_SUSPENDED, folder.empty() ? nullptr : folder.c_str(), started);
    SetEnvironmentVariableW(L"LOCALAPPDATA", local.c_str());
    if (!launched) return;  // a program that never shows a window
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
    // xdotool through the shell. Wine starts a Linux program named in
    // CreateProcess but hands back nothing to wait on: the shell leaves a file
    // behind when it is done. Nor may its handles be closed: the process handle
    // is null and the thread handle a stale number that may by now name one of
    // ours (a job, whose closing ends its program).
    const auto activate = [&] {
        static int runs = 0;
        const auto done = "/tmp/gleaner-e2e-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++runs);
        const auto command = "timeout 10 xdotool windowactivate --sync " + std::to_string(xWindow) + "; touch " + done;
        PROCESS_INFORMATION ignored{};
        Launch(std::filesystem::path("/bin/sh -c \"" + command + "\"").wstring(), CREATE_NO_WINDOW, nullptr, ignored);
        (void)WaitFor("xdotool has finished", [&] { return std::filesystem::exists(WindowsPathOf(done)); }, true);
        DeleteFileW(WindowsPathOf(done).c_str());
    };
    // Asked after a moment, so that a window that falls back at once does not count.
    const auto settled = [] {
        PumpFor(150);
        return GetForegroundWindow();
    };
    return Retried("the foreground window after xdotool windowactivate", activate, settled, window);
}

}  // namespace gleaner::e2e
