// One owner per Win32 handle: small move-only wrappers.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

namespace gleaner::win32 {

template <typename Handle, auto Close, auto Invalid>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    ~UniqueHandle() { Reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(std::exchange(other.handle_, Invalid())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, Invalid());
        }
        return *this;
    }

    Handle Get() const { return handle_; }
    bool Valid() const { return handle_ != Invalid(); }
    // Hands the handle to a new owner (a window that frees it, say).
    Handle Release() { return std::exchange(handle_, Invalid()); }
    void Reset(Handle handle = Invalid()) {
        if (handle_ != Invalid()) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid();
};

inline HANDLE InvalidFileHandle() { return INVALID_HANDLE_VALUE; }
inline HANDLE NullHandle() { return nullptr; }
inline HWND NullWindow() { return nullptr; }
inline HGLOBAL NullGlobal() { return nullptr; }
inline void CloseFile(HANDLE h) { CloseHandle(h); }
inline void DestroyWin(HWND h) { DestroyWindow(h); }
inline void FreeGlobal(HGLOBAL h) { GlobalFree(h); }

using UniqueFile = UniqueHandle<HANDLE, CloseFile, InvalidFileHandle>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseFile, NullHandle>;
using UniqueWindow = UniqueHandle<HWND, DestroyWin, NullWindow>;
using UniqueGlobal = UniqueHandle<HGLOBAL, FreeGlobal, NullGlobal>;

// wchar_t is 16 bits on Windows: the logic's UTF-16 strings pass straight through.
inline const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::u16string FromWide(const wchar_t* s, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(s), length);
}

// The system's wording of an error number, without the trailing line break.
std::u16string ErrorDescription(DWORD error);

}  // namespace gleaner::win32
