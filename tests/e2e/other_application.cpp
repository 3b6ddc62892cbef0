#include "other_application.h"

namespace gleaner::e2e {
namespace {

const wchar_t kClassName[] = L"GleanerE2EOtherApplication";
constexpr UINT kRunWork = WM_APP + 1;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRunWork) {
        (*reinterpret_cast<const std::function<void()>*>(lParam))();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterWindowClass() {
    static const ATOM atom = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = WindowProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = kClassName;
        return RegisterClassW(&wc);
    }();
    (void)atom;
}

}  // namespace

OtherApplication::OtherApplication() {
    HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = std::thread([this, ready] { Run(ready); });
    WaitForSingleObject(ready, 10000);
    CloseHandle(ready);
}

OtherApplication::~OtherApplication() {
    if (threadId_ != 0) PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    if (thread_.joinable()) thread_.join();
}

void OtherApplication::Run(HANDLE ready) {
    RegisterWindowClass();
    threadId_ = GetCurrentThreadId();
    // Away from where gleaner and notepad usually appear, so clicks meant
    // for one never land on the other.
    HWND window = CreateWindowExW(0, kClassName, L"Another application", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 1300, 600,
                                  400, 250, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    // Make sure the queue exists before the constructor goes on.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    window_ = window;
    SetEvent(ready);
    if (window == nullptr) return;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    DestroyWindow(window);
}

void OtherApplication::OnWindowThread(const std::function<void()>& work) {
    if (window_ == nullptr) return;
    // A plain SendMessage: work lives on this stack, so it must not be left
    // to run after a timeout.
    SendMessageW(window_, kRunWork, 0, reinterpret_cast<LPARAM>(&work));
}

bool OtherApplication::Copy(const std::wstring& text, const std::vector<ClipboardMark>& marks) {
    bool copied = false;
    OnWindowThread([&] { copied = PutClipboardText(window_, text, marks); });
    return copied;
}

std::optional<std::wstring> OtherApplication::ClipboardText() {
    std::optional<std::wstring> text;
    OnWindowThread([&] { text = ReadClipboardText(window_); });
    return text;
}

}  // namespace gleaner::e2e
