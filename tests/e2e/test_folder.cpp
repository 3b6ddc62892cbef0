#include "test_folder.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include "polling.h"

namespace gleaner::e2e {
namespace {

std::wstring Widen(const char* utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
    return wide;
}

// Wine shows the Linux file system as drive Z:.
std::wstring WindowsPathOf(const std::wstring& path) {
    if (path.empty() || path[0] != L'/') return path;
    std::wstring windows = L"Z:" + path;
    for (auto& c : windows) {
        if (c == L'/') c = L'\\';
    }
    return windows;
}

void RemoveFolder(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring full = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) RemoveFolder(full);
            else DeleteFileW(full.c_str());
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

std::wstring BuiltGleanerPath() {
    wchar_t overridden[MAX_PATH] = L"";
    if (GetEnvironmentVariableW(L"GLEANER_E2E_EXE", overridden, MAX_PATH) > 0) return overridden;
    return WindowsPathOf(Widen(GLEANER_EXE_UNIX_PATH));
}

TestFolder::TestFolder(const std::wstring& exeName) : exeName_(exeName) {
    static LONG counter = 0;
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    wchar_t name[MAX_PATH + 64] = L"";
    swprintf(name, MAX_PATH + 64, L"%lsgleaner-e2e-%lu-%ld", temp, GetCurrentProcessId(),
             InterlockedIncrement(&counter));
    path_ = name;
    ready_ = CreateDirectoryW(path_.c_str(), nullptr) &&
             CopyFileW(BuiltGleanerPath().c_str(), ExePath().c_str(), TRUE);
}

TestFolder::~TestFolder() {
    // An exe that has just ended can stay locked for a moment.
    WaitUntil(
        [&] {
            RemoveFolder(path_);
            return GetFileAttributesW(path_.c_str()) == INVALID_FILE_ATTRIBUTES;
        },
        kShortWaitMs, 100);
}

bool TestFolder::Exists(const std::wstring& name) const {
    return GetFileAttributesW(FilePath(name).c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::optional<std::string> TestFolder::ReadBytes(const std::wstring& name) const {
    std::ifstream in(std::filesystem::path(FilePath(name)), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace gleaner::e2e
