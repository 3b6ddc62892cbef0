// frmHelp: the legend of the count abbreviations, a borderless note at the
// pointer that the user can drag by its text.
#pragma once

#include <windows.h>

#include "platform/window_win32.h"
#include "shell/help_layout.h"

namespace gleaner::win32 {

inline constexpr wchar_t kHelpWindowClass[] = L"GleanerHelpWindow";

class HelpWindow : public Window, public HelpView {
public:
    explicit HelpWindow(const ProgramState& state) : state_(state) {}
    void ShowHelp(bool show) override;

private:
    bool Load();
    void Arrange(const HelpLayout& layout, DpiScale scale);
    void DrawCloseButton(const DRAWITEMSTRUCT& item);

    bool OnCommand(WORD id, WORD code, HWND control) override;
    HBRUSH OnControlColour(HDC dc, HWND control) override;
    void OnDensityChange(DpiScale scale, const RECT& suggested) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    const ProgramState& state_;
    HWND label_ = nullptr;  // children: the window owns them
    HWND close_ = nullptr;
    HBRUSH background_ = nullptr;  // the system's, or ownBackground_
    UniqueGdiObject ownBackground_;
    bool highContrast_ = false;
    DpiScale scale_;
    Subclass labelHook_;
};

}  // namespace gleaner::win32
