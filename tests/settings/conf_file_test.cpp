#include "settings/conf_file.h"

#include <gtest/gtest.h>

#include "platform/codepage.h"
#include "support/fake_platform.h"

namespace gleaner {
namespace {

const std::u16string kFolder = u"C:\\Tools\\gleaner";
const std::u16string kPath = u"C:\\Tools\\gleaner\\Conf.txt";

class ConfFileTest : public testing::Test {
protected:
    ConfFileTest() { LoadDefaults(settings, {28800, 16200}, {4635, 2370}); }

    // Conf.txt bytes are code page 932: ASCII here, Japanese spelt out as bytes.
    void Load(const std::string& bytes) {
        files.Put(kPath, bytes);
        LoadConf(settings, files, kFolder, window);
    }
    std::string Save() {
        EXPECT_TRUE(SaveConf(settings, files, kFolder, window));
        return files.Get(kPath).value_or("<none>");
    }
    SettingsRecord ReadBack() {
        SettingsRecord read;
        LoadDefaults(read, {28800, 16200}, {4635, 2370});
        LoadConf(read, files, kFolder, window);
        return read;
    }

    SettingsRecord settings;
    fake::FakeFileStore files;
    fake::FakeWindowFrame window;
};

TEST_F(ConfFileTest, WithoutAReadableFileTheDefaultsHoldTheWindowIsCentredAndAFailedWriteKeepsTheFile) {
    files.denyReading = true;
    files.denyWriting = true;
    Load("task tray = 1\r\n");
    EXPECT_EQ(settings.taskTray, 0);  // the other defaults: as the test of the written lines shows them
    // (28800 - 4635) / 2 = 12082.5 and (16200 - 2370) / 2 = 6915: halves go to even.
    EXPECT_EQ(window.Bounds(), (TwipsRect{12082, 6915, 4635, 2370}));
    EXPECT_FALSE(SaveConf(settings, files, kFolder, window));
    EXPECT_EQ(files.Get(kPath), "task tray = 1\r\n");
    EXPECT_EQ(ConfPath(u"D:\\"), u"D:\\Conf.txt");
}

// A damaged or edited file is read as safely as it can be.
TEST_F(ConfFileTest, ReadsKeysInAnyCaseNumbersFromTheStartOfTheValueAndTextInEitherEncodingWithoutNuls) {
    Load("TASK TRAY = 1\r   form height=250ms\nPaste Key =   Q  \r\nform left = -3000 = 1\r\nerase delay = 8\r\n"
         "colour = red\r\ntime auto close = 2.5\r\nlimit max = 4294967296\r\nlimit unit = words\r\n"
         "custom msg = 0 seconds\r\nform top = 99999\r\ndisp pos = \x89\x45\x89\xba\x8b\xf7  \r\n"
         "erase delay = 900");
    // Two equals signs: ignored; the geometry unclamped; halves to even; values
    // keep trailing blanks; beyond 32 bits: as if absent; "custom msg", not a
    // number as a whole: on; of a key written twice, the last.
    EXPECT_EQ(FormatConf(settings, window.Bounds()),
              u"form left = 12082\r\nform top = 99999\r\nform width = 4635\r\nform height = 250\r\ntask tray = 1\r\n"
              u"time auto close = 2\r\ndisp pos = 右下隅  \r\nsearch string = \r\nsearch fuzzy = 0\r\n"
              u"custom item = 1111111\r\ncustom msg = 1\r\nseparator = 改行\r\nctrlv init = 1\r\nerase delay = 900\r\n"
              u"no confirm = 1\r\npaste key = Q  \r\npopup key = A\r\nlimit max = 65535\r\nlimit unit = 0\r\n");
    Load(std::string("separator = a\0b\r\nerase delay = 1E-400\r\n", 39));
    EXPECT_EQ(settings.separator, u"ab");  // a NUL would cut every copy short
    EXPECT_EQ(settings.eraseDelay, 0);
    Load("separator = \xE2\x86\x92 \xE6\x94\xB9\xE8\xA1\x8C\r\n");  // UTF-8 without a mark
    EXPECT_EQ(settings.separator, u"→ 改行");
    Load("\xEF\xBB\xBF" "form left = 7\r\n");  // UTF-8 behind its mark
    EXPECT_EQ(window.Bounds().left, 7);
    Load("separator = \x89\xfc\x8d\x73\r\n");  // code page 932, as the program writes it
    EXPECT_EQ(settings.separator, u"改行");
    Load(std::string("separator = \0 x\r\n", 17));
    EXPECT_EQ(settings.separator, u"x");  // blanks behind a NUL lead the value: as written back
}

// Nineteen lines in their fixed order, with the geometry the window has now;
// code page 932 while it holds every setting and cannot pass for UTF-8, else
// UTF-8 behind its mark.
TEST_F(ConfFileTest, WritesTheNineteenLinesWithTheLiveGeometryInCodePage932OrElseUtf8AndReadsThemBackTheSame) {
    settings.formLeft = 1;
    window.SetBounds({-450, 3000, 4635, 2370});
    EXPECT_EQ(Save(),
              "form left = -450\r\nform top = 3000\r\nform width = 4635\r\nform height = 2370\r\n"
              "task tray = 0\r\ntime auto close = 5\r\ndisp pos = \x89\x45\x89\xba\x8b\xf7\r\n"
              "search string = \r\nsearch fuzzy = 0\r\ncustom item = 1111111\r\ncustom msg = 1\r\n"
              "separator = \x89\xfc\x8d\x73\r\nctrlv init = 1\r\nerase delay = 500\r\nno confirm = 1\r\n"
              "paste key = V\r\npopup key = A\r\nlimit max = 65535\r\nlimit unit = 10000\r\n");
    settings.taskTray = 1;
    settings.dispPos = u"ポインタ";
    settings.searchString = u"検索 語";
    settings.customItem = u"1010101";
    settings.customMsg = 0;
    settings.separator = u"\\n---\\n";
    settings.eraseDelay = -20;
    settings.pasteKey = u"Q";
    settings.limitMax = 2147483647;
    window.SetBounds({100, 200, 3000, 4000});
    EXPECT_FALSE(Save().starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(FormatConf(ReadBack(), window.Bounds()), FormatConf(settings, window.Bounds()));
    settings.separator = u"😀 한국어";
    settings.searchString = u"Ωmega";  // 932 has Ω; the file as a whole still needs UTF-8
    ASSERT_TRUE(Save().starts_with("\xEF\xBB\xBF"));
    EXPECT_EQ(FormatConf(ReadBack(), window.Bounds()), FormatConf(settings, window.Bounds()));  // none turned into "?"
    settings.dispPos = settings.searchString = u"ascii";
    settings.separator = u"ﾃｽ";  // C3 BD in code page 932, "ý" in UTF-8
    Save();
    EXPECT_EQ(ReadBack().separator, u"ﾃｽ");
}

TEST(CodePage932, EncodesJapaneseAsShiftJisAndRefusesWhatItCannotHoldRatherThanWritingQuestionMarks) {
    EXPECT_EQ(EncodeCodePage932(u"右下隅"), std::string("\x89\x45\x89\xba\x8b\xf7"));
    EXPECT_EQ(EncodeCodePage932(u"ﾊﾝｶｸ"), std::string("\xca\xdd\xb6\xb8"));  // half-width kana are one byte
    const std::u16string text = u"ポインタ 左上隅 ＭＳ ゴシック ｶﾅ 123\r\n";
    EXPECT_EQ(DecodeCodePage932(EncodeCodePage932(text).value_or("")), text);
    for (const char16_t* foreign : {u"😀", u"한국어", u"abc é", u"〜"}) EXPECT_EQ(EncodeCodePage932(foreign), std::nullopt);
}

TEST(Utf8, RoundTripsEveryPlaneAndReplacesBrokenInputInsteadOfFailing) {
    const std::u16string text = u"a é 改 😀 한";
    EXPECT_EQ(EncodeUtf8(text), std::string("a \xC3\xA9 \xE6\x94\xB9 \xF0\x9F\x98\x80 \xED\x95\x9C"));
    EXPECT_EQ(DecodeUtf8(EncodeUtf8(text)), text);
    EXPECT_EQ(EncodeUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(DecodeUtf8("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(DecodeUtf8("\xC0\x80"), u"\uFFFD");  // overlong
    EXPECT_FALSE(IsUtf8("\xE6\x94"));
}

}  // namespace
}  // namespace gleaner
