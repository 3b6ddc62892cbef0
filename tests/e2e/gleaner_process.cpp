#include "gleaner_process.h"

#include "polling.h"
#include "readable_text.h"
#include "remote_tooltip.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L'\\')); }

}  // namespace

GleanerProcess::GleanerProcess(const std::wstring& exePath)
    : process_(L"\"" + exePath + L"\"", FolderOf(exePath).c_str()) {
    if (!process_.Started()) {
        problem_ = "could not start " + Utf8(exePath);
        return;
    }
    WaitUntil(
        [&] {
            main_ = FindTopLevelWindow(process_.Id(), kMainWindowClass);
            box_ = main_ != nullptr && IsWindowVisible(main_) ? GetDlgItem(main_, kBoxControlId) : nullptr;
            return box_ != nullptr || !process_.Running();
        },
        kLongWaitMs);
    if (box_ == nullptr) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process_.Handle(), &exitCode);
        problem_ = process_.Running() ? "the main window with its box (id 1001) did not appear"
                                      : "gleaner ended during start-up with exit code " + std::to_string(exitCode);
        return;
    }
    // Up and waiting for input: from here on copies are the user's.
    WaitForInputIdle(process_.Handle(), kLongWaitMs);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kLongWaitMs, &ignored);
}

GleanerProcess::~GleanerProcess() {
    if (process_.Running()) Close();
}

std::optional<std::wstring> GleanerProcess::BoxText() const {
    if (box_ == nullptr) return std::nullopt;
    return ReadWindowText(box_);
}

bool GleanerProcess::WaitForBoxText(const std::wstring& expected, DWORD timeoutMs) {
    std::optional<std::wstring> shown;
    // The length first: reading a long text across processes over and over
    // would slow gleaner down while it works.
    const auto matches = [&] {
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(box_, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kShortWaitMs, &length) ||
            length != expected.size()) {
            return false;
        }
        return (shown = BoxText()) == expected;
    };
    if (WaitUntil(matches, timeoutMs != 0 ? timeoutMs : kLongWaitMs, 50)) return true;
    shown = BoxText();
    problem_ = "the box shows " + (shown ? Describe(*shown) : std::string("nothing (no answer)")) +
               "\n  instead of " + Describe(expected);
    return false;
}

std::optional<std::wstring> GleanerProcess::TooltipText() const {
    HWND tooltip = FindOwnedWindow(main_, L"tooltips_class32");
    if (tooltip == nullptr) return std::nullopt;
    return ReadToolText(process_.Handle(), tooltip, box_);
}

bool GleanerProcess::Close() {
    if (!process_.Running()) return true;
    PostMessageW(main_, WM_CLOSE, 0, 0);
    if (process_.WaitForExit(kLongWaitMs)) return true;
    problem_ = "gleaner did not end after WM_CLOSE";
    process_.Kill();
    return false;
}

}  // namespace gleaner::e2e
