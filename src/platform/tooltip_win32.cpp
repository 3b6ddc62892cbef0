#include "platform/tooltip_win32.h"

#include <commctrl.h>

namespace gleaner::win32 {
namespace {

// Long enough to read a few words, as the system's own tips stay.
constexpr UINT kShowMs = 5000;
constexpr UINT_PTR kShowTimer = 0x7454;  // on the control, beside its own timers
// Below the pointer's arrow.
constexpr int kBelowPointer = 20;

}  // namespace

Tooltip::~Tooltip() { Hide(); }

bool Tooltip::Create(HWND owner) {
    // A window made anew has new controls.
    Hide();
    hooks_.clear();
    owner_ = owner;
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    return tooltip_ != nullptr;
}

TOOLINFOW Tooltip::Tool(HWND control, const std::u16string* text) const {
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    // Tracked: shown and hidden only when told, with no timer of its own.
    tool.uFlags = TTF_IDISHWND | TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = owner_;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    if (text) tool.lpszText = const_cast<wchar_t*>(Wide(*text));
    return tool;
}

void Tooltip::Add(HWND control, const std::u16string& text) {
    if (!tooltip_ || !control) return;
    TOOLINFOW tool = Tool(control, &text);
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    hooks_.emplace_back().Attach(control, [this, control](UINT message, WPARAM wParam, LPARAM lParam) {
        return OnControlMessage(control, message, wParam, lParam);
    });
}

void Tooltip::SetText(HWND control, const std::u16string& text) {
    TOOLINFOW tool = Tool(control, &text);
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

std::optional<LRESULT> Tooltip::OnControlMessage(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        // A move to where the pointer already was is no move.
        if (control != shown_ && lParam != lastMove_) Show(control);
        lastMove_ = lParam;
        return std::nullopt;
    case WM_MOUSELEAVE:
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        if (control == shown_) Hide();
        return std::nullopt;
    case WM_TIMER:
        if (wParam != kShowTimer || control != shown_) return std::nullopt;
        Hide();
        return 0;
    default:
        return std::nullopt;
    }
}

void Tooltip::Show(HWND control) {
    Hide();
    POINT pointer{};
    GetCursorPos(&pointer);
    SendMessageW(tooltip_, TTM_TRACKPOSITION, 0, MAKELPARAM(pointer.x, pointer.y + kBelowPointer));
    TOOLINFOW tool = Tool(control);
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    TRACKMOUSEEVENT leave{sizeof leave, TME_LEAVE, control, HOVER_DEFAULT};
    TrackMouseEvent(&leave);
    SetTimer(control, kShowTimer, kShowMs, nullptr);
    shown_ = control;
}

// Once hidden, nothing of the tip runs until the pointer moves again.
void Tooltip::Hide() {
    if (!shown_) return;
    TOOLINFOW tool = Tool(shown_);
    SendMessageW(tooltip_, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    KillTimer(shown_, kShowTimer);
    TRACKMOUSEEVENT leave{sizeof leave, TME_CANCEL | TME_LEAVE, shown_, HOVER_DEFAULT};
    TrackMouseEvent(&leave);
    shown_ = nullptr;
}

}  // namespace gleaner::win32
