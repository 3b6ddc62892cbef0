#include "platform/system_dlls_win32.h"

namespace gleaner::win32 {
namespace {

HMODULE LoadFromSystemFolder(const wchar_t* name) {
    return LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
}

template <typename Function>
void Resolve(HMODULE dll, const char* name, Function& function) {
    // Through void (*)(), the one function type any other converts from
    // without a warning.
    const auto found = dll ? reinterpret_cast<void (*)()>(GetProcAddress(dll, name)) : nullptr;
    function = reinterpret_cast<Function>(found);
}

SystemFunctions Load() {
    SystemFunctions functions;
    // Under the manifest's activation context this is common controls v6.
    const HMODULE comctl32 = LoadFromSystemFolder(L"comctl32.dll");
    Resolve(comctl32, "InitCommonControlsEx", functions.initCommonControlsEx);
    Resolve(comctl32, "SetWindowSubclass", functions.setWindowSubclass);
    Resolve(comctl32, "RemoveWindowSubclass", functions.removeWindowSubclass);
    Resolve(comctl32, "DefSubclassProc", functions.defSubclassProc);
    Resolve(LoadFromSystemFolder(L"shcore.dll"), "GetDpiForMonitor", functions.getDpiForMonitor);
    const HMODULE version = LoadFromSystemFolder(L"version.dll");
    Resolve(version, "GetFileVersionInfoSizeW", functions.getFileVersionInfoSize);
    Resolve(version, "GetFileVersionInfoW", functions.getFileVersionInfo);
    Resolve(version, "VerQueryValueW", functions.verQueryValue);
    return functions;
}

ShellFunctions LoadShell() {
    ShellFunctions functions;
    const HMODULE shell32 = LoadFromSystemFolder(L"shell32.dll");
    Resolve(shell32, "Shell_NotifyIconW", functions.shellNotifyIcon);
    Resolve(shell32, "ShellExecuteW", functions.shellExecute);
    return functions;
}

RegistryFunctions LoadRegistry() {
    RegistryFunctions functions;
    Resolve(LoadFromSystemFolder(L"advapi32.dll"), "RegGetValueW", functions.getValue);
    return functions;
}

}  // namespace

void SearchSystemFolderOnly() { SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32); }

const SystemFunctions& System() {
    static const SystemFunctions functions = Load();
    return functions;
}

const ShellFunctions& ShellDll() {
    static const ShellFunctions functions = LoadShell();
    return functions;
}

CryptDll::CryptDll() : module_(LoadFromSystemFolder(L"crypt32.dll")) {
    Resolve(module_.Get(), "CryptProtectData", protectData);
    Resolve(module_.Get(), "CryptUnprotectData", unprotectData);
}

const RegistryFunctions& Registry() {
    static const RegistryFunctions functions = LoadRegistry();
    return functions;
}

}  // namespace gleaner::win32
