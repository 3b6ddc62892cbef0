#include "shell/app.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/program_fixture.h"

namespace gleaner {
namespace {

// The main window, which also plays the settings dialog that is modal over it.
class FakeMainWindow : public MainWindowView, public SettingsDialogView {
public:
    FakeMainWindow(fake::Journal& journal, ProgramState& state) : journal(journal), state(state) {}
    WindowId Id() const override { return testing_support::kMainWindow; }
    TextBox& Collection() override { return box; }
    WindowFrame& Frame() override { return frame; }
    void SetTitle(const std::u16string& text) override { title = text; }
    std::u16string Title() const override { return title; }
    void SetVersionCaption(const std::u16string&) override {}
    void MakeTopmost() override { journal.Note("topmost"); }
    void Show() override {
        shown = true;
        journal.Note("window shown");
    }
    void Hide() override { shown = false; }
    bool IsVisible() const override { return shown; }
    void Enable(bool enable) override { journal.Note(enable ? "window enabled" : "window disabled"); }
    void ShowTrayMenu() override {}
    void Destroy() override { journal.Note("window destroyed"); }
    bool Open(const std::u16string&) override {
        journal.Note("settings opened");
        return (state.SettingsWindowHandle = 0x400) != 0;
    }
    void BringToFront() override { journal.Note("settings in front"); }
    void Unload() override { state.SettingsWindowHandle = 0; }

    fake::Journal& journal;
    ProgramState& state;
    fake::FakeTextBox box;
    fake::FakeWindowFrame frame{{0, 0, 4635, 2370}};
    std::u16string title;
    bool shown = false;
};

class FakeProgramWindows : public ProgramWindows, public SplashView, public HelpView, public BalloonView {
public:
    FakeProgramWindows(fake::Journal& journal, ProgramState& state) : main(journal, state), journal(journal) {}
    MainWindowView* CreateMainWindow(MainWindowEvents&) override {
        journal.Note("window created");
        return &main;
    }
    SplashView& Splash() override { return *this; }
    void Show(const std::u16string& pending, bool) override {
        journal.Note("splash");
        splashes.push_back(DecodeSplashMessage(pending).text);
        if (whileSplashShows) whileSplashShows();
    }
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
    WindowId Id() const override { return balloonOpen ? testing_support::kPopupWindow : 0; }
    void Arrange(const BalloonLayout&) override {}
    TextBox& Text() override { return balloonBox; }
    void RestartCountdown() override { journal.Note("countdown restarted"); }
    void ShowWithoutActivating() override { journal.Note("balloon shown"); }
    void Unload() override { balloonOpen = false; }
    SettingsDialogView& SettingsWindow() override { return main; }

    FakeMainWindow main;
    std::vector<std::u16string> splashes;
    std::function<void()> whileSplashShows;
    bool splashShowing = false;
    bool helpShown = false;
    fake::FakeTextBox balloonBox;
    bool balloonOpen = false;
    fake::Journal& journal;
};

class AppTest : public testing_support::ProgramTest {
protected:
    AppTest() {
        for (auto* fake : {&keyboard.journal, &timers.journal, &files.journal, &watch.journal, &program.journal,
                           &messages.journal, &tray.journal})
            *fake = &journal;
        files.Put(u"C:\\Tools\\Conf.txt", "form left = 300\r\npaste key = Q\r\n");
        // The main window's procedure hands timers and clipboard notices on.
        timers.onTick = [this](TimerId timer) { app.OnTimer(timer); };
        watch.onQueued = [this] { events.Post([this] { app.OnClipboardUpdate(); }); };
    }
    void PressPasteHotkey() { app.OnHotKey(static_cast<std::uintptr_t>(keyboard.registered.begin()->first)); }
    // True when each entry was noted, first after the one before it.
    bool InOrder(const std::vector<std::string>& entries) const {
        std::vector<int> at;
        for (const auto& entry : entries) at.push_back(journal.IndexOf(entry));
        return at.front() != -1 && std::ranges::adjacent_find(at, std::greater_equal{}) == at.end();
    }

