#include "shell/splash_window_win32.h"

#include "platform/win32_services.h"

namespace gleaner::win32 {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr COLORREF kSplashBackground = RGB(192, 255, 255);
constexpr COLORREF kSplashText = RGB(0, 0, 255);
const wchar_t kSplashFont[] = L"ＭＳ Ｐゴシック";

}  // namespace

void SplashWindow::Show(const std::u16string& pendingMessage, bool modal) {
    if (!Load(pendingMessage)) return;
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
    if (!modal) return;
    // Until the splash is gone; a quit meanwhile is left to the outer loop.
    Win32EventLoop events;
    while (Handle() && events.WaitForMessages()) {
    }
}

bool SplashWindow::Load(const std::u16string& pendingMessage) {
    const SplashContent content = DecodeSplashMessage(pendingMessage);
    text_ = content.text;
    const int width = kSplashWidth / scale_.x;
    const int height = SplashHeight(text_) / scale_.y;
    if (!Handle()) {
        // Centred on the screen the pointer is on: where the user looks.
        POINT cursor{};
        GetCursorPos(&cursor);
        MONITORINFO monitor{};
        monitor.cbSize = sizeof monitor;
        GetMonitorInfoW(MonitorFromPoint(cursor, MONITOR_DEFAULTTOPRIMARY), &monitor);
        const RECT& work = monitor.rcWork;
        WindowShape shape;
        shape.style = WS_POPUP;
        shape.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
        shape.bounds = {(work.left + work.right - width) / 2, (work.top + work.bottom - height) / 2, width, height};
        if (!Create({kSplashWindowClass}, L"", shape)) return false;
        font_ = CreatePointFont(kSplashFont, 1575, WindowScale(Handle()), false);
    } else {
        SetWindowPos(Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
    // Painted, and also the window's text, where screen readers look.
    SetWindowTextW(Handle(), Wide(text_));
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KillTimer(Handle(), kTimer1);
    if (content.milliseconds > 0) SetTimer(Handle(), kTimer1, static_cast<UINT>(content.milliseconds), nullptr);
    return true;
}

void SplashWindow::OnPaint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    const UniqueGdiObject background(CreateSolidBrush(kSplashBackground));
    FillRect(dc, &client, static_cast<HBRUSH>(background.Get()));
    const SelectedObject font(dc, font_.Get());
    SetTextColor(dc, kSplashText);
    SetBkMode(dc, TRANSPARENT);
    RECT label{kSplashLabelTop / scale_.x, kSplashLabelTop / scale_.y, client.right, client.bottom};
    DrawTextW(dc, Wide(text_), -1, &label, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void SplashWindow::OnTimer(UINT_PTR id) {
    if (id != kTimer1) return;
    KillTimer(Handle(), kTimer1);
    ShrinkSplash();
    Destroy();
}

std::optional<LRESULT> SplashWindow::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message == WM_ERASEBKGND) return 1;  // the paint fills the whole window
    return std::nullopt;
}

void SplashWindow::ShrinkSplash() {
    RECT rect{};
    GetWindowRect(Handle(), &rect);
    const TwipsRect start{rect.left * scale_.x, rect.top * scale_.y, (rect.right - rect.left) * scale_.x,
                          (rect.bottom - rect.top) * scale_.y};
    Win32EventLoop events;
    for (const TwipsRect& frame : ShrinkFrames(start)) {
        MoveWindow(Handle(), frame.left / scale_.x, frame.top / scale_.y, frame.width / scale_.x,
                   frame.height / scale_.y, TRUE);
        events.Sleep(10);
        events.ProcessPendingMessages();
    }
}

}  // namespace gleaner::win32
