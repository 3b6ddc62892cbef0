#include <gtest/gtest.h>

#include "settings/gleaner_ini.h"
#include "support/program_fixture.h"

namespace gleaner {
namespace {

using AppTest = testing_support::ProgramTest;

// The window shows where Conf.txt put it, on top of the others (once more
// after showing: some window managers take it only from a mapped window).
// The listener and the hotkeys go to the window, the hotkeys being the keys
// Conf.txt names, once it has been read into the window.
TEST_F(AppTest, StartsWhereConfTxtPutTheWindowOnTopWithTheIntroductionShown) {
    screen.highContrast = true;
    StartProgram("form left = 300\r\n");
    EXPECT_TRUE(InOrder({"window created", "file read", "hotkey registered"}));
    EXPECT_TRUE(InOrder({"file read", "window shown"}));
    EXPECT_TRUE(InOrder({"window created", "listener added"}));
    EXPECT_EQ(journal.entries.back(), "topmost");
    EXPECT_EQ(box.Tag(), u"Init");
    EXPECT_EQ(box.TextPaint(), Paint::Introduction);
    EXPECT_TRUE(state.HighContrast);
    screen.highContrast = false;  // turned off in Windows meanwhile
    app.OnSystemSettingChange();
    EXPECT_FALSE(state.HighContrast);
    EXPECT_EQ(programWindows.main.title, u"ぐりーなー！ Ver0.00");
    EXPECT_EQ(programWindows.main.frame.Bounds().left, 300);
}

// Under high contrast every colour is the system's, each text's paired with
// the background it is drawn on.
TEST(Colours, AreTheProgramsOwnOrUnderHighContrastTheSystemsInPairs) {
    const std::pair<Paint, SystemColour> kHighContrast[] = {
        {Paint::Introduction, SystemColour::GrayText}, {Paint::Collected, SystemColour::WindowText},
        {Paint::CollectionBack, SystemColour::Window}, {Paint::BalloonText, SystemColour::InfoText},
        {Paint::BalloonLabel, SystemColour::InfoText}, {Paint::LegendText, SystemColour::InfoText},
        {Paint::LegendBack, SystemColour::InfoBack},   {Paint::NoticeText, SystemColour::InfoText},
        {Paint::NoticeBack, SystemColour::InfoBack}};
    for (const auto& [paint, system] : kHighContrast) EXPECT_EQ(ChooseColour(paint, true), (ColourChoice{0, system}));
    EXPECT_EQ(ChooseColour(Paint::Introduction, false), (ColourChoice{MakeColour(192, 192, 192), std::nullopt}));
    EXPECT_EQ(ChooseColour(Paint::LegendText, false), (ColourChoice{MakeColour(0, 128, 0), std::nullopt}));
    EXPECT_EQ(ChooseColour(Paint::BalloonLabel, false), (ColourChoice{0, SystemColour::GrayText}));
}

// The icon as the shell tells of it: a click does nothing of its own, the
// menu opens where the shell says, and after it the keyboard goes back to
// the icon unless a click elsewhere or a window of the command took it.
TEST_F(AppTest, InTrayModeStartsHiddenBehindTheIconWhoseMenuOpensWhereTheShellSaysAndLeavesTheKeyboardWithIt) {
    StartProgram("task tray = 1\r\n");
    EXPECT_FALSE(programWindows.main.shown);
    EXPECT_EQ(programWindows.splashes, std::vector<std::u16string>{u"ぐりーなー！ Ver0.00\r\n\r\nタスクトレイに収納します！"});
    const NotifyIconRecord icon{testing_support::kMainWindow, 1, 0x8001, programWindows.main.title};
    EXPECT_EQ(tray.icons, std::vector{icon});
    journal.entries.clear();
    for (const std::uint16_t event : {kTraySelect, std::uint16_t{0x0204}, std::uint16_t{0x0205}})  // right down, up
        app.OnTrayIcon(event, {});
    programWindows.main.menuAnswer = MenuCommand::None;  // Esc
    app.OnTrayIcon(kTrayContextMenu, {1200, 800});
    EXPECT_EQ(programWindows.main.menuAt, (Point{1200, 800}));
    EXPECT_EQ(journal.entries, (std::vector<std::string>{"tray menu", "tray icon focused"}));
    journal.entries.clear();
    programWindows.main.menuAnswer = std::nullopt;
    app.OnTrayIcon(kTrayContextMenu, {});
    EXPECT_EQ(journal.entries, std::vector<std::string>{"tray menu"});
    ChooseInTrayMenu(u"一時停止");
    EXPECT_EQ(journal.entries.back(), "tray icon focused");
    journal.entries.clear();
    programWindows.main.holdsKeyboard = false;  // the dialog a command opened has it
    ChooseInTrayMenu(u"除外するプログラム...");
    EXPECT_EQ(journal.IndexOf("tray icon focused"), -1);
}

// Windows' display language decides, the menu's choice over it: the window,
// its icon's tip and its menus speak the choice at once (the introduction
// too, while it shows), and gleaner.ini keeps it for the next start.
TEST_F(AppTest, SpeaksTheDisplayLanguageOrTheMenusChoiceAtOnceAndKeepsTheChoice) {
    program.uiLanguage = 0x0407;  // a German Windows
    StartProgram("task tray = 1\r\n");
    EXPECT_EQ(tray.icons.at(0).tip, u"Gleaner Ver0.00");
    ChooseInTrayMenu(u"日本語", u"Language (言語)");
    EXPECT_EQ(tray.icons.at(0).tip, u"ぐりーなー！ Ver0.00");  // the window's title
    EXPECT_TRUE(box.Text().starts_with(u"コピー操作を行うと"));
    EXPECT_EQ(fake::BeforeAccessKey(programWindows.main.menuBar.at(0).caption), u"設定");
    EXPECT_EQ(ParseIni(files.Get(u"C:\\Tools\\gleaner.ini").value_or("")).language, LanguageChoice::Japanese);
    Copy(u"A");
    ChooseInTrayMenu(u"自動 (Windows の表示言語)", u"言語 (Language)");
    EXPECT_EQ(box.Text(), u"A") << "what was collected stays as it is";
    EXPECT_EQ(programWindows.main.title, u"Gleaner Ver0.00");
}

// 一時停止 takes in what was read before it and reads nothing at all until
// it resumes; a resume leaves out what was copied meanwhile and collects the
// next copy even when it repeats the last.
TEST_F(AppTest, WhilePausedReadsNoCopyAndAfterItCollectsTheSameTextAgain) {
    StartProgram("task tray = 1\r\n");
    Copy(u"A");
    clipboard.Put(u"B");  // read, not shown yet
    ChooseInTrayMenu(u"一時停止");
    EXPECT_TRUE(tray.icons.at(0).paused);
    EXPECT_EQ(tray.icons.at(0).tip, u"ぐりーなー！ Ver0.00 (一時停止中)");
    const int opened = clipboard.openAttempts;
    Copy(u"B");
    EXPECT_EQ(clipboard.openAttempts, opened) << "the clipboard was read while paused";
    ChooseInTrayMenu(u"一時停止");
    EXPECT_FALSE(tray.icons.at(0).paused);
    Copy(u"B");
    EXPECT_EQ(box.Text(), u"A\r\nB\r\nB");
}

// Read from gleaner.ini at start, edited in its dialog from either menu,
// kept in gleaner.ini; a list that
// could not be kept says so, since a restart would read those programs again.
TEST_F(AppTest, TheIgnoredProgramsDialogShowsTheKeptListAndKeepsTheNewOne) {
    files.Put(u"C:\\Tools\\gleaner.ini", "ignore program = mstsc.exe\r\n");
    StartProgram("task tray = 1\r\n");
    for (const char16_t* program : {u"C:\\Windows\\mstsc.exe", u"C:\\notepad.exe"}) {
        clipboard.ownerProgram = program;
        Copy(program);
    }
    EXPECT_EQ(box.Text(), u"C:\\notepad.exe");
    ChooseInTrayMenu(u"除外するプログラム...");
    EXPECT_EQ(programWindows.programList.shown, std::vector<std::u16string>{u"mstsc.exe"});
    programWindows.programList.events->OnProgramListChosen({u"mstsc.exe", u"KeePass.exe"});
    EXPECT_EQ(LoadIni(files, u"C:\\Tools").ignoredPrograms, (std::vector<std::u16string>{u"mstsc.exe", u"KeePass.exe"}));
    files.denyWriting = true;
    app.OnMenu(MenuCommand::IgnoredPrograms);  // the menu bar's
    EXPECT_EQ(programWindows.programList.shown->size(), 2u);
    programWindows.programList.events->OnProgramListChosen({});
    events.RunFor(1000);
    ASSERT_EQ(messages.shown.size(), 1u);
    EXPECT_TRUE(messages.shown[0].text.starts_with(u"除外するプログラムを gleaner.ini に保存できませんでした。"));
}

// Beside the program; without it the help item does nothing, as the version
// item always does.
TEST_F(AppTest, OpensTheUserGuideOnlyWhereItIs) {
    StartProgram();
    journal.entries.clear();
    app.OnMenu(MenuCommand::Help);
    app.OnMenu(MenuCommand::VerNo);
    EXPECT_TRUE(shell.opened.empty() && journal.entries.empty());
    files.Put(u"C:\\Tools\\gleaner-guide.html", "<html>");
    app.OnMenu(MenuCommand::Help2);
    EXPECT_EQ(shell.opened, std::vector<std::u16string>{u"C:\\Tools\\gleaner-guide.html"});
}

// Conf.txt is written first: the session may be gone at any moment after.
// The window goes on the next tick of Timer_End; a paste asked for but not
// started by then never runs.
TEST_F(AppTest, EndsWithConfTxtWrittenFirstAndTheWindowDestroyedOnTheNextTick) {
    StartProgram();
    programWindows.main.frame.SetBounds({10, 20, 5000, 3000});
    PressPasteHotkey();
    journal.entries.clear();
    app.OnMenu(MenuCommand::End);
    app.OnClose();  // a second request changes nothing
    EXPECT_EQ(journal.entries.front(), "file written");
    EXPECT_EQ(std::ranges::count(journal.entries, "file written"), 1);
    EXPECT_NE(files.Get(u"C:\\Tools\\Conf.txt")->find("form width = 5000\r\n"), std::string::npos);
    EXPECT_TRUE(keyboard.registered.empty() && journal.IndexOf("listener removed") != -1);
    EXPECT_FALSE(programWindows.main.shown);
    EXPECT_EQ(journal.IndexOf("window destroyed"), -1);
    events.RunFor(1000);
    EXPECT_EQ(std::ranges::count(journal.entries, "window destroyed"), 1);
    EXPECT_TRUE(keyboard.injections.empty());
}

// A copy started elevated hides its name from an ordinary start: no
// answer counts as another copy running.
TEST_F(AppTest, ASecondCopyOrOneThatCannotTellSaysSoAndEndsBeforeMakingAnyWindow) {
    program.path = u"D:\\Apps\\Gleaner.EXE";
    program.heldElsewhere = {u"Local\\gleaner-single-instance-gleaner"};
    EXPECT_FALSE(app.Start());
    program.heldElsewhere.clear();
    program.claimError = 5;  // ERROR_ACCESS_DENIED
    program.uiLanguage = 0x0409;  // on an English Windows
    EXPECT_FALSE(app.Start());
    const fake::ShownMessage ja{u"ぐりーなー！(Gleaner) は既に起動中です！", u"起動中！", MessageButtons::Ok},
        en{u"Gleaner (Gleaner) is already running.", u"Already running", MessageButtons::Ok};
    EXPECT_EQ(messages.shown, (std::vector{ja, en}));
    EXPECT_EQ(journal.IndexOf("window created"), -1);
}

// The end of the Windows session while "クリア確認" is open: the process may be
// gone as soon as the close returns, so everything happens before.
TEST_F(AppTest, ClosingWhileTheClearQuestionIsOpenAnswersNoWritesConfTxtAtOnceAndOpensNoBoxAfter) {
    StartProgram("no confirm = 0\r\nlimit max = 20\r\n");
    Copy(u"collected");
    clipboard.Preset(u"before");
    messages.whileOpen = [this] {
        Copy(u"past the limit");    // waits for the paste's end
        clipboard.HoldOpenFor(-1);  // word of a change that cannot be read: its box waits behind the question
        watch.Changed(clipboard, false);
        events.RunFor(10);
        clipboard.HoldOpenFor(0);
        app.OnTimer(TimerId::Prompt);  // a tick that was on its way opens no second box
        app.OnClose();
        EXPECT_NE(journal.IndexOf("question dismissed"), -1);
        EXPECT_NE(journal.IndexOf("file written"), -1);
        EXPECT_TRUE(keyboard.registered.empty());
        EXPECT_FALSE(state.PasteInProgress);
    };
    PressPasteHotkey();
    events.RunFor(1000);
    ASSERT_EQ(messages.shown.size(), 1u);  // the question; the box that waited was dropped with the close, none nested
    EXPECT_EQ(box.Text(), u"collected\r\npast the limit");  // as after No
}

// At log-on the taskbar may not be up: a hidden program must not stay out of
// reach. The icon also comes back when the notification area is made anew,
// in tray mode only.
TEST_F(AppTest, InTrayModeAnIconTheAreaRefusesIsOfferedAgainUntilItTakes) {
    tray.refuseAdds = 2;
    StartProgram("task tray = 1\r\ncustom msg = 0\r\n");
    EXPECT_TRUE(programWindows.splashes.empty());  // the notices are off
    events.RunFor(2000);
    EXPECT_TRUE(tray.icons.empty());
    events.RunFor(2000);
    EXPECT_EQ(tray.icons.size(), 1u);
    EXPECT_TRUE(timers.running.empty()) << "once the icon is in, nothing ticks in the tray";
    tray.icons.clear();  // Explorer restarted
    app.OnTaskbarCreated();
    EXPECT_EQ(tray.icons.size(), 1u);
    ChooseInTrayMenu(u"トレイから出す");
    EXPECT_EQ(state.Settings.taskTray, 0);  // and at the next start
    app.OnTaskbarCreated();
    EXPECT_TRUE(tray.icons.empty());
}

// Filled before it shows, the icon renewed: all of the collection when it
// opens, what is new while it is open, nothing once it is cleared.
TEST_F(AppTest, InTrayModeTheBalloonShowsTheCollectionAsItIsWhenItOpensAndAsItChangesWhileItIsOpen) {
    StartProgram("task tray = 1\r\n");
    state.Settings.dispPos = u"左上隅";
    ChooseInTrayMenu(u"表示");  // the introduction is nothing collected
    EXPECT_EQ(programWindows.balloonBox.Text(), u"");
    EXPECT_EQ(programWindows.arranged, (Rect{20, 20, 320, 170}));
    programWindows.Unload();
    journal.entries.clear();
    Copy(u"A");
    Copy(u"B");
    EXPECT_TRUE(InOrder({"text appended", "countdown restarted", "tray icon modified", "balloon shown"}));
    EXPECT_EQ(journal.IndexOf("text set"), -1);
    programWindows.Unload();  // closed by its countdown
    ChooseInTrayMenu(u"表示");
    EXPECT_NE(journal.IndexOf("text set"), -1);
    Copy(u"B");  // still a repeat: the balloon's request did not forget the last copy
    EXPECT_EQ(box.Text(), u"A\r\nB");
    ChooseInTrayMenu(u"クリア");
    EXPECT_EQ(programWindows.balloonBox.Text(), u"");
}

// The capture still ends as it always does, its timer stopped.
TEST_F(AppTest, InTrayModeNoBalloonOpensWithoutTimeToShowIt) {
    StartProgram("task tray = 1\r\ntime auto close = 0\r\n");
    journal.entries.clear();
    Copy(u"C");
    EXPECT_FALSE(programWindows.balloonOpen);
    EXPECT_EQ(journal.entries,
              (std::vector<std::string>{"timer Keep started", "tray icon modified", "timer Batch started",
                                        "timer Batch stopped"}));
}

// The icon must not outlive the program; the goodbye notice runs its time.
TEST_F(AppTest, InTrayModeTheEndRemovesTheIconAtOnceAndTheWindowAfterTheGoodbyeNotice) {
    StartProgram("task tray = 1\r\n");
    ChooseInTrayMenu(u"表示");
    app.OnMenu(MenuCommand::HelpStr);
    programWindows.splashShowing = true;
    ChooseInTrayMenu(u"終了");
    EXPECT_EQ(programWindows.splashes.size(), 2u);  // the start's notice, and the goodbye
    EXPECT_TRUE(tray.icons.empty());
    EXPECT_FALSE(programWindows.balloonOpen || programWindows.helpShown);
    app.OnTimer(TimerId::End);
    EXPECT_EQ(journal.IndexOf("window destroyed"), -1);
    programWindows.splashShowing = false;
    app.OnTimer(TimerId::End);
    EXPECT_NE(journal.IndexOf("window destroyed"), -1);
}

// What was copied just before クリア or the end goes with them: it must
// not show up a moment after. The clear empties the clipboard too (a busy
// one: ClipboardAccessTest); a repeat of the last copy stays a repeat; a box
// the close brings about never opens.
TEST_F(AppTest, ClearAndCloseTakeInTheCopiesNotShownYetFirstAndTheClearEmptiesTheClipboard) {
    StartProgram();
    Copy(u"A");
    clipboard.Put(u"B");  // read, its word not yet come
    app.OnMenu(MenuCommand::Clear);
    events.RunFor(100);
    EXPECT_EQ(clipboard.Contents(), std::nullopt);
    Copy(u"B");
    EXPECT_EQ(box.Text(), u"");  // B went with the clear, and is still the last copy
    state.Settings.limitMax = 1;  // D's box would be asked for during the close: it never opens
    clipboard.Put(u"D");
    app.OnClose();
    events.RunFor(100);
    EXPECT_EQ(box.Text(), u"D");
    EXPECT_TRUE(messages.shown.empty() && timers.running.empty());
}

using SettingsCommandTest = AppTest;

// In the tray neither the close box nor confirming it as it was takes the
// program out or shows the notice again; unticking the box does. Another
// program's key is named at the start and after each dialog. The program
// ending while the dialog is open unloads it and registers no hotkeys.
TEST_F(SettingsCommandTest, WaitsWithTheIconGoneTheWindowDisabledAndTheHotKeysOffThenAppliesTheNewKeysUnlessEnded) {
    keyboard.takenKeys = {'V'};
    // The user changes the controls and closes the dialog with button; the
    // program went on meanwhile.
    const auto userCloses = [this](CloseButton button, auto change) {
        SettingsControls shown = LoadSettingsControls(state.Settings, state.DisplayLanguage);
        change(shown);
        if (const auto action = CloseSettings(button, shown, state.Settings, state.DisplayLanguage))
            state.SettingsCloseAction = *action;
        programWindows.main.Unload();
        events.RunFor(10);
    };
    StartProgram("task tray = 1\r\n");
    events.RunFor(10);
    EXPECT_EQ(messages.shown.at(0).title + messages.shown.at(0).text.substr(0, 7), u"ホットキーエラーCtrl+V ");
    EXPECT_EQ(keyboard.registered.size(), 1u);  // the popup key still works
    for (const CloseButton button : {CloseButton::Cancel, CloseButton::Resume}) {
        app.OnTrayIcon(kTrayLeftDoubleClick, {});
        userCloses(button, [](SettingsControls&) {});
        EXPECT_EQ(tray.icons.size(), 1u);
    }
    EXPECT_EQ(programWindows.splashes.size(), 1u);  // the start's
    keyboard.takenKeys = {'W'};
    journal.entries.clear();
    app.OnTrayIcon(kTrayKeySelect, {});
    app.OnTrayIcon(kTrayKeySelect, {});  // the shell may tell one Enter twice: no second dialog
    app.OnSettingsClosed();           // a late word of the one before
    userCloses(CloseButton::Resume, [](SettingsControls& shown) {
        shown.chkTaskTray = false;
        shown.cmbPasteKey.assign(1, u'w');
    });
    EXPECT_TRUE(InOrder({"tray icon removed", "settings opened", "window disabled", "hotkey unregistered",
                         "settings in front", "window enabled", "window shown", "message box"}));
    EXPECT_EQ(messages.shown.back().text.substr(0, 7), u"Ctrl+W ");  // the new key, held elsewhere

    keyboard.takenKeys.clear();
    app.OnMenu(MenuCommand::Disp);
    app.OnClose();
    EXPECT_EQ(state.SettingsWindowHandle, 0u);
    EXPECT_TRUE(keyboard.registered.empty());
}

TEST_F(SettingsCommandTest, EndingFromTheDialogSaysNothingOfAKeyTakenMeanwhile) {
    StartProgram();
    keyboard.takenKeys = {'V'};
    ChooseInTrayMenu(u"設定");
    state.SettingsCloseAction = CloseAction::End;
    programWindows.main.Unload();
    events.RunFor(100);
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_NE(journal.IndexOf("file written"), -1);
}

}  // namespace
}  // namespace gleaner
