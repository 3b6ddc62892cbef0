// frmMain: the always-on-top window whose edit box is the collection.
#pragma once

#include <windows.h>

#include <memory>

#include "capture/capture_handler.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/keyboard_polling.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"

namespace gleaner::win32 {

inline constexpr wchar_t kMainWindowClass[] = L"GleanerMainWindow";
inline constexpr int kCollectionBoxId = 1001;

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline HGDIOBJ NullGdiObject() { return nullptr; }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline HMENU NullMenu() { return nullptr; }
using UniqueGdiObject = UniqueHandle<HGDIOBJ, DeleteGdiObject, NullGdiObject>;
using UniqueMenu = UniqueHandle<HMENU, DestroyMenuHandle, NullMenu>;

class MainWindow {
public:
    // Creates the window hidden, at its designed size, with the introduction.
    static std::unique_ptr<MainWindow> Create(HINSTANCE instance);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    HWND Handle() const { return window_; }
    TextBox& Collection() { return *box_; }
    WindowFrame& Frame() { return *frame_; }
    Desktop& Services() { return *desktop_; }
    CaptureContext& Capture() { return *capture_; }
    TwipsPerPixel Scale() const { return scale_; }

    void SetCaptionAndTag(const std::u16string& title);
    void SetVersionMenuCaption(const std::u16string& caption);
    void MakeTopmost();
    // Starts collecting: joins the viewer chain, then takes its messages.
    void JoinClipboardViewer();
    void RegisterHotKeys();
    // Timer_Key runs for the rest of the program's life.
    void StartKeyPolling();

private:
    MainWindow() = default;
    bool Build(HINSTANCE instance);
    bool CreateFrame(HINSTANCE instance);
    bool CreateCollectionBox(HINSTANCE instance);
    void ConnectServices();
    void BuildMenus();
    void BuildTooltip();

    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Installed in front of WindowProc while the window is a clipboard viewer.
    static LRESULT CALLBACK MainWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    void OnSize();
    LRESULT OnColourEdit(HDC dc);
    void OnCommand(WORD id, WORD code);
    void OnClose();
    void OnTimer(UINT_PTR id);
    void LeaveClipboardViewer();
    void UpdateLengthTooltip();

    HWND window_ = nullptr;  // destroyed through the Timer_End path or by the destructor
    HWND edit_ = nullptr;    // a child: the window owns it
    HWND tooltip_ = nullptr; // owned by the window too
    UniqueGdiObject font_;
    UniqueMenu trayMenu_;
    HMENU versionMenu_ = nullptr;  // part of trayMenu_
    TwipsPerPixel scale_;
    std::u16string tag_;
    std::u16string tooltipText_;
    bool closing_ = false;
    WNDPROC PreviousWindowProc = nullptr;

    std::unique_ptr<Win32Clipboard> clipboard_;
    Win32EventLoop events_;
    std::unique_ptr<Win32MessageBoxes> messages_;
    std::unique_ptr<Desktop> desktop_;
    std::unique_ptr<Win32TextBox> box_;
    std::unique_ptr<Win32WindowFrame> frame_;
    std::unique_ptr<CaptureContext> capture_;
    Win32ViewerChain chain_;
    Win32FileStore files_;
    Win32Keyboard keyboard_;
    Win32Windows windows_;
    std::unique_ptr<Win32Timers> timers_;
    std::unique_ptr<HotkeyContext> hotkeys_;
    std::unique_ptr<PollingContext> polling_;
};

}  // namespace gleaner::win32
