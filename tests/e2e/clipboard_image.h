// A picture on the clipboard (CF_DIB), as an image editor leaves it after
// "Copy", and read back byte for byte.
#pragma once

#include <windows.h>

#include <optional>
#include <vector>

namespace gleaner::e2e {

// A small device-independent bitmap (header and pixels) with a pattern in
// it, so that any changed byte shows.
std::vector<BYTE> PatternedDib(int width, int height);

// owner must be a real window. False when the clipboard stayed busy.
bool PutClipboardDib(HWND owner, const std::vector<BYTE>& dib);
// The CF_DIB bytes on the clipboard; nullopt when there is no CF_DIB.
std::optional<std::vector<BYTE>> ReadClipboardDib(HWND owner);

}  // namespace gleaner::e2e
