#include "settings/settings_defaults.h"

#include "resources/texts.h"
#include "text/parse_number.h"

namespace gleaner {

namespace {

// Halves go to the even neighbour, as every number the file holds.
std::int32_t Centre(std::int32_t screen, std::int32_t window) {
    return RoundToInt32((static_cast<double>(screen) - window) / 2).value_or(0);
}

}  // namespace

void LoadDefaults(SettingsRecord& settings, TwipsSize screen, TwipsSize window) {
    const std::int32_t limitMax = settings.limitMax;
    const std::int32_t limitUnit = settings.limitUnit;
    settings = SettingsRecord{};
    settings.limitMax = limitMax;
    settings.limitUnit = limitUnit;

    settings.formLeft = Centre(screen.width, window.width);
    settings.formTop = Centre(screen.height, window.height);
    settings.formWidth = window.width;
    settings.formHeight = window.height;
    settings.dispPos = texts::kDispPosBottomRight;
    settings.customItem = u"1111111";
    settings.separator = texts::kSeparatorNewLine;
    settings.pasteKey = u"V";
    settings.popupKey = u"A";
}

}  // namespace gleaner
