// One owner per Win32 handle and per paired call: small move-only wrappers,
// so that no release is ever written by hand.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

#include "platform/window_id.h"

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
    // Hands the handle to a new owner (the clipboard, a window that frees it).
    Handle Release() { return std::exchange(handle_, Invalid()); }
    void Reset(Handle handle = Invalid()) {
        if (handle_ != Invalid()) Close(handle_);
        handle_ = handle;
    }

private:
    Handle handle_ = Invalid();
};

template <typename T>
constexpr T NullOf() {
    return nullptr;
}
inline HANDLE InvalidFileHandle() { return INVALID_HANDLE_VALUE; }
inline void CloseKernelHandle(HANDLE h) { CloseHandle(h); }
inline void DestroyWindowHandle(HWND h) { DestroyWindow(h); }
inline void FreeGlobal(HGLOBAL h) { GlobalFree(h); }
inline void DeleteGdiObject(HGDIOBJ h) { DeleteObject(h); }
inline void DestroyMenuHandle(HMENU h) { DestroyMenu(h); }
inline void Unhook(HHOOK h) { UnhookWindowsHookEx(h); }
inline void DestroyIconHandle(HICON h) { DestroyIcon(h); }
inline void ReleaseModule(HMODULE h) { FreeLibrary(h); }

using UniqueFile = UniqueHandle<HANDLE, CloseKernelHandle, InvalidFileHandle>;
using UniqueKernelHandle = UniqueHandle<HANDLE, CloseKernelHandle, NullOf<HANDLE>>;
using UniqueWindow = UniqueHandle<HWND, DestroyWindowHandle, NullOf<HWND>>;
using UniqueGlobal = UniqueHandle<HGLOBAL, FreeGlobal, NullOf<HGLOBAL>>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, DeleteGdiObject, NullOf<HGDIOBJ>>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle, NullOf<HMENU>>;
using UniqueHook = UniqueHandle<HHOOK, Unhook, NullOf<HHOOK>>;
using UniqueIcon = UniqueHandle<HICON, DestroyIconHandle, NullOf<HICON>>;
using UniqueModule = UniqueHandle<HMODULE, ReleaseModule, NullOf<HMODULE>>;

// GetDC / ReleaseDC; a null window is the whole screen.
class WindowDc {
public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_) ReleaseDC(window_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintSession {
public:
    explicit PaintSession(HWND window) : window_(window) { dc_ = BeginPaint(window, &paint_); }
    ~PaintSession() { EndPaint(window_, &paint_); }
    PaintSession(const PaintSession&) = delete;
    PaintSession& operator=(const PaintSession&) = delete;
    HDC Get() const { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_ = nullptr;
};

// SelectObject, and the previous object selected again on leaving.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// GlobalLock / GlobalUnlock of a memory block (the clipboard's data).
template <typename T>
class LockedGlobal {
public:
    explicit LockedGlobal(HANDLE block) : block_(block), data_(block ? static_cast<T*>(GlobalLock(block)) : nullptr) {}
    ~LockedGlobal() {
        if (data_) GlobalUnlock(block_);
    }
    LockedGlobal(const LockedGlobal&) = delete;
    LockedGlobal& operator=(const LockedGlobal&) = delete;
    T* Get() const { return data_; }
    std::size_t Bytes() const { return data_ ? GlobalSize(block_) : 0; }

private:
    HANDLE block_;
    T* data_;
};

// wchar_t is 16 bits on Windows: the logic's UTF-16 strings pass straight through.
inline const wchar_t* Wide(const std::u16string& s) { return reinterpret_cast<const wchar_t*>(s.c_str()); }
inline std::u16string FromWide(const wchar_t* s, std::size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(s), length);
}

// A window's id across the seam is its handle.
inline HWND ToHwnd(WindowId id) { return reinterpret_cast<HWND>(id); }
inline WindowId ToWindowId(HWND hwnd) { return reinterpret_cast<WindowId>(hwnd); }

// The window on whose behalf the services act (the clipboard's opener, the
// timers' and message boxes' owner). The program fills it once its main
// window exists; until then boxes have no owner.
struct OwnerWindow {
    HWND hwnd = nullptr;
};

// The system's wording of an error number, without the trailing line break.
std::u16string ErrorDescription(DWORD error);

}  // namespace gleaner::win32
