#include "hotkeys/hotkeys.h"

#include <utility>

#include "resources/texts.h"

namespace gleaner {

bool Hotkeys::Register(std::uint16_t id, std::uint32_t modifiers, const std::u16string& key) {
    const std::uint32_t virtualKey = HotKeyVirtualKey(key);
    // An empty key registers nothing and so is nobody else's either.
    return id == 0 || virtualKey == 0 || keyboard_.RegisterHotKey(mainWindow_, id, modifiers, virtualKey);
}

std::uint32_t HotKeyVirtualKey(const std::u16string& setting) {
    if (setting.empty()) return 0;
    const char16_t first = setting.front();
    if (first >= u'a' && first <= u'z') return static_cast<std::uint32_t>(first - u'a' + u'A');
    return first;
}

std::u16string HotKeyName(std::uint32_t modifiers, const std::u16string& setting) {
    const std::u16string prefix = modifiers & kModShift ? texts::kSettingsPopupKeyPrefix : texts::kSettingsPasteKeyPrefix;
    const std::uint32_t key = HotKeyVirtualKey(setting);
    return prefix + std::u16string(1, static_cast<char16_t>(key));
}

std::vector<std::u16string> Hotkeys::RegisterHotKeys() {
    std::vector<std::u16string> taken;
    if (registered_ || holds_ > 0 || ended_) return taken;
    pasteHotkeyId_ = keyboard_.AddGlobalAtom(texts::kPasteHotkeyAtom);
    if (!Register(pasteHotkeyId_, kModControl, state_.Settings.pasteKey))
        taken.push_back(HotKeyName(kModControl, state_.Settings.pasteKey));
    // The popup key shows the balloon, which only tray mode has: in window
    // mode it would take the key from every other application for nothing.
    if (state_.Settings.taskTray == 1) {
        popupHotkeyId_ = keyboard_.AddGlobalAtom(texts::kPopupHotkeyAtom);
        if (!Register(popupHotkeyId_, kModControl | kModShift, state_.Settings.popupKey))
            taken.push_back(HotKeyName(kModControl | kModShift, state_.Settings.popupKey));
    }
    registered_ = true;
    return taken;
}

void Hotkeys::UnregisterHotKeys() {
    if (!registered_) return;
    keyboard_.UnregisterHotKey(mainWindow_, pasteHotkeyId_);
    keyboard_.DeleteGlobalAtom(pasteHotkeyId_);
    if (popupHotkeyId_ != 0) {
        keyboard_.UnregisterHotKey(mainWindow_, popupHotkeyId_);
        keyboard_.DeleteGlobalAtom(std::exchange(popupHotkeyId_, 0));
    }
    registered_ = false;
}

Hotkeys::Pressed Hotkeys::Identify(std::uintptr_t hotkeyId) const {
    if (!registered_) return Pressed::None;
    if (hotkeyId == pasteHotkeyId_) return Pressed::Paste;
    if (popupHotkeyId_ != 0 && hotkeyId == popupHotkeyId_) return Pressed::Popup;
    return Pressed::None;
}

Hotkeys::Hold::Hold(Hotkeys& hotkeys) : hotkeys_(&hotkeys) {
    ++hotkeys.holds_;
    hotkeys.UnregisterHotKeys();
}

std::vector<std::u16string> Hotkeys::Hold::Release() {
    Hotkeys* hotkeys = std::exchange(hotkeys_, nullptr);
    if (!hotkeys || --hotkeys->holds_ > 0) return {};
    return hotkeys->RegisterHotKeys();
}

}  // namespace gleaner
