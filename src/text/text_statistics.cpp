#include "text/text_statistics.h"

#include "resources/texts.h"
#include "text/number_format.h"

namespace gleaner {

std::u16string FoldAscii(std::u16string text) {
    for (char16_t& c : text)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    return text;
}

std::int32_t CountSubstring(const std::u16string& text, const std::u16string& pattern) {
    if (pattern.empty()) return 0;
    std::int32_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, pattern.size(), pattern) == 0) {
            ++count;
            i += pattern.size();
        } else {
            ++i;
        }
    }
    return count;
}

std::u16string LengthTooltip(std::size_t length, Language language) {
    return Fill(texts::kLength.In(language), {FormatGrouped(static_cast<std::int64_t>(length))});
}

}  // namespace gleaner
