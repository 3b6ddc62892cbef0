// Drives gleaner.exe from outside, as a person at the desktop does: the
// programs, their windows, the clipboard, keyboard and mouse, message boxes,
// the length tooltip and Conf.txt. The capture benchmark drives its programs
// with it too.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <functional>
#include <iostream>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace gleaner::e2e {

inline constexpr wchar_t kMainWindowClass[] = L"GleanerMainWindow";
inline constexpr int kBoxId = 1001;
// Generous on purpose: Wine under load can be slow, and only a test that is
// about to fail waits this long.
inline constexpr DWORD kWaitMs = 20000;

// Sleeps while still answering what is sent to this thread's windows.
void PumpFor(DWORD ms);
// For failure messages: UTF-8, line breaks shown as \r \n, a long text cut to
// its start and its end, where what was added last stands.
std::string Describe(const std::wstring& text);
template <class T>
std::string Shown(const T& value) {
    if constexpr (std::is_convertible_v<T, std::wstring>) return Describe(value);
    else return testing::PrintToString(value);
}
inline std::string Shown(const std::optional<std::wstring>& text) { return text ? Describe(*text) : "nothing"; }

// Asks read() again and again until it returns expected. On failure it says
// what was seen instead.
template <class Reader, class T>
testing::AssertionResult WaitFor(const std::string& what, Reader read, const T& expected, DWORD timeoutMs = kWaitMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (DWORD step = 10;; step = std::min<DWORD>(step * 2, 200)) {
        const auto seen = read();
        if (seen == expected) return testing::AssertionSuccess();
        if (GetTickCount64() > deadline) {
            return testing::AssertionFailure() << what << ": " << Shown(seen) << "\n  instead of " << Shown(expected);
        }
        PumpFor(step);
    }
}

// Now and then (a few in a hundred) Wine and the window manager let a click
// or a key go by; a person would simply do it again, and so do we, with a
// note in the log.
template <class Act, class Reader, class T>
testing::AssertionResult Retried(const std::string& what, Act act, Reader read, const T& expected) {
    testing::AssertionResult result = testing::AssertionFailure();
    for (int attempt = 0; attempt < 3 && !result; ++attempt) {
        if (attempt > 0) std::cout << "note: done again, as " << result.message() << "\n";
        act();
        result = WaitFor(what, read, expected, 5000);
    }
    return result;
}

// gleaner.exe as the build made it, as a Windows path.
std::wstring BuiltGleaner();
// A program that copies its command line when it gets WM_APP + 1: through
// its window (wParam 0) or with no owner window (1); the answer is 1 once
// the copy is there.
std::wstring BuiltCopier();

// A fresh folder under %TEMP% with a copy of gleaner.exe, so that the
// Conf.txt one run leaves behind never reaches another. Removed afterwards.
// Its gleaner.ini holds the language ("ja": the scenarios read Japanese
// whatever Wine's language; nullptr: no file, so Windows' language rules).
class ExeFolder {
public:
    explicit ExeFolder(const std::wstring& exe = BuiltGleaner(), const char* language = "ja");
    ~ExeFolder();
    ExeFolder(const ExeFolder&) = delete;
    ExeFolder& operator=(const ExeFolder&) = delete;

    std::wstring File(const std::wstring& name) const { return path + L"\\" + name; }
    // Empty when the folder with gleaner.exe in it could not be made.
    const std::wstring path;
};

// A program we started, ended for sure: it joins a job that ends it with us.
// Started in folder, which is also its LOCALAPPDATA.
class Program {
public:
    explicit Program(std::wstring commandLine, const std::wstring& folder = L"");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Waits until its top-level window of this class is shown (or there and
    // hidden, as in the notification area) and the program is through with
    // what came before.
    testing::AssertionResult WaitForWindow(const std::wstring& className, bool shown = true);
    HWND Window() const { return window_; }
    DWORD Id() const { return id_; }
    bool Running() const { return WaitForSingleObject(process_, 0) == WAIT_TIMEOUT; }
    // WM_CLOSE to its window, answering "No" when it asks whether to save.
    testing::AssertionResult Close();

private:
    HANDLE process_ = nullptr, job_ = nullptr;
    DWORD id_ = 0;
    HWND window_ = nullptr;
};

// The first top-level window of process pid (0: of any) with this class.
HWND FindWindowOf(DWORD pid, const std::wstring& className);
// The first icon in the notification area: Wine's explorer keeps each in a
// window of its own inside its stand-in tray.
inline HWND FirstTrayIcon() {
    HWND tray = FindWindowOf(0, L"__winex11_standalone_tray");
    return tray ? FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr) : nullptr;
}
// Left, top, right, bottom.
inline std::array<LONG, 4> RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}
// SendMessageTimeout, so that a hung program fails the test instead of hanging
// it: nothing when no answer came.
inline std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                                  DWORD ms = kWaitMs) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, ms, &answer)) return std::nullopt;
    return static_cast<LRESULT>(answer);
}
inline std::optional<std::wstring> TextOf(HWND window) {
    std::wstring text(Ask(window, WM_GETTEXTLENGTH).value_or(0) + 1, L'\0');
    const auto copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return copied ? std::optional(text.substr(0, *copied)) : std::nullopt;
}
// An EDIT's selection (in texts below 65,536 characters: it comes packed).
inline std::pair<WORD, WORD> SelectionOf(HWND edit) {
    const LRESULT packed = Ask(edit, EM_GETSEL).value_or(0);
    return {LOWORD(packed), HIWORD(packed)};
}

// owner must be a real window: under Wine two threads can both hold
// OpenClipboard(NULL).
// holdMs: the application opens the clipboard again at once and keeps it
// that long, as some do right after a copy (to add a format of their own).
bool PutText(HWND owner, const std::wstring& text, DWORD holdMs = 0);
std::optional<std::wstring> ReadText(HWND owner);

// "Another application": a visible window on a thread of its own with its own
// message loop, which copies while it is in front as any program does.
class OtherApplication {
public:
    OtherApplication();
    ~OtherApplication();

    HWND Window() const { return window_; }
    // Runs work on the window's thread, waits for it and hands back its result.
    template <class Work>
    auto OnThread(Work work) const {
        decltype(work()) result{};
        const std::function<void()> run = [&] { result = work(); };
        // A plain SendMessage: run lives on this stack and must not run late.
        SendMessageW(window_, WM_APP, 0, reinterpret_cast<LPARAM>(&run));
        return result;
    }
    bool Copy(const std::wstring& text) const {
        return OnThread([&] { return PutText(window_, text); });
    }

private:
    HWND window_ = nullptr;
    std::jthread thread_;
};

// Pressed in order, held ~100 ms, released in reverse: Wine delivers each
// event on its own, and a chord tapped too fast can lose its modifier.
void Press(std::initializer_list<WORD> keys);
void TypeText(const std::wstring& text);
void ClickAt(POINT point);
// Windows' foreground window and X's focus can disagree right after
// SetForegroundWindow: so the window manager raises the window, and then it
// must still be the foreground window a moment later.
testing::AssertionResult BringToFront(HWND window);

// A message box ("#32770") of a program; nullptr when none came. BM_CLICK
// on its button with an id such as IDOK answers it.
HWND WaitForMessageBox(DWORD pid);

// Conf.txt on disk: CR LF lines in code page 932.
bool WriteConf(const std::wstring& path, const std::vector<std::wstring>& lines);
// A file's bytes; empty when there is none.
std::string Contents(const std::wstring& path);

}  // namespace gleaner::e2e
