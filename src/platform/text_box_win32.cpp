#include "platform/text_box_win32.h"

#include "platform/handles_win32.h"

namespace gleaner::win32 {

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

void Win32TextBox::SetText(const std::u16string& text) {
    SetWindowTextW(edit_, Wide(text));
    // A multi-line box tells its parent of no change when its text is set as
    // a whole; the parent hears of it all the same (the length it shows).
    SendMessageW(GetParent(edit_), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(edit_), EN_CHANGE),
                 reinterpret_cast<LPARAM>(edit_));
}

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

void Win32TextBox::SetTextPaint(Paint paint) {
    paint_ = paint;
    InvalidateRect(edit_, nullptr, TRUE);
}

bool Win32TextBox::IsVisible() const { return IsWindowVisible(edit_) != FALSE; }

}  // namespace gleaner::win32
