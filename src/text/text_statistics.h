// The one statistic the program shows: the collection's length.
#pragma once

#include <cstdint>
#include <string>

namespace gleaner {

// A-Z to a-z; every other character as it is.
char16_t FoldAscii(char16_t c);
std::u16string FoldAscii(std::u16string text);

enum class CompareMode : std::int32_t { Exact = 0, Textual = 1 };

// Non-overlapping occurrences of pattern in text, scanning left to right.
// Textual comparison folds ASCII case. An empty pattern occurs nowhere.
std::int32_t CountSubstring(const std::u16string& text, const std::u16string& pattern,
                            CompareMode mode = CompareMode::Exact);

// The collection box's tooltip: the length in UTF-16 units, "#,##0" and 文字.
std::u16string LengthTooltip(std::size_t length);

}  // namespace gleaner
