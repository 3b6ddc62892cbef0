#include <algorithm>

#include "platform/file_store_win32.h"
#include "platform/handles_win32.h"

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

}  // namespace gleaner::win32
