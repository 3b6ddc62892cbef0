// A program that is not gleaner and copies when told: run under a name the
// user listed or another, it shows whose copies gleaner never reads. Its
// command line is the text; WM_APP + 1 copies it, through its own window
// (wParam 0) or with no owner window at all (wParam 1), answering 1 when
// the copy is on the clipboard.
#include <windows.h>

#include <cstring>
#include <string>

namespace {

constexpr UINT kCopyMessage = WM_APP + 1;
std::wstring text;

bool Copy(HWND owner) {
    if (!OpenClipboard(owner)) return false;
    EmptyClipboard();
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (block) std::memcpy(GlobalLock(block), text.c_str(), bytes), GlobalUnlock(block);
    const bool put = block && SetClipboardData(CF_UNICODETEXT, block);
    if (block && !put) GlobalFree(block);
    CloseClipboard();
    return put;
}

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kCopyMessage) return Copy(wParam == 0 ? window : nullptr) ? 1 : 0;
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int) {
    text = commandLine;
    WNDCLASSW wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = L"GleanerTestCopier";
    RegisterClassW(&wc);
    const HWND window = CreateWindowExW(0, wc.lpszClassName, L"copier", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                        300, 200, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
    return 0;
}