    fake::FakeFileStore files;
    fake::FakeScreen screen;
    fake::FakeProgram program;
    fake::FakeNotificationArea tray;
    fake::FakeShell shell;
    Services services{clipboard, events, messages, keyboard, timers, windows, files, watch, screen, program, tray,
                      shell};
    FakeProgramWindows programWindows{journal, state};
    App app{services, programWindows, state};
};

TEST_F(AppTest, StartsAndEndsInTheirFixedOrderTheEndOnTheNextTickOfTimerEnd) {
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(InOrder({"instance checked", "window created", "topmost", "file read", "listener added",
                         "hotkey registered", "window shown"}));
    EXPECT_EQ(journal.entries.back(), "topmost");  // once more after showing
    EXPECT_EQ(program.claimed, u"Local\\gleaner-single-instance-gleaner");
    FakeMainWindow& main = programWindows.main;
    EXPECT_EQ(main.box.Tag(), u"Init");
    EXPECT_EQ(main.box.ForeColour(), kIntroductionColour);
    EXPECT_EQ(main.title, u"ぐりーなー！ Ver0.00");
    EXPECT_EQ(main.frame.Bounds().left, 300);  // Conf.txt read before the window shows
    EXPECT_EQ(keyboard.registered.begin()->second.virtualKey, static_cast<std::uint32_t>('Q'));

    main.frame.SetBounds({10, 20, 5000, 3000});
    journal.entries.clear();
    PressPasteHotkey();  // asked for but not started when the end comes: it never runs
    app.OnMenu(MenuCommand::End);
    app.OnClose();  // a second request changes nothing
    EXPECT_TRUE(InOrder({"hotkey unregistered", "file written", "listener removed", "timer End started"}));
    EXPECT_EQ(journal.IndexOf("window destroyed"), -1);
    EXPECT_FALSE(main.shown);
    EXPECT_NE(files.Get(u"C:\\Tools\\Conf.txt")->find("form width = 5000\r\n"), std::string::npos);
    EXPECT_EQ(std::count(journal.entries.begin(), journal.entries.end(), "file written"), 1);
    events.RunFor(1000);
    EXPECT_TRUE(InOrder({"timer End stopped", "window destroyed"}));
    EXPECT_TRUE(keyboard.injections.empty());
}

// At rest the program sleeps, its window in front or behind: no timer is
// left running once the start-up or a paste is over.
TEST_F(AppTest, LeavesNoTimerRunningWhileNothingHappens) {
    ASSERT_TRUE(app.Start());
    for (const WindowId front : {testing_support::kMainWindow, testing_support::kEditorWindow}) {
        windows.foreground = front;
        events.RunFor(1000);
        EXPECT_TRUE(timers.running.empty());
    }
    clipboard.Put(u"A");
    app.OnClipboardUpdate();
    PressPasteHotkey();
    events.RunFor(5000);
    EXPECT_EQ(programWindows.main.box.Text(), u"");
    EXPECT_TRUE(timers.running.empty());
}

// A copy started elevated hides its name from an ordinary start: no
// answer counts as another copy running.
TEST_F(AppTest, ASecondCopyOrOneThatCannotTellSaysSoAndEndsBeforeMakingAnyWindow) {
    program.path = u"D:\\Apps\\Gleaner.EXE";
    program.heldElsewhere = {u"Local\\gleaner-single-instance-gleaner"};
    EXPECT_FALSE(app.Start());
    program.heldElsewhere.clear();
    program.claimError = 5;  // ERROR_ACCESS_DENIED
    EXPECT_FALSE(app.Start());
    ASSERT_EQ(messages.shown.size(), 2u);
    for (const auto& shown : messages.shown) {
        EXPECT_EQ(shown.text, u"ぐりーなー！(Gleaner) は既に起動中です！");
        EXPECT_EQ(shown.title, u"起動中！");
        EXPECT_EQ(shown.buttons, MessageButtons::Ok);
    }
    EXPECT_EQ(journal.IndexOf("window created"), -1);
    EXPECT_TRUE(keyboard.registered.empty());
    EXPECT_TRUE(watch.listeners.empty());
}

// The end of the Windows session while "クリア確認" is open: the process may be
// gone as soon as the close returns, so everything happens before.
TEST_F(AppTest, ClosingWhileTheClearQuestionIsOpenAnswersNoGivesTheClipboardBackAndWritesConfTxtAtOnce) {
    files.Put(u"C:\\Tools\\Conf.txt", "no confirm = 0\r\n");
    ASSERT_TRUE(app.Start());
    programWindows.main.box.SetText(u"collected");
    programWindows.main.box.SetTag(u"");
    clipboard.Preset(u"before");
    bool closed = false;
    messages.whileOpen = [&] {
        app.OnClose();
        closed = true;
        EXPECT_NE(journal.IndexOf("question dismissed"), -1);
        EXPECT_EQ(clipboard.Contents(), u"before");
        EXPECT_NE(journal.IndexOf("file written"), -1);
        EXPECT_TRUE(keyboard.registered.empty());
        EXPECT_FALSE(state.PasteInProgress);
    };
    PressPasteHotkey();
    events.RunFor(1000);
    ASSERT_TRUE(closed);
    EXPECT_EQ(programWindows.main.box.Text(), u"collected");  // as after No
    EXPECT_EQ(clipboard.Contents(), u"before");
}

TEST_F(AppTest, AClosingWhileTheTrayNoticeShowsStopsTheStartUpThere) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\n");
    programWindows.whileSplashShows = [&] { app.OnClose(); };
    ASSERT_TRUE(app.Start());
    EXPECT_NE(journal.IndexOf("file written"), -1);
    EXPECT_TRUE(tray.icons.empty());
    EXPECT_TRUE(watch.listeners.empty());
    EXPECT_TRUE(keyboard.registered.empty());
    EXPECT_FALSE(programWindows.main.shown);
    events.RunFor(100);
    EXPECT_NE(journal.IndexOf("window destroyed"), -1);
}

// At log-on the taskbar may not be up: a hidden program must not stay out of
// reach. The icon also comes back when the notification area is made anew,
// in tray mode only.
TEST_F(AppTest, InTrayModeAnIconTheAreaRefusesIsOfferedAgainUntilItTakes) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\ncustom msg = 0\r\n");
    tray.refuseAdds = 2;
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(programWindows.splashes.empty());  // the notices are off
    EXPECT_TRUE(tray.icons.empty());
    events.RunFor(2000);
    EXPECT_TRUE(tray.icons.empty());
    events.RunFor(2000);
    EXPECT_EQ(tray.icons.size(), 1u);
    EXPECT_TRUE(timers.running.empty()) << "once the icon is in, nothing ticks in the tray";
    tray.icons.clear();  // Explorer restarted
    app.OnTaskbarCreated();
    EXPECT_EQ(tray.icons.size(), 1u);
    app.OnTaskbarCreated();  // said again with the icon there: it stays one
    EXPECT_EQ(tray.icons.size(), 1u);
    app.OnMenu(MenuCommand::TrayOut);
    app.OnTaskbarCreated();
    EXPECT_TRUE(tray.icons.empty());
}

