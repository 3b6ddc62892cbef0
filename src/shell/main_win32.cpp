#include <windows.h>

#include "platform/system_dlls_win32.h"
#include "shell/app_win32.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    // First, before anything can load a DLL from the exe's folder; then the
    // system DLLs the program needs from the start.
    gleaner::win32::SearchSystemFolderOnly();
    gleaner::win32::System();
    return gleaner::win32::RunGleaner();
}
