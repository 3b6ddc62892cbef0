#include "platform/window_win32.h"

#include <exception>
#include <string>
#include <utility>

#include "platform/clipboard.h"
#include "platform/system_dlls_win32.h"

namespace gleaner::win32 {
namespace {

int FailedMessageCount = 0;

// There is no log: the debugger's output is where a developer looks.
void ReportFailure(UINT message, const char* what) noexcept {
    ++FailedMessageCount;
    char line[256];
    wsprintfA(line, "gleaner: message 0x%04X failed: %s\n", message, what);
    OutputDebugStringA(line);
}

void RegisterOnce(const WindowClass& windowClass, WNDPROC procedure) {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, windowClass.name, &existing)) return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = windowClass.style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hIcon = windowClass.icon;
    wc.hIconSm = windowClass.icon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = windowClass.background;
    wc.lpszClassName = windowClass.name;
    RegisterClassExW(&wc);
}

// A window that declares itself a control parent (the settings dialog) gets
// a dialog's keys: Tab between its controls, Enter and Esc.
bool IsDialogKey(MSG& msg) {
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && (GetWindowLongPtrW(root, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) && IsDialogMessageW(root, &msg);
}

}  // namespace

DpiScale WindowScale(HWND window) {
    const UINT dpi = window ? GetDpiForWindow(window) : 0;
    return {dpi > 0 ? static_cast<int>(dpi) : static_cast<int>(GetDpiForSystem())};
}

int RunMessageLoop() {
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogKey(msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

Window::~Window() {
    if (hwnd_) {
        // The derived part is gone: the last messages go to the default.
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(std::exchange(hwnd_, nullptr));
    }
}

void Window::Destroy() {
    if (hwnd_) DestroyWindow(hwnd_);
}

int Window::FailedMessages() { return FailedMessageCount; }

bool Window::Create(const WindowClass& windowClass, const wchar_t* title, const WindowShape& shape) {
    RegisterOnce(windowClass, Procedure);
    const RECT& b = shape.bounds;
    CreateWindowExW(shape.exStyle, windowClass.name, title, shape.style, b.left, b.top, b.right, b.bottom,
                    shape.parent, shape.menu, GetModuleHandleW(nullptr), this);
    return hwnd_ != nullptr;
}

LRESULT CALLBACK Window::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
    try {
        return self->Route(message, wParam, lParam);
    } catch (const std::exception& failure) {
        ReportFailure(message, failure.what());
    } catch (...) {
        ReportFailure(message, "unknown exception");
    }
    // What the system expects from a window that did nothing with the message.
    return message == WM_NCCREATE ? FALSE : 0;
}

LRESULT Window::Route(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_PAINT: {
        const PaintSession paint(hwnd_);
        OnPaint(paint.Get());
        return 0;
    }
    case WM_COMMAND:
        if (OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam))) return 0;
        break;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_CLOSE:
        if (OnClose()) return 0;
        break;
    case WM_DESTROY:
        OnDestroy();
        return 0;
    default:
        if (auto result = RouteNotice(message, wParam, lParam)) return *result;
        if (auto result = OnMessage(message, wParam, lParam)) return *result;
        break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

std::optional<LRESULT> Window::RouteNotice(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ACTIVATE:
        if (OnActivate(LOWORD(wParam) != WA_INACTIVE)) return 0;
        break;
    case WM_HOTKEY:
        OnHotKey(wParam);
        return 0;
    case kClipboardQueuedMessage:
        OnClipboardUpdate();
        return 0;
    case WM_DPICHANGED:
        OnDensityChange(DpiScale{HIWORD(wParam)}, *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_NEXTDLGCTL: {
        // Asked for by the dialog keys when an access key names a label:
        // the keyboard goes to the control the label stands before.
        const HWND next = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                         : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0);
        if (next) SetFocus(next);
        return 0;
    }
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
        if (HBRUSH brush = OnControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
            return reinterpret_cast<LRESULT>(brush);
        break;
    }
    return std::nullopt;
}

void Window::OnDensityChange(DpiScale, const RECT& suggested) {
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

Subclass::~Subclass() { Detach(); }

bool Subclass::Attach(HWND control, Handler handler) {
    Detach();
    handler_ = std::move(handler);
    const auto subclass = System().setWindowSubclass;
    // Its own id: a control may carry several.
    if (!subclass || !subclass(control, Procedure, Id(), reinterpret_cast<DWORD_PTR>(this))) return false;
    control_ = control;
    return true;
}

void Subclass::Detach() {
    // A control subclassed at all had comctl32's functions to do it.
    if (control_ && IsWindow(control_)) System().removeWindowSubclass(control_, Procedure, Id());
    control_ = nullptr;
}

LRESULT CALLBACK Subclass::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<Subclass*>(data);
    try {
        if (auto result = self->handler_(message, wParam, lParam)) return *result;
    } catch (const std::exception& failure) {
        ReportFailure(message, failure.what());
        return 0;
    } catch (...) {
        ReportFailure(message, "unknown exception");
        return 0;
    }
    if (message == WM_NCDESTROY) {
        System().removeWindowSubclass(hwnd, Procedure, id);
        self->control_ = nullptr;
    }
    return System().defSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace gleaner::win32
