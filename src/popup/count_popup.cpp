#include "popup/count_popup.h"

namespace gleaner {

void CountPopupPresenter::PresentCountPopup(const std::u16string& dispPos, const TextBox* collection,
                                            const std::u16string& added) {
    // With no time to show it the balloon never appears; the capture still
    // ends as every capture does, with the icon renewed.
    if (state_.Settings.timeAutoClose == 0) {
        refreshTray_();
        return;
    }
    const Point pointer = screen_.Pointer();
    const TwipsSize twips = screen_.Size();
    const TwipsPerPixel factor = screen_.Scale();
    const PixelSize primary{twips.width / factor.x, twips.height / factor.y};
    // Sized for the monitor it will appear on.
    const DpiScale scale{screen_.DpiAt(AtPointer(dispPos) ? pointer : Point{})};
    const BalloonLayout layout = LayOutBalloon(ChooseBalloonPlace(dispPos, pointer, primary, scale), scale);

    if (!balloon_.Load()) return;
    balloon_.Arrange(layout);
    ShowText(collection, added);
    balloon_.RestartCountdown();
    refreshTray_();
    balloon_.ShowWithoutActivating();
}

// A capture only adds to the end of what the balloon shows: appending costs
// the new text, setting the whole text again costs the whole collection. The
// balloon's box is read-only and emptied with the collection, so a box that
// is exactly the new text short of the collection shows all the rest of it.
void CountPopupPresenter::ShowText(const TextBox* collection, const std::u16string& added) {
    TextBox& box = balloon_.Text();
    const std::size_t length = collection ? collection->Length() : 0;
    if (collection && box.Length() + added.size() == length)
        box.Append(added);
    else
        box.SetText(collection ? collection->Text() : u"");
    box.SetCaret(length);
}

}  // namespace gleaner
