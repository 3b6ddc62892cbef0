// The one window base: each program window derives from it, registers its
// class through it, and gets its messages routed to small named handlers.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>

#include "platform/colours.h"
#include "platform/dpi_scale.h"
#include "platform/geometry.h"
#include "platform/handles_win32.h"

namespace gleaner::win32 {

// The density of the monitor the window is on.
DpiScale WindowScale(HWND window);
inline COLORREF ColourOf(Paint paint, bool highContrast) {
    const ColourChoice choice = ChooseColour(paint, highContrast);
    return choice.system ? GetSysColor(static_cast<int>(*choice.system)) : choice.own;
}
// The system's own brush for a colour of the system; else one made, which
// `owned` keeps.
inline HBRUSH BrushOf(Paint paint, bool highContrast, UniqueGdiObject& owned) {
    const ColourChoice choice = ChooseColour(paint, highContrast);
    if (choice.system) return GetSysColorBrush(static_cast<int>(*choice.system));
    owned.Reset(CreateSolidBrush(choice.own));
    return static_cast<HBRUSH>(owned.Get());
}
// Moves and sizes a child window to a rectangle of its parent's client area.
inline void Place(HWND control, const Rect& r) { MoveWindow(control, r.left, r.top, r.Width(), r.Height(), TRUE); }

struct WindowClass {
    const wchar_t* name = L"";
    HICON icon = nullptr;
    HBRUSH background = nullptr;
    UINT style = 0;
};

struct WindowShape {
    DWORD style = WS_OVERLAPPEDWINDOW;
    DWORD exStyle = 0;
    RECT bounds{CW_USEDEFAULT, CW_USEDEFAULT, 0, 0};  // left, top, width, height
    HWND parent = nullptr;
    HMENU menu = nullptr;
};

// The thread's message loop, until the quit comes; its exit code.
int RunMessageLoop();

class Window {
public:
    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }
    void Destroy();

    // Messages whose handler threw, since the program started: a handler
    // must never unwind into the system's code.
    static int FailedMessages();

protected:
    bool Create(const WindowClass& windowClass, const wchar_t* title, const WindowShape& shape);

    virtual void OnSize(int /*width*/, int /*height*/) {}
    virtual void OnPaint(HDC /*dc*/) {}
    // True when the command was ours.
    virtual bool OnCommand(WORD /*id*/, WORD /*code*/, HWND /*control*/) { return false; }
    virtual void OnTimer(UINT_PTR /*id*/) {}
    // True when handled: the system's default (the focus to the window
    // itself) is then left out.
    virtual bool OnActivate(bool /*active*/) { return false; }
    virtual void OnHotKey(WPARAM /*id*/) {}
    virtual void OnClipboardUpdate() {}
    // The monitor's density changed or the window moved to another monitor:
    // by default it goes where the system suggests, at the size it suggests.
    // A window first puts its fonts and layout at the new density.
    virtual void OnDensityChange(DpiScale scale, const RECT& suggested);
    // A child control about to draw: the brush for its background, or
    // nullptr for the system's colours.
    virtual HBRUSH OnControlColour(HDC /*dc*/, HWND /*control*/) { return nullptr; }
    // True when handled; otherwise the window is destroyed.
    virtual bool OnClose() { return false; }
    virtual void OnDestroy() {}
    // Every other message; nullopt leaves it to the system's default.
    virtual std::optional<LRESULT> OnMessage(UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
        return std::nullopt;
    }

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT Route(UINT message, WPARAM wParam, LPARAM lParam);
    // The notices the named handlers take; nullopt for the rest.
    std::optional<LRESULT> RouteNotice(UINT message, WPARAM wParam, LPARAM lParam);

    HWND hwnd_ = nullptr;
};

// Sees a control's messages before the control does (the control keeps its
// own procedure for everything the handler leaves alone).
class Subclass {
public:
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    Subclass() = default;
    ~Subclass();
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    bool Attach(HWND control, Handler handler);
    void Detach();

private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR data) noexcept;

    UINT_PTR Id() const { return reinterpret_cast<UINT_PTR>(this); }

    HWND control_ = nullptr;
    Handler handler_;
};

}  // namespace gleaner::win32
