#include "prepared_conf.h"

#include <windows.h>

namespace gleaner::e2e {
namespace {

constexpr UINT kCodePage932 = 932;

bool AppendInCodePage932(const std::wstring& text, std::string* bytes) {
    if (text.empty()) return true;
    BOOL lossy = FALSE;
    const int length = static_cast<int>(text.size());
    const int size = WideCharToMultiByte(kCodePage932, 0, text.data(), length, nullptr, 0, nullptr, &lossy);
    if (size <= 0 || lossy) return false;
    const std::size_t start = bytes->size();
    bytes->resize(start + size);
    return WideCharToMultiByte(kCodePage932, 0, text.data(), length, bytes->data() + start, size, nullptr, nullptr) ==
           size;
}

}  // namespace

bool WriteConfFile(const std::wstring& path, const std::vector<std::wstring>& lines) {
    std::string bytes;
    for (const auto& line : lines) {
        if (!AppendInCodePage932(line, &bytes)) return false;
        bytes += "\r\n";
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size();
    return CloseHandle(file) && ok;
}

}  // namespace gleaner::e2e
