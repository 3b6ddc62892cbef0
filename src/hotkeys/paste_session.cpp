#include "hotkeys/paste_session.h"

#include <algorithm>

#include "capture/clipboard_access.h"
#include "hotkeys/key_injection.h"
#include "resources/texts.h"
#include "text/parse_number.h"

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
// At the end of the program the previous content goes back at once: a few
// quick tries, with nothing else running meanwhile.
constexpr int kQuickAttempts = 5;
constexpr int kQuickPauseMs = 10;

// The erase delay counts from the Ctrl+V, in 10 ms slices (a half to the even
// count), and never ends before the application has pasted. A hand-edited
// Conf.txt may hold any number: a minute at most, or Ctrl+V would stay
// swallowed for days.
constexpr std::int32_t kLongestEraseDelayMs = 60000;
int EraseDelayAfterSettle(std::int32_t eraseDelay) {
    const int slices = RoundToInt32(std::clamp(eraseDelay, 0, kLongestEraseDelayMs) / 10.0).value_or(0);
    return slices * 10 - kPasteSettleMs;
}

}  // namespace

void PasteSession::Request() {
    if (phase_ != Phase::Idle) return;
    attempts_ = 0;
    Next(Phase::Swapping, 1);
}

void PasteSession::Next(Phase phase, int milliseconds) {
    phase_ = phase;
    capture_.desktop.timers.Start(TimerId::HotKey, milliseconds > 0 ? milliseconds : 1);
}

bool PasteSession::Retry(Phase phase) {
    if (++attempts_ >= kClipboardAttempts) return false;
    Next(phase, kClipboardRetryMs);
    return true;
}

template <class Step>
void PasteSession::Run(Step step) {
    ScopeExit unwind([this] {
        // Already on the way out with one exception: a second would end
        // the process.
        try {
            GiveBackNow();
            Finish();
        } catch (...) {
        }
    });
    step();
    unwind.Dismiss();
}

void PasteSession::OnTimer() {
    capture_.desktop.timers.Stop(TimerId::HotKey);
    Run([this] {
        switch (phase_) {
        case Phase::Swapping:
            Swap();
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
            AskOrClear();
            break;
        case Phase::Clearing:
            Clear();
            break;
        case Phase::Restoring:
            Restore();
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
    });
}

void PasteSession::Swap() {
    TextBox& box = capture_.collection;
    if (!inProgress_) {
        // What was copied before the key is pasted with the rest, whether
        // shown yet or not.
        listener_.CatchUp();
        capture_.state.PasteInProgress = true;
        inProgress_.emplace([this] { capture_.state.PasteInProgress = false; });
        if (box.Length() == 0 || box.Tag() == texts::kTagInit) {
            // Nothing collected yet: the user's Ctrl+V pastes the clipboard
            // as if we were not there.
            InjectCtrlV();
            return;
        }
    }
    Clipboard& clipboard = capture_.desktop.clipboard;
    if (auto snapshot = clipboard.SwapIn(box.Text())) {
        saved_ = std::move(snapshot);
        wrote_ = true;
        InjectCtrlV();
        return;
    }
    if (Retry(Phase::Swapping)) return;
    // Ctrl+V only when the collection really is on the clipboard: the
    // application would paste something else, and the clear after it would
    // throw away a collection that was never pasted.
    ShowClipboardError(capture_, clipboard.LastError());
    Next(Phase::FinalSettle, kRestoreSettleMs);
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
        StartRestoring();
        return;
    }
    const int remaining = EraseDelayAfterSettle(settings.eraseDelay) - textlessLooks_ * kTextlessLookMs;
    if (remaining > 0) {
        Next(Phase::EraseDelay, remaining);
        return;
    }
    AskOrClear();
}

void PasteSession::AskOrClear() {
    if (capture_.state.Settings.noConfirm != 0) {
        StartClearing();
        return;
    }
    phase_ = Phase::Asking;
    askedOver_ = windows_.ForegroundWindow();
    // The question may wait for minutes: meanwhile Ctrl+V is every
    // application's own again (the clipboard holds the collection).
    asking_.emplace(hotkeys_.HoldOff());
    const Language language = capture_.state.DisplayLanguage;
    capture_.state.Prompts.Ask({PromptKind::ClearQuestion, texts::kClearConfirmText.In(language),
                                texts::kClearConfirmTitle.In(language),
                                MessageButtons::YesNo, PlaceBoxAtPointer,
                                [this](MessageAnswer answer) { Run([this, answer] { OnAnswer(answer); }); }},
                               capture_.desktop.timers);
}

void PasteSession::OnAnswer(MessageAnswer answer) {
    if (phase_ != Phase::Asking) return;  // the paste was ended meanwhile
    asking_.reset();
    windows_.SetForegroundWindow(askedOver_);
    if (answer == MessageAnswer::No)
        StartRestoring();
    else
        StartClearing();
}

void PasteSession::StartClearing() {
    attempts_ = 0;
    Clear();
}

// The clipboard only while it still holds ours: a copy made meanwhile stays.
void PasteSession::Clear() {
    const auto cleared = capture_.desktop.clipboard.ReplaceOurs({});
    if (cleared == Clipboard::Replaced::Failed && Retry(Phase::Clearing)) return;
    EmptyCollection(capture_);
    StartRestoring();
}

void PasteSession::StartRestoring() {
    attempts_ = 0;
    Restore();
}

// A clipboard that was empty stays empty; another application's copy stays.
void PasteSession::Restore() {
    if (wrote_) {
        Clipboard& clipboard = capture_.desktop.clipboard;
        const auto restored = clipboard.ReplaceOurs(saved_.value_or(ClipboardSnapshot{}));
        if (restored == Clipboard::Replaced::Failed) {
            if (Retry(Phase::Restoring)) return;
            ShowClipboardError(capture_, clipboard.LastError());
        }
        wrote_ = false;
        saved_.reset();
    }
    Next(Phase::FinalSettle, kRestoreSettleMs);
}

void PasteSession::GiveBackNow() {
    if (!wrote_) return;
    wrote_ = false;
    for (int attempt = 1; attempt <= kQuickAttempts; ++attempt) {
        if (capture_.desktop.clipboard.ReplaceOurs(saved_.value_or(ClipboardSnapshot{})) !=
            Clipboard::Replaced::Failed)
            break;
        capture_.desktop.events.Sleep(kQuickPauseMs);
    }
    saved_.reset();
}

void PasteSession::Abort() {
    if (phase_ == Phase::Idle) return;
    // Our Ctrl+V may still be on its way to the application: it must not
    // find the previous content on the clipboard already.
    if (phase_ == Phase::Injected || phase_ == Phase::Settling) capture_.desktop.events.Sleep(kPasteSettleMs);
    GiveBackNow();
    listener_.CatchUp();
    Finish();
}

void PasteSession::Finish() {
    capture_.desktop.timers.Stop(TimerId::HotKey);
    phase_ = Phase::Idle;
    wrote_ = false;
    attempts_ = 0;
    textlessLooks_ = 0;
    saved_.reset();
    injecting_.reset();
    asking_.reset();
    inProgress_.reset();
    FlushQueued(capture_);
}

Point PlaceBoxAtPointer(int boxWidth, int boxHeight, Point pointer) {
    return {pointer.x - boxWidth >= 0 ? pointer.x - boxWidth : pointer.x,
            pointer.y - boxHeight >= 0 ? pointer.y - boxHeight : pointer.y};
}

}  // namespace gleaner
