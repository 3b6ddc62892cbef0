#pragma once

#include <windows.h>

#include <string>

namespace gleaner::win32 {

// The whole life of the program: start-up, the message loop, shutdown.
int RunGleaner(HINSTANCE instance);

// The version resource of this executable; defaults when it has none.
void ReadProgramVersion();
// This executable's file name without folder and extension.
std::u16string ExecutableName();

}  // namespace gleaner::win32
