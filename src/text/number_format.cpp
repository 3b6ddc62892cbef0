#include "text/number_format.h"

namespace gleaner {

namespace {

std::u16string Digits(std::int64_t value, bool grouped) {
    const bool negative = value < 0;
    // Work on the unsigned magnitude so that the smallest value has one too.
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::u16string reversed;
    int digits = 0;
    do {
        if (grouped && digits > 0 && digits % 3 == 0) reversed += u',';
        reversed += static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
        ++digits;
    } while (magnitude != 0);
    if (negative) reversed += u'-';
    return std::u16string(reversed.rbegin(), reversed.rend());
}

}  // namespace

std::u16string Decimal(std::int64_t value) { return Digits(value, false); }

std::u16string FormatGrouped(std::int64_t value) { return Digits(value, true); }

std::u16string FormatGroupedOrBlank(std::int64_t value) { return value == 0 ? std::u16string() : FormatGrouped(value); }

}  // namespace gleaner
