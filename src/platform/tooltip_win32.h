// The program's one kind of tooltip: a tip per control, shown when the
// pointer moves onto the control and hidden when it leaves, is pressed, or
// has rested a few seconds. The control's own mouse messages drive it, so
// nothing looks at the pointer while nobody moves it.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <list>
#include <optional>
#include <string>

#include "platform/window_win32.h"

namespace gleaner::win32 {

class Tooltip {
public:
    Tooltip() = default;
    ~Tooltip();
    Tooltip(const Tooltip&) = delete;
    Tooltip& operator=(const Tooltip&) = delete;

    // The tooltip window, owned by owner and gone with it.
    bool Create(HWND owner);
    void Add(HWND control, const std::u16string& text);
    void SetText(HWND control, const std::u16string& text);
    HWND Handle() const { return tooltip_; }

private:
    std::optional<LRESULT> OnControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
    void Show(HWND control);
    void Hide();
    TOOLINFOW Tool(HWND control, const std::u16string* text = nullptr) const;

    HWND owner_ = nullptr;
    HWND tooltip_ = nullptr;
    HWND shown_ = nullptr;  // the control whose tip shows
    LPARAM lastMove_ = -1;
    std::list<Subclass> hooks_;
};

}  // namespace gleaner::win32
