// Counts as the user reads them: digits grouped by three with commas.
#pragma once

#include <cstdint>
#include <string>

namespace gleaner {

// Plain decimal digits, with a minus sign when negative.
std::u16string Decimal(std::int64_t value);
// "#,##0": 0 is "0".
std::u16string FormatGrouped(std::int64_t value);
// "#,###": as above, but 0 is written as nothing at all.
std::u16string FormatGroupedOrBlank(std::int64_t value);

}  // namespace gleaner
