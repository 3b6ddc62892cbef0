#include "platform/colours.h"

namespace gleaner {
namespace {

struct PaintColours {
    ColourChoice designed;
    SystemColour highContrast;
};

constexpr ColourChoice Own(int r, int g, int b) { return {MakeColour(r, g, b), std::nullopt}; }
constexpr ColourChoice System(SystemColour colour) { return {0, colour}; }

// In the order of Paint. Under high contrast each text goes with the
// background the system pairs it with.
constexpr PaintColours kPaints[] = {
    {Own(192, 192, 192), SystemColour::GrayText},
    {Own(0, 0, 0), SystemColour::WindowText},
    {System(SystemColour::InfoBack), SystemColour::Window},
    {System(SystemColour::InfoText), SystemColour::InfoText},
    {System(SystemColour::GrayText), SystemColour::InfoText},
    {Own(0, 128, 0), SystemColour::InfoText},
    {Own(240, 255, 240), SystemColour::InfoBack},
    {Own(0, 0, 255), SystemColour::InfoText},
    {Own(192, 255, 255), SystemColour::InfoBack},
};

}  // namespace

ColourChoice ChooseColour(Paint paint, bool highContrast) {
    const PaintColours& colours = kPaints[static_cast<int>(paint)];
    return highContrast ? System(colours.highContrast) : colours.designed;
}

}  // namespace gleaner
