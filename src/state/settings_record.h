// The nineteen settings, each named after its Conf.txt key, and those the
// program added later.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "text/language.h"

namespace gleaner {

struct SettingsRecord {
    std::int32_t formLeft = 0;    // "form left", twips
    std::int32_t formTop = 0;     // "form top", twips
    std::int32_t formWidth = 0;   // "form width", twips
    std::int32_t formHeight = 0;  // "form height", twips
    std::int32_t taskTray = 0;    // "task tray": 1 runs in the notification area
    std::int32_t timeAutoClose = 5;  // "time auto close", seconds
    std::u16string dispPos;          // "disp pos"
    std::u16string searchString;     // "search string"
    std::int32_t searchFuzzy = 0;    // "search fuzzy"
    std::u16string customItem;       // "custom item": seven "1"/"0" flags
    std::int32_t customMsg = 1;      // "custom msg": 0 silences the splash notices
    std::u16string separator;        // "separator"
    std::int32_t ctrlvInit = 1;      // "ctrlv init": 1 empties the collection after a paste
    std::int32_t eraseDelay = 500;   // "erase delay", milliseconds
    std::int32_t noConfirm = 1;      // "no confirm": 0 asks before that emptying
    std::u16string pasteKey;         // "paste key"
    std::u16string popupKey;         // "popup key"
    std::int32_t limitMax = 65535;   // "limit max", characters
    std::int32_t limitUnit = 10000;  // "limit unit", characters
};

// The settings beyond the nineteen, kept in gleaner.ini beside Conf.txt.
struct IniSettings {
    LanguageChoice language = LanguageChoice::Automatic;  // "language": auto, ja or en
    // "ignore program", one line each: programs whose copies are never read,
    // by file name ("KeePass.exe") or full path, as the user wrote them.
    std::vector<std::u16string> ignoredPrograms;
    // "keep collection": no (or off, 0, false) never writes the collection's file.
    bool keepCollection = true;
    bool operator==(const IniSettings&) const = default;
};

}  // namespace gleaner
