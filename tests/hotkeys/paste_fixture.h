// A desktop of fakes with the main window's collection, hotkeys and polling.
#pragma once

#include <gtest/gtest.h>

#include "support/fake_desktop.h"

#include "support/program_state.h"

#include "hotkeys/hotkeys.h"
#include "hotkeys/keyboard_polling.h"
#include "hotkeys/paste_state.h"
#include "platform/fake_platform.h"
#include "settings/settings_record.h"
#include "shell/main_window_state.h"

namespace gleaner {

constexpr WindowId kMainWindow = 0x100;
constexpr WindowId kEditorWindow = 0x300;
constexpr std::uint32_t kDibFormat = 8;

class PasteFixture : public testing::Test, protected testing_support::FakeDesktop {
protected:
    PasteFixture() {
        testing_support::ResetProgramState();
        MainWindowHandle = kMainWindow;
        windows.foreground = kEditorWindow;
        box.SetTag(u"Init");
        box.SetText(u"introduction");
    }
    ~PasteFixture() override { UnregisterHotKeys(hotkeys); }

    // The user copies in the editor.
    void Copy(const std::u16string& text) {
        clipboard.Put(text);
        CollectClipboardText(capture, text, Settings.dispPos);
    }
    int HotkeyId(std::uint32_t modifiers) const {
        for (const auto& [id, hotkey] : keyboard.registered)
            if (hotkey.modifiers == modifiers) return id;
        return -1;
    }
    // The user presses the paste hotkey; the paste runs on the next tick.
    void PressPasteHotkey() {
        HotKeyWindowProc(hotkeys, static_cast<std::uintptr_t>(HotkeyId(kModControl)));
        if (timers.IsRunning(TimerId::HotKey)) RunPasteOperation(hotkeys);
    }
    // Timer_Key ticks inside the paste's waits, as window messages do.
    void KeepPolling() {
        events.onPump = [this] { OnKeyTimerTick(polling); };
    }

    fake::FakeTextBox box;
    CaptureContext capture{desktop, box};
    fake::FakeKeyboard keyboard;
    fake::FakeTimers timers;
    fake::FakeWindows windows;
    HotkeyContext hotkeys{capture, keyboard, timers, kMainWindow};
    PollingContext polling{capture, keyboard, windows};
};

}  // namespace gleaner
