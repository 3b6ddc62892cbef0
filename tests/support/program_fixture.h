// A fresh start of the program's logic on a desktop of fakes: the
// process-wide values as the start-up leaves them, the services, and the
// collection box of the main window.
#pragma once

#include <gtest/gtest.h>

#include "capture/capture_handler.h"
#include "capture/clipboard_listener.h"
#include "hotkeys/paste_state.h"
#include "platform/fake_platform.h"
#include "popup/popup_state.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner::testing_support {

constexpr WindowId kMainWindow = 0x100;
constexpr WindowId kPopupWindow = 0x200;
constexpr WindowId kEditorWindow = 0x300;

class ProgramTest : public testing::Test {
protected:
    ProgramTest() {
        Settings = SettingsRecord{};
        LoadDefaults(Settings, {28800, 16200}, {4635, 2370});
        LastCapturedText.clear();
        LastLimitStep = 0;
        PasteInProgress = false;
        PasteDone = 0;
        MainWindowHandle = kMainWindow;
        PopupWindowHandle = 0;
        windows.foreground = kEditorWindow;
        box.SetTag(u"Init");
        box.SetText(u"introduction");
    }

    // The user copies text in another application.
    void Copy(const std::u16string& text) {
        clipboard.Put(text);
        CollectClipboardText(capture, text, Settings.dispPos);
    }

    fake::Journal journal;
    fake::FakeClipboard clipboard;
    fake::FakeEventLoop events;
    fake::FakeMessageBoxes messages;
    fake::FakeKeyboard keyboard;
    fake::FakeTimers timers;
    fake::FakeWindows windows;
    Desktop desktop{clipboard, events, messages};
    fake::FakeTextBox box;
    CaptureContext capture{desktop, box};
};

}  // namespace gleaner::testing_support