// The balloon gets only what is new while it is open, all of it when it
// opens anew; the icon is renewed before it shows.
TEST_F(AppTest, InTrayModeStartsHiddenShowsEachCopyInTheBalloonAndRemovesTheIconFirstAtTheEnd) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(InOrder({"file read", "splash", "tray icon added", "listener added", "hotkey registered"}));
    EXPECT_EQ(programWindows.splashes.at(0), u"ぐりーなー！ Ver0.00\r\n\r\nタスクトレイに収納します！");
    const NotifyIconRecord icon{testing_support::kMainWindow, 1, 0x8001, programWindows.main.title};
    EXPECT_EQ(tray.icons, std::vector{icon});
    for (const char16_t* text : {u"A", u"B"}) {
        clipboard.Put(text);
        events.RunFor(kBatchTickMs);
    }
    EXPECT_EQ(state.PopupWindowHandle, testing_support::kPopupWindow);
    EXPECT_TRUE(InOrder({"text appended", "countdown restarted", "tray icon modified", "balloon shown"}));
    EXPECT_EQ(journal.IndexOf("text set"), -1);
    programWindows.Unload();  // closed by its countdown
    app.OnMenu(MenuCommand::ShowPopup);
    EXPECT_NE(journal.IndexOf("text set"), -1);

    programWindows.Unload();
    state.Settings.timeAutoClose = 0;  // no balloon, but the capture ends as always
    journal.entries.clear();
    clipboard.Put(u"C");
    events.RunFor(kBatchTickMs);
    EXPECT_FALSE(programWindows.balloonOpen);
    EXPECT_EQ(journal.entries,
              (std::vector<std::string>{"tray icon modified", "timer Batch started", "timer Batch stopped"}));

    state.Settings.timeAutoClose = 5;
    app.OnMenu(MenuCommand::ShowPopup);
    app.OnMenu(MenuCommand::HelpStr);
    journal.entries.clear();
    programWindows.splashShowing = true;
    app.OnMenu(MenuCommand::End2);
    EXPECT_TRUE(InOrder({"splash", "tray icon removed", "hotkey unregistered", "file written", "listener removed"}));
    EXPECT_TRUE(tray.icons.empty());
    EXPECT_FALSE(programWindows.balloonOpen || programWindows.helpShown);
    app.OnTimer(TimerId::End);  // the goodbye notice runs its time first
    EXPECT_EQ(journal.IndexOf("window destroyed"), -1);
    programWindows.splashShowing = false;
    app.OnTimer(TimerId::End);
    EXPECT_NE(journal.IndexOf("window destroyed"), -1);
}

