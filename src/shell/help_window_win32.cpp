#include "shell/help_window_win32.h"

#include "platform/fonts_win32.h"
#include "platform/screen_win32.h"
#include "resources/texts.h"

namespace gleaner::win32 {
namespace {

constexpr WORD kCloseId = 1;

}  // namespace

void HelpWindow::ShowHelp(bool show) {
    if (!show) {
        Destroy();
        return;
    }
    // An open window stays where the user may have dragged it.
    if (!Handle()) Load();
}

bool HelpWindow::Load() {
    Win32Screen screen;
    const Point pointer = screen.Pointer();
    const DpiScale scale{screen.DpiAt(pointer)};
    const HelpLayout layout = LayOutHelp(pointer, scale);
    WindowShape shape;
    shape.style = WS_POPUP;
    // A control parent: Esc closes it once the user has clicked it.
    shape.exStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;
    shape.bounds = {layout.window.left, layout.window.top, layout.window.Width(), layout.window.Height()};
    // Text and background in the colours of one moment, whatever changes while it is open.
    highContrast_ = state_.HighContrast;
    background_ = BrushOf(Paint::LegendBack, highContrast_, ownBackground_);
    // Named, though it shows no caption, for the screen reader.
    if (!Create({kHelpWindowClass}, Wide(texts::kHelpTitle.In(state_.DisplayLanguage)), shape)) return false;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    // The button first: it lies on top of the label's corner.
    close_ = CreateWindowExW(0, L"BUTTON", Wide(texts::kCloseCaption),
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | BS_OWNERDRAW, 0, 0, 0, 0, Handle(),
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCloseId)), instance, nullptr);
    label_ = CreateWindowExW(0, L"STATIC", Wide(texts::kHelpText.In(state_.DisplayLanguage)),
                             WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, 0, 0,
                             0, Handle(), nullptr, instance, nullptr);
    // Dragging the text with the left button moves the window, as its
    // caption would if it had one.
    labelHook_.Attach(label_, [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        if (message != WM_MOUSEMOVE || !(wParam & MK_LBUTTON)) return std::nullopt;
        ReleaseCapture();
        SendMessageW(Handle(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
        return 0;
    });
    Arrange(layout, scale);
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    return true;
}

void HelpWindow::Arrange(const HelpLayout& layout, DpiScale scale) {
    // A fixed pitch keeps the legend's colons in one column.
    SetFont({label_}, fonts::kText, scale);
    scale_ = scale;
    Place(label_, layout.label);
    Place(close_, layout.closeButton);
    InvalidateRect(Handle(), nullptr, TRUE);
}

// In the window's own pale green, raised, and pressed in while held.
void HelpWindow::DrawCloseButton(const DRAWITEMSTRUCT& item) {
    RECT r = item.rcItem;
    FillRect(item.hDC, &r, background_);
    DrawEdge(item.hDC, &r, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    const SelectedObject font(item.hDC, ProgramFont(fonts::kCaption, scale_));
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, ColourOf(Paint::LegendText, highContrast_));
    DrawTextW(item.hDC, Wide(texts::kCloseCaption), -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

HBRUSH HelpWindow::OnControlColour(HDC dc, HWND) {
    SetTextColor(dc, ColourOf(Paint::LegendText, highContrast_));
    SetBkMode(dc, TRANSPARENT);
    return background_;
}

// Its designed size at the new density, where the system puts it.
void HelpWindow::OnDensityChange(DpiScale scale, const RECT& suggested) {
    const HelpLayout layout = LayOutHelp({}, scale);
    const RECT at{suggested.left, suggested.top, suggested.left + layout.window.Width(),
                  suggested.top + layout.window.Height()};
    Window::OnDensityChange(scale, at);
    Arrange(layout, scale);
}

bool HelpWindow::OnCommand(WORD id, WORD code, HWND) {
    if (id != IDCANCEL && (id != kCloseId || code != BN_CLICKED)) return false;
    Destroy();
    return true;
}

std::optional<LRESULT> HelpWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client{};
        GetClientRect(Handle(), &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, background_);
        return 1;
    }
    case WM_DRAWITEM:
        DrawCloseButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default:
        return std::nullopt;
    }
}

}  // namespace gleaner::win32
