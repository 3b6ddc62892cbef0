#include "shell/app.h"

#include <gtest/gtest.h>

#include "hotkeys/paste_state.h"
#include "popup/popup_state.h"

#include "support/program_fixture.h"

namespace gleaner {
namespace {

class FakeMainWindow : public MainWindowView {
public:
    explicit FakeMainWindow(fake::Journal& journal) : journal_(journal) {}
    WindowId Id() const override { return testing_support::kMainWindow; }
    TextBox& Collection() override { return box; }
    WindowFrame& Frame() override { return frame; }
    void SetTitle(const std::u16string& text) override { title = text; }
    std::u16string Title() const override { return title; }
    void SetVersionCaption(const std::u16string&) override {}
    void MakeTopmost() override { journal_.Note("topmost"); }
    void Show() override {
        shown = true;
        journal_.Note("window shown");
    }
    void Hide() override { shown = false; }
    bool IsVisible() const override { return shown; }
    void Enable(bool enable) override { journal_.Note(enable ? "window enabled" : "window disabled"); }
    void ShowTrayMenu() override { journal_.Note("tray menu"); }
    void Destroy() override { journal_.Note("window destroyed"); }

    fake::FakeTextBox box;
    fake::FakeWindowFrame frame{{0, 0, 4635, 2370}};
    std::u16string title;
    bool shown = false;

private:
    fake::Journal& journal_;
};

class FakeSettingsDialog : public SettingsDialogView {
public:
    bool Open() override {
        journal->Note("settings opened");
        return (SettingsWindowHandle = 0x400) != 0;
    }
    void BringToFront() override { journal->Note("settings in front"); }
    void Unload() override { SettingsWindowHandle = 0; }
    fake::Journal* journal = nullptr;
};

class FakeProgramWindows : public ProgramWindows, public SplashView, public HelpView, public BalloonView {
public:
    explicit FakeProgramWindows(fake::Journal& journal) : main(journal), journal_(journal) {}
    MainWindowView* CreateMainWindow(MainWindowEvents&) override {
        journal_.Note("window created");
        return &main;
    }
    SplashView& Splash() override { return *this; }
    void Show(const std::u16string& pending, bool) override {
        journal_.Note("splash");
        splashes.push_back(DecodeSplashMessage(pending).text);
    }
    bool Showing() const override { return splashShowing; }
    HelpView& Help() override { return *this; }
    void ShowHelp(bool show) override { helpShown = show; }
    BalloonView& Popup(BalloonEvents&) override { return *this; }
    bool Load() override {
        if (!balloonOpen) balloonBox = {};
        balloonBox.journal = &journal_;
        return balloonOpen = true;
    }
    bool IsOpen() const override { return balloonOpen; }
    WindowId Id() const override { return balloonOpen ? testing_support::kPopupWindow : 0; }
    void Arrange(const BalloonLayout&) override {}
    TextBox& Text() override { return balloonBox; }
    void RestartCountdown() override { journal_.Note("countdown restarted"); }
    void ShowWithoutActivating() override { journal_.Note("balloon shown"); }
    void Unload() override { balloonOpen = false; }
    SettingsDialogView& SettingsWindow() override { return settings; }

    FakeMainWindow main;
    FakeSettingsDialog settings;
    std::vector<std::u16string> splashes;
    bool splashShowing = false;
    bool helpShown = false;
    fake::FakeTextBox balloonBox;
    bool balloonOpen = false;

private:
    fake::Journal& journal_;
};

class AppTest : public testing_support::ProgramTest {
protected:
    AppTest() {
        for (auto* fake : {&keyboard.journal, &timers.journal, &files.journal, &watch.journal, &program.journal,
                           &messages.journal, &tray.journal, &programWindows.settings.journal})
            *fake = &journal;
        files.Put(u"C:\\Tools\\Conf.txt", "form left = 300\r\npaste key = Q\r\n");
    }
    // True when each entry comes after the one before it.
    bool InOrder(const std::vector<std::string>& entries) const {
        int previous = -1;
        for (const auto& entry : entries) {
            const int at = journal.IndexOf(entry);
            if (at <= previous) return false;
            previous = at;
        }
        return true;
    }

