// The ignored programs' dialog: a note, one edit box with a name a line, OK
// and Cancel. It does not hold the program up: copies go on being collected
// while it is open, and the list holds from OK on.
#pragma once

#include <windows.h>

#include "platform/window_win32.h"
#include "settings/program_list_dialog.h"

namespace gleaner::win32 {

inline constexpr wchar_t kProgramListWindowClass[] = L"GleanerProgramListWindow";

class ProgramListDialog : public Window, public ProgramListView {
public:
    explicit ProgramListDialog(ProgramListEvents& events) : events_(events) {}
    bool Open(const std::vector<std::u16string>& programs, Language language) override;
    bool IsOpen() const override { return Handle() != nullptr; }
    void Close() override { Destroy(); }

private:
    void Arrange();
    bool OnCommand(WORD id, WORD code, HWND control) override;
    void OnDensityChange(DpiScale scale, const RECT& suggested) override;
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    ProgramListEvents& events_;
    Language language_ = Language::Japanese;
    DpiScale scale_;
    HWND note_ = nullptr;  // children: the window owns them
    HWND edit_ = nullptr;
    HWND ok_ = nullptr;
    HWND cancel_ = nullptr;
    Subclass editKeys_;
};

}  // namespace gleaner::win32
