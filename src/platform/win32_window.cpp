#include "platform/win32_handles.h"
#include "platform/win32_platform.h"

namespace gleaner::win32 {

WindowId Win32ViewerChain::SetClipboardViewer(WindowId viewer) {
    return ToWindowId(::SetClipboardViewer(ToHwnd(viewer)));
}

void Win32ViewerChain::ChangeClipboardChain(WindowId viewer, WindowId next) {
    ::ChangeClipboardChain(ToHwnd(viewer), ToHwnd(next));
}

void Win32ViewerChain::PassOn(WindowId to, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam) {
    // A hung viewer further down must not hang us with it.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(ToHwnd(to), message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_NORMAL, 2000, &result);
}

WindowId Win32ViewerChain::ForegroundWindow() { return ToWindowId(GetForegroundWindow()); }

std::uint32_t Win32ViewerChain::ClipboardSequence() { return GetClipboardSequenceNumber(); }

TwipsPerPixel ScreenTwipsPerPixel() {
    HDC screen = GetDC(nullptr);
    const int dpiX = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
    const int dpiY = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ReleaseDC(nullptr, screen);
    return {1440 / (dpiX > 0 ? dpiX : 96), 1440 / (dpiY > 0 ? dpiY : 96)};
}

namespace {

// Normal-position rectangles are in workspace coordinates, which differ from
// the screen's by the space a taskbar takes at the top or left.
POINT WorkspaceOffset(HWND window) {
    if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) return {0, 0};
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) return {0, 0};
    return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

}  // namespace

TwipsRect Win32WindowFrame::Bounds() const {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT rect{};
    if (GetWindowPlacement(window_, &placement)) {
        rect = placement.rcNormalPosition;
        const POINT offset = WorkspaceOffset(window_);
        OffsetRect(&rect, offset.x, offset.y);
    } else {
        GetWindowRect(window_, &rect);
    }
    return {rect.left * scale_.x, rect.top * scale_.y, (rect.right - rect.left) * scale_.x,
            (rect.bottom - rect.top) * scale_.y};
}

void Win32WindowFrame::SetBounds(const TwipsRect& bounds) {
    MoveWindow(window_, bounds.left / scale_.x, bounds.top / scale_.y, bounds.width / scale_.x,
               bounds.height / scale_.y, TRUE);
}

}  // namespace gleaner::win32
