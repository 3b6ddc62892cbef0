#include "capture/clipboard_access.h"

#include "popup/number_format.h"
#include "resources/texts.h"
#include "settings/parse_number.h"

namespace gleaner {
namespace {

constexpr int kAttempts = 10;
constexpr int kRetryPauseMs = 100;

void ShowClipboardError(Desktop& desktop) { ShowClipboardError(desktop, desktop.clipboard.LastError()); }

}  // namespace

void ShowClipboardError(Desktop& desktop, const PlatformError& error) {
    std::u16string prompt = Decimal(error.number);
    prompt += u' ';
    prompt += error.description;
    desktop.messages.Show(prompt, texts::kClipboardErrorTitle, MessageButtons::Ok);
}

void WaitWithEvents(EventLoop& events, int ms) {
    const int slices = RoundToInt32(ms / 10.0).value_or(0);
    for (int i = 0; i < slices; ++i) {
        events.Sleep(10);
        events.ProcessPendingMessages();
    }
}

bool ClearClipboardOnce(Clipboard& clipboard) { return clipboard.Empty(); }

std::optional<std::u16string> GetClipboardTextOnce(Clipboard& clipboard) { return clipboard.ReadText(); }

bool SetClipboardTextOnce(Clipboard& clipboard, const std::u16string& text, bool markOurs) {
    return clipboard.WriteText(text, markOurs);
}

bool ClearClipboard(Desktop& desktop) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (ClearClipboardOnce(desktop.clipboard)) return true;
        WaitWithEvents(desktop.events, kRetryPauseMs);
    }
    return false;
}

std::optional<std::u16string> GetClipboardText(Desktop& desktop) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (auto text = GetClipboardTextOnce(desktop.clipboard)) return text;
        WaitWithEvents(desktop.events, kRetryPauseMs);
    }
    ShowClipboardError(desktop);
    return std::nullopt;
}

bool SetClipboardText(Desktop& desktop, const std::u16string& text, bool markOurs) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        SetClipboardTextOnce(desktop.clipboard, text, markOurs);
        const auto readBack = GetClipboardText(desktop);
        if (readBack && *readBack == text) return true;
        WaitWithEvents(desktop.events, kRetryPauseMs);
    }
    ShowClipboardError(desktop);
    return false;
}

std::optional<ClipboardSnapshot> GetClipboardSnapshot(Desktop& desktop) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        if (auto snapshot = desktop.clipboard.Snapshot()) return snapshot;
        WaitWithEvents(desktop.events, kRetryPauseMs);
    }
    ShowClipboardError(desktop);
    return std::nullopt;
}

Clipboard::Replaced ReplaceOurClipboard(Desktop& desktop, const ClipboardSnapshot& snapshot, bool report) {
    for (int attempt = 1; attempt <= kAttempts; ++attempt) {
        const auto result = desktop.clipboard.ReplaceOurs(snapshot);
        if (result != Clipboard::Replaced::Failed) return result;
        WaitWithEvents(desktop.events, kRetryPauseMs);
    }
    if (report) ShowClipboardError(desktop);
    return Clipboard::Replaced::Failed;
}

}  // namespace gleaner
