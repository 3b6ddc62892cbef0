#include <cwchar>

#include "platform/win32_handles.h"
#include "platform/win32_platform.h"

namespace gleaner::win32 {
namespace {

// Closes the clipboard when the operation leaves, whatever the way out.
class ClipboardSession {
public:
    ClipboardSession() = default;
    ~ClipboardSession() { CloseClipboard(); }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
};

}  // namespace

std::u16string ErrorDescription(DWORD error) {
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::u16string text = length ? FromWide(buffer, length) : std::u16string();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == u'\r' || text.back() == u'\n' || text.back() == u' ')) text.pop_back();
    return text;
}

void Win32Clipboard::Fail(DWORD error) { lastError_ = {error, ErrorDescription(error)}; }

bool Win32Clipboard::Open() {
    if (OpenClipboard(owner_)) return true;
    Fail(GetLastError());
    return false;
}

bool Win32Clipboard::HasText() {
    return IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(CF_TEXT);
}

bool Win32Clipboard::HasFormat(std::uint32_t format) { return IsClipboardFormatAvailable(format) != FALSE; }

std::uint32_t Win32Clipboard::RegisterFormat(const std::u16string& name) {
    return RegisterClipboardFormatW(Wide(name));
}

std::optional<std::u16string> Win32Clipboard::ReadText() {
    if (!Open()) return std::nullopt;
    ClipboardSession session;
    // The system converts ANSI text to Unicode on request; no text is no failure.
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT)) return std::u16string();
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    if (!data) {
        Fail(GetLastError());
        return std::nullopt;
    }
    const auto* chars = static_cast<const wchar_t*>(GlobalLock(data));
    if (!chars) {
        Fail(GetLastError());
        return std::nullopt;
    }
    // Trust the block's size, not a terminator that a careless writer left out.
    const std::size_t capacity = GlobalSize(data) / sizeof(wchar_t);
    std::u16string text = FromWide(chars, wcsnlen(chars, capacity));
    GlobalUnlock(data);
    return text;
}

std::optional<std::uint32_t> Win32Clipboard::ReadNumber(std::uint32_t format) {
    if (!Open()) return std::nullopt;
    ClipboardSession session;
    HANDLE data = GetClipboardData(format);
    if (!data || GlobalSize(data) < sizeof(DWORD)) return std::nullopt;
    const auto* value = static_cast<const DWORD*>(GlobalLock(data));
    if (!value) return std::nullopt;
    const DWORD number = *value;
    GlobalUnlock(data);
    return number;
}

bool Win32Clipboard::WriteText(const std::u16string& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(char16_t);
    UniqueGlobal block(GlobalAlloc(GMEM_MOVEABLE, bytes));
    if (!block.Valid()) {
        Fail(GetLastError());
        return false;
    }
    void* target = GlobalLock(block.Get());
    if (!target) {
        Fail(GetLastError());
        return false;
    }
    CopyMemory(target, text.c_str(), bytes);
    GlobalUnlock(block.Get());

    if (!Open()) return false;
    ClipboardSession session;
    if (!EmptyClipboard()) {
        Fail(GetLastError());
        return false;
    }
    if (!SetClipboardData(CF_UNICODETEXT, block.Get())) {
        Fail(GetLastError());
        return false;
    }
    block.Release();  // the clipboard owns it now
    return true;
}

bool Win32Clipboard::Empty() {
    if (!Open()) return false;
    ClipboardSession session;
    if (EmptyClipboard()) return true;
    Fail(GetLastError());
    return false;
}

}  // namespace gleaner::win32
