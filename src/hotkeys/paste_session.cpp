#include "hotkeys/paste_session.h"

#include <algorithm>

#include "capture/clipboard_access.h"
#include "hotkeys/key_injection.h"
#include "resources/texts.h"
#include "settings/parse_number.h"

namespace gleaner {
namespace {

// Long enough for our injected Ctrl+V to have passed the hotkeys.
constexpr int kInjectionSettleMs = 50;
// Long enough for the application to have pasted.
constexpr int kPasteSettleMs = 200;
constexpr int kRestoreSettleMs = 100;
// A program that copies empties the clipboard before it puts its text there:
// a clipboard without text is looked at again for a moment before the
// collection is kept for it.
constexpr int kTextlessLooks = 10;
constexpr int kTextlessLookMs = 10;

// The erase delay counts from the Ctrl+V, in 10 ms slices (a half to the even
// count), and never ends before the application has pasted. A hand-edited
// Conf.txt may hold any number: a minute at most, or Ctrl+V would stay
// swallowed for days.
constexpr std::int32_t kLongestEraseDelayMs = 60000;
int EraseDelayAfterSettle(std::int32_t eraseDelay) {
    const int slices = RoundToInt32(std::clamp(eraseDelay, 0, kLongestEraseDelayMs) / 10.0).value_or(0);
    return slices * 10 - kPasteSettleMs;
}

// Runs at the end of scope unless dismissed: an exception in a step ends the
// paste there, with no flag left set and the hotkeys back.
template <class Action>
class OnUnwind {
public:
    explicit OnUnwind(Action action) : action_(action) {}
    ~OnUnwind() {
        if (armed_) action_();
    }
    OnUnwind(const OnUnwind&) = delete;
    OnUnwind& operator=(const OnUnwind&) = delete;
    void Dismiss() { armed_ = false; }

private:
    Action action_;
    bool armed_ = true;
};

}  // namespace

void PasteSession::Request() {
    if (phase_ != Phase::Idle) return;
    Next(Phase::Pending, 1);
}

void PasteSession::Next(Phase phase, int milliseconds) {
    phase_ = phase;
    timers_.Start(TimerId::HotKey, milliseconds > 0 ? milliseconds : 1);
}

void PasteSession::OnTimer() {
    timers_.Stop(TimerId::HotKey);
    OnUnwind unwind([this] { Reset(); });
    switch (phase_) {
    case Phase::Pending:
        Begin();
        break;
    case Phase::Injected:
        injecting_.reset();
        if (wrote_)
            Next(Phase::Settling, kPasteSettleMs - kInjectionSettleMs);
        else
            Next(Phase::FinalSettle, kRestoreSettleMs);
        break;
    case Phase::Settling:
        AfterSettle();
        break;
    case Phase::EraseDelay:
        AskAndClear();
        break;
    case Phase::FinalSettle:
        // A change made during the settle whose word has not come yet.
        listener_.CatchUp();
        Finish();
        break;
    case Phase::Idle:
    case Phase::Asking:
        break;
    }
    unwind.Dismiss();
}

void PasteSession::Begin() {
    // What was copied before the key is pasted with the rest, whether shown
    // yet or not.
    listener_.CatchUp();
    inProgress_.emplace(capture_.state.PasteInProgress);
    TextBox& box = capture_.collection;
    if (box.Length() == 0 || box.Tag() == texts::kTagInit) {
        // Nothing collected yet: the user's Ctrl+V pastes the clipboard as
        // if we were not there.
        InjectCtrlV();
        return;
    }
    Desktop& desktop = capture_.desktop;
    saved_ = GetClipboardSnapshot(desktop);
    // Ctrl+V only when the collection really is on the clipboard: the
    // application would paste something else, and the clear after it would
    // throw away a collection that was never pasted.
    wrote_ = true;
    if (!SetClipboardText(desktop, box.Text(), true)) {
        GiveBack();
        Next(Phase::FinalSettle, kRestoreSettleMs);
        return;
    }
    InjectCtrlV();
}

void PasteSession::InjectCtrlV() {
    injecting_.emplace(hotkeys_.HoldOff());
    SendPasteKeys(keyboard_);
    Next(Phase::Injected, kInjectionSettleMs);
}

void PasteSession::AfterSettle() {
    const SettingsRecord& settings = capture_.state.Settings;
    const TextBox& box = capture_.collection;
    const bool worthClearing = settings.ctrlvInit == 1 && box.Length() != 0 && box.Tag() != texts::kTagInit;
    const bool hasText = worthClearing && capture_.desktop.clipboard.HasText();
    if (worthClearing && !hasText && ++textlessLooks_ < kTextlessLooks) {
        Next(Phase::Settling, kTextlessLookMs);
        return;
    }
    if (!hasText) {
        GiveBack();
        Next(Phase::FinalSettle, kRestoreSettleMs);
        return;
    }
    const int remaining = EraseDelayAfterSettle(settings.eraseDelay) - textlessLooks_ * kTextlessLookMs;
    if (remaining > 0) {
        Next(Phase::EraseDelay, remaining);
        return;
    }
    AskAndClear();
}

void PasteSession::AskAndClear() {
    Desktop& desktop = capture_.desktop;
    const WindowId previous = windows_.ForegroundWindow();
    bool clear = true;
    if (capture_.state.Settings.noConfirm == 0) {
        phase_ = Phase::Asking;
        // The question may wait for minutes: meanwhile Ctrl+V is every
        // application's own again (the clipboard holds the collection).
        const Hotkeys::Hold asking = hotkeys_.HoldOff();
        // The box runs its own message loop: copies, menus and even the end
        // of the program come meanwhile.
        const MessageAnswer answer =
            desktop.messages.AskAtPointer(texts::kClearConfirmText, texts::kClearConfirmTitle, PlaceBoxAtPointer);
        if (phase_ != Phase::Asking) return;  // the paste was ended meanwhile
        clear = answer != MessageAnswer::No;
    }
    if (clear) {
        desktop.events.ProcessPendingMessages();
        if (!Active()) return;
        ReplaceOurClipboard(desktop, {}, false);
        EmptyCollection(capture_);
    }
    windows_.SetForegroundWindow(previous);
    GiveBack();
    Next(Phase::FinalSettle, kRestoreSettleMs);
}

void PasteSession::GiveBack() {
    if (!wrote_) return;
    wrote_ = false;
    // A clipboard that was empty stays empty; one that could not be read
    // gets nothing rather than a guess; another application's copy stays.
    ReplaceOurClipboard(capture_.desktop, saved_.value_or(ClipboardSnapshot{}), true);
    saved_.reset();
}

void PasteSession::Abort() {
    if (phase_ == Phase::Idle) return;
    timers_.Stop(TimerId::HotKey);
    if (phase_ == Phase::Pending) {
        phase_ = Phase::Idle;
        return;
    }
    if (phase_ == Phase::Asking) capture_.desktop.messages.DismissQuestion();
    // Our Ctrl+V may still be on its way to the application: it must not
    // find the previous content on the clipboard already.
    if (phase_ == Phase::Injected || phase_ == Phase::Settling) capture_.desktop.events.Sleep(kPasteSettleMs);
    phase_ = Phase::Idle;
    GiveBack();
    listener_.CatchUp();
    Finish();
}

void PasteSession::Reset() {
    timers_.Stop(TimerId::HotKey);
    phase_ = Phase::Idle;
    wrote_ = false;
    textlessLooks_ = 0;
    saved_.reset();
    injecting_.reset();
    inProgress_.reset();
}

void PasteSession::Finish() {
    Reset();
    FlushQueued(capture_);
}

Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer) {
    return {pointer.x - boxWidth >= 0 ? pointer.x - boxWidth : pointer.x,
            pointer.y - boxHeight >= 0 ? pointer.y - boxHeight : pointer.y};
}

}  // namespace gleaner
