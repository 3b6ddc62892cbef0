#include "shell/app.h"

#include "capture/clipboard_access.h"
#include "hotkeys/paste_state.h"
#include "popup/text_statistics.h"
#include "resources/texts.h"
#include "settings/conf_file.h"
#include "settings/settings_dialog.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"
#include "shell/menus.h"
#include "shell/version.h"

namespace gleaner {
namespace {

constexpr int kTimerEndMs = 10;
constexpr int kGoingToTrayMs = 1500;
constexpr int kEndingMs = 1000;
// The notices after the settings dialog are shorter: the user is at it.
constexpr int kSettingsToTrayMs = 1000;
constexpr int kSettingsEndingMs = 500;

std::u16string TrayNotice() { return AppTitle() + u"\r\n\r\n" + texts::kGoingToTray; }

}  // namespace

std::u16string ProgramFolder(const std::u16string& executablePath) {
    const std::size_t slash = executablePath.find_last_of(u"\\/");
    return slash == std::u16string::npos ? u"." : executablePath.substr(0, slash);
}

std::u16string ExecutableName(const std::u16string& executablePath) {
    std::u16string name = executablePath.substr(executablePath.find_last_of(u"\\/") + 1);
    const std::size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > 0) name.erase(dot);
    return name.empty() ? u"gleaner" : name;
}

std::u16string InstanceName(const std::u16string& executableName) {
    // File names compare without case; the "Local\" namespace prefix must
    // keep its own.
    return u"Local\\gleaner-single-instance-" + FoldAscii(executableName);
}

App::App(Services& services, ProgramWindows& windows)
    : services_(services),
      windows_(windows),
      desktop_{services.clipboard, services.events, services.messages},
      tray_(services.tray) {}

App::~App() = default;

bool App::Start() {
    Settings.limitMax = 65535;
    Settings.limitUnit = 10000;

    // A second copy says so and ends before it creates any window.
    const std::u16string path = services_.program.ExecutablePath();
    const std::u16string exeName = ExecutableName(path);
    if (services_.program.AnotherInstanceHolds(InstanceName(exeName))) {
        services_.messages.Show(texts::kProgramName + (u"(" + exeName) + texts::kAlreadyRunningSuffix,
                                texts::kAlreadyRunningTitle, MessageButtons::Ok);
        return false;
    }

    main_ = windows_.CreateMainWindow(*this);
    if (!main_) return false;
    TextBox& box = main_->Collection();
    box.SetTag(texts::kTagInit);
    box.SetForeColour(kIntroductionColour);
    box.SetText(texts::kIntroduction);
    popup_ = std::make_unique<CountPopupPresenter>(services_.screen, windows_.Popup(*this), [this] {
        tray_.UpdateTrayIcon(*main_, NotifyCommand::Modify);
    });
    capture_ = std::make_unique<CaptureContext>(CaptureContext{desktop_, box, popup_.get()});
    listener_ = std::make_unique<ClipboardListener>(services_.watch, services_.windows, *capture_);
    hotkeys_ = std::make_unique<Hotkeys>(*capture_, services_.keyboard, services_.timers, main_->Id());
    polling_ = std::make_unique<KeyboardPolling>(*capture_, services_.keyboard, services_.windows, services_.timers);

    main_->MakeTopmost();
    main_->SetTitle(AppTitle());
    MainWindowHandle = main_->Id();
    main_->SetVersionCaption(VersionMenuCaption(exeName, ProgramVersion));

    const TwipsRect designed = main_->Frame().Bounds();
    LoadDefaults(Settings, services_.screen.Size(), {designed.width, designed.height});
    folder_ = ProgramFolder(path);
    LoadConf(Settings, services_.files, folder_, main_->Frame());
    main_->SetTitle(AppTitle());
    LastCapturedText.clear();

    // In tray mode the main window stays hidden behind the icon.
    if (Settings.taskTray == 1) {
        ShowSplashMessage(windows_.Splash(), TrayNotice(), kGoingToTrayMs, true);
        tray_.UpdateTrayIcon(*main_, NotifyCommand::Add);
    }

    listener_->Start(main_->Id());
    const auto taken = hotkeys_->RegisterHotKeys();
    polling_->Wake();
    if (Settings.taskTray != 1) ShowMainWindow();
    ReportTakenHotKeys(taken);
    return true;
}

void App::ShowMainWindow() {
    main_->Show();
    // Again once shown: some window managers only take it from a mapped window.
    main_->MakeTopmost();
}

// Window mode from now on, and at the next start.
void App::LeaveTray() {
    tray_.DeleteTrayIcon();
    Settings.taskTray = 0;
    // Without the balloon the popup key has nothing to show: it goes back to
    // the other applications. Mid-paste the hotkeys are off and come back by
    // themselves.
    if (hotkeys_->Registered()) {
        hotkeys_->UnregisterHotKeys();
        hotkeys_->RegisterHotKeys();
    }
    ShowMainWindow();
}

// Otherwise Ctrl+V would simply stop pasting the collection, unexplained.
void App::ReportTakenHotKeys(const std::vector<std::u16string>& taken) {
    if (taken.empty()) return;
    std::u16string names;
    for (const auto& name : taken) names += (names.empty() ? u"" : texts::kHotKeyListJoin) + name;
    services_.messages.Show(names + texts::kHotKeyTakenSuffix, texts::kHotKeyTakenTitle, MessageButtons::Ok);
}

void App::OnClipboardUpdate() {
    if (listener_) listener_->OnClipboardUpdate();
}

void App::OnActivate(bool active) {
    // Ctrl+A in the window needs the keyboard watched while it is in front.
    if (active && polling_) polling_->Wake();
}

