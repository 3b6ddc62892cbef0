// Putting text on the clipboard and reading it back, as any program does.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace gleaner::e2e {

// An extra registered format put on the clipboard beside the text, the way
// password managers and the like tell clipboard tools to look away.
struct ClipboardMark {
    std::wstring formatName;
    std::vector<BYTE> data;
};
ClipboardMark DwordMark(const std::wstring& formatName, DWORD value);

// owner must be a real window (under Wine two threads can both hold
// OpenClipboard(NULL)). False when the clipboard stayed busy.
bool PutClipboardText(HWND owner, const std::wstring& text, const std::vector<ClipboardMark>& marks = {});
std::optional<std::wstring> ReadClipboardText(HWND owner);

}  // namespace gleaner::e2e