    fake::FakeFileStore files;
    fake::FakeClipboardWatch watch;
    fake::FakeScreen screen;
    fake::FakeProgram program;
    fake::FakeNotificationArea tray;
    fake::FakeShell shell;
    Services services{clipboard, events, messages, keyboard, timers, windows, files, watch, screen, program, tray,
                      shell};
    FakeProgramWindows programWindows{journal};
    App app{services, programWindows};
};

TEST_F(AppTest, StartsInItsFixedOrder) {
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(InOrder({"instance checked", "window created", "topmost", "file read", "listener added",
                         "hotkey registered", "timer Key started", "window shown"}));
    EXPECT_EQ(journal.entries.back(), "topmost");  // once more after showing
    EXPECT_EQ(program.claimed, u"Local\\gleaner-single-instance-gleaner");
    FakeMainWindow& main = programWindows.main;
    EXPECT_EQ(main.box.Tag(), u"Init");
    EXPECT_EQ(main.box.ForeColour(), kIntroductionColour);
    EXPECT_EQ(main.title, u"ぐりーなー！ Ver0.00");
    EXPECT_EQ(main.frame.Bounds().left, 300);  // Conf.txt read before the window shows
    EXPECT_EQ(keyboard.registered.begin()->second.virtualKey, static_cast<std::uint32_t>('Q'));
    EXPECT_EQ(MainWindowHandle, testing_support::kMainWindow);
    EXPECT_EQ(timers.running.at(TimerId::Key), 10);
}

TEST_F(AppTest, ASecondCopySaysSoAndEndsBeforeMakingAnyWindow) {
    program.path = u"D:\\Apps\\Gleaner.EXE";
    program.heldElsewhere = {u"Local\\gleaner-single-instance-gleaner"};
    EXPECT_FALSE(app.Start());
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_EQ(messages.shown[0].text, u"ぐりーなー！(Gleaner) は既に起動中です！");
    EXPECT_EQ(messages.shown[0].title, u"起動中！");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(journal.IndexOf("window created"), -1);
    EXPECT_TRUE(keyboard.registered.empty());
    EXPECT_TRUE(watch.listeners.empty());
}

TEST_F(AppTest, ShutsDownInItsFixedOrderAndEndsOnTheNextTickOfTimerEnd) {
    ASSERT_TRUE(app.Start());
    programWindows.main.frame.SetBounds({10, 20, 5000, 3000});
    journal.entries.clear();
    app.OnMenu(MenuCommand::End);
    app.OnClose();  // a second request changes nothing
    EXPECT_TRUE(InOrder({"hotkey unregistered", "file written", "listener removed", "timer End started"}));
    EXPECT_EQ(journal.IndexOf("window destroyed"), -1);
    EXPECT_FALSE(programWindows.main.shown);
    EXPECT_NE(files.Get(u"C:\\Tools\\Conf.txt")->find("form width = 5000\r\n"), std::string::npos);
    EXPECT_EQ(std::count(journal.entries.begin(), journal.entries.end(), "file written"), 1);

    app.OnTimer(TimerId::End);
    EXPECT_TRUE(InOrder({"timer End stopped", "window destroyed"}));
}

TEST_F(AppTest, ClosingDuringAPasteFinishesThePasteFirstAndAPendingPasteNeverRuns) {
    ASSERT_TRUE(app.Start());
    const auto pasteId = static_cast<std::uintptr_t>(keyboard.registered.begin()->first);
    programWindows.main.box.SetText(u"collected");
    programWindows.main.box.SetTag(u"");
    clipboard.Put(u"before");
    events.onPump = [&] {
        if (PasteDone == 1) app.OnClose();
    };
    app.OnHotKey(pasteId);
    app.OnTimer(TimerId::HotKey);
    EXPECT_EQ(clipboard.Contents(), u"before");
    EXPECT_TRUE(keyboard.registered.empty());
    EXPECT_EQ(keyboard.atomUses[u"GLEANER_CTRLV"], 0);
    EXPECT_TRUE(InOrder({"hotkey registered", "hotkey unregistered", "file written", "timer End started"}));
}

TEST_F(AppTest, APasteAskedForButNotStartedWhenTheCloseComesNeverRuns) {
    ASSERT_TRUE(app.Start());
    app.OnHotKey(static_cast<std::uintptr_t>(keyboard.registered.begin()->first));
    app.OnClose();
    EXPECT_FALSE(timers.IsRunning(TimerId::HotKey));
}

TEST_F(AppTest, ACopyMadeDuringAPasteIsCollectedOnceThePasteHasEnded) {
    ASSERT_TRUE(app.Start());
    programWindows.main.box.SetText(u"collected");
    programWindows.main.box.SetTag(u"");
    events.onPump = [&] {
        if (PasteDone == 1 && clipboard.Contents() == u"collected") clipboard.Put(u"copied meanwhile");
    };
    Settings.ctrlvInit = 0;
    app.OnHotKey(static_cast<std::uintptr_t>(keyboard.registered.begin()->first));
    app.OnTimer(TimerId::HotKey);
    EXPECT_EQ(programWindows.main.box.Text(), u"collected\r\ncopied meanwhile");
    EXPECT_EQ(clipboard.Contents(), u"copied meanwhile");
}

TEST_F(AppTest, InTrayModeStartsHiddenBehindTheIconAfterItsNoticeAndRemovesTheIconFirstAtTheEnd) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\n");
    ASSERT_TRUE(app.Start());
    EXPECT_TRUE(InOrder({"file read", "splash", "tray icon added", "listener added", "hotkey registered"}));
    EXPECT_EQ(programWindows.splashes.at(0), u"ぐりーなー！ Ver0.00\r\n\r\nタスクトレイに収納します！");
    const NotifyIconRecord icon{testing_support::kMainWindow, 1, 0x8001, programWindows.main.title};
    EXPECT_EQ(tray.icons, std::vector{icon});
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

TEST_F(AppTest, InTrayModeEachCopyAddsOnlyWhatIsNewToTheBalloonAndRenewsTheIconBeforeShowingIt) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\n");
    ASSERT_TRUE(app.Start());
    for (const char16_t* text : {u"A", u"B"}) {
        clipboard.Put(text);
        app.OnClipboardUpdate();
    }
    EXPECT_EQ(PopupWindowHandle, testing_support::kPopupWindow);
    EXPECT_TRUE(InOrder({"text appended", "countdown restarted", "tray icon modified", "balloon shown"}));
    EXPECT_EQ(journal.IndexOf("text set"), -1);
    programWindows.Unload();  // closed by its countdown: the next time it shows all again
    app.OnMenu(MenuCommand::ShowPopup);
    EXPECT_NE(journal.IndexOf("text set"), -1);

