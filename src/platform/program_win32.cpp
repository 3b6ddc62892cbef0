#include "platform/program_win32.h"

#include "platform/system_dlls_win32.h"

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

Program::InstanceClaim Win32Program::ClaimInstance(const std::u16string& name) {
    instanceMutex_.Reset(CreateMutexW(nullptr, FALSE, Wide(name)));
    const DWORD error = GetLastError();
    // A copy started elevated makes the name inaccessible to an ordinary
    // one (ERROR_ACCESS_DENIED): that is no proof that nobody holds it.
    if (!instanceMutex_.Valid()) return {Claim::Failed, error};
    if (error == ERROR_ALREADY_EXISTS) return {Claim::HeldElsewhere, error};
    return {Claim::Taken, 0};
}

std::u16string Win32Program::LocalDataFolder() {
    wchar_t folder[MAX_PATH * 2] = L"";
    const DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", folder, MAX_PATH * 2);
    return length > 0 && length < MAX_PATH * 2 ? FromWide(folder, length) : u"";
}

// The installer's value in the user's Run key.
bool Win32Program::StartsAtSignIn() {
    const auto getValue = Registry().getValue;
    return getValue && getValue(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"gleaner",
                                RRF_RT_ANY, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

}  // namespace gleaner::win32
