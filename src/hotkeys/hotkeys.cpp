#include "hotkeys/hotkeys.h"

#include "capture/clipboard_access.h"
#include "hotkeys/key_injection.h"
#include "hotkeys/paste_state.h"
#include "resources/texts.h"
#include "settings/settings_record.h"

namespace gleaner {
namespace {

// State of the registration: the atoms name the hotkeys while they exist.
std::uint16_t PasteHotkeyId = 0;
std::uint16_t PopupHotkeyId = 0;
bool Registered = false;
bool Busy = false;
bool PastePending = false;  // the hotkey was pressed; Timer_HotKey has yet to tick

constexpr int kPasteSettleMs = 200;
// Long enough for the injected Ctrl+V to have passed the hotkeys.
constexpr int kInjectionSettleMs = 50;
constexpr int kRestoreSettleMs = 100;

// Our own Ctrl+V must reach the application, so the hotkeys are off while it
// is injected; they are back on at once so that the user's next Ctrl+V is
// caught (and ignored) rather than pasting the collection a second time.
void InjectPaste(HotkeyContext& context) {
    UnregisterHotKeys(context);
    SendPasteKeys(context.keyboard);
    WaitWithEvents(context.capture.desktop.events, kInjectionSettleMs);
    RegisterHotKeys(context);
}

void Register(HotkeyContext& context, std::uint16_t id, std::uint32_t modifiers, const std::u16string& key) {
    const std::uint32_t virtualKey = HotKeyVirtualKey(key);
    // A hotkey another program holds, or an empty key, simply never fires.
    if (id != 0 && virtualKey != 0) context.keyboard.RegisterHotKey(context.mainWindow, id, modifiers, virtualKey);
}

}  // namespace

std::uint32_t HotKeyVirtualKey(const std::u16string& setting) {
    if (setting.empty()) return 0;
    const char16_t first = setting.front();
    if (first >= u'a' && first <= u'z') return static_cast<std::uint32_t>(first - u'a' + u'A');
    return first;
}

bool HotKeysRegistered() { return Registered; }

void RegisterHotKeys(HotkeyContext& context) {
    if (Registered) return;
    PasteHotkeyId = context.keyboard.AddGlobalAtom(texts::kPasteHotkeyAtom);
    PopupHotkeyId = context.keyboard.AddGlobalAtom(texts::kPopupHotkeyAtom);
    Register(context, PasteHotkeyId, kModControl, Settings.pasteKey);
    Register(context, PopupHotkeyId, kModControl | kModShift, Settings.popupKey);
    Registered = true;
}

void UnregisterHotKeys(HotkeyContext& context) {
    if (!Registered) return;
    context.keyboard.UnregisterHotKey(context.mainWindow, PasteHotkeyId);
    context.keyboard.UnregisterHotKey(context.mainWindow, PopupHotkeyId);
    context.keyboard.DeleteGlobalAtom(PasteHotkeyId);
    context.keyboard.DeleteGlobalAtom(PopupHotkeyId);
    Registered = false;
}

void HotKeyWindowProc(HotkeyContext& context, std::uintptr_t hotkeyId) {
    if (Busy || !Registered) return;
    Busy = true;
    if (hotkeyId == PasteHotkeyId) {
        // One paste at a time: a press during a paste is swallowed.
        if (!PasteInProgress && !PastePending) {
            PastePending = true;
            context.timers.Start(TimerId::HotKey, 1);
        }
    } else if (hotkeyId == PopupHotkeyId) {
        CollectClipboardText(context.capture, u"", Settings.dispPos);
    }
    Busy = false;
}

void RunPasteOperation(HotkeyContext& context) {
    context.timers.Stop(TimerId::HotKey);
    PastePending = false;
    PasteInProgress = true;
    Desktop& desktop = context.capture.desktop;
    TextBox& box = context.capture.collection;

    if (box.Length() == 0 || box.Tag() == texts::kTagInit) {
        // Nothing collected yet: the user's Ctrl+V pastes the clipboard as
        // if we were not there.
        InjectPaste(context);
    } else {
        const auto saved = GetClipboardSnapshot(desktop);
        ClearClipboard(desktop);
        SetClipboardText(desktop, box.Text(), true);
        InjectPaste(context);
        PasteDone = 1;
        WaitWithEvents(desktop.events, kPasteSettleMs - kInjectionSettleMs);
        ClearClipboard(desktop);
        // A clipboard that was empty stays empty; one that could not be read
        // gets nothing rather than a guess.
        if (saved && !saved->empty()) SetClipboardSnapshot(desktop, *saved);
    }

    desktop.events.Sleep(kRestoreSettleMs);
    desktop.events.ProcessPendingMessages();
    RegisterHotKeys(context);
    PasteInProgress = false;
}

}  // namespace gleaner
