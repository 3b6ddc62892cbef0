#include "capture/clipboard_access.h"

#include "resources/texts.h"
#include "text/number_format.h"

namespace gleaner {

void ShowClipboardError(CaptureContext& context, const PlatformError& error) {
    std::u16string prompt = Decimal(error.number);
    prompt += u' ';
    prompt += error.description;
    context.state.Prompts.Tell(PromptKind::ClipboardError, prompt, texts::kClipboardErrorTitle.In(context.state.DisplayLanguage),
                               context.desktop.timers);
}

void StartClearingClipboard(CaptureContext& context) {
    context.state.ClearingClipboard = {kClipboardAttempts, context.desktop.clipboard.Sequence()};
    OnClearRetry(context);
}

void OnClearRetry(CaptureContext& context) {
    Clipboard& clipboard = context.desktop.clipboard;
    Timers& timers = context.desktop.timers;
    timers.Stop(TimerId::ClearRetry);
    if (context.state.ClearingClipboard.attemptsLeft <= 0 || clipboard.Sequence() != context.state.ClearingClipboard.sequence) {
        context.state.ClearingClipboard = {};
        return;
    }
    const bool done = context.state.PasteInProgress ? clipboard.ReplaceOurs({}) != Clipboard::Replaced::Failed
                                                    : clipboard.Empty();
    if (done || --context.state.ClearingClipboard.attemptsLeft == 0) {
        context.state.ClearingClipboard = {};
        return;
    }
    timers.Start(TimerId::ClearRetry, kClipboardRetryMs);
}

void StopClearingClipboard(CaptureContext& context) {
    context.state.ClearingClipboard = {};
    context.desktop.timers.Stop(TimerId::ClearRetry);
}

}  // namespace gleaner
