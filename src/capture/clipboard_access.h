// The clipboard is shared with every program on the desktop and may be held
// open by one of them for a moment. Nothing here waits for it: each step
// makes one attempt, and a busy clipboard is tried again by a later step on
// a timer, ten times 100 ms apart, while the program goes on as usual.
#pragma once

#include "capture/capture_handler.h"

namespace gleaner {

constexpr int kClipboardAttempts = 10;
constexpr int kClipboardRetryMs = 100;

// "クリップボードエラー" with the error's number and wording, once the main
// loop gets to it.
void ShowClipboardError(CaptureContext& context, const PlatformError& error);

// クリア's clipboard, emptied (during a paste: only while it still holds our
// write), tried again on ClearRetry while it is busy, and given up quietly
// after ten attempts or as soon as somebody has copied since: that copy is
// not the one to empty.
void StartClearingClipboard(CaptureContext& context);
void OnClearRetry(CaptureContext& context);
// The program ends: no attempt comes after.
void StopClearingClipboard(CaptureContext& context);

}  // namespace gleaner
