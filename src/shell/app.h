// The composition root: owns the program's parts, runs the start-up and the
// shutdown in their fixed order, and hands each window event to the part
// that handles it.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "capture/capture_handler.h"
#include "capture/clipboard_listener.h"
#include "capture/kept_collection.h"
#include "hotkeys/hotkeys.h"
#include "hotkeys/paste_session.h"
#include "platform/files.h"
#include "platform/program.h"
#include "popup/count_popup.h"
#include "settings/program_list_dialog.h"
#include "settings/settings_dialog.h"
#include "shell/help_layout.h"
#include "shell/main_window.h"
#include "shell/splash_layout.h"
#include "shell/tray_icon.h"
#include "state/program_state.h"

namespace gleaner {

// Every service of the window system the program uses.
struct Services {
    Clipboard& clipboard;
    EventLoop& events;
    MessageBoxes& messages;
    Keyboard& keyboard;
    Timers& timers;
    Windows& windows;
    FileStore& files;
    ClipboardWatch& watch;
    Screen& screen;
    Program& program;
    NotificationArea& tray;
    Shell& shell;
    DataProtection& protection;
};

// The program's windows, created when first needed.
class ProgramWindows {
public:
    virtual ~ProgramWindows() = default;
    // nullptr when the window could not be created.
    virtual MainWindowView* CreateMainWindow(MainWindowEvents& events) = 0;
    virtual SplashView& Splash() = 0;
    virtual HelpView& Help() = 0;
    virtual BalloonView& Popup(BalloonEvents& events) = 0;
    virtual SettingsDialogView& SettingsWindow() = 0;
    virtual ProgramListView& ProgramList(ProgramListEvents& events) = 0;
};

// The executable's folder (without a trailing backslash) and its name
// without folder and extension.
std::u16string ProgramFolder(const std::u16string& executablePath);
std::u16string ExecutableName(const std::u16string& executablePath);
// The session-wide name that only one running copy of an executable holds.
std::u16string InstanceName(const std::u16string& executableName);

class App : public MainWindowEvents, public BalloonEvents, public ProgramListEvents {
public:
    // The state is the program's one shared state object; it outlives the App.
    App(Services& services, ProgramWindows& windows, ProgramState& state);
    ~App() override;

    // The whole start-up. False when the program must end at once: another
    // copy runs already (or that cannot be told), or the main window could
    // not be made.
    bool Start();

    void OnClipboardUpdate() override;
    void OnHotKey(std::uintptr_t id) override;
    void OnTimer(TimerId timer) override;
    void OnMenu(MenuCommand command) override;
    void OnClose() override;
    void OnSessionEnd() override;
    void OnTrayIcon(std::uint16_t event, Point at) override;
    void OnTaskbarCreated() override;
    void OnSystemSettingChange() override;
    void OnSettingsClosed() override;
    void OnClearLabel() override;
    void OnProgramListChosen(const std::vector<std::u16string>& programs) override;

private:
    bool ClaimSingleInstance(const std::u16string& exeName);
    void CreateParts();
    void DressMainWindow(const std::u16string& exeName);
    void Retext();
    void SetLanguageChoice(LanguageChoice choice);
    void TogglePause();
    // True when the collection came back from its file.
    bool RestoreKeptCollection();
    void Undo();
    // sessionEnd: Windows ends the session and the collection is kept;
    // otherwise the user ended the program and it is not.
    void Shutdown(bool sessionEnd);
    gleaner::Language Language() const { return state_.DisplayLanguage; }
    const char16_t* Say(const Text& text) const { return text.In(state_.DisplayLanguage); }
    std::u16string Title() const;
    void ShowMainWindow();
    void LeaveTray();
    void ReportTakenHotKeys(const std::vector<std::u16string>& taken);
    void OpenGuide();
    void OpenSettings();
    // Applies the dialog's close action and says which it was.
    CloseAction AfterSettings();

    Services& services_;
    ProgramWindows& windows_;
    ProgramState& state_;
    Desktop desktop_;
    std::u16string folder_;
    std::u16string versionCaption_;
    MainWindowView* main_ = nullptr;
    std::unique_ptr<CountPopupPresenter> popup_;
    std::unique_ptr<CaptureContext> capture_;
    std::unique_ptr<ClipboardListener> listener_;
    std::unique_ptr<CollectionKeeper> keeper_;
    std::unique_ptr<Hotkeys> hotkeys_;
    std::unique_ptr<PasteSession> paste_;
    TrayIcon tray_;
    // The hotkeys rest while the settings dialog is open.
    std::optional<Hotkeys::Hold> settingsHold_;
    bool closing_ = false;
};

}  // namespace gleaner
