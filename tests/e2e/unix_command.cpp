#include "unix_command.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "polling.h"

namespace gleaner::e2e {
namespace {

// Wine's own conversion between its paths and Linux paths (kernel32 exports).
using ToUnixName = char* (*)(const wchar_t*);

std::optional<std::string> UnixPathOf(const std::wstring& windowsPath) {
    const auto toUnix = reinterpret_cast<ToUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr) return std::nullopt;
    char* unixPath = toUnix(windowsPath.c_str());
    if (unixPath == nullptr) return std::nullopt;
    std::string result(unixPath);
    HeapFree(GetProcessHeap(), 0, unixPath);
    return result;
}

std::wstring FreshTempFileName(const wchar_t* suffix) {
    static LONG counter = 0;
    wchar_t folder[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, folder);
    wchar_t name[MAX_PATH + 64] = L"";
    swprintf(name, MAX_PATH + 64, L"%lsgleaner-e2e-%lu-%ld%ls", folder, GetCurrentProcessId(),
             InterlockedIncrement(&counter), suffix);
    return name;
}

std::string ReadWholeFile(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Single quotes for /bin/sh: nothing inside is special except ' itself.
std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// Windows command-line quoting of one argument (how Wine splits argv for
// the Linux program): backslashes only matter before a double quote.
std::wstring CommandLineQuoted(const std::wstring& argument) {
    std::wstring quoted = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') quoted.append(backslashes * 2 + 1, L'\\');
        else quoted.append(backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}

std::wstring Widen(const std::string& utf8) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring wide(length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), length);
    return wide;
}

}  // namespace

std::optional<UnixCommandResult> RunUnixCommand(const std::string& shellCommand, DWORD timeoutMs) {
    const std::wstring outputFile = FreshTempFileName(L".out");
    const std::wstring doneFile = FreshTempFileName(L".done");
    const auto unixOutput = UnixPathOf(outputFile);
    const auto unixDone = UnixPathOf(doneFile);
    if (!unixOutput || !unixDone) return std::nullopt;

    // The exit code goes to a side file first and is renamed into place, so
    // the done file never appears half written.
    const std::string script = "{ " + shellCommand + "; } >" + ShellQuoted(*unixOutput) + " 2>&1; echo $? >" +
                               ShellQuoted(*unixDone + ".tmp") + "; mv " + ShellQuoted(*unixDone + ".tmp") + " " +
                               ShellQuoted(*unixDone);
    std::wstring commandLine = L"/bin/sh -c " + CommandLineQuoted(Widen(script));

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &started)) {
        return std::nullopt;
    }
    // For a Linux program Wine fills in no usable handles: nothing to close.

    const bool finished = WaitUntil(
        [&] { return GetFileAttributesW(doneFile.c_str()) != INVALID_FILE_ATTRIBUTES; }, timeoutMs, 10);
    std::optional<UnixCommandResult> result;
    if (finished) {
        result = UnixCommandResult{std::atoi(ReadWholeFile(doneFile).c_str()), ReadWholeFile(outputFile)};
    }
    DeleteFileW(outputFile.c_str());
    DeleteFileW(doneFile.c_str());
    return result;
}

}  // namespace gleaner::e2e
