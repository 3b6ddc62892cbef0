#include "settings/conf_file.h"

#include <gtest/gtest.h>

#include "platform/fake_platform.h"

namespace gleaner {
namespace {

const std::u16string kFolder = u"C:\\Tools\\gleaner";
const std::u16string kPath = u"C:\\Tools\\gleaner\\Conf.txt";
// A 1920 x 1080 screen at 15 twips per pixel, and the window as designed.
constexpr TwipsSize kScreen{28800, 16200};
constexpr TwipsSize kDesigned{4635, 2370};

// Conf.txt bytes are code page 932; test files are written here in ASCII and
// the few Japanese values spelt out as bytes.
std::string Lines(std::initializer_list<const char*> lines) {
    std::string text;
    for (const char* line : lines) text += std::string(line) + "\r\n";
    return text;
}

class ConfFileTest : public testing::Test {
protected:
    ConfFileTest() { LoadDefaults(settings, kScreen, kDesigned); }

    void Load(const std::string& bytes) {
        files.Put(kPath, bytes);
        LoadConf(settings, files, kFolder, window);
    }
    std::string Save() {
        EXPECT_TRUE(SaveConf(settings, files, kFolder, window));
        return files.Get(kPath).value_or("<none>");
    }

    SettingsRecord settings;
    fake::FakeFileStore files;
    fake::FakeWindowFrame window;
};

TEST_F(ConfFileTest, WithoutAFileEverySettingKeepsItsDefaultAndTheWindowIsCentred) {
    LoadConf(settings, files, kFolder, window);

    EXPECT_EQ(settings.limitMax, 65535);
    EXPECT_EQ(settings.limitUnit, 10000);
    EXPECT_EQ(settings.separator, u"改行");
    EXPECT_EQ(settings.dispPos, u"右下隅");
    EXPECT_EQ(settings.customItem, u"1111111");
    EXPECT_EQ(settings.pasteKey, u"V");
    EXPECT_EQ(settings.popupKey, u"A");
    EXPECT_EQ(settings.eraseDelay, 500);
    EXPECT_EQ(settings.timeAutoClose, 5);
    // (28800 - 4635) / 2 = 12082.5 and (16200 - 2370) / 2 = 6915: halves go to even.
    EXPECT_EQ(window.Bounds(), (TwipsRect{12082, 6915, 4635, 2370}));
}

TEST_F(ConfFileTest, AFileThatCannotBeReadLeavesTheDefaults) {
    files.DenyReading(true);
    Load(Lines({"task tray = 1", "separator = x"}));
    EXPECT_EQ(settings.taskTray, 0);
    EXPECT_EQ(settings.separator, u"改行");
    EXPECT_EQ(window.Bounds().width, 4635);
}

TEST_F(ConfFileTest, TheGeometryLinesPlaceTheWindowUnclamped) {
    Load(Lines({"form left = -3000", "form top = 99999", "form width = 6000", "form height = 1500"}));
    EXPECT_EQ(window.Bounds(), (TwipsRect{-3000, 99999, 6000, 1500}));
}

TEST_F(ConfFileTest, KeysAreTrimmedAndReadInAnyCaseButValuesKeepTrailingBlanks) {
    Load(Lines({"TASK TRAY = 1", "   erase delay=700", "Paste Key =   Q  "}));
    EXPECT_EQ(settings.taskTray, 1);
    EXPECT_EQ(settings.eraseDelay, 700);
    EXPECT_EQ(settings.pasteKey, u"Q  ");

    Load("disp pos = \x89\x45\x89\xba\x8b\xf7  \r\n");
    EXPECT_EQ(settings.dispPos, u"右下隅  ");  // no longer a corner name: the popup goes to the pointer
}

TEST_F(ConfFileTest, IgnoresLinesWithoutExactlyOneEqualsSignOrWithAnUnknownKey) {
    Load(Lines({"form left = 5520 = 3", "task tray 1", "", "colour = red", "=", "separator = a=b"}));
    EXPECT_EQ(window.Bounds().left, 12082);
    EXPECT_EQ(settings.taskTray, 0);
    EXPECT_EQ(settings.separator, u"改行");
}

TEST_F(ConfFileTest, AKeyWrittenTwiceTakesItsLastValue) {
    Load(Lines({"erase delay = 100", "erase delay = 900"}));
    EXPECT_EQ(settings.eraseDelay, 900);
}

TEST_F(ConfFileTest, NumbersAreReadFromTheStartOfTheValueAndRoundedHalfToEven) {
    Load(Lines({"erase delay = 250ms", "time auto close = 2.5", "limit unit = 3.5", "limit max = words",
                "no confirm = 1 0"}));
    EXPECT_EQ(settings.eraseDelay, 250);
    EXPECT_EQ(settings.timeAutoClose, 2);
    EXPECT_EQ(settings.limitUnit, 4);
    EXPECT_EQ(settings.limitMax, 0);
    EXPECT_EQ(settings.noConfirm, 10);
}

TEST_F(ConfFileTest, ANumberBeyondThirtyTwoBitsLeavesTheField) {
    Load(Lines({"limit max = 4294967296", "erase delay = -1e20", "limit unit = 2147483647"}));
    EXPECT_EQ(settings.limitMax, 65535);
    EXPECT_EQ(settings.eraseDelay, 500);
    EXPECT_EQ(settings.limitUnit, 2147483647);
}

TEST_F(ConfFileTest, CustomMsgMustBeANumberAsAWholeAndReadsAsOnOtherwise) {
    Load(Lines({"custom msg = 0"}));
    EXPECT_EQ(settings.customMsg, 0);
    Load(Lines({"custom msg = 0 seconds"}));
    EXPECT_EQ(settings.customMsg, 1);
    Load(Lines({"custom msg = 2.5  "}));
    EXPECT_EQ(settings.customMsg, 2);
    Load(Lines({"custom msg = off"}));
    EXPECT_EQ(settings.customMsg, 1);
}

TEST_F(ConfFileTest, LinesMayEndInCrLfCrOrLfAndTheLastNeedsNoEnd) {
    Load("task tray = 1\rerase delay = 300\nlimit unit = 77\r\nno confirm = 0");
    EXPECT_EQ(settings.taskTray, 1);
    EXPECT_EQ(settings.eraseDelay, 300);
    EXPECT_EQ(settings.limitUnit, 77);
    EXPECT_EQ(settings.noConfirm, 0);
}

TEST_F(ConfFileTest, WritesTheNineteenLinesInTheirFixedOrderInCodePage932) {
    window.SetBounds({5520, 3000, 4635, 2370});
    const std::string expected =
        "form left = 5520\r\n"
        "form top = 3000\r\n"
        "form width = 4635\r\n"
        "form height = 2370\r\n"
        "task tray = 0\r\n"
        "time auto close = 5\r\n"
        "disp pos = \x89\x45\x89\xba\x8b\xf7\r\n"
        "search string = \r\n"
        "search fuzzy = 0\r\n"
        "custom item = 1111111\r\n"
        "custom msg = 1\r\n"
        "separator = \x89\xfc\x8d\x73\r\n"
        "ctrlv init = 1\r\n"
        "erase delay = 500\r\n"
        "no confirm = 1\r\n"
        "paste key = V\r\n"
        "popup key = A\r\n"
        "limit max = 65535\r\n"
        "limit unit = 10000\r\n";
    EXPECT_EQ(Save(), expected);
}

TEST_F(ConfFileTest, TheWindowsLiveGeometryIsWrittenNotTheRecordsOwn) {
    settings.formLeft = 1;
    window.SetBounds({-450, 0, 9000, 3000});
    const std::string saved = Save();
    EXPECT_NE(saved.find("form left = -450\r\n"), std::string::npos);
    EXPECT_NE(saved.find("form top = 0\r\n"), std::string::npos);
    EXPECT_NE(saved.find("form width = 9000\r\n"), std::string::npos);
}

TEST_F(ConfFileTest, WhatIsWrittenReadsBackTheSame) {
    settings.taskTray = 1;
    settings.timeAutoClose = 15;
    settings.dispPos = u"ポインタ";
    settings.searchString = u"検索 語";
    settings.searchFuzzy = 1;
    settings.customItem = u"1010101";
    settings.customMsg = 0;
    settings.separator = u"\\n---\\n";
    settings.ctrlvInit = 0;
    settings.eraseDelay = -20;
    settings.noConfirm = 0;
    settings.pasteKey = u"Q";
    settings.popupKey = u"Z";
    settings.limitMax = 2147483647;
    settings.limitUnit = -5;
    window.SetBounds({100, 200, 3000, 4000});
    const SettingsRecord written = settings;
    Save();

    SettingsRecord read;
    LoadDefaults(read, kScreen, kDesigned);
    fake::FakeWindowFrame placed;
    LoadConf(read, files, kFolder, placed);

    EXPECT_EQ(placed.Bounds(), (TwipsRect{100, 200, 3000, 4000}));
    EXPECT_EQ(read.taskTray, 1);
    EXPECT_EQ(read.timeAutoClose, 15);
    EXPECT_EQ(read.dispPos, written.dispPos);
    EXPECT_EQ(read.searchString, written.searchString);
    EXPECT_EQ(read.searchFuzzy, 1);
    EXPECT_EQ(read.customItem, written.customItem);
    EXPECT_EQ(read.customMsg, 0);
    EXPECT_EQ(read.separator, written.separator);
    EXPECT_EQ(read.ctrlvInit, 0);
    EXPECT_EQ(read.eraseDelay, -20);
    EXPECT_EQ(read.noConfirm, 0);
    EXPECT_EQ(read.pasteKey, u"Q");
    EXPECT_EQ(read.popupKey, u"Z");
    EXPECT_EQ(read.limitMax, 2147483647);
    EXPECT_EQ(read.limitUnit, -5);
}

TEST_F(ConfFileTest, ValuesWithEqualsSignsOrLeadingBlanksDoNotSurviveARestart) {
    settings.separator = u"a=b";
    settings.pasteKey = u" ";
    const std::string saved = Save();
    EXPECT_NE(saved.find("separator = a=b\r\n"), std::string::npos);
    EXPECT_NE(saved.find("paste key =  \r\n"), std::string::npos);

    SettingsRecord read;
    LoadDefaults(read, kScreen, kDesigned);
    LoadConf(read, files, kFolder, window);
    EXPECT_EQ(read.separator, u"改行");
    EXPECT_EQ(read.pasteKey, u"");
}

TEST_F(ConfFileTest, ASettingThatCodePage932CannotHoldIsKeptAsUtf8) {
    settings.separator = u" 😀 한국어";
    settings.searchString = u"Ωmega";  // 932 has Ω; the file as a whole still needs UTF-8
    const std::string saved = Save();
    ASSERT_TRUE(saved.starts_with("\xEF\xBB\xBF"));
    EXPECT_NE(saved.find("separator =  \xF0\x9F\x98\x80 \xED\x95\x9C"), std::string::npos);
    EXPECT_EQ(saved.find('?'), std::string::npos);

    SettingsRecord read;
    LoadDefaults(read, kScreen, kDesigned);
    LoadConf(read, files, kFolder, window);
    EXPECT_EQ(read.separator, u"😀 한국어");  // only the leading blank is lost, as for any value
    EXPECT_EQ(read.searchString, u"Ωmega");
    EXPECT_EQ(read.dispPos, u"右下隅");
}

TEST_F(ConfFileTest, AFailedWriteKeepsThePreviousFileWhole) {
    const std::string before = Lines({"task tray = 1", "erase delay = 900"});
    files.Put(kPath, before);
    files.DenyWriting(true);
    EXPECT_FALSE(SaveConf(settings, files, kFolder, window));
    EXPECT_EQ(files.Get(kPath), before);
}

TEST(ConfPath, JoinsTheProgramFolderAndTheFileName) {
    EXPECT_EQ(ConfPath(u"C:\\Program Files\\gleaner"), u"C:\\Program Files\\gleaner\\Conf.txt");
    EXPECT_EQ(ConfPath(u"D:\\"), u"D:\\Conf.txt");
}

}  // namespace
}  // namespace gleaner
