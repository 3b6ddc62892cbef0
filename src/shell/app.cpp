#include "shell/app.h"

#include "capture/clipboard_access.h"
#include "resources/texts.h"
#include "settings/conf_file.h"
#include "settings/gleaner_ini.h"
#include "settings/settings_defaults.h"
#include "settings/settings_dialog.h"
#include "shell/menus.h"
#include "shell/version.h"
#include "text/text_statistics.h"

namespace gleaner {
namespace {

constexpr int kTimerEndMs = 10;
constexpr int kGoingToTrayMs = 1500;
constexpr int kEndingMs = 1000;
constexpr int kRestoredMs = 2500;
// The notices after the settings dialog are shorter: the user is at it.
constexpr int kSettingsToTrayMs = 1000;
constexpr int kSettingsEndingMs = 500;

std::u16string TrayNotice(const VersionInfo& version, Language language) {
    return AppTitle(version, language) + u"\r\n\r\n" + texts::kGoingToTray.In(language);
}

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

App::App(Services& services, ProgramWindows& windows, ProgramState& state)
    : services_(services),
      windows_(windows),
      state_(state),
      desktop_{services.clipboard, services.events, services.timers},
      tray_(services.tray, services.timers) {}

App::~App() = default;

// Any doubt counts as another copy running: a copy started elevated hides
// its name from an ordinary start, and two copies would both collect and
// both write Conf.txt.
bool App::ClaimSingleInstance(const std::u16string& exeName) {
    const Program::InstanceClaim claim = services_.program.ClaimInstance(InstanceName(exeName));
    if (claim.result == Program::Claim::Taken) return true;
    services_.messages.Show(Fill(Say(texts::kAlreadyRunning), {exeName}), Say(texts::kAlreadyRunningTitle),
                            MessageButtons::Ok);
    return false;
}

void App::CreateParts() {
    TextBox& box = main_->Collection();
    popup_ = std::make_unique<CountPopupPresenter>(state_, services_.screen, windows_.Popup(*this), [this] {
        tray_.UpdateTrayIcon(*main_, NotifyCommand::Modify);
    });
    keeper_ = std::make_unique<CollectionKeeper>(services_.files, services_.protection, services_.timers, box, state_,
                                                 KeptCollectionPath(services_.program.LocalDataFolder()),
                                                 state_.Ini.keepCollection);
    capture_ = std::make_unique<CaptureContext>(CaptureContext{desktop_, box, state_, popup_.get(), keeper_.get()});
    listener_ = std::make_unique<ClipboardListener>(services_.watch, services_.timers, *capture_);
    listener_->SetIgnoredPrograms(state_.Ini.ignoredPrograms);
    hotkeys_ = std::make_unique<Hotkeys>(state_, services_.keyboard, main_->Id());
    paste_ = std::make_unique<PasteSession>(*capture_, *listener_, *hotkeys_, services_.keyboard, services_.windows);
}

bool App::Start() {
    SettingsRecord& settings = state_.Settings;
    // A second copy says so and ends before it creates any window.
    const std::u16string path = services_.program.ExecutablePath();
    const std::u16string exeName = ExecutableName(path);
    folder_ = ProgramFolder(path);
    // Even the box that says another copy runs speaks the user's language.
    state_.Ini = LoadIni(services_.files, folder_);
    state_.DisplayLanguage = ChooseLanguage(state_.Ini.language, services_.program.UiLanguage());
    state_.HighContrast = services_.screen.HighContrast();
    if (!ClaimSingleInstance(exeName)) return false;

    main_ = windows_.CreateMainWindow(*this);
    if (!main_) return false;
    DressMainWindow(exeName);
    CreateParts();

    const TwipsRect designed = main_->Frame().Bounds();
    LoadDefaults(settings, services_.screen.Size(), {designed.width, designed.height});
    LoadConf(settings, services_.files, folder_, main_->Frame());
    main_->SetTitle(Title());
    state_.LastCapturedText.clear();
    const bool restored = RestoreKeptCollection();
    // Back after a restart for updates, with the collection; the installer's
    // start at sign-in would make it two.
    if (!services_.program.StartsAtSignIn()) services_.program.RequestRestart();

    // In tray mode the main window stays hidden behind the icon.
    if (settings.taskTray == 1) {
        ShowSplashMessage(settings, windows_.Splash(), TrayNotice(state_.ProgramVersion, Language()), kGoingToTrayMs);
        tray_.UpdateTrayIcon(*main_, NotifyCommand::Add);
    }

    listener_->Start(main_->Id());
    const auto taken = hotkeys_->RegisterHotKeys();
    if (settings.taskTray != 1) ShowMainWindow();
    if (restored && settings.taskTray == 1) popup_->PresentCountPopup(settings.dispPos, &main_->Collection(), u"");
    ReportTakenHotKeys(taken);
    return true;
}

// What a crash or the end of the Windows session left behind comes back as
// it was, and the user is told once, whatever the notices' setting.
bool App::RestoreKeptCollection() {
    const auto kept = keeper_->Restore();
    if (!kept) return false;
    ShowCollection(main_->Collection(), kept->collection);
    state_.LastCapturedText = kept->lastText;
    windows_.Splash().Show(EncodeSplashMessage(Say(texts::kRestored), kRestoredMs));
    return true;
}

// The window as it first is: the introduction in the box, the title, the
// menus with the version in the tray menu's.
void App::DressMainWindow(const std::u16string& exeName) {
    TextBox& box = main_->Collection();
    box.SetTag(texts::kTagInit);
    box.SetTextPaint(Paint::Introduction);
    main_->MakeTopmost();
    state_.MainWindowHandle = main_->Id();
    versionCaption_ = VersionMenuCaption(exeName, state_.ProgramVersion);
    Retext();
}

// Every text shown, in the language now chosen and with the state of the
// pause: the caption (the tray icon's tip too), both menus, the
// introduction while nothing is collected.
void App::Retext() {
    main_->SetTitle(Title());
    const MenuState menus{Language(), state_.Ini.language, state_.CollectingPaused};
    main_->SetMenus(MenuBar(menus), TrayMenu(versionCaption_, menus));
    TextBox& box = main_->Collection();
    if (box.Tag() == texts::kTagInit) box.SetText(Say(texts::kIntroduction));
    tray_.Renew(*main_);
}

// The choice holds at once and is kept for the next start; a settings file
// that cannot be written leaves it for this run only. An open balloon
// closes: it comes back in the new language with the next copy.
void App::SetLanguageChoice(LanguageChoice choice) {
    state_.Ini.language = choice;
    SaveIni(services_.files, folder_, state_.Ini);
    state_.DisplayLanguage = gleaner::ChooseLanguage(choice, services_.program.UiLanguage());
    if (windows_.Popup(*this).IsOpen()) windows_.Popup(*this).Unload();
    Retext();
}

std::u16string App::Title() const {
    std::u16string title = AppTitle(state_.ProgramVersion, Language());
    if (state_.CollectingPaused) title += Say(texts::kPausedSuffix);
    return title;
}

// 一時停止 stops watching the clipboard: what was read before still joins
// the collection, nothing after is even read. Resuming leaves out what the
// clipboard held meanwhile, and the next copy is collected even when it
// repeats the last one: the user copied it again on purpose.
void App::TogglePause() {
    state_.CollectingPaused = !state_.CollectingPaused;
    if (state_.CollectingPaused) {
        listener_->CatchUp();
        listener_->Stop();
    } else {
        state_.LastCapturedText.clear();
        listener_->Start(main_->Id());
    }
    tray_.SetPaused(state_.CollectingPaused);
    Retext();
}

// The list holds from the next copy on. Kept for the next start too; when
// the settings file cannot be written the user must know: the programs
// would be read again after a restart.
void App::OnProgramListChosen(const std::vector<std::u16string>& programs) {
    state_.Ini.ignoredPrograms = programs;
    listener_->SetIgnoredPrograms(programs);
    if (SaveIni(services_.files, folder_, state_.Ini)) return;
    state_.Prompts.Tell(PromptKind::SettingsNotSaved, Say(texts::kIgnoredProgramsNotSaved),
                        Say(texts::kIgnoredProgramsTitle), services_.timers);
}

void App::ShowMainWindow() {
    main_->Show();
    // Again once shown: some window managers only take it from a mapped window.
    main_->MakeTopmost();
}

// Window mode from now on, and at the next start.
void App::LeaveTray() {
    tray_.DeleteTrayIcon();
    state_.Settings.taskTray = 0;
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
    for (const auto& name : taken) names += (names.empty() ? u"" : Say(texts::kHotKeyListJoin)) + name;
    state_.Prompts.Tell(PromptKind::HotKeyTaken, Fill(Say(texts::kHotKeyTaken), {names}),
                        Say(texts::kHotKeyTakenTitle), services_.timers);
}

void App::OnClipboardUpdate() {
    if (listener_) listener_->OnChangesQueued();
}

void App::OnHotKey(std::uintptr_t id) {
    if (!hotkeys_) return;
    switch (hotkeys_->Identify(id)) {
    case Hotkeys::Pressed::Paste:
        paste_->Request();
        break;
    case Hotkeys::Pressed::Popup:
        CollectClipboardText(*capture_, u"", state_.Settings.dispPos);
        break;
    case Hotkeys::Pressed::None:
        break;
    }
}

void App::OnTimer(TimerId timer) {
    if (!main_) return;
    switch (timer) {
    case TimerId::HotKey:
        paste_->OnTimer();
        break;
    case TimerId::TrayRetry:
        tray_.OnRetryTimer();
        break;
    case TimerId::Batch:
        listener_->OnBatchTimer();
        break;
    case TimerId::Prompt:
        state_.Prompts.ShowNext(services_.messages, services_.timers);
        break;
    case TimerId::ClearRetry:
        OnClearRetry(*capture_);
        break;
    case TimerId::Keep:
        keeper_->OnTimer();
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
        OnClearLabel();
        break;
    case MenuCommand::ShowPopup:
        CollectClipboardText(*capture_, u"", state_.Settings.dispPos);
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
        ShowSplashMessage(state_.Settings, windows_.Splash(), Say(texts::kEnding), kEndingMs);
        OnClose();
        break;
    case MenuCommand::End:
        OnClose();
        break;
    case MenuCommand::Pause:
        TogglePause();
        break;
    case MenuCommand::Undo:
        listener_->CatchUp();
        UndoEmptying(*capture_);
        break;
    case MenuCommand::IgnoredPrograms:
        windows_.ProgramList(*this).Open(state_.Ini.ignoredPrograms, Language());
        break;
    default:
        if (const auto choice = LanguageCommandChoice(command)) SetLanguageChoice(*choice);
        break;
    }
}

// A click (NIN_SELECT) does nothing of its own: the double click that may
// follow opens the settings, as Enter or Space does. The shell may tell one
// Enter twice; the second finds the dialog open and only brings it forward.
void App::OnTrayIcon(std::uint16_t event, Point at) {
    if (!main_) return;
    if (event == kTrayLeftDoubleClick || event == kTrayKeySelect) OpenSettings();
    if (event != kTrayContextMenu) return;
    const auto chosen = main_->ShowTrayMenu(at);
    if (!chosen) return;
    OnMenu(*chosen);
    // The window is hidden while the icon is there, and must not keep the
    // keyboard: what the user typed next would go into the collection.
    if (main_->HoldsKeyboard()) tray_.GiveFocusBack();
}

// The settings command: the dialog opens with the icon gone, the main
// window disabled and the hotkeys off; the program goes on meanwhile.
void App::OpenSettings() {
    SettingsDialogView& dialog = windows_.SettingsWindow();
    if (dialog.IsOpen()) {
        dialog.BringToFront();
        return;
    }
    tray_.DeleteTrayIcon();
    const bool opened = dialog.Open(Title());
    main_->Enable(false);
    settingsHold_.emplace(hotkeys_->HoldOff());
    // A dialog that could not be made counts as closed with its close box.
    if (!opened) OnSettingsClosed();
}

// Once the dialog is gone: the new keys are registered and its close
// action applied, unless the program began to end meanwhile.
void App::OnSettingsClosed() {
    if (closing_ || !settingsHold_ || windows_.SettingsWindow().IsOpen()) return;
    // The balloon and the legend close with the dialog.
    windows_.Popup(*this).Unload();
    windows_.Help().ShowHelp(false);
    const auto taken = settingsHold_->Release();
    settingsHold_.reset();
    main_->Enable(true);
    const CloseAction action = AfterSettings();
    if (action != CloseAction::End) ReportTakenHotKeys(taken);
}

// A confirmation leaves the mode its tray box chose; the close box leaves
// the mode the program was in, which "task tray" still tells, whatever an
// earlier confirmation left behind.
CloseAction App::AfterSettings() {
    if (state_.SettingsCloseAction == CloseAction::End) {
        ShowSplashMessage(state_.Settings, windows_.Splash(), Say(texts::kEnding), kSettingsEndingMs);
        tray_.DeleteTrayIcon();
        OnClose();
        return CloseAction::End;
    }
    if (state_.Settings.taskTray != 1) {
        tray_.DeleteTrayIcon();
        ShowMainWindow();
        return CloseAction::ShowWindow;
    }
    const bool wasShown = main_->IsVisible();
    main_->Hide();
    if (wasShown)
        ShowSplashMessage(state_.Settings, windows_.Splash(), TrayNotice(state_.ProgramVersion, Language()),
                          kSettingsToTrayMs);
    tray_.UpdateTrayIcon(*main_, NotifyCommand::Add);
    return CloseAction::Tray;
}

void App::OnTaskbarCreated() { tray_.OnTaskbarCreated(); }

void App::OnSystemSettingChange() { state_.HighContrast = services_.screen.HighContrast(); }

// クリア empties all that was copied before it, shown yet or not.
void App::OnClearLabel() {
    if (!capture_) return;
    listener_->CatchUp();
    ClearCollection(*capture_);
}

// The user guide ships beside the executable; without it there is nothing
// to open and, as for any failed open, nothing to say.
void App::OpenGuide() {
    const std::u16string guide = PathIn(folder_, Say(texts::kGuideFileName));
    if (services_.files.Exists(guide)) services_.shell.Open(guide);
}

void App::OnClose() { Shutdown(false); }

void App::OnSessionEnd() { Shutdown(true); }

// The close is always allowed, at any moment, and waits on nothing: the
// settings are written first, then the collection is kept (at the end of
// the session, whatever waits included) or its file removed (the user
// ended the program), an open box closes unanswered and those waiting are
// dropped, a paste under way ends with the user's clipboard given back,
// the listener is removed, and the process ends on the next tick of
// Timer_End, the only timer left. At the end of the session the process
// may be gone as soon as this returns.
void App::Shutdown(bool sessionEnd) {
    if (closing_ || !main_) return;
    closing_ = true;
    SaveConf(state_.Settings, services_.files, folder_, main_->Frame());
    if (sessionEnd) listener_->CatchUp();
    keeper_->Finish(sessionEnd);
    state_.Prompts.End(services_.messages, services_.timers);
    hotkeys_->End();
    StopClearingClipboard(*capture_);
    listener_->CatchUp();
    paste_->Abort();
    // The icon never outlives the program, however it is closed.
    tray_.DeleteTrayIcon();
    // Each step below runs whatever became of the one before.
    listener_->Stop();
    main_->Hide();
    services_.timers.Start(TimerId::End, kTimerEndMs);
    windows_.Popup(*this).Unload();
    windows_.Help().ShowHelp(false);
    settingsHold_.reset();
    // Unloaded without storing.
    if (windows_.SettingsWindow().IsOpen()) windows_.SettingsWindow().Unload();
}

}  // namespace gleaner
