// The program's version and title, as its own version resource states them.
#pragma once

#include <string>

#include "state/program_state.h"

namespace gleaner {

// "Ver" major "." minor revision: 0.7.6 is Ver0.76.
std::u16string VersionText(const VersionInfo& version);
// "ぐりーなー！ Ver0.76", "Gleaner Ver0.76"
std::u16string AppTitle(const VersionInfo& version, Language language);

}  // namespace gleaner
