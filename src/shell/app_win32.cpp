#include "shell/app_win32.h"

#include <memory>

#include "platform/clipboard_watch_win32.h"
#include "platform/clipboard_win32.h"
#include "platform/event_loop_win32.h"
#include "platform/file_store_win32.h"
#include "platform/keyboard_win32.h"
#include "platform/message_boxes_win32.h"
#include "platform/notification_area_win32.h"
#include "platform/program_win32.h"
#include "platform/screen_win32.h"
#include "platform/shell_win32.h"
#include "platform/timers_win32.h"
#include "platform/windows_win32.h"
#include "popup/popup_window_win32.h"
#include "settings/program_list_dialog_win32.h"
#include "settings/settings_dialog_win32.h"
#include "shell/app.h"
#include "shell/help_window_win32.h"
#include "shell/main_window_win32.h"
#include "shell/splash_window_win32.h"
#include "shell/version_win32.h"

namespace gleaner::win32 {
namespace {

class Win32ProgramWindows : public ProgramWindows {
public:
    Win32ProgramWindows(OwnerWindow& owner, TwipsPerPixel scale, ProgramState& state)
        : owner_(owner), scale_(scale), state_(state), settings_(state) {}

    MainWindowView* CreateMainWindow(MainWindowEvents& events) override {
        main_ = MainWindow::Create(events, scale_, state_);
        if (main_) owner_.hwnd = main_->Handle();
        return main_.get();
    }

    SplashView& Splash() override {
        if (!splash_) splash_ = std::make_unique<SplashWindow>(state_);
        return *splash_;
    }

    HelpView& Help() override {
        if (!help_) help_ = std::make_unique<HelpWindow>(state_);
        return *help_;
    }

    SettingsDialogView& SettingsWindow() override { return settings_; }

    ProgramListView& ProgramList(ProgramListEvents& events) override {
        if (!programList_) programList_ = std::make_unique<ProgramListDialog>(events);
        return *programList_;
    }

    BalloonView& Popup(BalloonEvents& events) override {
        if (!popup_) popup_ = std::make_unique<BalloonWindow>(state_, Help(), events);
        return *popup_;
    }

private:
    OwnerWindow& owner_;
    TwipsPerPixel scale_;
    ProgramState& state_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<SplashWindow> splash_;
    std::unique_ptr<HelpWindow> help_;
    std::unique_ptr<BalloonWindow> popup_;
    SettingsDialog settings_;
    std::unique_ptr<ProgramListDialog> programList_;
};

}  // namespace

int RunGleaner() {
    OwnerWindow owner;
    Win32Clipboard clipboard(owner);
    Win32EventLoop events;
    Win32MessageBoxes messages(owner);
    Win32Keyboard keyboard;
    Win32Timers timers(owner);
    Win32Windows windows;
    Win32FileStore files;
    Win32ClipboardWatch watch;
    Win32Screen screen;
    Win32Program program;
    Win32NotificationArea tray;
    Win32Shell shell;
    Win32DataProtection protection;
    Services services{clipboard, events, messages, keyboard, timers, windows, files, watch, screen, program, tray,
                      shell, protection};

    ProgramState state;
    if (auto version = ReadVersionInfo(program.ExecutablePath())) state.ProgramVersion = *version;
    Win32ProgramWindows programWindows(owner, screen.Scale(), state);
    App app(services, programWindows, state);
    if (!app.Start()) return 0;
    return RunMessageLoop();
}

}  // namespace gleaner::win32
