// The settings' defaults, before Conf.txt is read.
#pragma once

#include "platform/geometry.h"
#include "state/settings_record.h"

namespace gleaner {

// Every field but "limit max" and "limit unit" to its default; the window is
// centred on the screen at its designed size.
void LoadDefaults(SettingsRecord& settings, TwipsSize screen, TwipsSize window);

}  // namespace gleaner
