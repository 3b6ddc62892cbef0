// The system DLLs the program loads itself, and the few functions it calls in
// them. gleaner.exe imports only kernel32, user32, gdi32 and msvcrt (and
// comctl32 through its manifest's activation context): a DLL a browser saved
// beside the exe under the name of one of these must never be loaded.
#pragma once

#include <windows.h>

#include <commctrl.h>
#include <dpapi.h>
#include <shellapi.h>
#include <shellscalingapi.h>
#include <winver.h>

#include "platform/handles_win32.h"

namespace gleaner::win32 {

// The program's first act: from here on, every DLL the process loads by name
// (its own, and those the system DLLs load for it later) comes from System32,
// never from the exe's folder or the current one.
void SearchSystemFolderOnly();

// Each is null when its DLL or the function is missing.
struct SystemFunctions {
    decltype(&::InitCommonControlsEx) initCommonControlsEx = nullptr;
    decltype(&::SetWindowSubclass) setWindowSubclass = nullptr;
    decltype(&::RemoveWindowSubclass) removeWindowSubclass = nullptr;
    decltype(&::DefSubclassProc) defSubclassProc = nullptr;
    decltype(&::GetDpiForMonitor) getDpiForMonitor = nullptr;
    decltype(&::GetFileVersionInfoSizeW) getFileVersionInfoSize = nullptr;
    decltype(&::GetFileVersionInfoW) getFileVersionInfo = nullptr;
    decltype(&::VerQueryValueW) verQueryValue = nullptr;
};

// Loads comctl32, shcore and version from System32 on the first call; they
// stay loaded for the life of the process. Like an import table the record
// is filled once and never changes.
const SystemFunctions& System();

// shell32, the largest of them, only once the program needs it: for the
// tray icon or to open the guide. A window-mode run that does neither never
// maps it.
struct ShellFunctions {
    decltype(&::Shell_NotifyIconW) shellNotifyIcon = nullptr;
    decltype(&::ShellExecuteW) shellExecute = nullptr;
};
const ShellFunctions& ShellDll();

// The data protection, for the calls of one write or read only: loaded
// from System32 and freed after, so that a program that is not writing its
// collection holds none of it (under Wine it brings megabytes with it).
class CryptDll {
public:
    CryptDll();
    decltype(&::CryptProtectData) protectData = nullptr;
    decltype(&::CryptUnprotectData) unprotectData = nullptr;

private:
    UniqueModule module_;
};
// The registry (advapi32), on its first use.
struct RegistryFunctions {
    decltype(&::RegGetValueW) getValue = nullptr;
};
const RegistryFunctions& Registry();

}  // namespace gleaner::win32
