#include "hotkeys/paste_state.h"

namespace gleaner {

bool PasteInProgress = false;
std::int32_t PasteDone = 0;
std::uint32_t PasteClipboardSequence = 0;

}  // namespace gleaner
