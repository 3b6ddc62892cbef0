#pragma once

#include "platform/platform.h"

namespace gleaner {

// The balloon while it is shown, else 0.
extern WindowId PopupWindowHandle;

}  // namespace gleaner
