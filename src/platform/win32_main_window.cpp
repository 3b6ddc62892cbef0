#include "platform/win32_main_window.h"

#include <commctrl.h>

#include "capture/clipboard_viewer.h"
#include "popup/text_statistics.h"
#include "resources/texts.h"
#include "settings/conf_file.h"
#include "settings/settings_record.h"
#include "shell/menus.h"

namespace gleaner::win32 {
namespace {

// The design client area, in twips.
constexpr int kDesignClientWidth = 4515;
constexpr int kDesignClientHeight = 1680;

constexpr UINT kTimerEndMs = 10;
constexpr int kTimerKeyMs = 10;

const wchar_t kCollectionFont[] = L"ＭＳ ゴシック";

HMENU BuildMenu(const std::vector<MenuItem>& items, bool popup, HMENU* versionMenu) {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (const MenuItem& item : items) {
        if (item.IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
        } else if (!item.submenu.empty()) {
            HMENU sub = BuildMenu(item.submenu, true, versionMenu);
            if (versionMenu) *versionMenu = sub;
            AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Wide(item.caption));
        } else {
            AppendMenuW(menu, MF_STRING, static_cast<UINT_PTR>(item.command), Wide(item.caption));
        }
    }
    return menu;
}

}  // namespace

std::unique_ptr<MainWindow> MainWindow::Create(HINSTANCE instance) {
    std::unique_ptr<MainWindow> window(new MainWindow());
    if (!window->Build(instance)) return nullptr;
    return window;
}

MainWindow::~MainWindow() {
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

bool MainWindow::Build(HINSTANCE instance) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    scale_ = ScreenTwipsPerPixel();
    if (!CreateFrame(instance) || !CreateCollectionBox(instance)) return false;
    ConnectServices();

    box_->SetTag(texts::kTagInit);
    box_->SetForeColour(kIntroductionColour);
    box_->SetText(texts::kIntroduction);

    BuildMenus();
    BuildTooltip();
    OnSize();
    UpdateLengthTooltip();
    return true;
}

bool MainWindow::CreateFrame(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpszClassName = kMainWindowClass;
    RegisterClassExW(&wc);

    // The designed client area, with room for the caption, border and menu bar.
    RECT frame{0, 0, kDesignClientWidth / scale_.x, kDesignClientHeight / scale_.y};
    const DWORD style = WS_OVERLAPPEDWINDOW;
    AdjustWindowRectEx(&frame, style, TRUE, 0);
    // Topmost from the start; the start-up asks again, as it always has.
    window_ = CreateWindowExW(WS_EX_TOPMOST, kMainWindowClass, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
    return window_ != nullptr;
}

bool MainWindow::CreateCollectionBox(HINSTANCE instance) {
    edit_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"",
                            WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN |
                                ES_NOHIDESEL,
                            0, 0, 0, 0, window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCollectionBoxId)),
                            instance, nullptr);
    if (!edit_) return false;
    HDC screen = GetDC(nullptr);
    const int pointHeight = -MulDiv(975, GetDeviceCaps(screen, LOGPIXELSY), 7200);  // 9.75 pt
    ReleaseDC(nullptr, screen);
    font_.Reset(CreateFontW(pointHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN,
                            kCollectionFont));
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return true;
}

void MainWindow::ConnectServices() {
    clipboard_ = std::make_unique<Win32Clipboard>(window_);
    messages_ = std::make_unique<Win32MessageBoxes>(window_);
    desktop_ = std::make_unique<Desktop>(Desktop{*clipboard_, events_, *messages_});
    box_ = std::make_unique<Win32TextBox>(edit_);
    frame_ = std::make_unique<Win32WindowFrame>(window_, scale_);
    capture_ = std::make_unique<CaptureContext>(CaptureContext{*desktop_, *box_, nullptr});
    timers_ = std::make_unique<Win32Timers>(window_);
    hotkeys_ = std::make_unique<HotkeyContext>(HotkeyContext{*capture_, keyboard_, *timers_, ToWindowId(window_)});
    polling_ = std::make_unique<PollingContext>(PollingContext{*capture_, keyboard_, windows_});
}

void MainWindow::BuildMenus() {
    SetMenu(window_, BuildMenu(MenuBar(), false, nullptr));
    trayMenu_.Reset(BuildMenu(TrayMenu(texts::kMenuVersion), true, &versionMenu_));
}

