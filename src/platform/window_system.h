// Top-level windows, their frames and the text boxes inside them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/colours.h"
#include "platform/geometry.h"
#include "platform/window_id.h"

namespace gleaner {

// The message the main window gets once the settings dialog is gone (WM_APP + 3).
constexpr std::uint32_t kSettingsClosedMessage = 0x8003;

// Top-level windows: who is in front.
class Windows {
public:
    virtual ~Windows() = default;
    virtual WindowId ForegroundWindow() = 0;
    virtual void SetForegroundWindow(WindowId window) = 0;
};

class WindowFrame {
public:
    virtual ~WindowFrame() = default;
    // The window's normal (restored) bounds, also while minimised or maximised.
    virtual TwipsRect Bounds() const = 0;
    virtual void SetBounds(const TwipsRect& bounds) = 0;
};

// A multi-line text box: the collection box and the popup's box. Positions
// and lengths are UTF-16 code units.
class TextBox {
public:
    virtual ~TextBox() = default;
    virtual std::u16string Text() const = 0;
    virtual std::size_t Length() const = 0;
    virtual void SetText(const std::u16string& text) = 0;
    // Adds text after the last character, whatever the caret or selection.
    virtual void Append(const std::u16string& text) = 0;
    // Collapses the selection to one caret position and scrolls it into view.
    virtual void SetCaret(std::size_t position) = 0;
    virtual std::u16string Tag() const = 0;
    virtual void SetTag(const std::u16string& tag) = 0;
    virtual Paint TextPaint() const = 0;
    virtual void SetTextPaint(Paint paint) = 0;
    virtual bool IsVisible() const = 0;
};

}  // namespace gleaner
