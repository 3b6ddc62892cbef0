// Conf.txt: nineteen "key = value" lines beside the executable, code page 932.
#pragma once

#include <string>

#include "platform/files.h"
#include "platform/window_system.h"
#include "settings/settings_defaults.h"

namespace gleaner {

// The file of that name in the folder (the executable's).
std::u16string PathIn(const std::u16string& folder, const std::u16string& name);
std::u16string ConfPath(const std::u16string& folder);

// The file's text for the record, with the window's live geometry.
std::u16string FormatConf(const SettingsRecord& settings, const TwipsRect& window);
// Stores every recognised entry of the text into the record.
void ApplyConf(SettingsRecord& settings, const std::u16string& text);

// Code page 932 bytes; a file that 932 cannot hold is UTF-8 behind a byte
// order mark instead, so no setting is ever turned into "?".
std::string EncodeConf(const std::u16string& text);
std::u16string DecodeConf(const std::string& bytes);

// Reads Conf.txt over the record (a missing or unreadable file changes
// nothing), then places the window by the four geometry settings.
void LoadConf(SettingsRecord& settings, FileStore& files, const std::u16string& folder, WindowFrame& window);
// Replaces Conf.txt whole; false when it could not (the old file stays).
bool SaveConf(const SettingsRecord& settings, FileStore& files, const std::u16string& folder,
              const WindowFrame& window);

}  // namespace gleaner
