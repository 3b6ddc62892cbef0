// A multi-line EDIT control behind the TextBox interface.
#pragma once

#include <windows.h>

#include <string>

#include "platform/window_system.h"

namespace gleaner::win32 {

// A multi-line EDIT control; the window that contains it owns it. Its parent
// paints it in TextPaint() when asked for WM_CTLCOLOREDIT.
class Win32TextBox : public TextBox {
public:
    explicit Win32TextBox(HWND edit);

    HWND Handle() const { return edit_; }
    std::u16string Text() const override;
    std::size_t Length() const override;
    void SetText(const std::u16string& text) override;
    void Append(const std::u16string& text) override;
    void SetCaret(std::size_t position) override;
    std::u16string Tag() const override { return tag_; }
    void SetTag(const std::u16string& tag) override { tag_ = tag; }
    Paint TextPaint() const override { return paint_; }
    void SetTextPaint(Paint paint) override;
    bool IsVisible() const override;

private:
    HWND edit_;
    std::u16string tag_;
    Paint paint_ = Paint::Collected;
};

}  // namespace gleaner::win32
