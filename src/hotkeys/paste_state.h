// Flags by which the hotkey paste and the other handlers keep out of each
// other's way; all on the user-interface thread.
#pragma once

#include <cstdint>

namespace gleaner {

// True for the whole paste: its own clipboard swaps must not be collected.
extern bool PasteInProgress;
// 1 right after the paste's synthetic Ctrl+V, until the keyboard polling takes it.
extern std::int32_t PasteDone;
// The clipboard's sequence number once the paste has put the collection there
// (and after our own clear of it); 0 outside a paste. Any other number means
// that another application copied meanwhile: its copy is left alone.
extern std::uint32_t PasteClipboardSequence;

}  // namespace gleaner
