#include "text/text_statistics.h"

#include "text/number_format.h"
#include "resources/texts.h"

namespace gleaner {
char16_t FoldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

std::u16string FoldAscii(std::u16string text) {
    for (char16_t& c : text) c = FoldAscii(c);
    return text;
}

namespace {

bool MatchesAt(const std::u16string& text, std::size_t at, const std::u16string& pattern, CompareMode mode) {
    if (text.size() - at < pattern.size()) return false;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        const char16_t a = text[at + k];
        const char16_t b = pattern[k];
        if (mode == CompareMode::Exact ? a != b : FoldAscii(a) != FoldAscii(b)) return false;
    }
    return true;
}

}  // namespace

std::int32_t CountSubstring(const std::u16string& text, const std::u16string& pattern, CompareMode mode) {
    if (pattern.empty()) return 0;
    std::int32_t count = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (MatchesAt(text, i, pattern, mode)) {
            ++count;
            i += pattern.size();
        } else {
            ++i;
        }
    }
    return count;
}

std::u16string LengthTooltip(std::size_t length) {
    return FormatGrouped(static_cast<std::int64_t>(length)) + texts::kLengthSuffix;
}

}  // namespace gleaner
