#include "gleaner_copy.h"

#include <windows.h>

#include "platform/win32_handles.h"

namespace gleaner::bench {
namespace {

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    win32::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return false;
    DWORD written = 0;
    return WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::string ReadWholeFile(const std::wstring& path) {
    win32::UniqueFile file(
        CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return {};
    std::string bytes(GetFileSize(file.Get(), nullptr), '\0');
    DWORD read = 0;
    if (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) return {};
    bytes.resize(read);
    return bytes;
}

}  // namespace

std::optional<GleanerCopy> GleanerCopy::Make(const std::wstring& exe, const std::string& conf, std::wstring& error) {
    wchar_t temp[MAX_PATH + 1] = L"";
    GetTempPathW(MAX_PATH + 1, temp);
    std::wstring folder = std::wstring(temp) + L"gleaner-bench-" + std::to_wstring(GetCurrentProcessId());
    if (!CreateDirectoryW(folder.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
        error = L"could not create " + folder;
        return std::nullopt;
    }
    GleanerCopy copy(std::move(folder));
    if (!CopyFileW(exe.c_str(), copy.Exe().c_str(), FALSE)) {
        error = L"could not copy " + exe + L" (error " + std::to_wstring(GetLastError()) + L")";
        return std::nullopt;
    }
    if (!WriteWholeFile(copy.folder_ + L"\\Conf.txt", conf)) {
        error = L"could not write Conf.txt in " + copy.folder_;
        return std::nullopt;
    }
    return copy;
}

std::string GleanerCopy::Conf() const { return ReadWholeFile(folder_ + L"\\Conf.txt"); }

void GleanerCopy::Remove() {
    if (folder_.empty()) return;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder_ + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder_ + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder_.c_str());
    folder_.clear();
}

}  // namespace gleaner::bench
