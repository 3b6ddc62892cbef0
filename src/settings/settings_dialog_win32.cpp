#include "settings/settings_dialog_win32.h"

#include <commctrl.h>

#include "platform/fonts_win32.h"
#include "platform/window_system.h"
#include "resources/texts.h"

namespace gleaner::win32 {
namespace {

// A control's place in a frame, as a place in the window: frames are
// siblings of what they frame.
constexpr TwipsRect In(const TwipsRect& frame, std::int32_t left, std::int32_t top, std::int32_t width,
                       std::int32_t height) {
    return {frame.left + left, frame.top + top, width, height};
}

constexpr TwipsRect kWindow{0, 0, 0, 0};
constexpr TwipsRect kCopy{150, 330, 3165, 1125};
constexpr TwipsRect kPaste{150, 1530, 3165, 945};
constexpr TwipsRect kHotKey{150, 2550, 3165, 1215};
constexpr TwipsRect kPos{150, 3900, 3165, 1035};
// frClose has no border: only its buttons show. Its top follows the
// window's bottom, 15 pixels above it.
constexpr TwipsRect kClose{990, 0, 3105, 300};
constexpr int kCloseMarginPixels = 15;
// frStr begins beyond the window's width: it and all in it stay out of sight.
constexpr TwipsRect kStr{3720, 360, 2895, 3075};
constexpr TwipsRect kSearch = In(kStr, 60, 60, 2745, 915);
constexpr TwipsRect kCustom = In(kStr, 60, 1080, 2745, 1935);
// A combo's design height is its edit field's; its window holds the list too.
constexpr int kComboListRows = 8;
// How much wider than the design the dialog is: English is longer than
// Japanese, and Japanese captions end in their access keys, "(&S)".
constexpr int kEnglishWidthPercent = 130;
constexpr int kJapaneseWidthPercent = 135;
// A check box's box and the gap before its text, at 96 DPI.
constexpr int kCheckBoxGlyphPixels = 20;

enum class Kind { Check, Frame, Label, RightLabel, Combo, Edit, List, Button };
enum class Group { Always, PopupFrame, Bottom, OutOfSight };

struct ControlDesign {
    int id;
    Kind kind;
    const Text* caption;
    TwipsRect at;
    bool fixedFont;  // fonts::kText rather than fonts::kCaption
    const Text* tip;
    Group group = Group::Always;
};

constexpr int Label(int n) { return kFirstLabel + n; }

// The hotkeys' modifiers read the same in both languages.
constexpr Text kPopupKeyPrefix{texts::kSettingsPopupKeyPrefix, texts::kSettingsPopupKeyPrefix};
constexpr Text kPasteKeyPrefix{texts::kSettingsPasteKeyPrefix, texts::kSettingsPasteKeyPrefix};

// In the order of the design, which is also the order of the Tab key.
constexpr ControlDesign kControls[] = {
    {kChkTaskTray, Kind::Check, &texts::kSettingsTaskTray, In(kWindow, 60, 90, 1665, 180), false,
     &texts::kSettingsTaskTrayTip},
    {kFrCopy, Kind::Frame, &texts::kSettingsCopyFrame, kCopy, false, nullptr},
    {Label(0), Kind::Label, &texts::kSettingsSeparatorLabel, In(kCopy, 240, 270, 2805, 255), false, nullptr},
    {Label(1), Kind::Label, &texts::kSettingsNewLineHint, In(kCopy, 1620, 480, 1245, 255), false, nullptr},
    {kCmbSeparator, Kind::Combo, nullptr, In(kCopy, 240, 720, 2775, 315), true, &texts::kSettingsSeparatorTip},
    {kFrPaste, Kind::Frame, &texts::kSettingsPasteFrame, kPaste, false, nullptr},
    {kChkCtrlVInit, Kind::Check, &texts::kSettingsCtrlVInit, In(kPaste, 750, 300, 2205, 195), true,
     &texts::kSettingsCtrlVInitTip},
    {kChkNoConfirm, Kind::Check, &texts::kSettingsNoConfirm, In(kPaste, 1260, 570, 1695, 195), true,
     &texts::kSettingsNoConfirmTip},
    {kFrHotKey, Kind::Frame, &texts::kSettingsHotKeyFrame, kHotKey, false, nullptr},
    {Label(2), Kind::Label, &texts::kSettingsPopupKeyLabel, In(kHotKey, 330, 330, 1065, 285), false, nullptr},
    {Label(3), Kind::RightLabel, &kPopupKeyPrefix, In(kHotKey, 1410, 330, 975, 285), false, nullptr},
    {kCmbPopupKey, Kind::Combo, nullptr, In(kHotKey, 2400, 270, 615, 315), true, &texts::kSettingsHotKeyTip},
    {Label(4), Kind::Label, &texts::kSettingsPasteKeyLabel, In(kHotKey, 330, 720, 1035, 285), false, nullptr},
    {Label(5), Kind::RightLabel, &kPasteKeyPrefix, In(kHotKey, 1410, 720, 975, 285), false, nullptr},
    {kCmbPasteKey, Kind::Combo, nullptr, In(kHotKey, 2400, 660, 615, 315), true, &texts::kSettingsHotKeyTip},
    {kFrPos, Kind::Frame, &texts::kSettingsPopupFrame, kPos, false, nullptr, Group::PopupFrame},
    {Label(6), Kind::Label, &texts::kSettingsAutoCloseLabel, In(kPos, 570, 300, 1185, 225), false, nullptr,
     Group::PopupFrame},
    {kCmbTimeAutoClose, Kind::Combo, nullptr, In(kPos, 1830, 240, 1185, 315), true, &texts::kSettingsAutoCloseTip,
     Group::PopupFrame},
    {Label(7), Kind::Label, &texts::kSettingsDispPosLabel, In(kPos, 630, 630, 1125, 225), false, nullptr,
     Group::PopupFrame},
    {kCmbDispPos, Kind::Combo, nullptr, In(kPos, 1830, 570, 1185, 315), true, &texts::kSettingsDispPosTip,
     Group::PopupFrame},
    {kCmdResume, Kind::Button, &texts::kSettingsResume, In(kClose, 240, 0, 945, 300), false, nullptr, Group::Bottom},
    {kCmdEnd, Kind::Button, &texts::kSettingsEnd, In(kClose, 1200, 0, 825, 300), false, nullptr, Group::Bottom},
    {kCmdCancel, Kind::Button, &texts::kSettingsCancel, In(kClose, 2040, 0, 1035, 300), false, nullptr,
     Group::Bottom},
    {kFrSearch, Kind::Frame, &texts::kSettingsSearchFrame, kSearch, false, nullptr, Group::OutOfSight},
    {Label(8), Kind::Label, &texts::kSettingsSearchLabel, In(kSearch, 510, 300, 705, 225), false, nullptr,
     Group::OutOfSight},
    {kTxtSearchStr, Kind::Edit, nullptr, In(kSearch, 1260, 270, 1275, 270), true, &texts::kSettingsSearchTip,
     Group::OutOfSight},
    {kChkFuzzy, Kind::Check, &texts::kSettingsFuzzy, In(kSearch, 1080, 600, 1455, 180), false,
     &texts::kSettingsFuzzyTip, Group::OutOfSight},
    {kFrCustom, Kind::Frame, &texts::kSettingsCustomFrame, kCustom, false, nullptr, Group::OutOfSight},
    {kLstCustom, Kind::List, nullptr, In(kCustom, 180, 240, 2355, 1410), true, &texts::kSettingsCustomTip,
     Group::OutOfSight},
    {kChkDispMsg, Kind::Check, &texts::kSettingsDispMsg, In(kCustom, 1020, 1680, 1515, 180), false,
     &texts::kSettingsDispMsgTip, Group::OutOfSight},
};

struct WindowKind {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

// Out of sight is also out of the Tab key's reach: focus never goes where
// the user cannot see it.
WindowKind KindOf(const ControlDesign& design) {
    const DWORD tab = design.group == Group::OutOfSight ? 0 : WS_TABSTOP;
    switch (design.kind) {
    case Kind::Check: return {WC_BUTTONW, BS_AUTOCHECKBOX | tab, 0};
    case Kind::Frame: return {WC_BUTTONW, BS_GROUPBOX, WS_EX_TRANSPARENT};
    // A label's access key takes the keyboard to the control after it.
    case Kind::Label: return {WC_STATICW, SS_LEFT, 0};
    case Kind::RightLabel: return {WC_STATICW, SS_RIGHT, 0};
    case Kind::Combo: return {WC_COMBOBOXW, CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | tab, 0};
    case Kind::Edit: return {WC_EDITW, ES_AUTOHSCROLL | tab, WS_EX_CLIENTEDGE};
    case Kind::List:
        return {WC_LISTBOXW, LBS_MULTIPLESEL | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | tab, WS_EX_CLIENTEDGE};
    case Kind::Button: return {WC_BUTTONW, BS_PUSHBUTTON | tab, 0};
    }
    return {WC_STATICW, 0, 0};
}

std::u16string TextOf(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return FromWide(text.data(), text.size());
}

// The control's text in its font, on one line, as drawn: its access key's "&" underlines.
int TextWidth(HWND control) {
    const WindowDc dc(control);
    const SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(control, WM_GETFONT, 0, 0)));
    const std::u16string text = TextOf(control);
    RECT bounds{};
    DrawTextW(dc.Get(), Wide(text), -1, &bounds, DT_CALCRECT | DT_SINGLELINE);
    return bounds.right - bounds.left;
}

HWND ComboEdit(HWND combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    return GetComboBoxInfo(combo, &info) ? info.hwndItem : nullptr;
}

void AddItem(HWND control, UINT message, const char16_t* item) {
    SendMessageW(control, message, 0, reinterpret_cast<LPARAM>(item));
}

}  // namespace