// What was copied just before クリア or the end goes with them: it must
// not show up a moment after.
TEST_F(AppTest, ClearAndCloseTakeInTheCopiesNotShownYetFirst) {
    ASSERT_TRUE(app.Start());
    TextBox& box = programWindows.main.box;
    clipboard.Put(u"A");
    events.RunFor(kBatchTickMs);
    clipboard.Put(u"B");
    events.ProcessPendingMessages();
    app.OnMenu(MenuCommand::Clear);
    events.RunFor(100);
    EXPECT_EQ(box.Text(), u"");
    clipboard.Put(u"C");
    events.ProcessPendingMessages();
    app.OnClose();
    EXPECT_EQ(box.Text(), u"C");
    EXPECT_FALSE(timers.running.count(TimerId::Batch));
}

TEST_F(AppTest, TellsAtStartUpWhichHotKeyAnotherProgramHolds) {
    keyboard.takenKeys = {'Q'};
    ASSERT_TRUE(app.Start());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].title + messages.shown[0].text.substr(0, 7), u"ホットキーエラーCtrl+Q ");
}

TEST_F(AppTest, HelpOpensTheUserGuideBesideTheProgramAndWithoutItLikeTheVersionItemDoesNothing) {
    ASSERT_TRUE(app.Start());
    journal.entries.clear();
    app.OnMenu(MenuCommand::Help);
    app.OnMenu(MenuCommand::VerNo);
    EXPECT_TRUE(shell.opened.empty() && journal.entries.empty());
    files.Put(u"C:\\Tools\\gleaner-guide.html", "<html>");
    app.OnMenu(MenuCommand::Help2);
    EXPECT_EQ(shell.opened, std::vector<std::u16string>{u"C:\\Tools\\gleaner-guide.html"});
}

class SettingsCommandTest : public AppTest {
protected:
    // The user changes the controls and closes the dialog with button.
    template <class Change>
    void UserCloses(CloseButton button, Change change) {
        SettingsControls shown = LoadSettingsControls(state.Settings);
        change(shown);
        if (const auto action = CloseSettings(button, shown, state.Settings)) state.SettingsCloseAction = *action;
        state.SettingsWindowHandle = 0;
    }
};

// In the tray neither the close box nor confirming it as it was takes the
// program out or shows the notice again; unticking the box does.
TEST_F(SettingsCommandTest, WaitsWithTheIconGoneTheWindowDisabledAndTheHotKeysOffThenRegistersTheNewKey) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\n");
    ASSERT_TRUE(app.Start());
    for (const CloseButton button : {CloseButton::Cancel, CloseButton::Resume}) {
        events.onPump = [&] { UserCloses(button, [](SettingsControls&) {}); };
        app.OnTrayIcon(kTrayLeftDoubleClick);
        EXPECT_EQ(tray.icons.size(), 1u);
    }
    EXPECT_EQ(programWindows.splashes.size(), 1u);  // the start's
    keyboard.takenKeys = {'W'};
    journal.entries.clear();
    events.onPump = [&] {
        app.OnMenu(MenuCommand::Disp2);  // no second dialog, no wait inside the wait
        UserCloses(CloseButton::Resume, [](SettingsControls& shown) {
            shown.chkTaskTray = false;
            shown.cmbPasteKey.assign(1, u'w');
        });
    };
    app.OnTrayIcon(kTrayLeftDoubleClick);
    EXPECT_TRUE(InOrder({"tray icon removed", "settings opened", "window disabled", "hotkey unregistered",
                         "settings in front", "window enabled", "window shown", "message box"}));
    EXPECT_EQ(messages.shown.at(0).text.substr(0, 7), u"Ctrl+W ");  // the new key, held elsewhere
}

TEST_F(SettingsCommandTest, TheProgramEndingWhileTheDialogIsOpenUnloadsItAndRegistersNoHotKeys) {
    ASSERT_TRUE(app.Start());
    events.onPump = [&] { app.OnClose(); };
    app.OnMenu(MenuCommand::Disp);
    EXPECT_EQ(state.SettingsWindowHandle, 0u);
    EXPECT_TRUE(keyboard.registered.empty());
}

}  // namespace
}  // namespace gleaner
