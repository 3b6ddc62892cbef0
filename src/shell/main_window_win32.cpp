#include "shell/main_window_win32.h"

#include "platform/fonts_win32.h"
#include "platform/system_dlls_win32.h"
#include "text/text_statistics.h"
#include "resources/texts.h"
#include "shell/menus_win32.h"
#include "shell/tray_icon.h"

namespace gleaner::win32 {
namespace {

// The design client area, in twips.
constexpr int kDesignClientWidth = 4515;
constexpr int kDesignClientHeight = 1680;

}  // namespace

std::unique_ptr<MainWindow> MainWindow::Create(MainWindowEvents& events, TwipsPerPixel scale,
                                               const ProgramState& state) {
    std::unique_ptr<MainWindow> window(new MainWindow(events, scale, state));
    if (!window->Build()) return nullptr;
    return window;
}

bool MainWindow::Build() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    if (const auto initialize = System().initCommonControlsEx) initialize(&controls);

    const WindowClass windowClass{kMainWindowClass, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)),
                                  GetSysColorBrush(COLOR_BTNFACE)};
    WindowShape shape;
    // Topmost from the start; the start-up asks again, as it always has.
    shape.exStyle = WS_EX_TOPMOST;
    if (!Window::Create(windowClass, L"", shape) || !CreateCollectionBox()) return false;
    // A menu bar of the designed height until the program sets its own.
    SetMenu(Handle(), BuildMenu({{MenuCommand::None, u" ", {}}}, false).Release());
    // The designed client area at the density of the monitor the window is
    // on, with room for the caption, border and menu bar.
    const DpiScale scale = WindowScale(Handle());
    RECT frame{0, 0, scale.Twips(kDesignClientWidth), scale.Twips(kDesignClientHeight)};
    AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, TRUE, 0, static_cast<UINT>(scale.dpi));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frame_ = std::make_unique<Win32WindowFrame>(Handle(), scale_);

    // Broadcast by the shell when it makes the notification area anew.
    taskbarCreated_ = RegisterWindowMessageW(L"TaskbarCreated");
    tooltip_.Create(Handle());
    tooltip_.Add(edit_, u"");
    RECT client{};
    GetClientRect(Handle(), &client);
    OnSize(client.right, client.bottom);
    return true;
}

bool MainWindow::CreateCollectionBox() {
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                ES_NOHIDESEL,
                            0, 0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCollectionBoxId)),
                            GetModuleHandleW(nullptr), nullptr);
    if (!edit_) return false;
    ApplyFont(WindowScale(Handle()));
    box_ = std::make_unique<Win32TextBox>(edit_);
    // Ctrl+A comes from the box's own keys: nothing watches the keyboard
    // while the user does not type.
    boxKeys_.Attach(edit_, [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
        const bool ctrlOnly = GetKeyState(VK_CONTROL) < 0 && GetKeyState(VK_MENU) >= 0;
        if (message == WM_KEYDOWN && wParam == 'A' && ctrlOnly) {
            SendMessageW(edit_, EM_SETSEL, 0, -1);
            return 0;
        }
        // Ctrl+Z is 元に戻す, not the box's own undo of a typed character.
        if (message == WM_KEYDOWN && wParam == 'Z' && ctrlOnly) {
            events_.OnMenu(MenuCommand::Undo);
            return 0;
        }
        // The characters the same keys make (U+0001, U+001A) are no text.
        if (message == WM_CHAR && (wParam == 1 || wParam == 0x1A)) return 0;
        return std::nullopt;
    });
    return true;
}

void MainWindow::ApplyFont(DpiScale scale) { SetFont({edit_}, fonts::kText, scale); }

void MainWindow::UpdateLengthTooltip() {
    tooltip_.SetText(edit_, LengthTooltip(box_->Length(), state_.DisplayLanguage));
}

void MainWindow::SetTitle(const std::u16string& title) {
    SetWindowTextW(Handle(), Wide(title));
    tag_ = title;
}

