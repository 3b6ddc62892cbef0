// The splash notice's message, size and closing animation, in twips.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/dpi_scale.h"
#include "platform/geometry.h"
#include "state/settings_record.h"

namespace gleaner {

struct SplashContent {
    std::u16string text;
    std::int32_t milliseconds = 0;  // 0 or less: stays until closed otherwise
};

// The message waiting to be shown: its text, U+0001 and the time in ms.
std::u16string EncodeSplashMessage(const std::u16string& text, std::int32_t milliseconds);
SplashContent DecodeSplashMessage(const std::u16string& pending);

constexpr std::int32_t kSplashLabelTop = 90;
constexpr std::int32_t kSplashWidth = 4680;

// Room for each line of the message below the label's top.
std::int32_t SplashHeight(const std::u16string& text);

// The notice on its monitor, in pixels: sized and drawn at that monitor's
// density alone, so that its text always fits.
struct SplashLayout {
    DpiScale scale;
    int width = 0;
    int height = 0;
    Point label;     // where the text starts
    int fontHeight = 0;
    bool operator==(const SplashLayout&) const = default;
};
SplashLayout LayOutSplash(const std::u16string& text, DpiScale scale);

// The 19 frames of the shrink: the lower right corner stays, the size goes
// down to a twentieth.
std::vector<TwipsRect> ShrinkFrames(const TwipsRect& start);

// The splash window itself.
class SplashView {
public:
    virtual ~SplashView() = default;
    // Shows the pending message for its time; returns at once.
    virtual void Show(const std::u16string& pendingMessage) = 0;
    virtual bool Showing() const = 0;
};

// Silent when "custom msg" is 0.
void ShowSplashMessage(const SettingsRecord& settings, SplashView& view, const std::u16string& text,
                       std::int32_t milliseconds);

}  // namespace gleaner