bool SettingsDialog::Open(const std::u16string& caption) {
    if (Handle()) {
        BringToFront();
        return true;
    }
    if (!Build(caption)) return false;
    Fill(LoadSettingsControls(state_.Settings, state_.DisplayLanguage));
    FollowTrayBox();  // before it shows, so that it opens at its height
    RECT bounds{};
    GetWindowRect(Handle(), &bounds);
    const int left = (GetSystemMetrics(SM_CXSCREEN) - (bounds.right - bounds.left)) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - (bounds.bottom - bounds.top)) / 2;
    SetWindowPos(Handle(), HWND_TOPMOST, left, top, 0, 0, SWP_NOSIZE);
    state_.SettingsWindowHandle = ToWindowId(Handle());
    ShowWindow(Handle(), SW_SHOW);
    BringToFront();
    return true;
}

void SettingsDialog::BringToFront() {
    if (Handle()) SetForegroundWindow(Handle());
}

bool SettingsDialog::Build(const std::u16string& caption) {
    WindowShape shape;
    // Children clipped: when the window grows, the desktop's late repaint of
    // the new area must not paint over the buttons already moved there. The
    // frames are transparent, so that the background still shows inside them.
    shape.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    // A control parent: the Tab key walks its controls.
    shape.exStyle = WS_EX_TOPMOST | WS_EX_CONTROLPARENT;
    const WindowClass windowClass{kSettingsWindowClass, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1)),
                                  GetSysColorBrush(COLOR_BTNFACE)};
    if (!Create(windowClass, Wide(caption), shape)) return false;
    scale_ = WindowScale(Handle());
    CreateControls();
    ApplyFonts();
    return true;
}