void MainWindow::SetMenus(const std::vector<MenuItem>& bar, const std::vector<MenuItem>& trayMenu) {
    // The old bar is the window's until it has the new one.
    const UniqueMenu old(GetMenu(Handle()));
    SetMenu(Handle(), BuildMenu(bar, false).Release());
    DrawMenuBar(Handle());
    trayMenu_ = BuildMenu(trayMenu, true);
    UpdateLengthTooltip();
}

void MainWindow::MakeTopmost() { SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

void MainWindow::Show() { ShowWindow(Handle(), SW_SHOWNORMAL); }

std::optional<MenuCommand> MainWindow::ShowTrayMenu(Point at) {
    SetForegroundWindow(Handle());
    const auto chosen = static_cast<UINT>(TrackPopupMenu(trayMenu_.Get(), TPM_RIGHTBUTTON | TPM_RETURNCMD | TPM_NONOTIFY,
                                                        at.x, at.y, 0, Handle(), nullptr));
    // The menu's loop has ended; a message makes the switch back complete.
    PostMessageW(Handle(), WM_NULL, 0, 0);
    // The Esc that closed the menu is still down when its loop returns.
    if (chosen == 0 && GetKeyState(VK_ESCAPE) >= 0) return std::nullopt;
    return static_cast<MenuCommand>(chosen);
}

bool MainWindow::HoldsKeyboard() const { return GetForegroundWindow() == Handle(); }

void MainWindow::Hide() { ShowWindow(Handle(), SW_HIDE); }

void MainWindow::OnSize(int width, int height) {
    if (edit_) MoveWindow(edit_, 0, 0, width, height, TRUE);
}

bool MainWindow::OnCommand(WORD id, WORD code, HWND) {
    if (id == kCollectionBoxId) {
        if (code == EN_CHANGE) UpdateLengthTooltip();
        return true;
    }
    events_.OnMenu(static_cast<MenuCommand>(id));
    return true;
}

void MainWindow::OnTimer(UINT_PTR id) { events_.OnTimer(static_cast<TimerId>(id)); }

bool MainWindow::OnClose() {
    events_.OnClose();
    return true;
}

void MainWindow::OnDestroy() { PostQuitMessage(0); }

void MainWindow::OnHotKey(WPARAM id) { events_.OnHotKey(id); }

void MainWindow::OnClipboardUpdate() { events_.OnClipboardUpdate(); }

void MainWindow::OnDensityChange(DpiScale scale, const RECT& suggested) {
    ApplyFont(scale);
    Window::OnDensityChange(scale, suggested);
}

// The collection in the tooltip's colours, its text in the box's own colour.
HBRUSH MainWindow::OnControlColour(HDC dc, HWND control) {
    if (control != edit_ || !box_) return nullptr;
    SetTextColor(dc, ColourOf(box_->TextPaint(), state_.HighContrast));
    SetBkColor(dc, ColourOf(Paint::CollectionBack, state_.HighContrast));
    return BrushOf(Paint::CollectionBack, state_.HighContrast, background_);
}

std::optional<LRESULT> MainWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        // The session ends once this returns: the shutdown runs now.
        if (wParam) events_.OnSessionEnd();
        return 0;
    case WM_SETFOCUS:
        // Keys typed in the window (Ctrl+A among them) belong to the collection.
        SetFocus(edit_);
        return 0;
    case kTrayIconMessage:
        events_.OnTrayIcon(LOWORD(lParam), {static_cast<short>(LOWORD(wParam)), static_cast<short>(HIWORD(wParam))});
        return 0;
    case WM_SETTINGCHANGE:
        events_.OnSystemSettingChange();
        InvalidateRect(edit_, nullptr, TRUE);
        return 0;
    case kSettingsClosedMessage:
        events_.OnSettingsClosed();
        return 0;
    default:
        if (message == taskbarCreated_ && message != 0) {
            events_.OnTaskbarCreated();
            return 0;
        }
        return std::nullopt;
    }
}

}  // namespace gleaner::win32
