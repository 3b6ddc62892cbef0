#include "windows_lookup.h"

#include <vector>

namespace gleaner::e2e {
namespace {

constexpr UINT kAnswerTimeoutMs = 10000;

struct Search {
    DWORD pid = 0;  // 0: any process
    const std::wstring* className = nullptr;
    const std::wstring* caption = nullptr;
    HWND owner = nullptr;  // only windows owned by this one, when set
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM param) {
    auto& search = *reinterpret_cast<Search*>(param);
    if (search.pid != 0 && ProcessIdOf(window) != search.pid) return TRUE;
    if (ClassNameOf(window) != *search.className) return TRUE;
    if (search.owner != nullptr && GetWindow(window, GW_OWNER) != search.owner) return TRUE;
    if (search.caption != nullptr) {
        wchar_t text[512] = L"";
        GetWindowTextW(window, text, 512);
        if (*search.caption != text) return TRUE;
    }
    search.found = window;
    return FALSE;
}

HWND Find(Search search) {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

HWND FindTopLevelWindow(DWORD pid, const std::wstring& className, const std::wstring* caption) {
    return Find({.pid = pid, .className = &className, .caption = caption});
}

HWND FindAnyTopLevelWindow(const std::wstring& className) { return Find({.className = &className}); }

HWND FindOwnedWindow(HWND owner, const std::wstring& className) {
    return Find({.className = &className, .owner = owner});
}

std::wstring ClassNameOf(HWND window) {
    wchar_t name[256] = L"";
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

DWORD ProcessIdOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return pid;
}

std::optional<std::wstring> ReadWindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &length)) {
        return std::nullopt;
    }
    std::vector<wchar_t> buffer(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &copied)) {
        return std::nullopt;
    }
    return std::wstring(buffer.data(), copied);
}

std::optional<RECT> WindowRect(HWND window) {
    RECT rect{};
    if (!GetWindowRect(window, &rect)) return std::nullopt;
    return rect;
}

HWND FocusInThreadOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
    return info.hwndFocus;
}

}  // namespace gleaner::e2e
