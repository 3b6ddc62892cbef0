// The clipboard is shared with every program on the desktop and may be held
// open by one of them for a moment: each operation is retried ten times, 100 ms
// apart, while the user interface keeps running.
#pragma once

#include <optional>
#include <string>

#include "platform/platform.h"

namespace gleaner {

// Waits about ms milliseconds in 10 ms slices, handling window messages after
// each slice (timers, hotkeys and clipboard notifications run meanwhile).
void WaitWithEvents(EventLoop& events, int ms);

// "クリップボードエラー" with the error's number and wording.
void ShowClipboardError(Desktop& desktop, const PlatformError& error);

// Single attempts; true when they succeeded.
bool ClearClipboardOnce(Clipboard& clipboard);
std::optional<std::u16string> GetClipboardTextOnce(Clipboard& clipboard);
bool SetClipboardTextOnce(Clipboard& clipboard, const std::u16string& text, bool markOurs = false);

// Gives up quietly after ten attempts.
bool ClearClipboard(Desktop& desktop);
// After ten failed attempts shows "クリップボードエラー" once and returns
// nullopt. A clipboard without text reads as "".
std::optional<std::u16string> GetClipboardText(Desktop& desktop);
// Each write is checked by reading it back; after ten attempts that did not
// stick, shows "クリップボードエラー" and returns false.
// markOurs keeps other clipboard tools from recording the write as a copy,
// and lets us know it for ours later.
bool SetClipboardText(Desktop& desktop, const std::u16string& text, bool markOurs = false);

// The clipboard's content as a whole (text, images, file lists...), with the
// same retries and report as a text read.
std::optional<ClipboardSnapshot> GetClipboardSnapshot(Desktop& desktop);
// Replaces a write of ours with the snapshot (empty: empties the clipboard),
// looking again at each attempt whether another program has copied since;
// its copy is never touched. report shows "クリップボードエラー" after ten
// failed attempts.
Clipboard::Replaced ReplaceOurClipboard(Desktop& desktop, const ClipboardSnapshot& snapshot, bool report);

}  // namespace gleaner
