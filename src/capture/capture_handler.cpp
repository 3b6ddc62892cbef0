#include "capture/capture_handler.h"

#include <utility>

#include "capture/clipboard_access.h"
#include "capture/kept_collection.h"
#include "resources/texts.h"
#include "text/number_format.h"

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

std::u16string LimitMessage(std::int64_t length, std::int32_t limitMax, Language language) {
    std::u16string message =
        Fill(texts::kLimitMessage.In(language), {FormatGroupedOrBlank(length), FormatGroupedOrBlank(limitMax)});
    if (length >= limitMax) {
        message += u"\r\n\r\n";
        message += texts::kLimitReached.In(language);
    }
    return message;
}

// The length is reported at each new multiple of "limit unit" (never for the
// first one) and at every capture from "limit max" on. A unit of 0 or less
// has no steps to report; the maximum still is. lengths are the collection's
// after each copy of a batch: one message at most, for the last of them.
void ReportLength(CaptureContext& context, const std::vector<std::int64_t>& lengths) {
    const std::int64_t unit = context.state.Settings.limitUnit;
    const std::int32_t limitMax = context.state.Settings.limitMax;
    std::int64_t& lastStep = context.state.LastLimitStep;
    bool due = false;
    for (const std::int64_t length : lengths) {
        due = due || length >= limitMax;
        if (unit <= 0) continue;
        const std::int64_t step = length / unit * unit;
        due = due || (step > lastStep && lastStep > 0);
        lastStep = step;
    }
    // One box at a time: captures made while it is open or waiting to open
    // bring no second one.
    PromptQueue& prompts = context.state.Prompts;
    if (!due || lengths.empty() || prompts.Holds(PromptKind::LimitReached)) return;
    const Language language = context.state.DisplayLanguage;
    prompts.Tell(PromptKind::LimitReached, LimitMessage(lengths.back(), limitMax, language),
                 texts::kLimitTitle.In(language), context.desktop.timers);
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
    CollectBatch(context, {text}, dispPos);
}

void CollectBatch(CaptureContext& context, const std::vector<std::u16string>& texts, const std::u16string& dispPos) {
    ProgramState& state = context.state;
    if (state.PasteInProgress) return;
    TextBox& box = context.collection;
    const std::u16string separator = DecodeSeparator(state.Settings.separator);
    std::u16string added;
    std::vector<std::int64_t> lengths;
    std::size_t length = box.Length();
    // An empty copy is a popup request: it brings nothing to add, it only
    // shows what is there.
    bool popupRequest = false;
    bool introduction = box.Tag() == texts::kTagInit;
    for (const std::u16string& text : texts) {
        if (text.empty()) {
            popupRequest = true;
            continue;
        }
        if (introduction) {
            box.SetText(u"");
            length = 0;
            introduction = false;
        }
        if (text == state.LastCapturedText) continue;
        state.LastCapturedText = text;
        const std::size_t before = added.size();
        if (length != 0) added += separator;
        added += text;
        length += added.size() - before;
        lengths.push_back(static_cast<std::int64_t>(length));
    }
    if (!added.empty()) {
        // One append for the whole batch: the box's cost per change grows
        // with its length.
        box.Append(added);
        box.SetCaret(box.Length());
        box.SetTextPaint(Paint::Collected);
        box.SetTag(u"");
        ReportLength(context, lengths);
        if (context.keeper) context.keeper->Changed();
    }
    if (!InTrayMode(context) || !context.popup || (added.empty() && !popupRequest)) return;
    const bool nothingCollected = box.Tag() == texts::kTagInit;
    context.popup->PresentCountPopup(dispPos, nothingCollected ? nullptr : &box, added);
}

void FlushQueued(CaptureContext& context) {
    if (context.state.PasteInProgress || context.state.QueuedCopies.empty()) return;
    // A copy collected here may open the limit message, and copies taken
    // meanwhile join the queue anew: they make the next batch.
    const std::vector<std::u16string> batch = std::exchange(context.state.QueuedCopies, {});
    CollectBatch(context, batch, context.state.Settings.dispPos);
}

bool HoldsCollection(const TextBox& box) { return box.Length() != 0 && box.Tag() != texts::kTagInit; }

void ShowCollection(TextBox& box, const std::u16string& collection) {
    box.SetText(collection);
    box.SetCaret(box.Length());
    box.SetTextPaint(Paint::Collected);
    box.SetTag(u"");
}

void EmptyCollection(CaptureContext& context) {
    TextBox& box = context.collection;
    if (HoldsCollection(box)) context.state.EmptiedCollection = box.Text();
    box.SetText(u"");
    if (context.keeper) context.keeper->Changed();
    if (context.popup) {
        if (TextBox* popupBox = context.popup->OpenTextBox(); popupBox && popupBox->IsVisible()) popupBox->SetText(u"");
    }
}

void UndoEmptying(CaptureContext& context) {
    ProgramState& state = context.state;
    if (!state.EmptiedCollection || state.PasteInProgress) return;
    TextBox& box = context.collection;
    std::u16string collection = *std::exchange(state.EmptiedCollection, std::nullopt);
    if (HoldsCollection(box)) collection += DecodeSeparator(state.Settings.separator) + box.Text();
    ShowCollection(box, collection);
    if (context.keeper) context.keeper->Changed();
    if (InTrayMode(context) && context.popup) context.popup->PresentCountPopup(state.Settings.dispPos, &box, u"");
}

void ClearCollection(CaptureContext& context) {
    FlushQueued(context);
    if (context.state.PasteInProgress) context.state.QueuedCopies.clear();
    StartClearingClipboard(context);
    EmptyCollection(context);
}

}  // namespace gleaner
