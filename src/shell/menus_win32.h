#pragma once

#include <vector>

#include "platform/handles_win32.h"
#include "shell/menus.h"

namespace gleaner::win32 {

// A menu bar (or, with popup, a pop-up menu) holding the items in order.
UniqueMenu BuildMenu(const std::vector<MenuItem>& items, bool popup);

}  // namespace gleaner::win32
