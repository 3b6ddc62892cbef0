#include "text/language.h"

namespace gleaner {

Language ChooseLanguage(LanguageChoice choice, std::uint16_t uiLanguageId) {
    switch (choice) {
    case LanguageChoice::Japanese:
        return Language::Japanese;
    case LanguageChoice::English:
        return Language::English;
    case LanguageChoice::Automatic:
        break;
    }
    // The primary language is the low ten bits of a language id.
    constexpr std::uint16_t kPrimaryJapanese = 0x11;
    return (uiLanguageId & 0x3FF) == kPrimaryJapanese ? Language::Japanese : Language::English;
}

std::u16string Fill(std::u16string_view pattern, std::initializer_list<std::u16string_view> values) {
    std::u16string text;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char16_t next = i + 1 < pattern.size() ? pattern[i + 1] : u'\0';
        if (pattern[i] != u'%' || (next != u'%' && (next < u'1' || next > u'9'))) {
            text += pattern[i];
            continue;
        }
        ++i;
        const auto index = static_cast<std::size_t>(next - u'1');
        if (next == u'%') {
            text += u'%';
        } else if (index < values.size()) {
            text += values.begin()[index];
        }
    }
    return text;
}

}  // namespace gleaner
