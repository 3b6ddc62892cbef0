#include "clipboard_image.h"

#include <cstring>

#include "polling.h"

namespace gleaner::e2e {
namespace {

bool Open(HWND owner) {
    return WaitUntil([&] { return OpenClipboard(owner) != FALSE; }, kShortWaitMs, 10);
}

}  // namespace

std::vector<BYTE> PatternedDib(int width, int height) {
    constexpr int kBitsPerPixel = 24;
    const int stride = ((width * kBitsPerPixel + 31) / 32) * 4;
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = kBitsPerPixel;
    header.biCompression = BI_RGB;
    header.biSizeImage = static_cast<DWORD>(stride * height);
    std::vector<BYTE> dib(sizeof header + header.biSizeImage, 0);
    std::memcpy(dib.data(), &header, sizeof header);
    BYTE* pixels = dib.data() + sizeof header;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width * 3; ++x) pixels[y * stride + x] = static_cast<BYTE>((x * 37 + y * 101 + 11) & 0xFF);
    }
    return dib;
}

bool PutClipboardDib(HWND owner, const std::vector<BYTE>& dib) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, dib.size());
    if (block == nullptr) return false;
    std::memcpy(GlobalLock(block), dib.data(), dib.size());
    GlobalUnlock(block);
    if (!Open(owner)) {
        GlobalFree(block);
        return false;
    }
    bool ok = EmptyClipboard() != FALSE;
    if (ok && SetClipboardData(CF_DIB, block) == nullptr) ok = false;
    if (!ok) GlobalFree(block);
    CloseClipboard();
    return ok;
}

std::optional<std::vector<BYTE>> ReadClipboardDib(HWND owner) {
    if (!Open(owner)) return std::nullopt;
    std::optional<std::vector<BYTE>> dib;
    if (IsClipboardFormatAvailable(CF_DIB)) {
        if (HANDLE block = GetClipboardData(CF_DIB)) {
            if (const auto* bytes = static_cast<const BYTE*>(GlobalLock(block))) {
                dib = std::vector<BYTE>(bytes, bytes + GlobalSize(block));
                GlobalUnlock(block);
            }
        }
    }
    CloseClipboard();
    return dib;
}

}  // namespace gleaner::e2e
