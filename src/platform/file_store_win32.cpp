#include <algorithm>

#include "platform/file_store_win32.h"
#include "platform/handles_win32.h"
#include "platform/system_dlls_win32.h"

namespace gleaner::win32 {

bool Win32FileStore::Exists(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(Wide(path));
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::string> Win32FileStore::Read(const std::u16string& path) {
    UniqueFile file(CreateFileW(Wide(path), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return std::nullopt;
    std::string bytes;
    char buffer[16 * 1024];
    for (;;) {
        DWORD read = 0;
        if (!ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
        if (read == 0) return bytes;
        bytes.append(buffer, read);
    }
}

bool Win32FileStore::ReplaceAtomically(const std::u16string& path, const std::string& bytes) {
    // Written beside the target, then renamed over it: an interrupted write
    // leaves the previous file whole.
    const std::u16string temporary = path + u".new";
    {
        UniqueFile file(CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.Valid()) return false;
        std::size_t done = 0;
        bool ok = true;
        while (ok && done < bytes.size()) {
            DWORD written = 0;
            const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
            ok = WriteFile(file.Get(), bytes.data() + done, chunk, &written, nullptr) && written == chunk;
            done += written;
        }
        if (!ok || !FlushFileBuffers(file.Get())) {
            file.Reset();
            DeleteFileW(Wide(temporary));
            return false;
        }
    }
    if (MoveFileExW(Wide(temporary), Wide(path), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileW(Wide(temporary));
    return false;
}

bool Win32FileStore::Remove(const std::u16string& path) {
    return DeleteFileW(Wide(path)) || GetLastError() == ERROR_FILE_NOT_FOUND;
}

bool Win32FileStore::MakeFolder(const std::u16string& path) {
    return CreateDirectoryW(Wide(path), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS;
}

namespace {

DATA_BLOB Blob(const std::string& bytes) {
    return {static_cast<DWORD>(bytes.size()), reinterpret_cast<BYTE*>(const_cast<char*>(bytes.data()))};
}

// The system's block, copied out and freed.
std::optional<std::string> Taken(bool done, DATA_BLOB& out) {
    if (!done) return std::nullopt;
    std::string result(reinterpret_cast<const char*>(out.pbData), out.cbData);
    LocalFree(out.pbData);
    return result;
}

}  // namespace

// No prompt: the program runs unattended, at log-off too.
std::optional<std::string> Win32DataProtection::Seal(const std::string& bytes) {
    const CryptDll crypt;
    const auto protect = crypt.protectData;
    if (!protect || bytes.size() > 0x7FFFFFFF) return std::nullopt;
    DATA_BLOB in = Blob(bytes), out{};
    return Taken(protect(&in, L"gleaner", nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out), out);
}

std::optional<std::string> Win32DataProtection::Open(const std::string& sealed) {
    const CryptDll crypt;
    const auto unprotect = crypt.unprotectData;
    if (!unprotect || sealed.size() > 0x7FFFFFFF) return std::nullopt;
    DATA_BLOB in = Blob(sealed), out{};
    return Taken(unprotect(&in, nullptr, nullptr, nullptr, nullptr, CRYPTPROTECT_UI_FORBIDDEN, &out), out);
}

}  // namespace gleaner::win32