void SettingsDialog::CreateControls() {
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    const Language language = state_.DisplayLanguage;
    tooltip_.Create(Handle());
    for (const ControlDesign& design : kControls) {
        const WindowKind kind = KindOf(design);
        const auto caption = reinterpret_cast<const wchar_t*>(design.caption ? design.caption->In(language) : u"");
        HWND control = CreateWindowExW(kind.exStyle, kind.className, caption, WS_CHILD | WS_VISIBLE | kind.style, 0,
                                       0, 0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)),
                                       instance, nullptr);
        if (!control || !design.tip) continue;
        tooltip_.Add(control, design.tip->In(language));
        // The edit field covers most of an editable combo.
        if (design.kind == Kind::Combo) tooltip_.Add(ComboEdit(control), design.tip->In(language));
    }
    for (const Text& item : texts::kSeparatorLabels) AddItem(Control(kCmbSeparator), CB_ADDSTRING, item.In(language));
    for (const char16_t* item : texts::kAutoCloseTimes) AddItem(Control(kCmbTimeAutoClose), CB_ADDSTRING, item);
    for (const Text& item : texts::kDispPosLabels) AddItem(Control(kCmbDispPos), CB_ADDSTRING, item.In(language));
    for (const Text& item : texts::kCustomItems) AddItem(Control(kLstCustom), LB_ADDSTRING, item.In(language));
    ShowWindow(Control(kCmdCancel), SW_HIDE);
    // Typing never changes these two: their value comes from the list.
    for (int id : {kCmbTimeAutoClose, kCmbDispPos}) SendMessageW(ComboEdit(Control(id)), EM_SETREADONLY, TRUE, 0);
    FillHotKeyLists();
}

