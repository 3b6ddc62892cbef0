#include "hotkeys/keyboard_polling.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"

namespace gleaner::win32 {

std::uint16_t Win32Keyboard::AddGlobalAtom(const std::u16string& name) { return GlobalAddAtomW(Wide(name)); }

void Win32Keyboard::DeleteGlobalAtom(std::uint16_t atom) { GlobalDeleteAtom(atom); }

bool Win32Keyboard::RegisterHotKey(WindowId window, int id, std::uint32_t modifiers, std::uint32_t virtualKey) {
    return ::RegisterHotKey(ToHwnd(window), id, modifiers, virtualKey) != FALSE;
}

void Win32Keyboard::UnregisterHotKey(WindowId window, int id) { ::UnregisterHotKey(ToHwnd(window), id); }

void Win32Keyboard::SendKeyEvents(const std::vector<KeyEvent>& events) {
    std::vector<INPUT> inputs;
    for (const KeyEvent& event : events) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = event.virtualKey;
        input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(event.virtualKey, MAPVK_VK_TO_VSC));
        input.ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (event.release ? KEYEVENTF_KEYUP : 0);
        inputs.push_back(input);
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

std::uint16_t Win32Keyboard::AsyncKeyState(int virtualKey) {
    return static_cast<std::uint16_t>(GetAsyncKeyState(virtualKey));
}

void Win32Timers::Start(TimerId timer, int milliseconds) {
    SetTimer(window_, static_cast<UINT_PTR>(timer), static_cast<UINT>(milliseconds), nullptr);
}

void Win32Timers::Stop(TimerId timer) { KillTimer(window_, static_cast<UINT_PTR>(timer)); }

WindowId Win32Windows::ForegroundWindow() { return ToWindowId(GetForegroundWindow()); }

void Win32Windows::SetForegroundWindow(WindowId window) {
    if (window) ::SetForegroundWindow(ToHwnd(window));
}

namespace {

// The one question being placed; the hook removes itself at its first use.
HHOOK PlacementHook = nullptr;
HWND PlacedBox = nullptr;
POINT Pointer{};

void PlaceBox(HWND box) {
    RECT rect{};
    if (!GetWindowRect(box, &rect)) return;
    const Point at = PlaceBoxAtPointer(rect.right - rect.left, rect.bottom - rect.top, {Pointer.x, Pointer.y});
    if (rect.left != at.x || rect.top != at.y)
        SetWindowPos(box, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Under some window systems the box is still being laid out when it is
// activated: it is placed once more when it is on screen at its final size.
void CALLBACK PlaceAgain(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    if (PlacedBox && IsWindow(PlacedBox)) PlaceBox(PlacedBox);
    PlacedBox = nullptr;
}

LRESULT CALLBACK MessageBoxHookProc(int code, WPARAM wParam, LPARAM) {
    if (code != HCBT_ACTIVATE) return 0;
    HWND box = reinterpret_cast<HWND>(wParam);
    wchar_t className[16] = L"";
    GetClassNameW(box, className, 16);
    if (lstrcmpW(className, L"#32770") != 0) return 0;  // not the box: some other window activated first
    GetCursorPos(&Pointer);
    PlaceBox(box);
    PlacedBox = box;
    SetTimer(nullptr, 0, 50, PlaceAgain);
    UnhookWindowsHookEx(PlacementHook);
    PlacementHook = nullptr;
    return 0;  // let the box be activated: the user answers it at once
}

}  // namespace

MessageAnswer Win32MessageBoxes::AskAtPointer(const std::u16string& text, const std::u16string& title) {
    if (!PlacementHook)
        PlacementHook = SetWindowsHookExW(WH_CBT, MessageBoxHookProc, nullptr, GetCurrentThreadId());
    const int answer = MessageBoxW(owner_, Wide(text), Wide(title), MB_YESNO | MB_SYSTEMMODAL);
    if (PlacementHook) {  // the box never got activated
        UnhookWindowsHookEx(PlacementHook);
        PlacementHook = nullptr;
    }
    return answer == IDNO ? MessageAnswer::No : MessageAnswer::Yes;
}

}  // namespace gleaner::win32
