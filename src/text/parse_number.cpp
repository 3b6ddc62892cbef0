#include "text/parse_number.h"

#include <charconv>
#include <cstdlib>
#include <cfenv>
#include <cmath>
#include <limits>
#include <string>

namespace gleaner {
namespace {

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int HexValue(char16_t c) {
    if (IsDigit(c)) return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

struct Scan {
    double value = 0;
    std::size_t consumed = 0;  // characters that belong to the number
    bool hasDigits = false;
};

Scan ScanRadix(std::u16string_view s, int radix) {
    Scan scan;
    std::size_t i = 2;  // past "&H" or "&O"
    double value = 0;
    for (; i < s.size(); ++i) {
        const int digit = HexValue(s[i]);
        if (digit < 0 || digit >= radix) break;
        value = value * radix + digit;
        scan.hasDigits = true;
    }
    scan.value = value;
    scan.consumed = i;
    return scan;
}

// Whether a number out of a double's range ("1e-400", "0.0001e-320") lies
// below it rather than above: its exponent, with the digits before and after
// the point, points down.
bool TooSmall(const std::string& ascii) {
    const std::size_t e = ascii.find('e');
    const std::size_t point = ascii.find('.');
    const std::string mantissa = ascii.substr(0, e);
    const std::size_t firstDigit = mantissa.find_first_not_of("0.");
    if (firstDigit == std::string::npos) return true;  // zero, however written
    const std::size_t end = point == std::string::npos ? mantissa.size() : point;
    // Powers of ten of the first significant digit, before the exponent.
    const long long magnitude = firstDigit < end ? static_cast<long long>(end - firstDigit - 1)
                                                 : -static_cast<long long>(firstDigit - end);
    const long long exponent = e == std::string::npos ? 0 : std::strtoll(ascii.c_str() + e + 1, nullptr, 10);
    if (exponent >= 0) return false;
    return exponent < -100000 || magnitude + exponent < 0;
}

// Reads the longest number at the start of s; s holds no ignorable blanks.
Scan ScanNumber(std::u16string_view s) {
    if (s.size() >= 2 && s[0] == u'&') {
        if (s[1] == u'H' || s[1] == u'h') return ScanRadix(s, 16);
        if (s[1] == u'O' || s[1] == u'o') return ScanRadix(s, 8);
        return {};
    }
    std::string ascii;  // a normalised copy for from_chars
    std::size_t i = 0;
    bool negative = false;
    if (i < s.size() && (s[i] == u'+' || s[i] == u'-')) negative = s[i++] == u'-';
    Scan scan;
    for (; i < s.size() && IsDigit(s[i]); ++i) ascii += static_cast<char>(s[i]), scan.hasDigits = true;
    if (i < s.size() && s[i] == u'.') {
        ascii += '.';
        for (++i; i < s.size() && IsDigit(s[i]); ++i) ascii += static_cast<char>(s[i]), scan.hasDigits = true;
    }
    if (!scan.hasDigits) return {};
    scan.consumed = i;
    if (i < s.size() && (s[i] == u'E' || s[i] == u'e' || s[i] == u'D' || s[i] == u'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < s.size() && (s[j] == u'+' || s[j] == u'-')) exponent += static_cast<char>(s[j++]);
        const std::size_t digitsStart = j;
        for (; j < s.size() && IsDigit(s[j]); ++j) exponent += static_cast<char>(s[j]);
        if (j > digitsStart) {  // "1E" alone is the number 1 followed by a letter
            ascii += exponent;
            scan.consumed = j;
        }
    }
    if (ascii.front() == '.') ascii.insert(ascii.begin(), '0');
    double value = 0;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    // Too large is no number a setting can hold; too small is as good as 0.
    if (result.ec == std::errc::result_out_of_range) value = TooSmall(ascii) ? 0 : std::numeric_limits<double>::infinity();
    scan.value = negative ? -value : value;
    return scan;
}

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

}  // namespace

double ParseLeadingNumber(std::u16string_view text) {
    std::u16string packed;
    packed.reserve(text.size());
    for (char16_t c : text)
        if (c != u' ' && c != u'\t' && c != u'\n') packed += c;
    return ScanNumber(packed).value;
}

std::optional<double> ParseWholeNumber(std::u16string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    const Scan scan = ScanNumber(text);
    if (!scan.hasDigits || scan.consumed != text.size()) return std::nullopt;
    return scan.value;
}

std::optional<std::int32_t> RoundToInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    // The default rounding mode rounds halves to even.
    const double rounded = std::nearbyint(value);
    if (rounded < std::numeric_limits<std::int32_t>::min() || rounded > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(rounded);
}

}  // namespace gleaner
