#include "settings/settings_dialog.h"

#include <algorithm>
#include <span>

#include "resources/texts.h"
#include "text/number_format.h"
#include "text/parse_number.h"

namespace gleaner {

namespace {

constexpr std::int32_t kHeightWindowMode = 4800;
constexpr std::int32_t kHeightTrayMode = 6000;

std::int32_t Flag(bool ticked) { return ticked ? 1 : 0; }

// One letter as typed or chosen, as its capital; anything else (an empty
// combo above all) keeps the key the setting had, which at least registers.
std::u16string StoredHotKey(const std::u16string& shown, const std::u16string& before) {
    if (shown.size() != 1) return before;
    const auto letter = HotKeyLetter(shown.front());
    return letter ? std::u16string(1, *letter) : before;
}

std::u16string CustomItemFlags(const std::array<bool, kCustomItemCount>& selected) {
    std::u16string flags;
    for (bool on : selected) flags += on ? u'1' : u'0';
    return flags;
}

// A stored name as its list shows it in the language, and back; what is not
// on the list stays as it is. A value left as it was shown keeps what was
// stored: a separator typed as "Comma" stays that text in English too.
std::u16string Label(std::span<const Text> list, const std::u16string& stored, Language language) {
    const auto item = std::ranges::find(list, stored, [](const Text& text) { return text.In(Language::Japanese); });
    return item == list.end() ? stored : item->In(language);
}
std::u16string Stored(std::span<const Text> list, const std::u16string& shown, const std::u16string& before,
                      Language language) {
    if (shown == Label(list, before, language)) return before;
    const auto item = std::ranges::find(list, shown, [language](const Text& text) { return text.In(language); });
    return item == list.end() ? shown : item->In(Language::Japanese);
}

}  // namespace

std::optional<char16_t> HotKeyLetter(char16_t typed) {
    if (typed >= u'a' && typed <= u'z') return static_cast<char16_t>(typed - u'a' + u'A');
    if (typed >= u'A' && typed <= u'Z') return typed;
    return std::nullopt;
}

std::u16string FormatAutoClose(std::int32_t seconds) {
    const std::u16string digits = Decimal(seconds);
    return digits.size() < 2 ? u" " + digits : digits;
}

SettingsControls LoadSettingsControls(const SettingsRecord& settings, Language language) {
    SettingsControls shown;
    shown.chkTaskTray = settings.taskTray == 1;
    shown.txtSearchStr = settings.searchString;
    shown.cmbDispPos = Label(texts::kDispPosLabels, settings.dispPos, language);
    shown.cmbTimeAutoClose = FormatAutoClose(settings.timeAutoClose);
    for (std::size_t i = 0; i < kCustomItemCount && i < settings.customItem.size(); ++i)
        shown.lstCustom[i] = settings.customItem[i] == u'1';
    shown.chkDispMsg = settings.customMsg != 0;
    shown.cmbSeparator = Label(texts::kSeparatorLabels, settings.separator, language);
    shown.chkCtrlVInit = settings.ctrlvInit == 1;
    shown.chkNoConfirm = settings.noConfirm != 0;
    shown.cmbPopupKey = settings.popupKey;
    shown.cmbPasteKey = settings.pasteKey;
    shown.chkFuzzy = settings.searchFuzzy != 0;
    return shown;
}

std::optional<CloseAction> CloseSettings(CloseButton button, const SettingsControls& shown, SettingsRecord& settings,
                                         Language language) {
    if (button == CloseButton::Cancel) return std::nullopt;
    settings.taskTray = Flag(shown.chkTaskTray);
    settings.customItem = CustomItemFlags(shown.lstCustom);
    settings.searchString = shown.txtSearchStr;
    settings.dispPos = Stored(texts::kDispPosLabels, shown.cmbDispPos, settings.dispPos, language);
    settings.timeAutoClose = RoundToInt32(ParseLeadingNumber(shown.cmbTimeAutoClose)).value_or(settings.timeAutoClose);
    settings.searchFuzzy = Flag(shown.chkFuzzy);
    settings.customMsg = Flag(shown.chkDispMsg);
    settings.separator = Stored(texts::kSeparatorLabels, shown.cmbSeparator, settings.separator, language);
    settings.ctrlvInit = Flag(shown.chkCtrlVInit);
    settings.noConfirm = Flag(shown.chkNoConfirm);
    settings.popupKey = StoredHotKey(shown.cmbPopupKey, settings.popupKey);
    settings.pasteKey = StoredHotKey(shown.cmbPasteKey, settings.pasteKey);

    if (button == CloseButton::Resume && settings.taskTray == 1) return CloseAction::Tray;
    // 終了 reads "終了" exactly while the tray box is ticked.
    if (button == CloseButton::End && shown.chkTaskTray) return CloseAction::End;
    return CloseAction::ShowWindow;
}

// The exit button is offered only in tray mode, and only once the dialog's
// previous confirmation sent the program to the tray.
SettingsShape ShapeSettings(bool trayTicked, CloseAction lastAction, Language language) {
    if (!trayTicked) return {kHeightWindowMode, false, false, texts::kSettingsClose.In(language)};
    return {kHeightTrayMode, true, lastAction == CloseAction::Tray, texts::kSettingsEnd.In(language)};
}

}  // namespace gleaner
