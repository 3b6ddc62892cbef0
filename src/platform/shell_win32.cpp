// The user's shell, which knows what opens each kind of document.
#include "platform/shell_win32.h"

#include "platform/handles_win32.h"

#include "platform/system_dlls_win32.h"

namespace gleaner::win32 {

bool Win32Shell::Open(const std::u16string& path) {
    // Above 32 is success; anything lower is an error number.
    const auto shellExecute = ShellDll().shellExecute;
    if (!shellExecute) return false;
    const auto result = shellExecute(nullptr, L"open", Wide(path), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace gleaner::win32
