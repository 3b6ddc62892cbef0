#include "hotkeys/keyboard_polling.h"

#include "capture/clipboard_access.h"
#include "hotkeys/key_injection.h"
#include "hotkeys/paste_state.h"
#include "resources/texts.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner {
namespace {

// A tick that falls due while an earlier one waits (the erase delay, the
// question) must not start a second clear or a second question.
bool TickRunning = false;

class TickGuard {
public:
    TickGuard() { TickRunning = true; }
    ~TickGuard() { TickRunning = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;
};

void ClearAfterPaste(PollingContext& context) {
    TextBox& box = context.capture.collection;
    Desktop& desktop = context.capture.desktop;
    const bool worthClearing = box.Length() != 0 && box.Tag() != texts::kTagInit && Settings.ctrlvInit == 1 &&
                               desktop.clipboard.HasText();
    if (!worthClearing) return;
    WaitWithEvents(desktop.events, Settings.eraseDelay);
    const WindowId previous = context.windows.ForegroundWindow();
    bool clear = true;
    if (Settings.noConfirm == 0)
        clear = desktop.messages.AskAtPointer(texts::kClearConfirmText, texts::kClearConfirmTitle) !=
                MessageAnswer::No;
    if (clear) {
        desktop.events.ProcessPendingMessages();
        ClearCollection(context.capture);
    }
    context.windows.SetForegroundWindow(previous);
}

}  // namespace

void OnKeyTimerTick(PollingContext& context) {
    if (TickRunning) return;
    TickGuard guard;
    const bool ctrl = IsKeyPressed(context.keyboard, kVkControl);
    const bool a = IsKeyPressed(context.keyboard, kVkA);
    if (ctrl && a && context.windows.ForegroundWindow() == MainWindowHandle) SendSelectAllKeys(context.keyboard);
    if (PasteDone == 1) {
        ClearAfterPaste(context);
        PasteDone = 0;
    }
}

Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer) {
    return {pointer.x - boxWidth >= 0 ? pointer.x - boxWidth : pointer.x,
            pointer.y - boxHeight >= 0 ? pointer.y - boxHeight : pointer.y};
}

}  // namespace gleaner
