#pragma once

#include <optional>
#include <string>

#include "shell/version.h"

namespace gleaner::win32 {

// The version resource of an executable: its file version and its first
// string table's product and company names; nullopt when it has none.
std::optional<VersionInfo> ReadVersionInfo(const std::u16string& executablePath);

}  // namespace gleaner::win32
