#include "platform/win32_app.h"

#include "capture/capture_handler.h"
#include "platform/win32_main_window.h"
#include "resources/texts.h"
#include "settings/conf_file.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"
#include "shell/menus.h"
#include "shell/version.h"

namespace gleaner::win32 {
namespace {

// Another copy of the same executable already runs in this session. The
// handle stays open (and the name taken) until the process ends.
bool AnotherInstanceIsRunning() {
    // File names compare without case; the "Local\\" namespace prefix must
    // keep its own.
    std::u16string exe = ExecutableName();
    for (char16_t& c : exe)
        if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    const std::u16string name = u"Local\\gleaner-single-instance-" + exe;
    static UniqueKernelHandle mutex;
    mutex.Reset(CreateMutexW(nullptr, FALSE, Wide(name)));
    return mutex.Valid() && GetLastError() == ERROR_ALREADY_EXISTS;
}

void ShowAlreadyRunning() {
    const std::u16string text = std::u16string(texts::kProgramName) + u"(" + ExecutableName() +
                                texts::kAlreadyRunningSuffix;
    MessageBoxW(nullptr, Wide(text), Wide(std::u16string(texts::kAlreadyRunningTitle)), MB_OK | MB_SETFOREGROUND);
}

TwipsSize ScreenTwips(TwipsPerPixel scale) {
    return {GetSystemMetrics(SM_CXSCREEN) * scale.x, GetSystemMetrics(SM_CYSCREEN) * scale.y};
}

}  // namespace

std::u16string ExecutableName() {
    std::u16string path = ExecutablePath();
    if (path.empty()) return u"gleaner";
    const std::size_t slash = path.find_last_of(u"\\/");
    if (slash != std::u16string::npos) path.erase(0, slash + 1);
    const std::size_t dot = path.find_last_of(u'.');
    if (dot != std::u16string::npos && dot > 0) path.erase(dot);
    return path;
}

void ReadProgramVersion() {
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16));  // RT_VERSION
    if (!found) return;
    HGLOBAL loaded = LoadResource(nullptr, found);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return;
    const std::string block(static_cast<const char*>(data), SizeofResource(nullptr, found));
    if (auto version = ParseVersionResource(block)) ProgramVersion = *version;
}

int RunGleaner(HINSTANCE instance) {
    Settings.limitMax = 65535;
    Settings.limitUnit = 10000;
    ReadProgramVersion();

    // A second copy says so and ends before it creates any window.
    if (AnotherInstanceIsRunning()) {
        ShowAlreadyRunning();
        return 0;
    }
    auto window = MainWindow::Create(instance);  // the introduction is in place
    if (!window) return 1;
    window->MakeTopmost();
    window->SetCaptionAndTag(AppTitle());
    MainWindowHandle = ToWindowId(window->Handle());
    window->SetVersionMenuCaption(VersionMenuCaption(ExecutableName(), ProgramVersion));

    const TwipsRect designed = window->Frame().Bounds();
    LoadDefaults(Settings, ScreenTwips(window->Scale()), {designed.width, designed.height});
    Win32FileStore files;
    LoadConf(Settings, files, ProgramFolder(), window->Frame());
    window->SetCaptionAndTag(AppTitle());
    LastCapturedText.clear();

    window->JoinClipboardViewer();
    window->RegisterHotKeys();
    window->StartKeyPolling();
    ShowWindow(window->Handle(), SW_SHOWNORMAL);
    window->MakeTopmost();  // again once shown: some window managers only take it from a mapped window

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}

}  // namespace gleaner::win32
