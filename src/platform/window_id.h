// The one name windows go by on both sides of the seam.
#pragma once

#include <cstdint>

namespace gleaner {

// A window, as the window system names it; 0 is none.
using WindowId = std::uintptr_t;

}  // namespace gleaner
