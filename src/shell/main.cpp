#include <windows.h>

#include "platform/win32_app.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return gleaner::win32::RunGleaner(instance); }
