#include "popup/popup_window_win32.h"

#include <commctrl.h>

#include "platform/fonts_win32.h"
#include "resources/texts.h"

namespace gleaner::win32 {
namespace {

constexpr WORD kTextId = 1;
constexpr WORD kTimeId = 2;
constexpr WORD kClearId = 3;
constexpr WORD kCloseId = 4;
constexpr UINT_PTR kAutoCloseTimer = 1;
constexpr UINT kAutoCloseMs = 1000;

HWND CreateChild(HWND parent, const wchar_t* kind, const std::u16string& text, DWORD style, WORD id) {
    return CreateWindowExW(0, kind, Wide(text), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

bool BalloonWindow::Load() {
    if (Handle()) return true;
    WindowShape shape;
    shape.style = WS_POPUP;
    // A control parent: once the user has clicked it, Esc closes it.
    shape.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    shape.bounds = {0, 0, 0, 0};
    if (!Create({kPopupWindowClass, nullptr, GetSysColorBrush(COLOR_INFOBK)}, Wide(texts::kPopupTitle.In(state_.DisplayLanguage)), shape) ||
        !CreateControls()) {
        Destroy();
        return false;
    }
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    countdown_.Load(state_.Settings.timeAutoClose);
    ApplyCountdown(true);
    textHook_.Attach(edit_, [this](UINT message, WPARAM key, LPARAM) { return OnTextMessage(message, key); });
    return true;
}

bool BalloonWindow::CreateControls() {
    // Read-only, and left out of the Tab order.
    edit_ = CreateChild(Handle(), L"EDIT", u"", WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, kTextId);
    time_ = CreateChild(Handle(), L"STATIC", u"", SS_LEFT, kTimeId);
    clear_ = CreateChild(Handle(), L"STATIC", texts::kPopupClear, SS_LEFT | SS_NOTIFY, kClearId);
    close_ = CreateChild(Handle(), L"BUTTON", texts::kCloseCaption, BS_PUSHBUTTON, kCloseId);
    if (!edit_ || !time_ || !clear_ || !close_) return false;
    box_ = std::make_unique<Win32TextBox>(edit_);
    tooltip_.Create(Handle());
    tooltip_.Add(clear_, texts::kPopupClearTip.In(state_.DisplayLanguage));
    tooltip_.Add(close_, texts::kPopupCloseTip.In(state_.DisplayLanguage));
    fontDpi_ = 0;
    return true;
}

void BalloonWindow::ApplyFonts(DpiScale scale) {
    if (scale.dpi == fontDpi_) return;
    SetFont({edit_}, fonts::kText, scale);
    SetFont({time_, close_}, fonts::kCaption, scale);
    SetFont({clear_}, fonts::kBalloonClear, scale);
    fontDpi_ = scale.dpi;
}

void BalloonWindow::Arrange(const BalloonLayout& layout) {
    // A balloon that stays where it is keeps its shape: captures in a row
    // cost no new region and no repainting of the whole window.
    if (layout == layout_ && IsWindowVisible(Handle())) return;
    layout_ = layout;
    ApplyFonts(layout.scale);
    const Rect& w = layout.window;
    SetWindowPos(Handle(), HWND_TOPMOST, w.left, w.top, w.Width(), w.Height(), SWP_NOACTIVATE);
    Place(edit_, layout.textBox);
    Place(time_, layout.timeLabel);
    Place(clear_, layout.clearLabel);
    Place(close_, layout.closeButton);
    Cut(layout);
}

// The rounded body, with the tail cut in by exclusive-or when asked for;
// without it the strip on the anchor's side stays transparent.
void BalloonWindow::Cut(const BalloonLayout& layout) {
    UniqueGdiObject region(CreateRectRgn(0, 0, 0, 0));
    const Rect& b = layout.body;
    const UniqueGdiObject body(CreateRoundRectRgn(b.left, b.top, b.right, b.bottom, layout.corner, layout.corner));
    CombineRgn(static_cast<HRGN>(region.Get()), static_cast<HRGN>(region.Get()), static_cast<HRGN>(body.Get()),
               RGN_OR);
    if (layout.tail) {
        POINT corners[3];
        for (int i = 0; i < 3; ++i) corners[i] = {layout.tailTriangle[i].x, layout.tailTriangle[i].y};
        const UniqueGdiObject tail(CreatePolygonRgn(corners, 3, ALTERNATE));
        CombineRgn(static_cast<HRGN>(region.Get()), static_cast<HRGN>(region.Get()), static_cast<HRGN>(tail.Get()),
                   RGN_XOR);
    }
    // The window owns the region from here on.
    if (SetWindowRgn(Handle(), static_cast<HRGN>(region.Get()), TRUE)) region.Release();
}

void BalloonWindow::RestartCountdown() {
    countdown_.TextChanged(state_.Settings.timeAutoClose);
    ApplyCountdown(true);
}

void BalloonWindow::ApplyCountdown(bool restart) {
    SetWindowTextW(time_, Wide(countdown_.Label()));
    if (!countdown_.TimerOn())
        KillTimer(Handle(), kAutoCloseTimer);
    else if (restart)
        SetTimer(Handle(), kAutoCloseTimer, kAutoCloseMs, nullptr);
}

// The application the user copied in keeps the keyboard; a click into the
// balloon activates it as any window.
void BalloonWindow::ShowWithoutActivating() {
    state_.PopupWindowHandle = ToWindowId(Handle());
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
}

std::optional<LRESULT> BalloonWindow::OnTextMessage(UINT message, WPARAM key) {
    switch (message) {
    case WM_KEYDOWN:
        // The text keeps every key from the dialog keys, Esc too.
        if (key != VK_ESCAPE) break;
        PostMessageW(Handle(), WM_COMMAND, IDCANCEL, 0);
        return 0;
    case WM_LBUTTONDOWN:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        // The user reads: the balloon stays until closed.
        countdown_.Stop();
        ApplyCountdown(false);
        break;
    case WM_MOUSEMOVE:
        help_.ShowHelp(false);
        break;
    default:
        break;
    }
    return std::nullopt;
}

// Over the help icon the legend opens; over the balloon's surface it closes.
// The rest of the side panel leaves it as it is.
void BalloonWindow::OnMouseMove(Point point) {
    if (layout_.helpIcon.Contains(point))
        help_.ShowHelp(true);
    else if (!layout_.panel.Contains(point))
        help_.ShowHelp(false);
}

void BalloonWindow::OnPaint(HDC dc) {
    const Rect& icon = layout_.helpIcon;
    DrawIconEx(dc, icon.left, icon.top, LoadIconW(nullptr, IDI_QUESTION), icon.Width(), icon.Height(), 0, nullptr,
               DI_NORMAL);
}

bool BalloonWindow::OnCommand(WORD id, WORD code, HWND) {
    // Esc: no control of the balloon's that tells its parent anything has
    // IDCANCEL's number.
    if ((id == kCloseId && code == BN_CLICKED) || id == IDCANCEL) {
        Destroy();
    } else if (id == kClearId && code == STN_CLICKED) {
        events_.OnClearLabel();
    } else if (id == kTextId && code == EN_CHANGE) {
        RestartCountdown();
    } else if (id == kTextId && code == EN_SETFOCUS) {
        // After the click that brought the focus has placed the caret.
        PostMessageW(edit_, EM_SETSEL, 0, -1);
    } else {
        return false;
    }
    return true;
}

void BalloonWindow::OnTimer(UINT_PTR id) {
    if (id != kAutoCloseTimer) return;
    if (countdown_.Tick())
        Destroy();
    else
        ApplyCountdown(false);
}

bool BalloonWindow::OnActivate(bool active) {
    if (active) SetFocus(close_);
    return true;
}

// All in the tooltip's colours, the labels greyed.
HBRUSH BalloonWindow::OnControlColour(HDC dc, HWND control) {
    SetTextColor(dc, ColourOf(control == edit_ ? Paint::BalloonText : Paint::BalloonLabel, state_.HighContrast));
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    return GetSysColorBrush(COLOR_INFOBK);
}

void BalloonWindow::OnDestroy() {
    state_.PopupWindowHandle = 0;
    help_.ShowHelp(false);
    textHook_.Detach();
}

std::optional<LRESULT> BalloonWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        OnMouseMove({static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
        return 0;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) != clear_) return std::nullopt;
        SetCursor(LoadCursorW(nullptr, IDC_CROSS));
        return TRUE;
    default:
        return std::nullopt;
    }
}

}  // namespace gleaner::win32
