#include <gtest/gtest.h>

#include <tuple>

#include "settings/gleaner_ini.h"
#include "support/fake_platform.h"

namespace gleaner {
namespace {

TEST(ChooseLanguage, FollowsTheDisplayLanguagesPrimaryLanguageUnlessTheUserChose) {
    using enum LanguageChoice;
    // ja-JP, Japanese without a region, en-US, de-DE, zh-TW; then a choice.
    const std::tuple<LanguageChoice, std::uint16_t, Language> cases[] = {{Automatic, 0x0411, Language::Japanese},
        {Automatic, 0x0011, Language::Japanese}, {Automatic, 0x0409, Language::English},
        {Automatic, 0x0407, Language::English}, {Automatic, 0x0404, Language::English},
        {Japanese, 0x0409, Language::Japanese}, {English, 0x0411, Language::English}};
    for (const auto& [choice, id, language] : cases) EXPECT_EQ(ChooseLanguage(choice, id), language) << id;
}

// Read tolerating case, blanks and a mark, anything else as the default;
// written in place, every other line kept, and only when the file could be
// read.
TEST(GleanerIni, ReadsTheLanguageLenientlyAndWritesItsLineInPlaceOnlyWhenItCouldReadTheFile) {
    using enum LanguageChoice;
    const std::pair<std::string, LanguageChoice> cases[] = {{"", Automatic}, {"language = ja\r\n", Japanese},
        {"\xEF\xBB\xBF  LANGUAGE=EN", English}, {"[gleaner]\nother = 1\nlanguage\t=\tJa \n", Japanese},
        {"language = fr", Automatic}, {"; language = ja", Automatic}, {"language = ja\nlanguage = ?", Automatic},
        {std::string("language = \xFF\0en", 15), Automatic}};  // the last line says; bytes no value has
    for (const auto& [bytes, choice] : cases) EXPECT_EQ(ParseIni(bytes).language, choice) << bytes;
    EXPECT_EQ(UpdateIni("; mine\r\nx = 1\nlanguage = ja\r\n", {English, {}, true}),
              "; mine\r\nx = 1\r\nlanguage = en\r\n");
    EXPECT_EQ(UpdateIni("x = 1", {Japanese, {}, true}), "x = 1\r\nlanguage = ja\r\n");
    EXPECT_TRUE(UpdateIni("", {Automatic, {}, true}).starts_with(";")) << "a new file says what it is";

    fake::FakeFileStore files;
    EXPECT_EQ(LoadIni(files, u"C:\\Tools").language, Automatic);
    ASSERT_TRUE(SaveIni(files, u"C:\\Tools", {Japanese, {}, true}));
    EXPECT_EQ(LoadIni(files, u"C:\\Tools").language, Japanese);
    files.denyReading = true;
    EXPECT_EQ(LoadIni(files, u"C:\\Tools").language, Automatic);
    EXPECT_FALSE(SaveIni(files, u"C:\\Tools", {English, {}, true}));
    EXPECT_EQ(ParseIni(*files.Get(IniPath(u"C:\\Tools\\"))).language, Japanese);
}

TEST(GleanerIni, ReadsTheProgramsNeverReadAsWrittenLeavingOutLinesThatNameNoProgramAndWritesThemInPlace) {
    const std::string bytes = "ignore program = KeePass.exe\r\nIGNORE PROGRAM=C:\\Tools\\ターミナル.exe\n"
                              "ignore program =   \nignore program = \xFF.exe\nignore program = a\tb.exe\n"
                              "; ignore program = mstsc.exe\nignore program = mstsc.exe";
    EXPECT_EQ(ParseIni(bytes).ignoredPrograms,
              (std::vector<std::u16string>{u"KeePass.exe", u"C:\\Tools\\ターミナル.exe", u"mstsc.exe"}));
    EXPECT_TRUE(ParseIni("ignore program = " + std::string(40000, 'x') + ".exe").ignoredPrograms.empty());
    // Written where their first line was, or at the end.
    IniSettings settings{LanguageChoice::Japanese, {u"mstsc.exe", u"ターミナル.exe"}, true};
    const std::string lines = "ignore program = mstsc.exe\r\nignore program = \xE3\x82\xBF\xE3\x83\xBC"
                              "\xE3\x83\x9F\xE3\x83\x8A\xE3\x83\xAB.exe\r\n";
    EXPECT_EQ(UpdateIni("x = 1\nignore program = old.exe\ny = 2\nignore program = gone.exe\nlanguage = en\n", settings),
              "x = 1\r\n" + lines + "y = 2\r\nlanguage = ja\r\n");
    EXPECT_EQ(UpdateIni("language = ja", settings), "language = ja\r\n" + lines);
    EXPECT_EQ(ParseIni(UpdateIni("", settings)), settings);
    settings.ignoredPrograms.clear();
    EXPECT_EQ(UpdateIni("ignore program = a.exe\nlanguage = ja", settings), "language = ja\r\n");
}

}  // namespace
}  // namespace gleaner
