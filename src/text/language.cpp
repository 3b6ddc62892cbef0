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

}  // namespace gleaner
