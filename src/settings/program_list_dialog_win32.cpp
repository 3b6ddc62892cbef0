#include "settings/program_list_dialog_win32.h"

#include "platform/fonts_win32.h"
#include "resources/texts.h"

namespace gleaner::win32 {
namespace {

constexpr WORD kEditId = 1;
// Designed in 96-DPI pixels: the client area, the margin, the note's height,
// a button's size.
constexpr int kWidth = 420;
constexpr int kHeight = 290;
constexpr int kMargin = 10;
constexpr int kNoteHeight = 48;
constexpr int kButtonWidth = 88;
constexpr int kButtonHeight = 26;

}  // namespace

bool ProgramListDialog::Open(const std::vector<std::u16string>& programs, Language language) {
    if (Handle()) {
        SetForegroundWindow(Handle());
        return true;
    }
    language_ = language;
    WindowShape shape;
    shape.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    // Above the main window, which is always on top; Tab walks the controls.
    shape.exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    const WindowClass windowClass{kProgramListWindowClass, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)),
                                  GetSysColorBrush(COLOR_BTNFACE)};
    if (!Create(windowClass, Wide(texts::kIgnoredProgramsTitle.In(language)), shape)) return false;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const auto make = [&](const wchar_t* kind, const std::u16string& text, DWORD exStyle, DWORD style, WORD id) {
        return CreateWindowExW(exStyle, kind, Wide(text), WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Handle(),
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, nullptr);
    };
    // Its access key takes the keyboard to the box after it.
    note_ = make(L"STATIC", texts::kIgnoredProgramsLabel.In(language), 0, SS_LEFT, 0);
    // Scrolling both ways: a full path is long.
    edit_ = make(L"EDIT", ProgramListText(programs), WS_EX_CLIENTEDGE,
                 WS_TABSTOP | WS_VSCROLL | WS_HSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN,
                 kEditId);
    // A tab is never part of a name: Tab leaves the box, as in any dialog,
    // and Esc closes it.
    editKeys_.Attach(edit_, [this](UINT message, WPARAM key, LPARAM) -> std::optional<LRESULT> {
        if (message == WM_CHAR && (key == L'\t' || key == 0x1B)) return 0;
        if (message != WM_KEYDOWN || (key != VK_TAB && key != VK_ESCAPE)) return std::nullopt;
        if (key == VK_ESCAPE) PostMessageW(Handle(), WM_CLOSE, 0, 0);
        if (key == VK_TAB) SetFocus(GetNextDlgTabItem(Handle(), edit_, GetKeyState(VK_SHIFT) < 0));
        return 0;
    });
    ok_ = make(L"BUTTON", texts::kIgnoredProgramsOk.In(language), 0, WS_TABSTOP | BS_PUSHBUTTON, IDOK);
    cancel_ = make(L"BUTTON", texts::kSettingsCancel.In(language), 0, WS_TABSTOP | BS_PUSHBUTTON, IDCANCEL);
    scale_ = WindowScale(Handle());
    Arrange();
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2;
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    SetFocus(edit_);
    return true;
}

void ProgramListDialog::Arrange() {
    const bool japanese = language_ == Language::Japanese;
    SetFont({note_, ok_, cancel_}, japanese ? fonts::kCaption : fonts::kLatinCaption, scale_);
    // A fixed pitch, as every list of the program: a path reads better so.
    SetFont({edit_}, fonts::kText, scale_);
    RECT frame{0, 0, scale_.Pixels(kWidth), scale_.Pixels(kHeight)};
    AdjustWindowRectExForDpi(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)),
                             static_cast<UINT>(scale_.dpi));
    SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    const int margin = scale_.Pixels(kMargin);
    const int width = scale_.Pixels(kWidth);
    const int height = scale_.Pixels(kHeight);
    const int buttonWidth = scale_.Pixels(kButtonWidth);
    const int buttonHeight = scale_.Pixels(kButtonHeight);
    const int noteBottom = margin + scale_.Pixels(kNoteHeight);
    const int buttonsTop = height - margin - buttonHeight;
    Place(note_, {margin, margin, width - margin, noteBottom});
    Place(edit_, {margin, noteBottom + margin / 2, width - margin, buttonsTop - margin});
    Place(ok_, {width - margin * 2 - buttonWidth * 2, buttonsTop, width - margin * 2 - buttonWidth,
                buttonsTop + buttonHeight});
    Place(cancel_, {width - margin - buttonWidth, buttonsTop, width - margin, buttonsTop + buttonHeight});
}

bool ProgramListDialog::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED || (id != IDOK && id != IDCANCEL)) return false;
    if (id == IDOK) {
        std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
        // Gone before the program hears of the list: what it does next may
        // open a box, and this window must not stay in front of it.
        Destroy();
        events_.OnProgramListChosen(ProgramsFromText(FromWide(text.data(), text.size())));
        return true;
    }
    Destroy();
    return true;
}

void ProgramListDialog::OnDensityChange(DpiScale scale, const RECT& suggested) {
    scale_ = scale;
    Window::OnDensityChange(scale, suggested);
    Arrange();
}

std::optional<LRESULT> ProgramListDialog::OnMessage(UINT message, WPARAM, LPARAM) {
    if (message != WM_SETFOCUS) return std::nullopt;
    SetFocus(edit_);
    return 0;
}

}  // namespace gleaner::win32
