// frmSetting on the screen: its controls in their frames, with their lists
// and tool tips, laid out in twips at the monitor's density. What they show
// and store is settings_dialog.h's.
#pragma once

#include <windows.h>

#include <array>

#include "platform/tooltip_win32.h"
#include "settings/settings_dialog.h"

namespace gleaner::win32 {

inline constexpr wchar_t kSettingsWindowClass[] = L"GleanerSettingsWindow";

// Control ids, for the tests that read the dialog as a user would.
enum SettingsControlId : int {
    kChkTaskTray = 2001,
    kCmbSeparator,
    kChkCtrlVInit,
    kChkNoConfirm,
    kCmbPopupKey,
    kCmbPasteKey,
    kCmbTimeAutoClose,
    kCmbDispPos,
    kTxtSearchStr,
    kChkFuzzy,
    kLstCustom,
    kChkDispMsg,
    kCmdResume,  // cmdClose 0
    kCmdEnd,     // cmdClose 1
    kCmdCancel,  // cmdClose 2
    kFrCopy,
    kFrPaste,
    kFrHotKey,
    kFrPos,
    kFrSearch,
    kFrCustom,
    kFirstLabel,  // the labels count on from here
};

class SettingsDialog : public Window, public SettingsDialogView {
public:
    explicit SettingsDialog(ProgramState& state) : state_(state) {}
    bool Open(const std::u16string& caption) override;
    void BringToFront() override;
    bool IsOpen() const override { return Handle() != nullptr; }
    void Unload() override { Destroy(); }

private:
    bool Build(const std::u16string& caption);
    void CreateControls();
    void FillHotKeyLists();
    void ApplyFonts();
    // A design width or left edge, in pixels, for the language.
    int Across(int twips) const;
    // Every control where the design puts it, the buttons at the bottom.
    void Layout();
    // chkTaskTray_Click, also run on every activation.
    void FollowTrayBox();
    void Fill(const SettingsControls& shown);
    SettingsControls Read() const;
    void Close(CloseButton button);
    int DefaultButton() const;
    HWND Control(int id) const { return GetDlgItem(Handle(), id); }

    void OnSize(int width, int height) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    bool OnClose() override;
    void OnDestroy() override;
    bool OnActivate(bool active) override;
    void OnDensityChange(DpiScale scale, const RECT& suggested) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ProgramState& state_;
    DpiScale scale_;
    Tooltip tooltip_;
    HWND focus_ = nullptr;          // the control that had the keyboard last
    std::array<Subclass, 2> hotKeyEdits_;
};

}  // namespace gleaner::win32
