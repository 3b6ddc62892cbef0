#include "capture/clipboard_listener.h"

#include "capture/clipboard_access.h"

namespace gleaner {
namespace {

bool FormatPresent(Clipboard& clipboard, const char16_t* name) {
    const std::uint32_t format = clipboard.RegisterFormat(name);
    return format != 0 && clipboard.HasFormat(format);
}

// A marker that must hold a non-zero number to allow us; unreadable counts as
// forbidding.
bool FormatForbids(Clipboard& clipboard, const char16_t* name) {
    const std::uint32_t format = clipboard.RegisterFormat(name);
    if (format == 0 || !clipboard.HasFormat(format)) return false;
    const auto value = clipboard.ReadNumber(format);
    return !value || *value == 0;
}

}  // namespace

bool IsPrivateCopy(Clipboard& clipboard) {
    return FormatPresent(clipboard, u"Clipboard Viewer Ignore") ||
           FormatPresent(clipboard, u"ExcludeClipboardContentFromMonitorProcessing") ||
           FormatForbids(clipboard, u"CanIncludeInClipboardHistory") ||
           FormatForbids(clipboard, u"CanUploadToCloudClipboard");
}

void ClipboardListener::Start(WindowId mainWindow) {
    lastSequence_ = capture_.desktop.clipboard.Sequence();
    if (watch_.AddListener(mainWindow)) mainWindow_ = mainWindow;
}

void ClipboardListener::Stop() {
    if (!Listening()) return;
    watch_.RemoveListener(mainWindow_);
    mainWindow_ = 0;
}

void ClipboardListener::OnClipboardUpdate() {
    if (!Listening()) return;
    Clipboard& clipboard = capture_.desktop.clipboard;
    const std::uint32_t sequence = clipboard.Sequence();
    if (sequence == lastSequence_) return;
    lastSequence_ = sequence;
    const WindowId foreground = windows_.ForegroundWindow();
    const ProgramState& state = capture_.state;
    const bool copiedElsewhere = foreground != state.MainWindowHandle && foreground != state.PopupWindowHandle;
    // Our own writes (a paste's) carry the mark that private copies carry.
    if (!copiedElsewhere || !clipboard.HasText() || IsPrivateCopy(clipboard)) return;
    if (auto text = GetClipboardText(capture_.desktop)) CopyArrived(capture_, std::move(*text));
}

}  // namespace gleaner
