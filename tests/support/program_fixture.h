// The program's logic on a desktop of fakes. A test of one part takes the
// desktop alone (the services, the state, the main window's collection box)
// and builds the part over it; a test of the whole program takes the program,
// its windows played by fakes, and drives it as the user and the system do.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>

#include "capture/clipboard_listener.h"
#include "settings/settings_defaults.h"
#include "shell/app.h"
#include "shell/menus.h"
#include "state/program_state.h"
#include "support/fake_platform.h"

namespace gleaner::testing_support {

constexpr WindowId kMainWindow = 0x100;
constexpr WindowId kPopupWindow = 0x200;
constexpr WindowId kEditorWindow = 0x300;
constexpr WindowId kSettingsWindow = 0x400;

// The desktop a part runs on, for tests that build the part over it: the
// services, the state and the main window's collection box.
class DesktopTest : public testing::Test {
protected:
    DesktopTest() {
        LoadDefaults(state.Settings, {28800, 16200}, {4635, 2370});
        windows.foreground = kEditorWindow;
        for (auto* fake : {&keyboard.journal, &timers.journal, &files.journal, &watch.journal, &messages.journal,
                           &tray.journal})
            *fake = &journal;
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
    fake::FakeFileStore files;
    fake::FakeScreen screen;
    fake::FakeProgram program;
    fake::FakeNotificationArea tray;
    fake::FakeShell shell;
    fake::FakeDataProtection protection;
    Desktop desktop{clipboard, events, timers};
    fake::FakeTextBox box;
    Services services{clipboard, events, messages, keyboard, timers, windows, files, watch, screen, program, tray,
                      shell, protection};
};

// The main window, which also plays the settings dialog that is modal over it.
struct FakeMainWindow : MainWindowView, SettingsDialogView {
    FakeMainWindow(fake::Journal& journal, ProgramState& state, fake::FakeTextBox& box)
        : journal(journal), state(state), box(box) {}
    WindowId Id() const override { return kMainWindow; }
    TextBox& Collection() override { return box; }
    WindowFrame& Frame() override { return frame; }
    void SetTitle(const std::u16string& text) override { title = text; }
    std::u16string Title() const override { return title; }
    void SetMenus(const std::vector<MenuItem>& bar, const std::vector<MenuItem>& tray) override {
        menuBar = bar;
        trayMenu = tray;
    }
    void MakeTopmost() override { journal.Note("topmost"); }
    void Show() override {
        shown = true;
        journal.Note("window shown");
    }
    void Hide() override { shown = false; }
    bool IsVisible() const override { return shown; }
    void Enable(bool enable) override { journal.Note(enable ? "window enabled" : "window disabled"); }
    std::optional<MenuCommand> ShowTrayMenu(Point at) override {
        menuAt = at;
        journal.Note("tray menu");
        return menuAnswer;
    }
    bool HoldsKeyboard() const override { return holdsKeyboard; }
    void Destroy() override { journal.Note("window destroyed"); }
    bool Open(const std::u16string&) override {
        journal.Note("settings opened");
        return (state.SettingsWindowHandle = kSettingsWindow) != 0;
    }
    void BringToFront() override { journal.Note("settings in front"); }
    bool IsOpen() const override { return state.SettingsWindowHandle != 0; }
    // As the dialog's window does, once it is gone.
    void Unload() override {
        state.SettingsWindowHandle = 0;
        events->OnSettingsClosed();
    }

