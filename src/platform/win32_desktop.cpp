#include "platform/win32_handles.h"
#include "platform/win32_platform.h"

namespace gleaner::win32 {

void Win32EventLoop::Sleep(int milliseconds) { ::Sleep(static_cast<DWORD>(milliseconds)); }

void Win32EventLoop::ProcessPendingMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit to the outermost message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

MessageAnswer Win32MessageBoxes::Show(const std::u16string& text, const std::u16string& title,
                                      MessageButtons buttons) {
    const UINT style = buttons == MessageButtons::YesNo ? MB_YESNO : MB_OK;
    const int answer = MessageBoxW(owner_, Wide(text), Wide(title), style | MB_SETFOREGROUND);
    if (buttons == MessageButtons::Ok) return MessageAnswer::Ok;
    return answer == IDYES ? MessageAnswer::Yes : MessageAnswer::No;
}

Win32TextBox::Win32TextBox(HWND edit) : edit_(edit) {
    // The collection may grow far past the control's default 30,000 characters.
    SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
}

std::u16string Win32TextBox::Text() const {
    std::u16string text(Length() + 1, u'\0');
    const int copied = GetWindowTextW(edit_, reinterpret_cast<wchar_t*>(text.data()), static_cast<int>(text.size()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

std::size_t Win32TextBox::Length() const {
    const int length = GetWindowTextLengthW(edit_);
    return length > 0 ? static_cast<std::size_t>(length) : 0;
}

void Win32TextBox::SetText(const std::u16string& text) { SetWindowTextW(edit_, Wide(text)); }

void Win32TextBox::Append(const std::u16string& text) {
    // Replacing an empty selection at the end costs what the control needs for
    // the new text, not a copy of the whole collection.
    const auto end = static_cast<WPARAM>(Length());
    SendMessageW(edit_, EM_SETSEL, end, static_cast<LPARAM>(end));
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(Wide(text)));
}

void Win32TextBox::SetCaret(std::size_t position) {
    SendMessageW(edit_, EM_SETSEL, position, static_cast<LPARAM>(position));
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void Win32TextBox::SetForeColour(Colour colour) {
    colour_ = colour;
    InvalidateRect(edit_, nullptr, TRUE);
}

bool Win32TextBox::IsVisible() const { return IsWindowVisible(edit_) != FALSE; }

}  // namespace gleaner::win32
