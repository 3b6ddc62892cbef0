// frmSplash: a borderless always-on-top notice that shrinks away.
#pragma once

#include <windows.h>

#include "platform/win32_main_window.h"
#include "shell/splash_layout.h"

namespace gleaner::win32 {

inline constexpr wchar_t kSplashWindowClass[] = L"GleanerSplashWindow";

class SplashWindow : public SplashView {
public:
    SplashWindow(HINSTANCE instance, TwipsPerPixel scale) : instance_(instance), scale_(scale) {}
    ~SplashWindow() override;
    SplashWindow(const SplashWindow&) = delete;
    SplashWindow& operator=(const SplashWindow&) = delete;

    // Shows PendingSplashMessage; a modal show returns once the splash is gone.
    void Show(bool modal) override;
    HWND Handle() const { return window_; }

private:
    bool Load();
    void Paint();
    void OnTimer();
    void ShrinkSplash();
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    TwipsPerPixel scale_;
    HWND window_ = nullptr;  // destroys itself after the shrink
    UniqueGdiObject font_;
    std::u16string text_;
};

}  // namespace gleaner::win32
