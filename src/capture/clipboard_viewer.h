// Learning of each clipboard change through the viewer chain, collecting the
// text copied in other applications, and keeping the chain intact.
#pragma once

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

// The viewer after us in the chain; 0 when we are the last.
extern WindowId NextViewerWindow;

class ClipboardViewer {
public:
    ClipboardViewer(ViewerChain& chain, CaptureContext& capture) : chain_(chain), capture_(capture) {}

    void JoinClipboardViewer(WindowId mainWindow);
    void LeaveClipboardViewer();
    bool Joined() const { return mainWindow_ != 0; }

    // WM_DRAWCLIPBOARD: collects a text copied outside our own windows, then
    // tells the next viewer.
    void OnDrawClipboard(std::uintptr_t wParam, std::intptr_t lParam);
    // WM_CHANGECBCHAIN: mends the chain when a viewer leaves.
    void OnChangeClipboardChain(WindowId leaving, WindowId following);

private:
    ViewerChain& chain_;
    CaptureContext& capture_;
    WindowId mainWindow_ = 0;
    // The clipboard as it was when we joined: the notice of that state is the
    // chain greeting us, not a copy.
    std::uint32_t sequenceAtJoin_ = 0;
};

// True when the program that copied asked clipboard tools to keep away from
// it (password managers do): such a copy is never collected.
bool IsPrivateCopy(Clipboard& clipboard);

}  // namespace gleaner
