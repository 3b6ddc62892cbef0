#include "shell/version_win32.h"

#include <windows.h>

#include <vector>

#include "platform/system_dlls_win32.h"

namespace gleaner::win32 {
namespace {

std::u16string StringValue(std::vector<char>& block, const std::wstring& table, const wchar_t* name) {
    const std::wstring path = L"\\StringFileInfo\\" + table + L"\\" + name;
    void* value = nullptr;
    UINT length = 0;
    if (!System().verQueryValue(block.data(), path.c_str(), &value, &length) || !value || length == 0) return {};
    const auto* text = static_cast<const char16_t*>(value);
    std::u16string result(text, length);
    while (!result.empty() && result.back() == u'\0') result.pop_back();
    return result;
}

}  // namespace

std::optional<VersionInfo> ReadVersionInfo(const std::u16string& executablePath) {
    const SystemFunctions& system = System();
    if (!system.getFileVersionInfoSize || !system.getFileVersionInfo || !system.verQueryValue) return std::nullopt;
    const auto* path = reinterpret_cast<const wchar_t*>(executablePath.c_str());
    DWORD ignored = 0;
    const DWORD size = system.getFileVersionInfoSize(path, &ignored);
    if (size == 0) return std::nullopt;
    std::vector<char> block(size);
    if (!system.getFileVersionInfo(path, 0, size, block.data())) return std::nullopt;

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedLength = 0;
    if (!system.verQueryValue(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedLength) || !fixed ||
        fixedLength < sizeof *fixed)
        return std::nullopt;
    VersionInfo info;
    info.major = HIWORD(fixed->dwFileVersionMS);
    info.minor = LOWORD(fixed->dwFileVersionMS);
    info.revision = HIWORD(fixed->dwFileVersionLS);

    // The first translation names the string table to read.
    struct Translation {
        WORD language;
        WORD codePage;
    }* translations = nullptr;
    UINT translationsLength = 0;
    if (system.verQueryValue(block.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations),
                       &translationsLength) &&
        translations && translationsLength >= sizeof *translations) {
        wchar_t table[9];
        wsprintfW(table, L"%04x%04x", translations->language, translations->codePage);
        info.productName = StringValue(block, table, L"ProductName");
        info.companyName = StringValue(block, table, L"CompanyName");
    }
    return info;
}

}  // namespace gleaner::win32
