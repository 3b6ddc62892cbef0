#include "capture/clipboard_listener.h"

#include "popup/popup_state.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

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
    if (watch_.AddListener(mainWindow)) mainWindow_ = mainWindow;
}

void ClipboardListener::Stop() {
    if (!Listening()) return;
    watch_.RemoveListener(mainWindow_);
    mainWindow_ = 0;
}

void ClipboardListener::OnClipboardUpdate() {
    if (!Listening()) return;
    const WindowId foreground = windows_.ForegroundWindow();
    Clipboard& clipboard = capture_.desktop.clipboard;
    const bool copiedElsewhere = foreground != MainWindowHandle && foreground != PopupWindowHandle;
    if (copiedElsewhere && clipboard.HasText() && !IsPrivateCopy(clipboard))
        CollectFromClipboard(capture_, Settings.dispPos);
}

}  // namespace gleaner
