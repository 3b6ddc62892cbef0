// What any program on the desktop can do: find and read other windows, use
// the clipboard, give input, read message boxes and the files beside them.
#include <cstring>
#include <fstream>
#include <iterator>
#include <latch>
#include <utility>

#include "driver.h"

namespace gleaner::e2e {
namespace {

constexpr UINT kCodePage932 = 932;

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

HWND FindWindowOf(DWORD pid, const std::wstring& className, HWND owner) {
    HWND window = nullptr;
    while ((window = FindWindowExW(nullptr, window, className.c_str(), nullptr)) != nullptr) {
        DWORD windowPid = 0;
        GetWindowThreadProcessId(window, &windowPid);
        if ((pid == 0 || windowPid == pid) && (owner == nullptr || GetWindow(window, GW_OWNER) == owner)) break;
    }
    return window;
}

HWND FirstTrayIcon() {
    HWND tray = FindWindowOf(0, L"__winex11_standalone_tray");
    return tray ? FindWindowExW(tray, nullptr, L"__winex11_tray_icon", nullptr) : nullptr;
}

std::array<LONG, 4> RectOf(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

std::optional<LRESULT> Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD ms) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, ms, &answer)) return std::nullopt;
    return static_cast<LRESULT>(answer);
}

std::optional<std::wstring> TextOf(HWND window) {
    std::wstring text(Ask(window, WM_GETTEXTLENGTH).value_or(0) + 1, L'\0');
    const auto copied = Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    return copied ? std::optional(text.substr(0, *copied)) : std::nullopt;
}

bool PutText(HWND owner, const std::wstring& text, const std::vector<std::wstring>& marks) {
    if (!WaitFor("OpenClipboard", [&] { return OpenClipboard(owner) != FALSE; }, true, 5000)) return false;
    bool ok = EmptyClipboard() != FALSE;
    // The marks first, as the programs that use them do: a watcher woken by
    // the text already finds them. An empty block is all they need.
    for (const auto& mark : marks) {
        ok = ok && SetClipboardData(RegisterClipboardFormatW(mark.c_str()), GlobalAlloc(GMEM_MOVEABLE, 1)) != nullptr;
    }
    const std::size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(block), text.c_str(), size);
    GlobalUnlock(block);
    ok = ok && SetClipboardData(CF_UNICODETEXT, block) != nullptr;
    if (!ok) GlobalFree(block);  // the clipboard did not take it
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
    thread_ = std::thread([this, &ready] {
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
    thread_.join();
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

MessageBoxView WaitForMessageBox(DWORD pid) {
    MessageBoxView box;
    const auto shown = [&] { return IsWindowVisible(box.window = FindWindowOf(pid, L"#32770")) != FALSE; };
    if (!WaitFor("a message box", shown, true)) return {};
    box.title = TextOf(box.window).value_or(L"");
    // MessageBox puts its text in a static control with id 65535.
    box.text = TextOf(GetDlgItem(box.window, 0xFFFF)).value_or(L"");
    for (int id : {IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO, IDTRYAGAIN, IDCONTINUE}) {
        if (IsWindowVisible(GetDlgItem(box.window, id))) box.buttons.push_back(id);
    }
    return box;
}

void Answer(const MessageBoxView& box, int button) { PostMessageW(GetDlgItem(box.window, button), BM_CLICK, 0, 0); }

bool WriteConf(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    std::string bytes(text.size() * 2, '\0');
    BOOL lossy = FALSE;
    bytes.resize(WideCharToMultiByte(kCodePage932, 0, text.data(), static_cast<int>(text.size()), bytes.data(),
                                     static_cast<int>(bytes.size()), nullptr, &lossy));
    std::ofstream file(path.c_str(), std::ios::binary);
    return !lossy && (file << bytes).good();
}

std::vector<std::wstring> ReadConf(const std::wstring& path) {
    std::ifstream file(path.c_str(), std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(file), {}};
    std::wstring text(bytes.size(), L'\0');
    text.resize(MultiByteToWideChar(kCodePage932, MB_ERR_INVALID_CHARS, bytes.data(), static_cast<int>(bytes.size()),
                                    text.data(), static_cast<int>(text.size())));
    std::vector<std::wstring> lines;
    if (!text.ends_with(L"\r\n")) return lines;
    for (std::size_t start = 0, end; start < text.size(); start = end + 2) {
        end = text.find(L"\r\n", start);
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

}  // namespace gleaner::e2e
