// frmPopup: the borderless balloon in the tooltip colour that shows the
// collection, counts down and closes itself.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/text_box_win32.h"
#include "platform/tooltip_win32.h"
#include "popup/count_popup.h"
#include "popup/countdown.h"

namespace gleaner::win32 {

inline constexpr wchar_t kPopupWindowClass[] = L"GleanerPopupWindow";

class BalloonWindow : public Window, public BalloonView {
public:
    BalloonWindow(ProgramState& state, HelpView& help, BalloonEvents& events)
        : state_(state), help_(help), events_(events) {}

    bool Load() override;
    bool IsOpen() const override { return Handle() != nullptr; }
    WindowId Id() const override { return ToWindowId(Handle()); }
    void Arrange(const BalloonLayout& layout) override;
    TextBox& Text() override { return *box_; }
    void RestartCountdown() override;
    void ShowWithoutActivating() override;
    void Unload() override { Destroy(); }

private:
    bool CreateControls();
    void ApplyFonts(DpiScale scale);
    void Cut(const BalloonLayout& layout);
    // Shows the countdown's label; restart starts the timer's second anew.
    void ApplyCountdown(bool restart);
    std::optional<LRESULT> OnTextMessage(UINT message, WPARAM key);
    void OnMouseMove(Point point);

    void OnPaint(HDC dc) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    void OnDestroy() override;
    bool OnActivate(bool active) override;
    HBRUSH OnControlColour(HDC dc, HWND control) override;
    // Each presentation lays the balloon out for the monitor it goes to.
    void OnDensityChange(DpiScale, const RECT&) override {}
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ProgramState& state_;
    HelpView& help_;
    BalloonEvents& events_;
    // Children: the window owns them.
    HWND edit_ = nullptr;
    HWND time_ = nullptr;
    HWND clear_ = nullptr;
    HWND close_ = nullptr;
    int fontDpi_ = 0;
    std::unique_ptr<Win32TextBox> box_;
    Subclass textHook_;
    Tooltip tooltip_;
    Countdown countdown_;
    BalloonLayout layout_;
};

}  // namespace gleaner::win32
