#include "popup/count_popup.h"

#include <algorithm>

#include "popup/popup_state.h"
#include "settings/settings_record.h"

namespace gleaner {

void CountPopupPresenter::PresentCountPopup(const std::u16string& dispPos, const std::u16string& collection) {
    // With no time to show it the balloon never appears; the capture still
    // ends as every capture does, with the icon renewed.
    if (Settings.timeAutoClose == 0) {
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
    ShowText(collection);
    balloon_.RestartCountdown();
    refreshTray_();
    PopupWindowHandle = balloon_.Id();
    balloon_.ShowWithoutActivating();
}

// A capture only adds to the end of what the balloon shows: appending costs
// the new text, setting the whole text again costs the whole collection.
void CountPopupPresenter::ShowText(const std::u16string& collection) {
    TextBox& box = balloon_.Text();
    const bool extends = box.Length() == shown_.size() && collection.size() >= shown_.size() &&
                         std::equal(shown_.begin(), shown_.end(), collection.begin());
    if (!extends)
        box.SetText(collection);
    else if (collection.size() > shown_.size())
        box.Append(collection.substr(shown_.size()));
    box.SetCaret(collection.size());
    shown_ = collection;
}

}  // namespace gleaner
