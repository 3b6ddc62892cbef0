#include "capture/clipboard_viewer.h"

#include "popup/popup_state.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner {

WindowId NextViewerWindow = 0;

namespace {

// The clipboard as it was when we joined: the notice of that state is the
// chain greeting us, not a copy.
std::uint32_t SequenceAtJoin = 0;

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

void JoinClipboardViewer(ViewerChain& chain, WindowId mainWindow) {
    NextViewerWindow = chain.SetClipboardViewer(mainWindow);
    SequenceAtJoin = chain.ClipboardSequence();
}

void LeaveClipboardViewer(ViewerChain& chain, WindowId mainWindow) {
    chain.ChangeClipboardChain(mainWindow, NextViewerWindow);
}

void OnDrawClipboard(ViewerChain& chain, CaptureContext& capture, std::uintptr_t wParam, std::intptr_t lParam) {
    const WindowId foreground = chain.ForegroundWindow();
    Clipboard& clipboard = capture.desktop.clipboard;
    const bool copiedElsewhere = foreground != MainWindowHandle && foreground != PopupWindowHandle;
    const bool changedSinceJoin = SequenceAtJoin == 0 || chain.ClipboardSequence() != SequenceAtJoin;
    if (copiedElsewhere && changedSinceJoin && clipboard.HasText() && !IsPrivateCopy(clipboard))
        CollectFromClipboard(capture, Settings.dispPos);
    // Told only now, after the capture and its messages.
    if (NextViewerWindow != 0) chain.PassOn(NextViewerWindow, kDrawClipboardMessage, wParam, lParam);
}

void OnChangeClipboardChain(ViewerChain& chain, WindowId leaving, WindowId following) {
    if (leaving == NextViewerWindow) {
        NextViewerWindow = following;
    } else if (NextViewerWindow != 0) {
        chain.PassOn(NextViewerWindow, kChangeCbChainMessage, static_cast<std::uintptr_t>(leaving),
                     static_cast<std::intptr_t>(following));
    }
}

}  // namespace gleaner