void App::OnHotKey(std::uintptr_t id) {
    if (hotkeys_) hotkeys_->HotKeyWindowProc(id);
}

void App::OnTimer(TimerId timer) {
    if (!main_) return;
    switch (timer) {
    case TimerId::Key:
        polling_->OnKeyTimerTick();
        break;
    case TimerId::HotKey:
        // A copy another application made during the paste waited on the
        // clipboard until now.
        if (hotkeys_->RunPasteOperation()) listener_->OnClipboardUpdate();
        if (closeAfterPaste_) OnClose();
        break;
    case TimerId::End:
        // The goodbye notice runs its time before the program ends.
        if (windows_.Splash().Showing()) break;
        services_.timers.Stop(TimerId::End);
        main_->Destroy();
        break;
    }
}

void App::OnMenu(MenuCommand command) {
    if (!main_) return;
    switch (command) {
    case MenuCommand::Disp:
    case MenuCommand::Disp2:
        OpenSettings();
        break;
    case MenuCommand::Clear:
    case MenuCommand::PopupClear:
        ClearCollection(*capture_);
        break;
    case MenuCommand::ShowPopup:
        CollectClipboardText(*capture_, u"", Settings.dispPos);
        break;
    case MenuCommand::TrayOut:
        LeaveTray();
        break;
    case MenuCommand::HelpStr:
        windows_.Help().ShowHelp(true);
        break;
    case MenuCommand::Help:
    case MenuCommand::Help2:
        OpenGuide();
        break;
    case MenuCommand::End2:
        ShowSplashMessage(windows_.Splash(), texts::kEnding, kEndingMs, false);
        OnClose();
        break;
    case MenuCommand::End:
        OnClose();
        break;
    default:
        break;
    }
}

void App::OnTrayIcon(std::uint16_t mouseMessage) {
    if (!main_) return;
    if (mouseMessage == kTrayRightButtonDown) main_->ShowTrayMenu();
    if (mouseMessage == kTrayLeftDoubleClick) OpenSettings();
}

// The settings command: the dialog is shown and waited for with the icon
// gone, the main window disabled and the hotkeys off, then the new keys are
// registered and the dialog's close action is applied.
void App::OpenSettings() {
    SettingsDialogView& dialog = windows_.SettingsWindow();
    // Never a second wait inside the first.
    if (SettingsWindowHandle != 0) {
        dialog.BringToFront();
        return;
    }
    tray_.DeleteTrayIcon();
    // A dialog that could not be made counts as closed with its close box.
    dialog.Open();
    main_->Enable(false);
    hotkeys_->UnregisterHotKeys();
    // Captures, timers and the dialog itself run inside this wait.
    while (SettingsWindowHandle != 0 && services_.events.WaitForMessages()) {
    }
    // The balloon and the legend close with the dialog.
    windows_.Popup(*this).Unload();
    windows_.Help().ShowHelp(false);
    // The program began to end meanwhile (the session ends, say).
    if (closing_) return;
    const auto taken = hotkeys_->RegisterHotKeys();
    main_->Enable(true);
    const CloseAction action = AfterSettings();
    if (action != CloseAction::End) ReportTakenHotKeys(taken);
}

// A confirmation leaves the mode its tray box chose; the close box leaves
// the mode the program was in, which "task tray" still tells, whatever an
// earlier confirmation left behind.
CloseAction App::AfterSettings() {
    if (SettingsCloseAction == CloseAction::End) {
        ShowSplashMessage(windows_.Splash(), texts::kEnding, kSettingsEndingMs, false);
        tray_.DeleteTrayIcon();
        OnClose();
        return CloseAction::End;
    }
    if (Settings.taskTray != 1) {
        tray_.DeleteTrayIcon();
        ShowMainWindow();
        return CloseAction::ShowWindow;
    }
    const bool wasShown = main_->IsVisible();
    main_->Hide();
    if (wasShown) ShowSplashMessage(windows_.Splash(), TrayNotice(), kSettingsToTrayMs, true);
    tray_.UpdateTrayIcon(*main_, NotifyCommand::Add);
    return CloseAction::Tray;
}

void App::OnTaskbarCreated() { tray_.OnTaskbarCreated(); }

void App::OnClearLabel() {
    if (capture_) ClearCollection(*capture_);
}

// The user guide ships beside the executable; without it there is nothing
// to open and, as for any failed open, nothing to say.
void App::OpenGuide() {
    const std::u16string guide = folder_ + u"\\" + texts::kGuideFileName;
    if (services_.files.Exists(guide)) services_.shell.Open(guide);
}

// The close is always allowed: the settings are written, the listener removed,
// and the process ends on the next tick of Timer_End.
void App::OnClose() {
    if (closing_ || !main_) return;
    // A paste under way finishes first, so that the user's clipboard is back
    // before the program ends; one that has not started yet never will.
    if (PasteInProgress) {
        closeAfterPaste_ = true;
        return;
    }
    hotkeys_->CancelPendingPaste();
    closing_ = true;
    // The icon never outlives the program, however it is closed.
    tray_.DeleteTrayIcon();
    hotkeys_->UnregisterHotKeys();
    SaveConf(Settings, services_.files, folder_, main_->Frame());
    // Each step below runs whatever became of the one before.
    listener_->Stop();
    main_->Hide();
    services_.timers.Start(TimerId::End, kTimerEndMs);
    windows_.Popup(*this).Unload();
    windows_.Help().ShowHelp(false);
    // Unloaded without storing; the settings command's wait then ends.
    if (SettingsWindowHandle != 0) windows_.SettingsWindow().Unload();
}

}  // namespace gleaner
