// The program's version and title, read from its own version resource.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace gleaner {

struct VersionInfo {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t revision = 0;
    std::u16string productName;
    std::u16string companyName;
};

// This executable's version, as its resource states it; set at start-up.
extern VersionInfo ProgramVersion;

// "Ver" major "." minor revision: 0.7.6 is Ver0.76.
std::u16string VersionText(const VersionInfo& version = ProgramVersion);
// "ぐりーなー！ Ver0.76"
std::u16string AppTitle(const VersionInfo& version = ProgramVersion);

// Reads a VS_VERSIONINFO block (the RT_VERSION resource as it lies in the
// executable): the fixed file version and the first string table's
// ProductName and CompanyName. nullopt when the block is malformed.
std::optional<VersionInfo> ParseVersionResource(const std::string& block);

}  // namespace gleaner
