#include "platform/clipboard_watch_win32.h"
#include "platform/clipboard_win32.h"

namespace gleaner::win32 {
namespace {

constexpr wchar_t kWatchWindowClass[] = L"GleanerClipboardWatch";

}  // namespace

bool Win32ClipboardWatch::Start(WindowId window, Reader read) {
    if (thread_.joinable()) return true;
    notify_ = ToHwnd(window);
    read_ = std::move(read);
    std::promise<bool> started;
    std::future<bool> up = started.get_future();
    thread_ = std::thread([this, &started] { Run(started); });
    if (up.get()) return true;
    thread_.join();
    return false;
}

void Win32ClipboardWatch::Stop() {
    if (!thread_.joinable()) return;
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
    const std::lock_guard lock(mutex_);
    queue_.clear();
    told_ = false;
}

std::vector<ClipboardArrival> Win32ClipboardWatch::Take() {
    const std::lock_guard lock(mutex_);
    told_ = false;
    return std::exchange(queue_, {});
}

void Win32ClipboardWatch::Run(std::promise<bool>& started) {
    threadId_ = GetCurrentThreadId();
    // A copy lives only until the next replaces it: this thread, asleep but
    // for that moment, goes first.
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = Procedure;
    wc.hInstance = instance;
    wc.lpszClassName = kWatchWindowClass;
    RegisterClassExW(&wc);
    const HWND window = CreateWindowExW(0, kWatchWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
    // The clipboard is opened on behalf of this thread's own window.
    const OwnerWindow owner{window};
    Win32Clipboard clipboard(owner);
    clipboard_ = &clipboard;
    lastSequence_ = GetClipboardSequenceNumber();
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    const bool listening = window && AddClipboardFormatListener(window);
    // The message queue exists now: a quit posted from here on arrives.
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    started.set_value(listening);
    if (listening) {
        while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
        RemoveClipboardFormatListener(window);
    }
    if (window) DestroyWindow(window);
    clipboard_ = nullptr;
}

LRESULT CALLBACK Win32ClipboardWatch::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    auto* self = reinterpret_cast<Win32ClipboardWatch*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message != WM_CLIPBOARDUPDATE || !self || !self->clipboard_) return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        self->OnUpdate(*self->clipboard_);
    } catch (...) {
        OutputDebugStringA("gleaner: a clipboard change could not be read\n");
    }
    return 0;
}

void Win32ClipboardWatch::OnUpdate(Clipboard& clipboard) {
    ClipboardArrival arrival = read_(clipboard, [](int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); });
    // No window in front (a script, a program in the background) is
    // somebody else's copy too.
    DWORD process = 0;
    if (const HWND front = GetForegroundWindow()) GetWindowThreadProcessId(front, &process);
    arrival.copiedHere = process == GetCurrentProcessId();
    // One change may be told twice; it is kept once.
    if (arrival.sequence == lastSequence_) return;
    lastSequence_ = arrival.sequence;
    bool tell = false;
    {
        const std::lock_guard lock(mutex_);
        queue_.push_back(std::move(arrival));
        tell = !std::exchange(told_, true);
    }
    if (tell) PostMessageW(notify_, kClipboardQueuedMessage, 0, 0);
}

}  // namespace gleaner::win32
