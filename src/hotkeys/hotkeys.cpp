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

constexpr int kPasteSettleMs = 200;
constexpr int kRestoreSettleMs = 100;

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
        // Off until the paste is over: the injected Ctrl+V must reach the
        // application, and a second press must not start a second paste.
        UnregisterHotKeys(context);
        context.timers.Start(TimerId::HotKey, 1);
    } else if (hotkeyId == PopupHotkeyId) {
        CollectClipboardText(context.capture, u"", Settings.dispPos);
    }
    Busy = false;
}

void RunPasteOperation(HotkeyContext& context) {
    context.timers.Stop(TimerId::HotKey);
    PasteInProgress = true;
    Desktop& desktop = context.capture.desktop;
    TextBox& box = context.capture.collection;

    if (box.Length() == 0 || box.Tag() == texts::kTagInit) {
        // Nothing collected yet: the user's Ctrl+V pastes the clipboard as
        // if we were not there.
        SendPasteKeys(context.keyboard);
    } else {
        const auto saved = GetClipboardSnapshot(desktop);
        ClearClipboard(desktop);
        SetClipboardText(desktop, box.Text(), true);
        SendPasteKeys(context.keyboard);
        PasteDone = 1;
        WaitWithEvents(desktop.events, kPasteSettleMs);
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
