// The idle benchmark's yardstick: about the least a window program with one
// edit control can be, built with the same compiler, flags and static
// runtime as gleaner.exe. It shows its window, puts a text into its EDIT,
// gives the EDIT the keyboard whenever the window gets it (as any window
// whose one control takes typing, gleaner's among them: its caret blinks
// while it is in front) and waits for messages; nothing else.
#include <windows.h>

namespace {

constexpr int kBoxId = 1001;  // the id the benchmark reads the text through, as gleaner's

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        MoveWindow(GetDlgItem(window, kBoxId), 0, 0, LOWORD(lParam), HIWORD(lParam), TRUE);
        return 0;
    case WM_SETFOCUS:
        SetFocus(GetDlgItem(window, kBoxId));
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = L"GleanerBenchMinimalWindow";
    if (!RegisterClassW(&windowClass)) return 1;
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"minimal", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                        CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"minimal", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0,
                    0, 0, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kBoxId)), instance, nullptr);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
