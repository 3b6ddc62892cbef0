#include "shell/splash_window_win32.h"

#include <algorithm>

#include "platform/fonts_win32.h"
#include "platform/screen_win32.h"

namespace gleaner::win32 {
namespace {

constexpr UINT_PTR kTimer1 = 1;
constexpr UINT_PTR kShrinkTimer = 2;
constexpr UINT kShrinkFrameMs = 10;

}  // namespace

void SplashWindow::Show(const std::u16string& pendingMessage) {
    if (!Load(pendingMessage)) return;
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
}

bool SplashWindow::Load(const std::u16string& pendingMessage) {
    const SplashContent content = DecodeSplashMessage(pendingMessage);
    text_ = content.text;
    if (!Handle()) {
        if (!CreateAtPointer()) return false;
    } else {
        layout_ = LayOutSplash(text_, WindowScale(Handle()));
        SetWindowPos(Handle(), nullptr, 0, 0, layout_.width, layout_.height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
    // Painted, and also the window's text, where screen readers look.
    SetWindowTextW(Handle(), Wide(text_));
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    KillTimer(Handle(), kTimer1);
    KillTimer(Handle(), kShrinkTimer);
    frames_.clear();
    if (content.milliseconds > 0) SetTimer(Handle(), kTimer1, static_cast<UINT>(content.milliseconds), nullptr);
    return true;
}

// Centred on the monitor the pointer is on, where the user looks, at that
// monitor's density.
bool SplashWindow::CreateAtPointer() {
    Win32Screen screen;
    const Point pointer = screen.Pointer();
    layout_ = LayOutSplash(text_, DpiScale{screen.DpiAt(pointer)});
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoW(MonitorFromPoint({pointer.x, pointer.y}, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    WindowShape shape;
    shape.style = WS_POPUP;
    shape.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE;
    shape.bounds = {(work.left + work.right - layout_.width) / 2, (work.top + work.bottom - layout_.height) / 2,
                    layout_.width, layout_.height};
    return Create({kSplashWindowClass}, L"", shape);
}

void SplashWindow::OnPaint(HDC dc) {
    RECT client{};
    GetClientRect(Handle(), &client);
    UniqueGdiObject owned;
    FillRect(dc, &client, BrushOf(Paint::NoticeBack, state_.HighContrast, owned));
    const SelectedObject font(dc, ProgramFont(fonts::kNotice, layout_.scale));
    SetTextColor(dc, ColourOf(Paint::NoticeText, state_.HighContrast));
    SetBkMode(dc, TRANSPARENT);
    RECT label{layout_.label.x, layout_.label.y, client.right, client.bottom};
    DrawTextW(dc, Wide(text_), -1, &label, DT_LEFT | DT_TOP | DT_NOPREFIX);
}

void SplashWindow::OnDensityChange(DpiScale scale, const RECT& suggested) {
    layout_ = LayOutSplash(text_, scale);
    const RECT at{suggested.left, suggested.top, suggested.left + layout_.width, suggested.top + layout_.height};
    Window::OnDensityChange(scale, at);
    InvalidateRect(Handle(), nullptr, TRUE);
}

// Its time is up: it shrinks towards its lower right corner, a frame a tick,
// and is gone.
void SplashWindow::OnTimer(UINT_PTR id) {
    if (id == kTimer1) {
        KillTimer(Handle(), kTimer1);
        RECT rect{};
        GetWindowRect(Handle(), &rect);
        // In pixels: the frames' arithmetic is the same in any unit.
        frames_ = ShrinkFrames({rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top});
        std::reverse(frames_.begin(), frames_.end());
        SetTimer(Handle(), kShrinkTimer, kShrinkFrameMs, nullptr);
        return;
    }
    if (id != kShrinkTimer) return;
    if (frames_.empty()) {
        Destroy();
        return;
    }
    const TwipsRect frame = frames_.back();
    frames_.pop_back();
    MoveWindow(Handle(), frame.left, frame.top, frame.width, frame.height, TRUE);
}

std::optional<LRESULT> SplashWindow::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message == WM_ERASEBKGND) return 1;  // the paint fills the whole window
    return std::nullopt;
}

}  // namespace gleaner::win32
