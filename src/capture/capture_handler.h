// Appending each copied text to the collection (the text of the main window's
// collection box), and emptying it.
#pragma once

#include <string>
#include <vector>

#include "platform/desktop.h"
#include "popup/count_popup.h"
#include "state/program_state.h"

namespace gleaner {

class CollectionKeeper;

struct CaptureContext {
    Desktop& desktop;
    TextBox& collection;  // txtDescription on the main window
    ProgramState& state;
    CountPopup* popup = nullptr;
    // Told of every change of the collection.
    CollectionKeeper* keeper = nullptr;
};

// The joining text for a "separator" setting.
std::u16string DecodeSeparator(const std::u16string& setting);

// Appends one copied text. An empty text is a popup request: the collection
// stays as it is and, in tray mode, the balloon shows it.
void CollectClipboardText(CaptureContext& context, const std::u16string& text, const std::u16string& dispPos);
// Appends copies in one go, exactly as collecting each alone would (the
// repeat rule and the separator per copy), with one append, one limit
// message at most (for the last copy's length) and one balloon.
void CollectBatch(CaptureContext& context, const std::vector<std::u16string>& texts, const std::u16string& dispPos);
// Collects what is queued, unless a paste is under way.
void FlushQueued(CaptureContext& context);

// True when the box shows copies collected, not the introduction nor nothing.
bool HoldsCollection(const TextBox& box);
// The box shows this collection, as collected copies do.
void ShowCollection(TextBox& box, const std::u16string& collection);

// The collection and the open balloon's text, nothing else; what it held is
// kept in memory for 元に戻す.
void EmptyCollection(CaptureContext& context);
// 元に戻す: the collection the last paste or クリア emptied comes back, in
// front of what was collected since, joined by the separator. Once only.
void UndoEmptying(CaptureContext& context);
// クリア: what is queued is collected first, then the clipboard, the
// collection and the open balloon are emptied. During a paste the clipboard
// is emptied only while it still holds our write, and the copies kept for
// the paste's end go too.
void ClearCollection(CaptureContext& context);

}  // namespace gleaner
