#include "hotkeys/keyboard_polling.h"

#include "capture/clipboard_access.h"
#include "hotkeys/key_injection.h"
#include "hotkeys/paste_state.h"
#include "resources/texts.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner {

void KeyboardPolling::ClearAfterPaste() {
    TextBox& box = capture_.collection;
    Desktop& desktop = capture_.desktop;
    const bool worthClearing = box.Length() != 0 && box.Tag() != texts::kTagInit && Settings.ctrlvInit == 1 &&
                               desktop.clipboard.HasText();
    if (!worthClearing) return;
    WaitWithEvents(desktop.events, Settings.eraseDelay);
    const WindowId previous = windows_.ForegroundWindow();
    bool clear = true;
    if (Settings.noConfirm == 0)
        clear = desktop.messages.AskAtPointer(texts::kClearConfirmText, texts::kClearConfirmTitle,
                                              PlaceBoxAtPointer) != MessageAnswer::No;
    if (clear) {
        desktop.events.ProcessPendingMessages();
        // The clipboard is ours to empty only while it still holds what the
        // paste put there.
        const bool ours = PasteClipboardSequence == 0 || desktop.clipboard.Sequence() == PasteClipboardSequence;
        ClearCollection(capture_, ours);
        if (ours && PasteClipboardSequence != 0) PasteClipboardSequence = desktop.clipboard.Sequence();
    }
    windows_.SetForegroundWindow(previous);
}

void KeyboardPolling::OnKeyTimerTick() {
    if (tickRunning_) return;
    tickRunning_ = true;
    const struct Done {
        bool& running;
        ~Done() { running = false; }
    } done{tickRunning_};
    const bool ctrl = IsKeyPressed(keyboard_, kVkControl);
    const bool a = IsKeyPressed(keyboard_, kVkA);
    if (ctrl && a && windows_.ForegroundWindow() == MainWindowHandle) SendSelectAllKeys(keyboard_);
    if (PasteDone == 1) {
        ClearAfterPaste();
        PasteDone = 0;
    }
    if (PasteDone == 0 && windows_.ForegroundWindow() != MainWindowHandle) timers_.Stop(TimerId::Key);
}

Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer) {
    return {pointer.x - boxWidth >= 0 ? pointer.x - boxWidth : pointer.x,
            pointer.y - boxHeight >= 0 ? pointer.y - boxHeight : pointer.y};
}

}  // namespace gleaner
