// The two languages the program speaks, and the choice between them.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace gleaner {

enum class Language { Japanese, English };

// What the user chose in the settings file: follow Windows, or one language.
enum class LanguageChoice { Automatic, Japanese, English };

// Japanese when the Windows display language (the user's UI language, never
// the region or the keyboard) is Japanese, English for any other, unless the
// user chose one.
Language ChooseLanguage(LanguageChoice choice, std::uint16_t uiLanguageId);

// A text the user reads, in both languages: a text missing in one of them
// does not compile. The Japanese is the program's original wording.
class Text {
public:
    consteval Text(const char16_t* japanese, const char16_t* english) : japanese_(japanese), english_(english) {}
    const char16_t* In(Language language) const { return language == Language::Japanese ? japanese_ : english_; }

private:
    const char16_t* japanese_;
    const char16_t* english_;
};

// The pattern with %1 to %9 replaced by the values, in whatever order the
// language puts them; "%%" is a percent sign.
std::u16string Fill(std::u16string_view pattern, std::initializer_list<std::u16string_view> values);

}  // namespace gleaner
