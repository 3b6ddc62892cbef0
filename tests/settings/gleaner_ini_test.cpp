#include <gtest/gtest.h>

#include <tuple>

#include "settings/gleaner_ini.h"
#include "support/fake_platform.h"

namespace gleaner {
namespace {

TEST(ChooseLanguage, FollowsTheDisplayLanguagesPrimaryLanguageUnlessTheUserChose) {
    using enum LanguageChoice;
    const std::tuple<LanguageChoice, std::uint16_t, Language> cases[] = {
        {Automatic, 0x0411, Language::Japanese},  // ja-JP
        {Automatic, 0x0011, Language::Japanese},  // Japanese, no region
        {Automatic, 0x0409, Language::English},   {Automatic, 0x0407, Language::English},  // en-US, de-DE
        {Automatic, 0x0404, Language::English},   // zh-TW: another script, still not Japanese
        {Japanese, 0x0409, Language::Japanese},   {English, 0x0411, Language::English}};
    for (const auto& [choice, id, language] : cases) EXPECT_EQ(ChooseLanguage(choice, id), language) << id;
}

TEST(GleanerIni, ReadsTheLanguageToleratingCaseBlanksAMarkAndAnythingElseAsTheDefault) {
    using enum LanguageChoice;
    const std::pair<std::string, LanguageChoice> cases[] = {
        {"", Automatic},
        {"language = ja\r\n", Japanese},
        {"\xEF\xBB\xBF  LANGUAGE=EN", English},
        {"[gleaner]\nother = 1\nlanguage\t=\tJa \n", Japanese},
        {"language = fr", Automatic},
        {"; language = ja", Automatic},
        {"language = ja\nlanguage = ?", Automatic},  // the last line says
        {std::string("language = \xFF\0en", 15), Automatic}};
    for (const auto& [bytes, choice] : cases) EXPECT_EQ(ParseIni(bytes).language, choice) << bytes;
}

TEST(GleanerIni, WritesItsLineInPlaceKeepingEveryOtherLineAndOnlyWhenItCouldReadTheFile) {
    EXPECT_EQ(UpdateIni("; mine\r\nx = 1\nlanguage = ja\r\n", {LanguageChoice::English}),
              "; mine\r\nx = 1\r\nlanguage = en\r\n");
    EXPECT_EQ(UpdateIni("x = 1", {LanguageChoice::Japanese}), "x = 1\r\nlanguage = ja\r\n");
    const std::string fresh = UpdateIni("", {LanguageChoice::Automatic});
    EXPECT_TRUE(fresh.starts_with(";")) << "a new file says what it is";
    EXPECT_EQ(ParseIni(fresh).language, LanguageChoice::Automatic);

    fake::FakeFileStore files;
    const std::u16string path = u"C:\\Tools\\gleaner.ini";
    EXPECT_EQ(IniPath(u"C:\\Tools\\"), path);
    EXPECT_EQ(LoadIni(files, u"C:\\Tools").language, LanguageChoice::Automatic);
    ASSERT_TRUE(SaveIni(files, u"C:\\Tools", {LanguageChoice::Japanese}));
    EXPECT_EQ(LoadIni(files, u"C:\\Tools").language, LanguageChoice::Japanese);
    files.denyReading = true;
    EXPECT_EQ(LoadIni(files, u"C:\\Tools").language, LanguageChoice::Automatic);
    EXPECT_FALSE(SaveIni(files, u"C:\\Tools", {LanguageChoice::English}));
    EXPECT_EQ(ParseIni(*files.Get(path)).language, LanguageChoice::Japanese);
}

}  // namespace
}  // namespace gleaner
