// frmSetting without its window: what each control shows when the dialog
// opens, what confirming stores, how the window follows the tray box, and
// what the dialog leaves its opener to do.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "state/program_state.h"

namespace gleaner {

// cmdClose by its index: 再開, 終了, and the hidden キャンセル that the close
// box stands for.
enum class CloseButton { Resume = 0, End = 1, Cancel = 2 };

constexpr std::size_t kCustomItemCount = 7;

// What the controls show.
struct SettingsControls {
    bool chkTaskTray = false;
    std::u16string cmbSeparator;
    bool chkCtrlVInit = false;
    bool chkNoConfirm = false;
    std::u16string cmbPopupKey;  // cmbHotKey 0
    std::u16string cmbPasteKey;  // cmbHotKey 1
    std::u16string cmbTimeAutoClose;
    std::u16string cmbDispPos;
    std::u16string txtSearchStr;
    bool chkFuzzy = false;
    std::array<bool, kCustomItemCount> lstCustom{};  // selected items
    bool chkDispMsg = false;
    bool operator==(const SettingsControls&) const = default;
};

// Form_Load: the controls filled from the record. A check box is ticked
// exactly when the program treats its setting as on. The separator and the
// position show a stored name under its label in the language.
SettingsControls LoadSettingsControls(const SettingsRecord& settings, Language language);

// cmdClose_Click: 再開 and 終了 store what the controls show and give the
// close action; the close box changes nothing and gives none.
// A label chosen from a list is stored as the name Conf.txt has always
// held, whatever the language; a separator typed by hand, as typed.
std::optional<CloseAction> CloseSettings(CloseButton button, const SettingsControls& shown, SettingsRecord& settings,
                                         Language language);

// How the window looks for the state of its tray box; asked again on every
// click of the box and every activation.
struct SettingsShape {
    std::int32_t height = 0;  // twips
    bool popupFrame = false;  // frPos
    bool endButton = false;   // cmdClose 1
    std::u16string endCaption;
    bool operator==(const SettingsShape&) const = default;
};
SettingsShape ShapeSettings(bool trayTicked, CloseAction lastAction, Language language);

constexpr std::int32_t kSettingsWidth = 3750;  // twips, whatever the tray box

// 確認MSG非表示 only matters when the collection is emptied after a paste.
inline bool NoConfirmEnabled(const SettingsControls& shown) { return shown.chkCtrlVInit; }

// A character typed into a hotkey combo: the capital of a letter A to Z;
// nullopt for anything else, which the combo refuses.
std::optional<char16_t> HotKeyLetter(char16_t typed);

// frmSetting's window, as its opener sees it.
class SettingsDialogView {
public:
    virtual ~SettingsDialogView() = default;
    // Loads the controls from the settings and shows the dialog, captioned
    // so, without waiting for it; false when it could not be made.
    virtual bool Open(const std::u16string& caption) = 0;
    virtual void BringToFront() = 0;
    // From its load until it unloads.
    virtual bool IsOpen() const = 0;
    // Closes it without storing anything, as the program ends.
    virtual void Unload() = 0;
};

// " 7": the seconds right-aligned in two places, as the list writes them.
std::u16string FormatAutoClose(std::int32_t seconds);

}  // namespace gleaner
