#include "shell/splash_layout.h"

#include "text/number_format.h"
#include "resources/fonts.h"
#include "text/text_statistics.h"
#include "text/parse_number.h"

namespace gleaner {

std::u16string EncodeSplashMessage(const std::u16string& text, std::int32_t milliseconds) {
    return text + u'\x01' + Decimal(milliseconds);
}

SplashContent DecodeSplashMessage(const std::u16string& pending) {
    const std::size_t mark = pending.find(u'\x01');
    SplashContent content;
    content.text = pending.substr(0, mark);
    if (mark != std::u16string::npos) {
        const std::size_t next = pending.find(u'\x01', mark + 1);
        const std::u16string time = pending.substr(mark + 1, next == std::u16string::npos ? next : next - mark - 1);
        content.milliseconds = RoundToInt32(ParseLeadingNumber(time)).value_or(0);
    }
    return content;
}

std::int32_t SplashHeight(const std::u16string& text) {
    const std::int32_t lines = CountSubstring(text, u"\r\n");
    return kSplashLabelTop + (lines + 1) * 500 + 200;
}

SplashLayout LayOutSplash(const std::u16string& text, DpiScale scale) {
    const int labelTop = scale.Twips(kSplashLabelTop);
    return {scale, scale.Twips(kSplashWidth), scale.Twips(SplashHeight(text)), {labelTop, labelTop},
            scale.FontHeight(fonts::kNotice.centipoints)};
}

std::vector<TwipsRect> ShrinkFrames(const TwipsRect& start) {
    const std::int64_t right = static_cast<std::int64_t>(start.left) + start.width;
    const std::int64_t bottom = static_cast<std::int64_t>(start.top) + start.height;
    std::vector<TwipsRect> frames;
    for (int i = 19; i >= 1; --i) {
        const auto width = static_cast<std::int32_t>(static_cast<std::int64_t>(start.width) * i / 20);
        const auto height = static_cast<std::int32_t>(static_cast<std::int64_t>(start.height) * i / 20);
        frames.push_back({static_cast<std::int32_t>(right - width), static_cast<std::int32_t>(bottom - height), width,
                          height});
    }
    return frames;
}

void ShowSplashMessage(const SettingsRecord& settings, SplashView& view, const std::u16string& text,
                       std::int32_t milliseconds) {
    if (settings.customMsg == 0) return;
    view.Show(EncodeSplashMessage(text, milliseconds));
}

}  // namespace gleaner
