// Learning of each clipboard change and collecting the text copied in other
// applications. A format listener hears of every change whatever other
// clipboard tools do: one that hangs or swallows the news cannot blind us.
#pragma once

#include "capture/capture_handler.h"
#include "platform/platform.h"

namespace gleaner {

class ClipboardListener {
public:
    ClipboardListener(ClipboardWatch& watch, Windows& windows, CaptureContext& capture)
        : watch_(watch), windows_(windows), capture_(capture) {}

    void Start(WindowId mainWindow);
    void Stop();
    bool Listening() const { return mainWindow_ != 0; }

    // WM_CLIPBOARDUPDATE: reads a text copied outside our own windows, once
    // for each change, and hands it on (collected, or kept while a paste is
    // under way). Also asked directly when a change may not have been told
    // yet.
    void OnClipboardUpdate();

private:
    ClipboardWatch& watch_;
    Windows& windows_;
    CaptureContext& capture_;
    WindowId mainWindow_ = 0;
    // The clipboard's change last looked at: a notice that comes late, after
    // a direct look, reads nothing twice.
    std::uint32_t lastSequence_ = 0;
};

// True when the program that copied asked clipboard tools to keep away from
// it (password managers do): such a copy is never collected.
bool IsPrivateCopy(Clipboard& clipboard);

}  // namespace gleaner
