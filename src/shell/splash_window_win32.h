// frmSplash: a borderless always-on-top notice that shrinks away.
#pragma once

#include <windows.h>

#include "platform/window_win32.h"
#include "shell/splash_layout.h"
#include "state/program_state.h"

namespace gleaner::win32 {

inline constexpr wchar_t kSplashWindowClass[] = L"GleanerSplashWindow";

class SplashWindow : public Window, public SplashView {
public:
    explicit SplashWindow(const ProgramState& state) : state_(state) {}
    // Shows the pending message, runs its time, shrinks away; never waits.
    void Show(const std::u16string& pendingMessage) override;
    bool Showing() const override { return Handle() != nullptr; }

private:
    bool Load(const std::u16string& pendingMessage);
    bool CreateAtPointer();
    void OnPaint(HDC dc) override;
    void OnTimer(UINT_PTR id) override;
    void OnDensityChange(DpiScale scale, const RECT& suggested) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const ProgramState& state_;
    SplashLayout layout_;
    std::u16string text_;
    // The frames of the shrink still to show, one a tick.
    std::vector<TwipsRect> frames_;
};

}  // namespace gleaner::win32
