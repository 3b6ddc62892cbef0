#include "platform/window_frame_win32.h"

namespace gleaner::win32 {
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
