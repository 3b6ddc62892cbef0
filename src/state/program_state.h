// What the program's parts share while it runs: one object, owned by the
// composition root and handed down by reference, so that a test starts from
// a fresh one and no part reaches another through a global.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/window_id.h"
#include "state/prompts.h"
#include "state/settings_record.h"

namespace gleaner {

// What the settings dialog leaves its opener to do once it has closed: show
// the main window, go to the notification area, or end the program.
enum class CloseAction { ShowWindow, Tray, End };

// The executable's version resource, read at start-up.
struct VersionInfo {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t revision = 0;
    std::u16string productName;
    std::u16string companyName;
};

struct ProgramState {
    SettingsRecord Settings;
    IniSettings Ini;
    // The language every window and box speaks, from Ini and Windows.
    Language DisplayLanguage = Language::Japanese;
    VersionInfo ProgramVersion;
    // Windows' high-contrast setting: the system's colours replace the program's.
    bool HighContrast = false;

    // The text of the most recent capture; a repeat of it is dropped.
    std::u16string LastCapturedText;
    // What the last paste or クリア emptied, until 元に戻す puts it back.
    std::optional<std::u16string> EmptiedCollection;
    // The multiple of "limit unit" the collection had reached at the last capture.
    std::int64_t LastLimitStep = 0;
    // True for the whole of a paste: copies made meanwhile wait for its end.
    bool PasteInProgress = false;
    // 一時停止: the clipboard is not watched, so nothing is read. A start
    // always collects.
    bool CollectingPaused = false;
    // Copies read and not yet shown, in the order they came: the next batch,
    // or, while a paste is under way, what joins the collection at its end.
    std::vector<std::u16string> QueuedCopies;
    // クリア's clipboard while it is busy: the attempts left, and the
    // clipboard's change count when クリア was chosen.
    struct Clearing {
        int attemptsLeft = 0;
        std::uint32_t sequence = 0;
    } ClearingClipboard;

    WindowId MainWindowHandle = 0;
    // The balloon while it is shown, else 0.
    WindowId PopupWindowHandle = 0;
    // The settings dialog from its load until it unloads, else 0.
    WindowId SettingsWindowHandle = 0;
    // Set by each confirmation of the dialog; its close box leaves the one before.
    CloseAction SettingsCloseAction = CloseAction::ShowWindow;
    // The boxes asked for and not yet closed.
    PromptQueue Prompts;
};

}  // namespace gleaner
