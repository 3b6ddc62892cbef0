// A multi-line EDIT control behind the TextBox interface.
#pragma once

#include <windows.h>

#include <string>

#include "platform/window_system.h"

namespace gleaner::win32 {

// A multi-line EDIT control; the window that contains it owns it. Its parent
// paints it in ForeColour() when asked for WM_CTLCOLOREDIT.
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
    Colour ForeColour() const override { return colour_; }
    void SetForeColour(Colour colour) override;
    bool IsVisible() const override;

private:
    HWND edit_;
    std::u16string tag_;
    Colour colour_ = 0;
};

}  // namespace gleaner::win32
