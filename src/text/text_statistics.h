// The one statistic the program shows: the collection's length.
#pragma once

#include <cstdint>
#include <string>

#include "text/language.h"

namespace gleaner {

// A-Z to a-z; every other character as it is.
std::u16string FoldAscii(std::u16string text);

// Non-overlapping occurrences of pattern in text, scanning left to right. An
// empty pattern occurs nowhere.
std::int32_t CountSubstring(const std::u16string& text, const std::u16string& pattern);

// The collection box's tooltip: the length in UTF-16 units, "#,##0" and 文字.
std::u16string LengthTooltip(std::size_t length, Language language);

}  // namespace gleaner
