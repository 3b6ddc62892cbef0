// gleaner.ini: the settings beyond Conf.txt's nineteen, in a file beside it
// that a person can edit. UTF-8, one "key = value" a line. Read tolerantly:
// an unknown key, a comment or a bad value gives the default, never a
// failure; written back with every line it does not know kept as it was.
#pragma once

#include <string>

#include "platform/files.h"
#include "settings/conf_file.h"
#include "state/settings_record.h"

namespace gleaner {

std::u16string IniPath(const std::u16string& folder);

IniSettings ParseIni(const std::string& bytes);
// The file's text with each setting's line set to its value; lines it does
// not know stay, a setting without a line gets one at the end.
std::string UpdateIni(const std::string& bytes, const IniSettings& settings);

// A missing or unreadable file gives the defaults.
IniSettings LoadIni(FileStore& files, const std::u16string& folder);
// Replaces gleaner.ini whole; false when it could not (the old file stays).
bool SaveIni(FileStore& files, const std::u16string& folder, const IniSettings& settings);

}  // namespace gleaner
