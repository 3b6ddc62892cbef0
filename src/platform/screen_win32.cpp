// The screen and the pointer on it.
#include "platform/screen_win32.h"

#include "platform/handles_win32.h"
#include "platform/system_dlls_win32.h"

namespace gleaner::win32 {

TwipsPerPixel Win32Screen::Scale() {
    const WindowDc screen;
    const int dpiX = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSX) : 96;
    const int dpiY = screen.Get() ? GetDeviceCaps(screen.Get(), LOGPIXELSY) : 96;
    return {1440 / (dpiX > 0 ? dpiX : 96), 1440 / (dpiY > 0 ? dpiY : 96)};
}

TwipsSize Win32Screen::Size() {
    const TwipsPerPixel scale = Scale();
    return {GetSystemMetrics(SM_CXSCREEN) * scale.x, GetSystemMetrics(SM_CYSCREEN) * scale.y};
}

Point Win32Screen::Pointer() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return {cursor.x, cursor.y};
}

int Win32Screen::DpiAt(Point point) {
    UINT dpiX = 0, dpiY = 0;
    const HMONITOR monitor = MonitorFromPoint({point.x, point.y}, MONITOR_DEFAULTTONEAREST);
    const auto dpiForMonitor = System().getDpiForMonitor;
    if (dpiForMonitor && SUCCEEDED(dpiForMonitor(monitor, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)) && dpiX > 0)
        return static_cast<int>(dpiX);
    return static_cast<int>(GetDpiForSystem());
}

bool Win32Screen::HighContrast() {
    HIGHCONTRASTW contrast{sizeof contrast, 0, nullptr};
    return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof contrast, &contrast, 0) &&
           (contrast.dwFlags & HCF_HIGHCONTRASTON);
}

}  // namespace gleaner::win32