// A hotkey is one letter, typed as a capital whatever the Shift key.
void SettingsDialog::FillHotKeyLists() {
    for (std::size_t i = 0; i < hotKeyEdits_.size(); ++i) {
        HWND combo = Control(i == 0 ? kCmbPopupKey : kCmbPasteKey);
        for (wchar_t letter = L'A'; letter <= L'Z'; ++letter) {
            const wchar_t item[] = {letter, L'\0'};
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
        }
        HWND edit = ComboEdit(combo);
        hotKeyEdits_[i].Attach(edit, [edit](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_PASTE || message == WM_IME_CHAR) return 0;
            if (message != WM_CHAR || wParam == VK_BACK) return std::nullopt;
            if (const auto letter = HotKeyLetter(static_cast<char16_t>(wParam))) {
                const wchar_t text[] = {static_cast<wchar_t>(*letter), L'\0'};
                SetWindowTextW(edit, text);
                SendMessageW(edit, EM_SETSEL, 1, 1);
            }
            return 0;
        });
    }
}

// English reads in the one face Windows dialogs use, the Japanese design's
// fixed-pitch boxes included.
void SettingsDialog::ApplyFonts() {
    const bool japanese = state_.DisplayLanguage == Language::Japanese;
    for (const ControlDesign& design : kControls) {
        const fonts::Font font = !japanese ? fonts::kLatinCaption : design.fixedFont ? fonts::kText : fonts::kCaption;
        SetFont({Control(design.id)}, font, scale_);
    }
}

// The dialog is the design, wider.
int SettingsDialog::Across(int twips) const {
    const int percent = state_.DisplayLanguage == Language::Japanese ? kJapaneseWidthPercent : kEnglishWidthPercent;
    return scale_.Twips(twips * percent / 100);
}

void SettingsDialog::Layout() {
    RECT client{};
    GetClientRect(Handle(), &client);
    const int bottomTop = client.bottom - scale_.Twips(kClose.height) - scale_.Pixels(kCloseMarginPixels);
    for (const ControlDesign& design : kControls) {
        const TwipsRect& at = design.at;
        const int top = design.group == Group::Bottom ? bottomTop : scale_.Twips(at.top);
        const int rows = design.kind == Kind::Combo ? kComboListRows : 1;
        int left = Across(at.left);
        int width = Across(at.width);
        // A check box whose text the face draws wider than designed grows
        // rather than cutting it. A label is as wide as its text, from its
        // text's anchor: so a label beside another in one row (ポップアップ(B),
        // Ctrl+Shift+) only meets it where their texts would.
        if (design.kind == Kind::Label || design.kind == Kind::RightLabel || design.kind == Kind::Check) {
            const int needed = TextWidth(Control(design.id)) +
                               (design.kind == Kind::Check ? scale_.Pixels(kCheckBoxGlyphPixels) : 0);
            if (design.kind == Kind::RightLabel) left += width - needed;
            width = design.kind == Kind::Check ? std::max(width, needed) : needed;
        }
        MoveWindow(Control(design.id), left, top, width, scale_.Twips(at.height) * rows, TRUE);
    }
}

