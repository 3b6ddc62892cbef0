#include <windows.h>

#include "platform/codepage.h"

namespace gleaner {
namespace {
constexpr UINT kCodePage932 = 932;
}

std::optional<std::string> EncodeCodePage932(const std::u16string& text) {
    if (text.empty()) return std::string();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
    const int wideLen = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    const int size = WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, wideLen, nullptr, 0,
                                         nullptr, &usedDefault);
    if (size <= 0 || usedDefault) return std::nullopt;
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(kCodePage932, WC_NO_BEST_FIT_CHARS, wide, wideLen, bytes.data(), size, nullptr,
                        &usedDefault);
    // A best-fit mapping would read back as another character: only an exact
    // round trip counts as representable.
    if (usedDefault || DecodeCodePage932(bytes) != text) return std::nullopt;
    return bytes;
}

std::u16string DecodeCodePage932(const std::string& bytes) {
    if (bytes.empty()) return {};
    const int len = static_cast<int>(bytes.size());
    const int size = MultiByteToWideChar(kCodePage932, 0, bytes.data(), len, nullptr, 0);
    if (size <= 0) return {};
    std::u16string text(static_cast<std::size_t>(size), u'\0');
    MultiByteToWideChar(kCodePage932, 0, bytes.data(), len, reinterpret_cast<wchar_t*>(text.data()), size);
    return text;
}

}  // namespace gleaner