    programWindows.Unload();
    Settings.timeAutoClose = 0;  // no balloon, but the capture ends as always
    journal.entries.clear();
    clipboard.Put(u"C");
    app.OnClipboardUpdate();
    EXPECT_FALSE(programWindows.balloonOpen);
    EXPECT_EQ(journal.entries, std::vector<std::string>{"tray icon modified"});
}

TEST_F(AppTest, TellsOnceAtStartUpWhichHotKeyAnotherProgramHolds) {
    keyboard.takenKeys = {'Q'};
    ASSERT_TRUE(app.Start());
    app.OnTimer(TimerId::HotKey);  // a paste registers it again, silently
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
        SettingsControls shown = LoadSettingsControls(Settings);
        change(shown);
        CloseSettings(button, shown, Settings);
        SettingsWindowHandle = 0;
    }
};

TEST_F(SettingsCommandTest, WaitsWithTheIconGoneTheWindowDisabledAndTheHotKeysOffThenRegistersTheNewKey) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\n");
    ASSERT_TRUE(app.Start());
    keyboard.takenKeys = {'W'};
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

TEST_F(SettingsCommandTest, InTheTrayNeitherTheCloseBoxNorConfirmingTakesItOutOrShowsTheNoticeAgain) {
    files.Put(u"C:\\Tools\\Conf.txt", "task tray = 1\r\n");
    ASSERT_TRUE(app.Start());
    for (const CloseButton button : {CloseButton::Cancel, CloseButton::Resume}) {
        events.onPump = [&] { UserCloses(button, [](SettingsControls&) {}); };
        app.OnTrayIcon(kTrayLeftDoubleClick);
        EXPECT_EQ(tray.icons.size(), 1u);
    }
    EXPECT_EQ(programWindows.splashes.size(), 1u);  // the start's
}

TEST_F(SettingsCommandTest, TheProgramEndingWhileTheDialogIsOpenUnloadsItAndRegistersNoHotKeys) {
    ASSERT_TRUE(app.Start());
    events.onPump = [&] { app.OnClose(); };
    app.OnMenu(MenuCommand::Disp);
    EXPECT_EQ(SettingsWindowHandle, 0u);
    EXPECT_TRUE(keyboard.registered.empty());
}

}  // namespace
}  // namespace gleaner
