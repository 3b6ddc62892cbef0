#include "hotkeys/hotkeys.h"

#include <utility>

#include "capture/clipboard_access.h"
#include "hotkeys/key_injection.h"
#include "hotkeys/keyboard_polling.h"
#include "hotkeys/paste_state.h"
#include "resources/texts.h"
#include "settings/settings_record.h"

namespace gleaner {
namespace {

constexpr int kPasteSettleMs = 200;
// Long enough for the injected Ctrl+V to have passed the hotkeys.
constexpr int kInjectionSettleMs = 50;
constexpr int kRestoreSettleMs = 100;

}  // namespace

// Our own Ctrl+V must reach the application, so the hotkeys are off while it
// is injected; they are back on at once so that the user's next Ctrl+V is
// caught (and ignored) rather than pasting the collection a second time.
void Hotkeys::InjectPaste() {
    UnregisterHotKeys();
    SendPasteKeys(keyboard_);
    WaitWithEvents(capture_.desktop.events, kInjectionSettleMs);
    RegisterHotKeys();
}

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
    if (registered_) return taken;
    pasteHotkeyId_ = keyboard_.AddGlobalAtom(texts::kPasteHotkeyAtom);
    if (!Register(pasteHotkeyId_, kModControl, Settings.pasteKey))
        taken.push_back(HotKeyName(kModControl, Settings.pasteKey));
    // The popup key shows the balloon, which only tray mode has: in window
    // mode it would take the key from every other application for nothing.
    if (Settings.taskTray == 1) {
        popupHotkeyId_ = keyboard_.AddGlobalAtom(texts::kPopupHotkeyAtom);
        if (!Register(popupHotkeyId_, kModControl | kModShift, Settings.popupKey))
            taken.push_back(HotKeyName(kModControl | kModShift, Settings.popupKey));
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

void Hotkeys::HotKeyWindowProc(std::uintptr_t hotkeyId) {
    if (busy_ || !registered_) return;
    busy_ = true;
    if (hotkeyId == pasteHotkeyId_) {
        // One paste at a time: a press during a paste is swallowed.
        if (!PasteInProgress && !pastePending_) {
            pastePending_ = true;
            timers_.Start(TimerId::HotKey, 1);
        }
    } else if (popupHotkeyId_ != 0 && hotkeyId == popupHotkeyId_) {
        CollectClipboardText(capture_, u"", Settings.dispPos);
    }
    busy_ = false;
}

void Hotkeys::CancelPendingPaste() {
    if (!pastePending_) return;
    timers_.Stop(TimerId::HotKey);
    pastePending_ = false;
}

bool Hotkeys::RunPasteOperation() {
    timers_.Stop(TimerId::HotKey);
    pastePending_ = false;
    PasteInProgress = true;
    Desktop& desktop = capture_.desktop;
    TextBox& box = capture_.collection;
    bool copiedMeanwhile = false;

    if (box.Length() == 0 || box.Tag() == texts::kTagInit) {
        // Nothing collected yet: the user's Ctrl+V pastes the clipboard as
        // if we were not there.
        InjectPaste();
    } else {
        const auto saved = GetClipboardSnapshot(desktop);
        ClearClipboard(desktop);
        // Ctrl+V only when the collection really is on the clipboard: the
        // application would paste something else, and the clear after it
        // would throw away a collection that was never pasted.
        if (SetClipboardText(desktop, box.Text(), true)) {
            PasteClipboardSequence = desktop.clipboard.Sequence();
            InjectPaste();
            PasteDone = 1;
            timers_.Start(TimerId::Key, kTimerKeyMs);
            WaitWithEvents(desktop.events, kPasteSettleMs - kInjectionSettleMs);
            copiedMeanwhile = desktop.clipboard.Sequence() != PasteClipboardSequence;
        }
        PasteClipboardSequence = 0;
        // A clipboard that was empty stays empty; one that could not be read
        // gets nothing rather than a guess; another application's new copy
        // stays where it is.
        if (!copiedMeanwhile) {
            ClearClipboard(desktop);
            if (saved && !saved->empty()) SetClipboardSnapshot(desktop, *saved);
        }
    }

    desktop.events.Sleep(kRestoreSettleMs);
    desktop.events.ProcessPendingMessages();
    RegisterHotKeys();
    PasteInProgress = false;
    return copiedMeanwhile;
}

}  // namespace gleaner
