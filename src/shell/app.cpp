#include "shell/app.h"

#include "capture/clipboard_access.h"
#include "hotkeys/paste_state.h"
#include "popup/text_statistics.h"
#include "resources/texts.h"
#include "settings/conf_file.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"
#include "shell/menus.h"
#include "shell/version.h"

namespace gleaner {
namespace {

constexpr int kTimerEndMs = 10;

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
    : services_(services), windows_(windows), desktop_{services.clipboard, services.events, services.messages} {}

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
    capture_ = std::make_unique<CaptureContext>(CaptureContext{desktop_, box, nullptr});
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

    // Tray mode, when "task tray" asks for it, starts here: the main window
    // then stays hidden behind the notification-area icon.

    listener_->Start(main_->Id());
    hotkeys_->RegisterHotKeys();
    polling_->Wake();
    main_->Show();
    // Again once shown: some window managers only take it from a mapped window.
    main_->MakeTopmost();
    return true;
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
        services_.timers.Stop(TimerId::End);
        main_->Destroy();
        break;
    }
}

void App::OnMenu(MenuCommand command) {
    if (!main_) return;
    switch (command) {
    case MenuCommand::Clear:
    case MenuCommand::PopupClear:
        ClearCollection(*capture_);
        break;
    case MenuCommand::End:
    case MenuCommand::End2:
        OnClose();
        break;
    default:
        break;
    }
}

// The close is always allowed: the settings are written, the chain is left,
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
    hotkeys_->UnregisterHotKeys();
    SaveConf(Settings, services_.files, folder_, main_->Frame());
    // Each step below runs whatever became of the one before.
    listener_->Stop();
    main_->Hide();
    services_.timers.Start(TimerId::End, kTimerEndMs);
    // The popup, help and settings windows, once they exist, are unloaded here.
}

}  // namespace gleaner
