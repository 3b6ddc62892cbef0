// The process-wide values as a fresh start of the program leaves them.
#pragma once

#include "capture/capture_handler.h"
#include "capture/clipboard_viewer.h"
#include "hotkeys/paste_state.h"
#include "popup/popup_state.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner::testing_support {

// A 1920 x 1080 screen at 15 twips per pixel, and the main window as designed.
constexpr TwipsSize kScreenTwips{28800, 16200};
constexpr TwipsSize kDesignedWindowTwips{4635, 2370};

inline void ResetProgramState() {
    Settings = SettingsRecord{};
    LoadDefaults(Settings, kScreenTwips, kDesignedWindowTwips);
    LastCapturedText.clear();
    LastLimitStep = 0;
    PasteInProgress = false;
    PasteDone = 0;
    MainWindowHandle = 0;
    PopupWindowHandle = 0;
    NextViewerWindow = 0;
}

}  // namespace gleaner::testing_support
