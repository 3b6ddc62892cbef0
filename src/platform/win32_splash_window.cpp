#include "platform/win32_splash_window.h"

namespace gleaner::win32 {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr COLORREF kSplashBackground = RGB(192, 255, 255);
constexpr COLORREF kSplashText = RGB(0, 0, 255);
const wchar_t kSplashFont[] = L"ＭＳ Ｐゴシック";

void RegisterSplashClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kSplashWindowClass;
    RegisterClassExW(&wc);  // fails harmlessly when already registered
}

}  // namespace

SplashWindow::~SplashWindow() {
    if (window_) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

void SplashWindow::Show(bool modal) {
    if (!Load()) return;
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    UpdateWindow(window_);
    if (!modal) return;
    MSG msg;
    while (window_ && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    if (msg.message == WM_QUIT) PostQuitMessage(static_cast<int>(msg.wParam));
}

bool SplashWindow::Load() {
    const SplashContent content = DecodeSplashMessage(PendingSplashMessage);
    text_ = content.text;
    const int width = kSplashWidth / scale_.x;
    const int height = SplashHeight(text_) / scale_.y;
    if (!window_) {
        RegisterSplashClass(instance_, WindowProc);
        // Centred on the screen the pointer is on: where the user looks.
        POINT cursor{};
        GetCursorPos(&cursor);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        window_ = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, kSplashWindowClass, L"",
                                  WS_POPUP, (work.left + work.right - width) / 2,
                                  (work.top + work.bottom - height) / 2, width, height, nullptr, nullptr, instance_,
                                  this);
        if (!window_) return false;
        HDC screen = GetDC(nullptr);
        const int pointHeight = -MulDiv(1575, GetDeviceCaps(screen, LOGPIXELSY), 7200);
        ReleaseDC(nullptr, screen);
        font_.Reset(CreateFontW(pointHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                VARIABLE_PITCH | FF_SWISS, kSplashFont));
    } else {
        SetWindowPos(window_, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(window_, nullptr, TRUE);
    }
    SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KillTimer(window_, kTimer1);
    if (content.milliseconds > 0) SetTimer(window_, kTimer1, static_cast<UINT>(content.milliseconds), nullptr);
    return true;
}

void SplashWindow::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    RECT client{};
    GetClientRect(window_, &client);
    HBRUSH background = CreateSolidBrush(kSplashBackground);
    FillRect(dc, &client, background);
    DeleteObject(background);
    const HGDIOBJ oldFont = SelectObject(dc, font_.Get());
    SetTextColor(dc, kSplashText);
    SetBkMode(dc, TRANSPARENT);
    RECT label{kSplashLabelTop / scale_.x, kSplashLabelTop / scale_.y, client.right, client.bottom};
    DrawTextW(dc, Wide(text_), -1, &label, DT_LEFT | DT_TOP | DT_NOPREFIX);
    SelectObject(dc, oldFont);
    EndPaint(window_, &paint);
}

void SplashWindow::OnTimer() {
    KillTimer(window_, kTimer1);
    ShrinkSplash();
    HWND closing = window_;
    window_ = nullptr;
    DestroyWindow(closing);
}

void SplashWindow::ShrinkSplash() {
    RECT rect{};
    GetWindowRect(window_, &rect);
    const TwipsRect start{rect.left * scale_.x, rect.top * scale_.y, (rect.right - rect.left) * scale_.x,
                          (rect.bottom - rect.top) * scale_.y};
    Win32EventLoop events;
    for (const TwipsRect& frame : ShrinkFrames(start)) {
        MoveWindow(window_, frame.left / scale_.x, frame.top / scale_.y, frame.width / scale_.x,
                   frame.height / scale_.y, TRUE);
        events.Sleep(10);
        events.ProcessPendingMessages();
    }
}

LRESULT CALLBACK SplashWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<SplashWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (self && self->window_ == hwnd) {
        switch (message) {
        case WM_PAINT:
            self->Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_TIMER:
            if (wParam == kTimer1) self->OnTimer();
            return 0;
        default:
            break;
        }
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace gleaner::win32
