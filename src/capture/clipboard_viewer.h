// Learning of each clipboard change through the viewer chain, collecting the
// text copied in other applications, and keeping the chain intact.
#pragma once

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

// The viewer after us in the chain; 0 when we are the last.
extern WindowId NextViewerWindow;

void JoinClipboardViewer(ViewerChain& chain, WindowId mainWindow);
void LeaveClipboardViewer(ViewerChain& chain, WindowId mainWindow);

// WM_DRAWCLIPBOARD: collects a text copied outside our own windows, then tells
// the next viewer.
void OnDrawClipboard(ViewerChain& chain, CaptureContext& capture, std::uintptr_t wParam, std::intptr_t lParam);
// WM_CHANGECBCHAIN: mends the chain when a viewer leaves.
void OnChangeClipboardChain(ViewerChain& chain, WindowId leaving, WindowId following);

// True when the program that copied asked clipboard tools to keep away from
// it (password managers do): such a copy is never collected.
bool IsPrivateCopy(Clipboard& clipboard);

}  // namespace gleaner
