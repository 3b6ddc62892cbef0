// One paste of the collection, from the paste hotkey to the clipboard given
// back: the swap, Ctrl+V, settle, erase delay, question, clear, restore.
// Each step runs on the paste's timer (the answer to the question from the
// main loop), never inside another step's wait, and the session holds their
// state.
#pragma once

#include <functional>
#include <optional>

#include "capture/capture_handler.h"
#include "capture/clipboard_listener.h"
#include "hotkeys/hotkeys.h"
#include "platform/scope_exit.h"

namespace gleaner {

class PasteSession {
public:
    PasteSession(CaptureContext& capture, ClipboardListener& listener, Hotkeys& hotkeys, Keyboard& keyboard,
                 Windows& windows)
        : capture_(capture), listener_(listener), hotkeys_(hotkeys), keyboard_(keyboard), windows_(windows) {}
    PasteSession(const PasteSession&) = delete;
    PasteSession& operator=(const PasteSession&) = delete;

    // The paste hotkey: a paste starts at the timer's next tick, unless one
    // is already asked for or under way (a second press is swallowed).
    void Request();
    // Timer_HotKey: the next step.
    void OnTimer();
    bool Active() const { return phase_ != Phase::Idle; }

    // The program ends: the clipboard gets its previous content back at once
    // while it still holds ours (once our Ctrl+V has had its moment), the
    // copies made meanwhile are collected, and no step comes after. A paste
    // asked for but not started never starts.
    void Abort();

private:
    enum class Phase { Idle, Swapping, Injected, Settling, EraseDelay, Asking, Clearing, Restoring, FinalSettle };

    // Runs a step; an exception in it ends the paste with the clipboard given
    // back and the copies collected.
    template <class Step>
    void Run(Step step);
    void Next(Phase phase, int milliseconds);
    // Another attempt at the clipboard after a pause, or false after the last.
    bool Retry(Phase phase);
    void Swap();
    void InjectCtrlV();
    void AfterSettle();
    void AskOrClear();
    void OnAnswer(MessageAnswer answer);
    void StartClearing();
    void Clear();
    void StartRestoring();
    void Restore();
    // The previous content back without waiting for a busy clipboard beyond
    // a few quick tries, where it still holds ours.
    void GiveBackNow();
    // No paste any more: no flag set, the hotkeys as the rest of the program
    // left them, the copies made meanwhile collected.
    void Finish();

    CaptureContext& capture_;
    ClipboardListener& listener_;
    Hotkeys& hotkeys_;
    Keyboard& keyboard_;
    Windows& windows_;

    Phase phase_ = Phase::Idle;
    // Clears PasteInProgress when the paste ends, whichever way it ends.
    std::optional<ScopeExit<std::function<void()>>> inProgress_;
    // Off around our own Ctrl+V and while the question waits; during the
    // other automatic steps the user's next press is caught (and swallowed)
    // rather than paste the collection again.
    std::optional<Hotkeys::Hold> injecting_;
    std::optional<Hotkeys::Hold> asking_;
    // The window in front when the question was asked; it gets the keyboard back.
    WindowId askedOver_ = 0;
    std::optional<ClipboardSnapshot> saved_;
    // The collection is on the clipboard: the previous content is owed back.
    bool wrote_ = false;
    // Failed attempts at the clipboard in the current phase.
    int attempts_ = 0;
    // How often the clipboard was seen without text after the paste.
    int textlessLooks_ = 0;
};

// Where the confirmation goes: its lower right corner at the pointer, or its
// upper left one where the box would leave the screen's top or left edge.
Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer);

}  // namespace gleaner
