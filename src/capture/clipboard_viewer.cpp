#include "capture/clipboard_viewer.h"

#include "popup/popup_state.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner {

WindowId NextViewerWindow = 0;

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

void ClipboardViewer::JoinClipboardViewer(WindowId mainWindow) {
    NextViewerWindow = chain_.SetClipboardViewer(mainWindow);
    sequenceAtJoin_ = chain_.ClipboardSequence();
    // Only now do the viewer messages reach the capture: the notice that
    // comes with joining describes the clipboard as it was before we started.
    mainWindow_ = mainWindow;
}

void ClipboardViewer::LeaveClipboardViewer() {
    if (!Joined()) return;
    chain_.ChangeClipboardChain(mainWindow_, NextViewerWindow);
    mainWindow_ = 0;
}

void ClipboardViewer::OnDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam) {
    if (!Joined()) return;
    const WindowId foreground = chain_.ForegroundWindow();
    Clipboard& clipboard = capture_.desktop.clipboard;
    const bool copiedElsewhere = foreground != MainWindowHandle && foreground != PopupWindowHandle;
    const bool changedSinceJoin = sequenceAtJoin_ == 0 || chain_.ClipboardSequence() != sequenceAtJoin_;
    if (copiedElsewhere && changedSinceJoin && clipboard.HasText() && !IsPrivateCopy(clipboard))
        CollectFromClipboard(capture_, Settings.dispPos);
    // Told only now, after the capture and its messages.
    if (NextViewerWindow != 0) chain_.PassOn(NextViewerWindow, kDrawClipboardMessage, wParam, lParam);
}

void ClipboardViewer::OnChangeClipboardChain(WindowId leaving, WindowId following) {
    if (!Joined()) return;
    if (leaving == NextViewerWindow) {
        NextViewerWindow = following;
    } else if (NextViewerWindow != 0) {
        chain_.PassOn(NextViewerWindow, kChangeCbChainMessage, static_cast<std::uintptr_t>(leaving),
                      static_cast<std::intptr_t>(following));
    }
}

}  // namespace gleaner
