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

// Single attempts; true when they succeeded.
bool ClearClipboardOnce(Clipboard& clipboard);
std::optional<std::u16string> GetClipboardTextOnce(Clipboard& clipboard);
bool SetClipboardTextOnce(Clipboard& clipboard, const std::u16string& text, bool markIgnored = false);

// Gives up quietly after ten attempts.
bool ClearClipboard(Desktop& desktop);
// After ten failed attempts shows "クリップボードエラー" once and returns
// nullopt. A clipboard without text reads as "".
std::optional<std::u16string> GetClipboardText(Desktop& desktop);
// Each write is checked by reading it back; after ten attempts that did not
// stick, shows "クリップボードエラー" and returns false.
// markIgnored keeps other clipboard tools from recording the write as a copy.
bool SetClipboardText(Desktop& desktop, const std::u16string& text, bool markIgnored = false);

// The clipboard's content as a whole (text, images, file lists...), with the
// same retries and report as a text read.
std::optional<ClipboardSnapshot> GetClipboardSnapshot(Desktop& desktop);
// Puts a snapshot back, marked for clipboard tools to ignore; reported after
// ten failed attempts.
bool SetClipboardSnapshot(Desktop& desktop, const ClipboardSnapshot& snapshot);

}  // namespace gleaner
