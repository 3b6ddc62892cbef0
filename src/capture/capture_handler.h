// Appending each copied text to the collection (the text of the main window's
// collection box), and emptying it.
#pragma once

#include <cstdint>
#include <string>

#include "platform/platform.h"

namespace gleaner {

// The balloon that shows the collection in tray mode; it lives in popup/.
class CountPopup {
public:
    virtual ~CountPopup() = default;
    // Shows the collection (nullptr: nothing collected yet) at the place that
    // "disp pos" names. added is what the capture has just put at its end,
    // so that a balloon already showing the rest needs only that.
    virtual void PresentCountPopup(const std::u16string& dispPos, const TextBox* collection,
                                   const std::u16string& added) = 0;
    // The balloon's own text box while it is open, else nullptr.
    virtual TextBox* OpenTextBox() = 0;
};

struct CaptureContext {
    Desktop& desktop;
    TextBox& collection;       // txtDescription on the main window
    CountPopup* popup = nullptr;
    // The limit message is open: a capture meanwhile shows no second one.
    bool limitMessageOpen = false;
};

// The text of the most recent capture; a repeat of it is dropped.
extern std::u16string LastCapturedText;
// The multiple of "limit unit" that the collection had reached at the last capture.
extern std::int32_t LastLimitStep;

// Grey while the collection box still shows the introduction.
constexpr Colour kIntroductionColour = MakeColour(192, 192, 192);
constexpr Colour kCollectedColour = MakeColour(0, 0, 0);

// The joining text for the current "separator" setting.
std::u16string DecodeSeparator();

// Appends one copied text. An empty text is a popup request: the collection
// stays as it is and, in tray mode, the balloon shows it.
void CollectClipboardText(CaptureContext& context, const std::u16string& text, const std::u16string& dispPos);

// Reads the clipboard (with retries) and collects its text; a failed read
// collects nothing. False when there was no text or it could not be read.
bool CollectFromClipboard(CaptureContext& context, const std::u16string& dispPos);

// Empties the clipboard (unless told to leave it), the collection and the
// open balloon.
void ClearCollection(CaptureContext& context, bool clipboardToo = true);

}  // namespace gleaner
