// The program's version and title, as its own version resource states them.
#pragma once

#include <cstdint>
#include <string>

namespace gleaner {

struct VersionInfo {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t revision = 0;
    std::u16string productName;
    std::u16string companyName;
};

// This executable's version; read at start-up.
extern VersionInfo ProgramVersion;

// "Ver" major "." minor revision: 0.7.6 is Ver0.76.
std::u16string VersionText(const VersionInfo& version = ProgramVersion);
// "ぐりーなー！ Ver0.76"
std::u16string AppTitle(const VersionInfo& version = ProgramVersion);

}  // namespace gleaner
