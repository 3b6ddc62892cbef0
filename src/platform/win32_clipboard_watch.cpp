#include "platform/win32_services.h"

namespace gleaner::win32 {

bool Win32ClipboardWatch::AddListener(WindowId window) {
    return AddClipboardFormatListener(ToHwnd(window)) != FALSE;
}

void Win32ClipboardWatch::RemoveListener(WindowId window) { RemoveClipboardFormatListener(ToHwnd(window)); }

}  // namespace gleaner::win32
