// Reading numbers out of Conf.txt values, as leniently as the file format has
// always allowed.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace gleaner {

// The number at the start of the text: blanks, tabs and line feeds anywhere are
// ignored; a sign, digits, a decimal point and an exponent (E or D) are read,
// as are &H (hexadecimal) and &O (octal). Stops at the first character that
// cannot continue the number; no number at all gives 0.
double ParseLeadingNumber(std::u16string_view text);

// The whole text as one number, blanks around it allowed; nullopt when it is
// not a number from end to end.
std::optional<double> ParseWholeNumber(std::u16string_view text);

// Nearest whole number, a half going to the even neighbour; nullopt when the
// result does not fit a signed 32-bit integer.
std::optional<std::int32_t> RoundToInt32(double value);

}  // namespace gleaner
