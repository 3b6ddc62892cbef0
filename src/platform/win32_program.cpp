#include "platform/win32_services.h"

namespace gleaner::win32 {

std::u16string Win32Program::ExecutablePath() {
    std::u16string path(MAX_PATH, u'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, reinterpret_cast<wchar_t*>(path.data()), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

bool Win32Program::AnotherInstanceHolds(const std::u16string& name) {
    instanceMutex_.Reset(CreateMutexW(nullptr, FALSE, Wide(name)));
    return instanceMutex_.Valid() && GetLastError() == ERROR_ALREADY_EXISTS;
}

}  // namespace gleaner::win32
