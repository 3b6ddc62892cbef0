// The benchmark's figures as a table: milliseconds per capture for gleaner
// and for the two ways of the baseline collector, and their ratios.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "capture_series.h"

namespace gleaner::bench {

struct Summary {
    std::size_t count = 0;
    double mean = 0;
    double median = 0;
};
std::optional<Summary> Summarise(const Timings& timings);

// One program's series, in the order of the sizes; a series that did not run
// (the run stopped on an error) is missing at the end.
struct ProgramResults {
    std::string name;
    std::vector<SeriesResult> series;
    // Captures at human speed: each after a pause, at 10,000 characters.
    Timings humanSpeed;
};

void PrintTable(const ProgramResults& gleaner, const ProgramResults& reSet, const ProgramResults& append);
// gleaner in tray mode, its balloon open, beside gleaner in window mode at
// the same sizes.
void PrintTrayTable(const ProgramResults& tray, const ProgramResults& gleaner);

// "1,234,567"
std::string Grouped(std::size_t value);

}  // namespace gleaner::bench
