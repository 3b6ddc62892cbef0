#include "capture/capture_handler.h"

#include <cmath>

#include "capture/clipboard_access.h"
#include "popup/number_format.h"
#include "resources/texts.h"

namespace gleaner {
namespace {

void ReplaceAll(std::u16string& text, std::u16string_view from, std::u16string_view to) {
    std::u16string out;
    std::size_t pos = 0;
    for (std::size_t hit; (hit = text.find(from, pos)) != std::u16string::npos; pos = hit + from.size()) {
        out.append(text, pos, hit - pos);
        out.append(to);
    }
    out.append(text, pos);
    text = std::move(out);
}

std::u16string LimitMessage(std::int64_t length, std::int32_t limitMax) {
    std::u16string message = texts::kLimitNowPrefix;
    message += FormatGroupedOrBlank(length);
    message += texts::kLimitNowSuffix;
    message += u"\r\n";
    message += texts::kLimitMaxPrefix;
    message += FormatGroupedOrBlank(limitMax);
    message += texts::kLimitMaxSuffix;
    if (length >= limitMax) {
        message += u"\r\n\r\n";
        message += texts::kLimitReached;
    }
    return message;
}

// The length is reported at each new multiple of "limit unit" (never for the
// first one) and at every capture from "limit max" on. A unit of 0 or less
// has no steps to report; the maximum still is.
void ReportLength(CaptureContext& context, std::int64_t length) {
    const std::int32_t unit = context.state.Settings.limitUnit;
    const std::int32_t limitMax = context.state.Settings.limitMax;
    std::int32_t& lastStep = context.state.LastLimitStep;
    bool due = length >= limitMax;
    std::int32_t step = lastStep;
    if (unit > 0) {
        step = static_cast<std::int32_t>(std::floor(static_cast<double>(length) / unit) * unit);
        due = due || (step > lastStep && lastStep > 0);
    }
    lastStep = step;
    if (!due || context.limitMessageOpen) return;
    // The box runs its own message loop: captures go on meanwhile.
    context.limitMessageOpen = true;
    context.desktop.messages.Show(LimitMessage(length, limitMax), texts::kLimitTitle, MessageButtons::Ok);
    context.limitMessageOpen = false;
}

bool InTrayMode(const CaptureContext& context) { return context.state.Settings.taskTray == 1; }

}  // namespace

std::u16string DecodeSeparator(const std::u16string& setting) {
    if (setting == texts::kSeparatorNone) return u"";
    if (setting == texts::kSeparatorSpace) return u" ";
    if (setting == texts::kSeparatorWideSpace) return u"\u3000";
    if (setting == texts::kSeparatorComma) return u",";
    if (setting == texts::kSeparatorSlash) return u"/";
    if (setting == texts::kSeparatorTab) return u"\t";
    if (setting == texts::kSeparatorNewLine) return u"\r\n";
    // Free text: "\n" is a line break, "\\" a backslash, nothing else escapes.
    std::u16string joining = setting;
    ReplaceAll(joining, u"\\\\", u"\x01");
    ReplaceAll(joining, u"\\n", u"\r\n");
    ReplaceAll(joining, u"\x01", u"\\");
    return joining;
}

void CollectClipboardText(CaptureContext& context, const std::u16string& text, const std::u16string& dispPos) {
    ProgramState& state = context.state;
    if (state.PasteInProgress) return;
    TextBox& box = context.collection;

    // A popup request brings nothing to add; it only shows what is there.
    if (text.empty()) {
        if (InTrayMode(context) && context.popup) {
            const bool introduction = box.Tag() == texts::kTagInit;
            context.popup->PresentCountPopup(dispPos, introduction ? nullptr : &box, u"");
        }
        return;
    }

    if (box.Tag() == texts::kTagInit) box.SetText(u"");
    if (text == state.LastCapturedText) return;
    state.LastCapturedText = text;

    // One append for separator and text: the box's cost per change grows with
    // its length.
    const std::u16string added = box.Length() != 0 ? DecodeSeparator(state.Settings.separator) + text : text;
    box.Append(added);
    const std::size_t length = box.Length();
    box.SetCaret(length);
    box.SetForeColour(kCollectedColour);
    box.SetTag(u"");

    ReportLength(context, static_cast<std::int64_t>(length));
    if (InTrayMode(context) && context.popup) context.popup->PresentCountPopup(dispPos, &box, added);
}

void CopyArrived(CaptureContext& context, std::u16string text) {
    if (context.state.PasteInProgress) {
        context.waiting.push_back(std::move(text));
        return;
    }
    // Copies a paste that ended early left waiting come first.
    CollectWaitingCopies(context);
    CollectClipboardText(context, text, context.state.Settings.dispPos);
}

void CollectWaitingCopies(CaptureContext& context) {
    // A copy collected here may open the limit message, and copies made
    // meanwhile join the list: take them one at a time.
    while (!context.waiting.empty() && !context.state.PasteInProgress) {
        const std::u16string text = std::move(context.waiting.front());
        context.waiting.erase(context.waiting.begin());
        CollectClipboardText(context, text, context.state.Settings.dispPos);
    }
}

void EmptyCollection(CaptureContext& context) {
    context.collection.SetText(u"");
    if (context.popup) {
        if (TextBox* popupBox = context.popup->OpenTextBox(); popupBox && popupBox->IsVisible()) popupBox->SetText(u"");
    }
}

void ClearCollection(CaptureContext& context) {
    if (context.state.PasteInProgress) {
        context.waiting.clear();
        ReplaceOurClipboard(context.desktop, {}, false);
    } else {
        ClearClipboard(context.desktop);
    }
    EmptyCollection(context);
}

}  // namespace gleaner