    fake::Journal& journal;
    ProgramState& state;
    fake::FakeTextBox& box;
    MainWindowEvents* events = nullptr;
    fake::FakeWindowFrame frame;
    std::u16string title;
    std::vector<MenuItem> menuBar, trayMenu;
    bool shown = false, holdsKeyboard = true;
    // What the user does in the tray menu, and where it opened.
    std::optional<MenuCommand> menuAnswer;
    Point menuAt;
};

// The program list dialog: what it shows while it is open.
struct FakeProgramList : ProgramListView {
    bool Open(const std::vector<std::u16string>& programs, Language) override {
        shown = programs;
        return true;
    }
    bool IsOpen() const override { return shown.has_value(); }
    void Close() override { shown.reset(); }
    std::optional<std::vector<std::u16string>> shown;
    ProgramListEvents* events = nullptr;
};

struct FakeProgramWindows : ProgramWindows, SplashView, HelpView, BalloonView {
    FakeProgramWindows(fake::Journal& journal, ProgramState& state, fake::FakeTextBox& box)
        : main(journal, state, box), journal(journal) {}
    MainWindowView* CreateMainWindow(MainWindowEvents& events) override {
        main.events = &events;
        journal.Note("window created");
        return &main;
    }
    SplashView& Splash() override { return *this; }
    void Show(const std::u16string& pending) override { splashes.push_back(DecodeSplashMessage(pending).text); }
    bool Showing() const override { return splashShowing; }
    HelpView& Help() override { return *this; }
    void ShowHelp(bool show) override { helpShown = show; }
    BalloonView& Popup(BalloonEvents&) override { return *this; }
    bool Load() override {
        if (!balloonOpen) balloonBox = {};
        balloonBox.journal = &journal;
        return balloonOpen = true;
    }
    bool IsOpen() const override { return balloonOpen; }
    WindowId Id() const override { return balloonOpen ? kPopupWindow : 0; }
    void Arrange(const BalloonLayout& layout) override { arranged = layout.window; }
    TextBox& Text() override { return balloonBox; }
    void RestartCountdown() override { journal.Note("countdown restarted"); }
    void ShowWithoutActivating() override { journal.Note("balloon shown"); }
    void Unload() override { balloonOpen = false; }
    SettingsDialogView& SettingsWindow() override { return main; }
    ProgramListView& ProgramList(ProgramListEvents& events) override {
        programList.events = &events;
        return programList;
    }

    FakeMainWindow main;
    FakeProgramList programList;
    std::vector<std::u16string> splashes;
    bool splashShowing = false, helpShown = false, balloonOpen = false;
    fake::FakeTextBox balloonBox;
    Rect arranged;
    fake::Journal& journal;
};

// The program has one capture of its own: its tests copy through the
// clipboard as the user does, never beside it.
class ProgramTest : public DesktopTest {
protected:
    ProgramTest() {
        // The system tells the watcher of every change, ours included; the
        // main window's procedure hands timers and clipboard notices on.
        clipboard.onChange = [this] {
            watch.Changed(clipboard, std::set{kMainWindow, kPopupWindow, kSettingsWindow}.contains(windows.foreground));
        };
        timers.onTick = [this](TimerId timer) { app.OnTimer(timer); };
        watch.onQueued = [this] { events.Post([this] { app.OnClipboardUpdate(); }); };
    }
    // The program starts with this Conf.txt beside it.
    void StartProgram(const std::string& conf = "") {
        files.Put(u"C:\\Tools\\Conf.txt", conf);
        ASSERT_TRUE(app.Start());
    }
    // The user copies in a window, another application's unless told; the
    // collection shows it a moment later.
    void Copy(const std::optional<std::u16string>& text, WindowId window = kEditorWindow) {
        windows.foreground = window;
        clipboard.Put(text);
        events.RunFor(kBatchTickMs);
    }
    void PressPasteHotkey() { app.OnHotKey(static_cast<std::uintptr_t>(keyboard.registered.begin()->first)); }
    // The user opens the tray menu and picks the item that reads so (or its
    // submenu's so captioned) as the window shows it, its access key aside.
    void ChooseInTrayMenu(const std::u16string& caption, const std::u16string& submenu = u"") {
        const auto reads = [](const MenuItem& item) { return fake::BeforeAccessKey(item.caption); };
        auto menu = programWindows.main.trayMenu;
        if (!submenu.empty()) menu = std::ranges::find(menu, submenu, reads)->submenu;
        programWindows.main.menuAnswer = std::ranges::find(menu, caption, reads)->command;
        app.OnTrayIcon(kTrayContextMenu, {});
    }
    // True when each entry was noted, first after the one before it.
    bool InOrder(const std::vector<std::string>& entries) const {
        std::vector<int> at;
        for (const auto& entry : entries) at.push_back(journal.IndexOf(entry));
        return at.front() != -1 && std::ranges::adjacent_find(at, std::greater_equal{}) == at.end();
    }

    FakeProgramWindows programWindows{journal, state, box};
    App app{services, programWindows, state};
};

}  // namespace gleaner::testing_support
