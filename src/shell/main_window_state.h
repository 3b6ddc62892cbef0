#pragma once

#include "platform/platform.h"

namespace gleaner {

// The main window, recorded at start-up.
extern WindowId MainWindowHandle;

}  // namespace gleaner