void MainWindow::BuildTooltip() {
    tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(edit_);
    tool.lpszText = const_cast<wchar_t*>(L"");
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::SetCaptionAndTag(const std::u16string& title) {
    SetWindowTextW(window_, Wide(title));
    tag_ = title;
}

void MainWindow::SetVersionMenuCaption(const std::u16string& caption) {
    ModifyMenuW(versionMenu_, static_cast<UINT>(MenuCommand::VerNo), MF_BYCOMMAND | MF_STRING,
                static_cast<UINT_PTR>(MenuCommand::VerNo), Wide(caption));
}

void MainWindow::MakeTopmost() { SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE); }

void MainWindow::JoinClipboardViewer() {
    gleaner::JoinClipboardViewer(chain_, ToWindowId(window_));
    // Only now do the viewer messages reach the capture: the notice that comes
    // with joining describes the clipboard as it was before we started.
    PreviousWindowProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MainWindowProc)));
}

void MainWindow::RegisterHotKeys() { gleaner::RegisterHotKeys(*hotkeys_); }

void MainWindow::StartKeyPolling() { timers_->Start(TimerId::Key, kTimerKeyMs); }

void MainWindow::LeaveClipboardViewer() {
    if (PreviousWindowProc) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PreviousWindowProc));
        PreviousWindowProc = nullptr;
    }
    gleaner::LeaveClipboardViewer(chain_, ToWindowId(window_));
}

LRESULT CALLBACK MainWindow::MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcW(hwnd, message, wParam, lParam);
    const WNDPROC previous = self->PreviousWindowProc;
    if (message == WM_DRAWCLIPBOARD) {
        OnDrawClipboard(self->chain_, *self->capture_, wParam, lParam);
    } else if (message == WM_CHANGECBCHAIN) {
        OnChangeClipboardChain(self->chain_, ToWindowId(reinterpret_cast<HWND>(wParam)),
                               ToWindowId(reinterpret_cast<HWND>(lParam)));
    }
    return CallWindowProcW(previous ? previous : WindowProc, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self || !self->edit_) return DefWindowProcW(hwnd, message, wParam, lParam);
    return self->Handle(hwnd, message, wParam, lParam);
}

LRESULT MainWindow::Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        OnSize();
        return 0;
    case WM_CTLCOLOREDIT:
        if (reinterpret_cast<HWND>(lParam) == edit_) return OnColourEdit(reinterpret_cast<HDC>(wParam));
        break;
    case WM_COMMAND:
        OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_ENDSESSION:
        if (wParam) OnClose();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_HOTKEY:
        HotKeyWindowProc(*hotkeys_, wParam);
        return 0;
    case WM_SETFOCUS:
        // Keys typed in the window (Ctrl+A among them) belong to the collection.
        SetFocus(edit_);
        return 0;
    case WM_DESTROY:
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

void MainWindow::OnSize() {
    RECT client{};
    GetClientRect(window_, &client);
    MoveWindow(edit_, 0, 0, client.right, client.bottom, TRUE);
}

LRESULT MainWindow::OnColourEdit(HDC dc) {
    SetTextColor(dc, box_->ForeColour());
    SetBkColor(dc, GetSysColor(COLOR_INFOBK));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_INFOBK));
}

void MainWindow::OnCommand(WORD id, WORD code) {
    if (id == kCollectionBoxId) {
        if (code == EN_CHANGE) UpdateLengthTooltip();
        return;
    }
    switch (static_cast<MenuCommand>(id)) {
    case MenuCommand::Clear:
    case MenuCommand::PopupClear:
        ClearCollection(*capture_);
        break;
    case MenuCommand::End:
    case MenuCommand::End2:
        PostMessageW(window_, WM_CLOSE, 0, 0);
        break;
    default:
        break;
    }
}

void MainWindow::UpdateLengthTooltip() {
    tooltipText_ = LengthTooltip(box_->Length());
    TOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(edit_);
    tool.lpszText = const_cast<wchar_t*>(Wide(tooltipText_));
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
}

// The close is always allowed: settings are written, the chain is left, and
// the process ends on the next tick of Timer_End.
void MainWindow::OnClose() {
    if (closing_) return;
    closing_ = true;
    gleaner::UnregisterHotKeys(*hotkeys_);
    SaveConf(Settings, files_, ProgramFolder(), *frame_);
    LeaveClipboardViewer();
    ShowWindow(window_, SW_HIDE);
    timers_->Start(TimerId::End, kTimerEndMs);
}

void MainWindow::OnTimer(UINT_PTR id) {
    switch (static_cast<TimerId>(id)) {
    case TimerId::Key:
        OnKeyTimerTick(*polling_);
        break;
    case TimerId::HotKey:
        RunPasteOperation(*hotkeys_);
        break;
    case TimerId::End:
        timers_->Stop(TimerId::End);
        DestroyWindow(window_);
        break;
    }
}

}  // namespace gleaner::win32
