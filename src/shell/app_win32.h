#pragma once

#include <windows.h>

namespace gleaner::win32 {

// The whole life of the program: its parts made, the start-up, the message
// loop, and the shutdown that ends it.
int RunGleaner();

}  // namespace gleaner::win32
