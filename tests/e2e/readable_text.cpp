#include "readable_text.h"

#include <windows.h>

namespace gleaner::e2e {

std::string Utf8(const std::wstring& text) {
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(size, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::string Describe(const std::wstring& text, std::size_t maxChars) {
    std::wstring shown = text;
    if (shown.size() > maxChars) {
        shown = shown.substr(0, maxChars / 2) + L" ... " + shown.substr(shown.size() - maxChars / 2);
    }
    std::wstring escaped;
    for (wchar_t c : shown) {
        if (c == L'\r') escaped += L"\\r";
        else if (c == L'\n') escaped += L"\\n";
        else escaped += c;
    }
    std::string described = "\"";
    described.append(Utf8(escaped)).append("\" (").append(std::to_string(text.size())).append(" chars)");
    return described;
}

}  // namespace gleaner::e2e