void SettingsDialog::FollowTrayBox() {
    const bool ticked = IsDlgButtonChecked(Handle(), kChkTaskTray) == BST_CHECKED;
    const SettingsShape shape = ShapeSettings(ticked, state_.SettingsCloseAction, state_.DisplayLanguage);
    SetWindowTextW(Control(kCmdEnd), Wide(shape.endCaption));
    ShowWindow(Control(kCmdEnd), shape.endButton ? SW_SHOW : SW_HIDE);
    for (const ControlDesign& design : kControls) {
        if (design.group == Group::PopupFrame) ShowWindow(Control(design.id), shape.popupFrame ? SW_SHOW : SW_HIDE);
    }
    SetWindowPos(Handle(), nullptr, 0, 0, Across(kSettingsWidth), scale_.Twips(shape.height),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialog::Fill(const SettingsControls& shown) {
    const auto check = [this](int id, bool ticked) {
        CheckDlgButton(Handle(), id, ticked ? BST_CHECKED : BST_UNCHECKED);
    };
    const auto text = [this](int id, const std::u16string& value) { SetWindowTextW(Control(id), Wide(value)); };
    check(kChkTaskTray, shown.chkTaskTray);
    text(kTxtSearchStr, shown.txtSearchStr);
    text(kCmbDispPos, shown.cmbDispPos);
    text(kCmbTimeAutoClose, shown.cmbTimeAutoClose);
    for (std::size_t i = 0; i < shown.lstCustom.size(); ++i)
        SendMessageW(Control(kLstCustom), LB_SETSEL, shown.lstCustom[i], static_cast<LPARAM>(i));
    check(kChkDispMsg, shown.chkDispMsg);
    text(kCmbSeparator, shown.cmbSeparator);
    check(kChkCtrlVInit, shown.chkCtrlVInit);
    check(kChkNoConfirm, shown.chkNoConfirm);
    text(kCmbPopupKey, shown.cmbPopupKey);
    text(kCmbPasteKey, shown.cmbPasteKey);
    check(kChkFuzzy, shown.chkFuzzy);
    EnableWindow(Control(kChkNoConfirm), NoConfirmEnabled(shown));
}

SettingsControls SettingsDialog::Read() const {
    const auto checked = [this](int id) { return IsDlgButtonChecked(Handle(), id) == BST_CHECKED; };
    SettingsControls shown;
    shown.chkTaskTray = checked(kChkTaskTray);
    shown.cmbSeparator = TextOf(Control(kCmbSeparator));
    shown.chkCtrlVInit = checked(kChkCtrlVInit);
    shown.chkNoConfirm = checked(kChkNoConfirm);
    shown.cmbPopupKey = TextOf(Control(kCmbPopupKey));
    shown.cmbPasteKey = TextOf(Control(kCmbPasteKey));
    shown.cmbTimeAutoClose = TextOf(Control(kCmbTimeAutoClose));
    shown.cmbDispPos = TextOf(Control(kCmbDispPos));
    shown.txtSearchStr = TextOf(Control(kTxtSearchStr));
    shown.chkFuzzy = checked(kChkFuzzy);
    for (std::size_t i = 0; i < shown.lstCustom.size(); ++i)
        shown.lstCustom[i] = SendMessageW(Control(kLstCustom), LB_GETSEL, i, 0) > 0;
    shown.chkDispMsg = checked(kChkDispMsg);
    return shown;
}

void SettingsDialog::Close(CloseButton button) {
    if (const auto action = CloseSettings(button, Read(), state_.Settings, state_.DisplayLanguage))
        state_.SettingsCloseAction = *action;
    Destroy();
}

void SettingsDialog::OnSize(int, int) { Layout(); }

bool SettingsDialog::OnCommand(WORD id, WORD code, HWND) {
    if (code != BN_CLICKED) return true;
    switch (id) {
    case kChkTaskTray:
        FollowTrayBox();
        break;
    case kChkCtrlVInit:
        EnableWindow(Control(kChkNoConfirm), IsDlgButtonChecked(Handle(), kChkCtrlVInit) == BST_CHECKED);
        break;
    case kCmdResume:
    case kCmdEnd:
    case kCmdCancel:
        Close(static_cast<CloseButton>(id - kCmdResume));
        break;
    case IDOK:  // Enter, where no button answered for itself
        Close(static_cast<CloseButton>(DefaultButton() - kCmdResume));
        break;
    case IDCANCEL:  // the Esc key, as the close box
        Close(CloseButton::Cancel);
        break;
    default:
        break;
    }
    return true;
}

// Enter presses the push button that has the keyboard, else 再開.
int SettingsDialog::DefaultButton() const {
    const HWND focus = GetFocus();
    for (int id : {kCmdResume, kCmdEnd, kCmdCancel}) {
        if (focus == Control(id) && IsWindowVisible(focus)) return id;
    }
    return kCmdResume;
}

// The close box stands for the hidden キャンセル.
bool SettingsDialog::OnClose() {
    Close(CloseButton::Cancel);
    return true;
}

// What follows the dialog runs as a step of its own, from the main loop.
void SettingsDialog::OnDestroy() {
    state_.SettingsWindowHandle = 0;
    PostMessageW(ToHwnd(state_.MainWindowHandle), kSettingsClosedMessage, 0, 0);
}

bool SettingsDialog::OnActivate(bool active) {
    if (active)
        FollowTrayBox();
    else if (IsChild(Handle(), GetFocus()))
        focus_ = GetFocus();
    return false;
}

void SettingsDialog::OnDensityChange(DpiScale scale, const RECT& suggested) {
    scale_ = scale;
    ApplyFonts();
    Window::OnDensityChange(scale, suggested);
    Layout();  // also when the size suggested is the size it had
}

std::optional<LRESULT> SettingsDialog::OnMessage(UINT message, WPARAM, LPARAM) {
    switch (message) {
    case DM_GETDEFID:
        // Asked by the dialog keys for Enter: the system then presses it.
        return MAKELRESULT(DefaultButton(), DC_HASDEFID);
    case WM_SETFOCUS:
        // Back to the control that had the keyboard, the first one at first.
        SetFocus(focus_ && IsWindowVisible(focus_) ? focus_ : Control(kChkTaskTray));
        return 0;
    default:
        return std::nullopt;
    }
}

}  // namespace gleaner::win32
