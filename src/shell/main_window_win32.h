// frmMain: the always-on-top window whose edit box is the collection.
#pragma once

#include <windows.h>

#include <memory>

#include "platform/text_box_win32.h"
#include "platform/tooltip_win32.h"
#include "platform/window_frame_win32.h"
#include "shell/main_window.h"

namespace gleaner::win32 {

inline constexpr wchar_t kMainWindowClass[] = L"GleanerMainWindow";
inline constexpr int kCollectionBoxId = 1001;

class MainWindow : public Window, public MainWindowView {
public:
    // The window, hidden, at its designed size; nullptr when it could not be made.
    static std::unique_ptr<MainWindow> Create(MainWindowEvents& events, TwipsPerPixel scale,
                                              const ProgramState& state);

    WindowId Id() const override { return ToWindowId(Handle()); }
    TextBox& Collection() override { return *box_; }
    WindowFrame& Frame() override { return *frame_; }
    void SetTitle(const std::u16string& title) override;
    std::u16string Title() const override { return tag_; }
    void SetMenus(const std::vector<MenuItem>& bar, const std::vector<MenuItem>& trayMenu) override;
    void MakeTopmost() override;
    void Show() override;
    void Hide() override;
    bool IsVisible() const override { return IsWindowVisible(Handle()) != FALSE; }
    void Enable(bool enabled) override { EnableWindow(Handle(), enabled); }
    std::optional<MenuCommand> ShowTrayMenu(Point at) override;
    bool HoldsKeyboard() const override;
    void Destroy() override { Window::Destroy(); }

private:
    MainWindow(MainWindowEvents& events, TwipsPerPixel scale, const ProgramState& state)
        : events_(events), scale_(scale), state_(state) {}
    bool Build();
    bool CreateCollectionBox();
    void ApplyFont(DpiScale scale);
    void UpdateLengthTooltip();

    void OnSize(int width, int height) override;
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnTimer(UINT_PTR id) override;
    void OnHotKey(WPARAM id) override;
    void OnClipboardUpdate() override;
    void OnDensityChange(DpiScale scale, const RECT& suggested) override;
    HBRUSH OnControlColour(HDC dc, HWND control) override;
    bool OnClose() override;
    void OnDestroy() override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    MainWindowEvents& events_;
    TwipsPerPixel scale_;
    const ProgramState& state_;
    HWND edit_ = nullptr;     // a child: the window owns it
    Tooltip tooltip_;
    UniqueMenu trayMenu_;
    UINT taskbarCreated_ = 0;
    std::u16string tag_;
    std::unique_ptr<Win32TextBox> box_;
    std::unique_ptr<Win32WindowFrame> frame_;
    Subclass boxKeys_;
    UniqueGdiObject background_;  // the box's, when it is not the system's
};

}  // namespace gleaner::win32
