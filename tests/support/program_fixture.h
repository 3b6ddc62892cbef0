// A fresh start of the program's logic on a desktop of fakes: the program's
// state as the start-up leaves it, the services, and the collection box of
// the main window.
#pragma once

#include <gtest/gtest.h>

#include "capture/capture_handler.h"
#include "capture/clipboard_listener.h"
#include "settings/settings_record.h"
#include "state/program_state.h"
#include "support/fake_platform.h"

namespace gleaner::testing_support {

constexpr WindowId kMainWindow = 0x100;
constexpr WindowId kPopupWindow = 0x200;
constexpr WindowId kEditorWindow = 0x300;

class ProgramTest : public testing::Test {
protected:
    ProgramTest() {
        LoadDefaults(state.Settings, {28800, 16200}, {4635, 2370});
        state.MainWindowHandle = kMainWindow;
        windows.foreground = kEditorWindow;
        // The system tells the watcher of every change, ours included.
        clipboard.onChange = [this] { watch.Changed(clipboard, windows.foreground); };
        box.SetTag(u"Init");
        box.SetText(u"introduction");
    }

    // The user copies text in another application.
    void Copy(const std::u16string& text) {
        clipboard.Put(text);
        CollectClipboardText(capture, text, state.Settings.dispPos);
    }

    ProgramState state;
    fake::Journal journal;
    fake::FakeClipboard clipboard;
    fake::FakeTimers timers;
    fake::FakeEventLoop events{timers};
    fake::FakeMessageBoxes messages;
    fake::FakeKeyboard keyboard;
    fake::FakeWindows windows;
    fake::FakeClipboardWatch watch;
    Desktop desktop{clipboard, events, messages};
    fake::FakeTextBox box;
    CaptureContext capture{desktop, box, state, nullptr, false, {}};
};

// Copies come as in the program: the watcher reads each change, the main
// window takes it in at the watcher's word and at each tick of the batch.
class ListeningTest : public ProgramTest {
protected:
    ListeningTest() {
        watch.onQueued = [this] { events.Post([this] { listener.OnChangesQueued(); }); };
        timers.onTick = [this](TimerId) { listener.OnBatchTimer(); };
        listener.Start(kMainWindow);
    }

    // The user copies in a window, another application's unless told; the
    // collection shows it a moment later.
    void Copy(std::optional<std::u16string> text, WindowId window = kEditorWindow) {
        windows.foreground = window;
        clipboard.Put(std::move(text));
        events.RunFor(kBatchTickMs);
    }

    ClipboardListener listener{watch, timers, capture};
};

}  // namespace gleaner::testing_support
