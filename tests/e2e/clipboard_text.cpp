#include "clipboard_text.h"

#include <cstring>

#include "polling.h"

namespace gleaner::e2e {
namespace {

bool Open(HWND owner) {
    return WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, kShortWaitMs, 10);
}

bool PutBytes(UINT format, const void* data, std::size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size == 0 ? 1 : size);
    if (block == nullptr) return false;
    if (size != 0) {
        std::memcpy(GlobalLock(block), data, size);
        GlobalUnlock(block);
    }
    if (SetClipboardData(format, block) != nullptr) return true;
    GlobalFree(block);
    return false;
}

}  // namespace

ClipboardMark DwordMark(const std::wstring& formatName, DWORD value) {
    ClipboardMark mark{formatName, std::vector<BYTE>(sizeof value)};
    std::memcpy(mark.data.data(), &value, sizeof value);
    return mark;
}

bool PutClipboardText(HWND owner, const std::wstring& text, const std::vector<ClipboardMark>& marks) {
    if (!Open(owner)) return false;
    bool ok = EmptyClipboard() != FALSE;
    // The marks go first, as the programs that use them do: a watcher that
    // wakes on the text already finds them.
    for (const auto& mark : marks) {
        const UINT format = RegisterClipboardFormatW(mark.formatName.c_str());
        ok = ok && format != 0 && PutBytes(format, mark.data.data(), mark.data.size());
    }
    ok = ok && PutBytes(CF_UNICODETEXT, text.c_str(), (text.size() + 1) * sizeof(wchar_t));
    CloseClipboard();
    return ok;
}

std::optional<std::wstring> ReadClipboardText(HWND owner) {
    if (!Open(owner)) return std::nullopt;
    std::optional<std::wstring> text;
    if (HANDLE block = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(block))) {
            text = std::wstring(chars, wcsnlen(chars, GlobalSize(block) / sizeof(wchar_t)));
            GlobalUnlock(block);
        }
    }
    CloseClipboard();
    return text;
}

}  // namespace gleaner::e2e
