// Appending each copied text to the collection (the text of the main window's
// collection box), and emptying it.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"
#include "popup/count_popup.h"
#include "state/program_state.h"

namespace gleaner {

struct CaptureContext {
    Desktop& desktop;
    TextBox& collection;  // txtDescription on the main window
    ProgramState& state;
    CountPopup* popup = nullptr;
    // The limit message is open: a capture meanwhile shows no second one.
    bool limitMessageOpen = false;
    // Copies read while a paste was under way, in order; they join the
    // collection once it has ended.
    std::vector<std::u16string> waiting;
};

// Grey while the collection box still shows the introduction.
constexpr Colour kIntroductionColour = MakeColour(192, 192, 192);
constexpr Colour kCollectedColour = MakeColour(0, 0, 0);

// The joining text for a "separator" setting.
std::u16string DecodeSeparator(const std::u16string& setting);

// Appends one copied text. An empty text is a popup request: the collection
// stays as it is and, in tray mode, the balloon shows it.
void CollectClipboardText(CaptureContext& context, const std::u16string& text, const std::u16string& dispPos);

// A copy read from the clipboard: collected at once, or, while a paste is
// under way, kept for its end.
void CopyArrived(CaptureContext& context, std::u16string text);
// Collects the copies kept during a paste, in the order they came.
void CollectWaitingCopies(CaptureContext& context);

// The collection and the open balloon's text, nothing else.
void EmptyCollection(CaptureContext& context);
// クリア: the clipboard, the collection and the open balloon. During a paste
// the clipboard is emptied only while it still holds our write, and the
// copies kept for the paste's end go too.
void ClearCollection(CaptureContext& context);

}  // namespace gleaner
