#include "platform/win32_services.h"

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

}  // namespace gleaner::win32
