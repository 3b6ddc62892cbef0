#include "unix_process.h"

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

namespace gleaner::bench {
namespace {

const std::wstring kProc = L"Z:\\proc\\";

std::optional<std::string> ReadWhole(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return std::nullopt;
    // Files in /proc report no size: read until nothing comes.
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// Calls visit with each entry's name in folder; stops when it returns false.
void ForEachEntry(const std::wstring& folder, const std::function<bool(const std::wstring&)>& visit) {
    WIN32_FIND_DATAW found{};
    const HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L".." && !visit(name)) break;
    } while (FindNextFileW(search, &found));
    FindClose(search);
}

bool IsNumber(const std::wstring& name) {
    return !name.empty() && name.find_first_not_of(L"0123456789") == std::wstring::npos;
}

}  // namespace

std::optional<int> UnixProcessOf(const std::wstring& marker) {
    // Linux holds the command line as UTF-8.
    const std::u8string utf8 = std::filesystem::path(marker).u8string();
    const std::string wanted(utf8.begin(), utf8.end());
    std::optional<int> pid;
    ForEachEntry(kProc, [&](const std::wstring& name) {
        if (!IsNumber(name)) return true;
        const auto commandLine = ReadWhole(kProc + name + L"\\cmdline");
        if (commandLine && commandLine->find(wanted) != std::string::npos) pid = std::stoi(name);
        return !pid;
    });
    return pid;
}

std::optional<int> Wineserver() {
    // "PID (NAME) STATE ..."
    const auto stat = ReadWhole(kProc + L"self\\stat");
    if (!stat || stat->find("(wineserver") == std::string::npos) return std::nullopt;
    return std::atoi(stat->c_str());
}

std::optional<std::uint64_t> ProcessorNs(int pid) {
    // Each thread's schedstat: "NS-ON-A-PROCESSOR NS-WAITING TIMESLICES".
    const std::wstring tasks = kProc + std::to_wstring(pid) + L"\\task\\";
    std::uint64_t total = 0;
    bool any = false;
    ForEachEntry(tasks, [&](const std::wstring& task) {
        if (const auto line = ReadWhole(tasks + task + L"\\schedstat")) {
            total += std::strtoull(line->c_str(), nullptr, 10);
            any = true;
        }
        return true;
    });
    if (!any) return std::nullopt;
    return total;
}

std::optional<std::uint64_t> ResidentKb(int pid) {
    const auto status = ReadWhole(kProc + std::to_wstring(pid) + L"\\status");
    if (!status) return std::nullopt;
    const std::size_t at = status->find("VmRSS:");
    if (at == std::string::npos) return std::nullopt;
    return std::strtoull(status->c_str() + at + 6, nullptr, 10);
}

}  // namespace gleaner::bench
