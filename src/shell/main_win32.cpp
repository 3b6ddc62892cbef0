#include <windows.h>

#include "shell/app_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return gleaner::win32::RunGleaner(); }
