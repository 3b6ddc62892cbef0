#include "settings/settings_defaults.h"
#include "settings/program_list_dialog.h"
#include "settings/settings_dialog.h"
#include "support/fake_platform.h"

#include <gtest/gtest.h>

#include <tuple>

namespace gleaner {
namespace {

constexpr Language kJa = Language::Japanese;

class SettingsDialogTest : public testing::Test {
protected:
    SettingsDialogTest() { LoadDefaults(settings, {28800, 16200}, {4635, 2370}); }
    SettingsRecord settings;
};

// "task tray" and "ctrlv init" are on at 1 only; "no confirm", "custom msg"
// and "search fuzzy" at anything but 0.
TEST_F(SettingsDialogTest, TicksACheckBoxExactlyWhenItsSettingIsOnAndStoresOneOrZero) {
    for (const std::int32_t value : {0, 1, 2, -1}) {
        settings.taskTray = settings.ctrlvInit = settings.noConfirm = settings.customMsg = settings.searchFuzzy = value;
        const SettingsControls shown = LoadSettingsControls(settings, kJa);
        const std::vector<bool> ticked{shown.chkTaskTray, shown.chkCtrlVInit, shown.chkNoConfirm, shown.chkDispMsg,
                                       shown.chkFuzzy};
        EXPECT_EQ(ticked, (std::vector<bool>{value == 1, value == 1, value != 0, value != 0, value != 0}));
        CloseSettings(CloseButton::Resume, shown, settings, kJa);
        const std::vector<std::int32_t> stored{settings.taskTray, settings.ctrlvInit, settings.noConfirm,
                                               settings.customMsg, settings.searchFuzzy};
        EXPECT_EQ(stored, std::vector<std::int32_t>(ticked.begin(), ticked.end()));
    }
}

TEST_F(SettingsDialogTest, TheCloseBoxStoresNothingAndConfirmingStoresWhatTheControlsShowWithItsCloseAction) {
    const std::tuple<CloseButton, bool, std::optional<CloseAction>> cases[] = {
        {CloseButton::Cancel, true, std::nullopt}, {CloseButton::Resume, true, CloseAction::Tray},
        {CloseButton::Resume, false, CloseAction::ShowWindow}, {CloseButton::End, false, CloseAction::ShowWindow},
        {CloseButton::End, true, CloseAction::End}};
    for (const auto& [button, trayTicked, action] : cases) {
        SettingsControls shown = LoadSettingsControls(settings, kJa);
        shown.chkTaskTray = trayTicked;
        shown.cmbSeparator = u"; ";
        shown.cmbTimeAutoClose = u"15";
        shown.lstCustom[0] = false;
        EXPECT_EQ(CloseSettings(button, shown, settings, kJa), action);
        EXPECT_EQ(settings.separator + settings.customItem + FormatAutoClose(settings.timeAutoClose),
                  action ? u"; 011111115" : u"改行1111111 5");
    }
}

// Each stored name under its label in the language, the name stored back
// whatever the language; the other settings as their lists write them.
TEST_F(SettingsDialogTest, ShowsEachSettingAsTheListsWriteItInTheLanguageAndStoresItBackUnchanged) {
    settings.timeAutoClose = 7;
    settings.customItem = u"1010101";  // 字数 Byte数 半角 タブ
    // Stored separator and position, and as the English dialog shows them.
    const std::pair<std::u16string, std::u16string> cases[] = {{u"改行|右下隅", u"Line break|Bottom right"},
        {u"カンマ|ポインタ", u"Comma|At the pointer"}, {u"無し|左上隅", u"None|Top left"},
        {u"全角スペース|右上隅", u"Ideographic space|Top right"},
        {u"改行|右下隅  ", u"Line break|右下隅  "},  // not in the list, shown all the same
        {u"Comma|Top left", u"Comma|Top left"}};  // typed by hand: as typed in any language
    for (const auto& [stored, english] : cases) {
        settings.separator = stored.substr(0, stored.find(u'|'));
        settings.dispPos = stored.substr(stored.find(u'|') + 1);
        for (const Language language : {Language::English, kJa}) {
            const SettingsControls shown = LoadSettingsControls(settings, language);
            EXPECT_EQ(shown.cmbSeparator + u"|" + shown.cmbDispPos, language == kJa ? stored : english);
            EXPECT_EQ(shown.lstCustom, (std::array<bool, 7>{true, false, true, false, true, false, true}));
            EXPECT_EQ(shown.cmbTimeAutoClose + shown.cmbPasteKey, u" 7V");
            CloseSettings(CloseButton::Resume, shown, settings, language);
            EXPECT_EQ(settings.separator + u"|" + settings.dispPos, stored);
            EXPECT_EQ(FormatAutoClose(settings.timeAutoClose) + settings.customItem, u" 71010101");
        }
    }
    // Chosen from the English list; an English label typed into the Japanese
    // dialog is no choice of its list.
    for (const auto& [typed, language, kept] : {std::tuple{u"Slash", Language::English, u"スラッシュ"},
                                                 std::tuple{u"Tab", kJa, u"Tab"}}) {
        SettingsControls shown = LoadSettingsControls(settings, language);
        shown.cmbSeparator = typed;
        CloseSettings(CloseButton::Resume, shown, settings, language);
        EXPECT_EQ(settings.separator, kept);
    }
}

TEST_F(SettingsDialogTest, AHotKeyComboTakesOneLetterAsItsCapitalAndKeepsTheOldKeyForAnythingElse) {
    for (char16_t refused : {u'1', u' ', u'.', u'ｑ', u'@', u'['}) EXPECT_EQ(HotKeyLetter(refused), std::nullopt);
    for (const std::u16string typed : {u"", u"1", u"QQ", u"q"}) {
        SettingsControls shown = LoadSettingsControls(settings, kJa);
        shown.cmbPasteKey = shown.cmbPopupKey = typed;
        CloseSettings(CloseButton::Resume, shown, settings, kJa);
        EXPECT_EQ(settings.pasteKey + settings.popupKey, typed == u"q" ? u"QQ" : u"VA");
    }
}

TEST_F(SettingsDialogTest, TheTrayBoxGrowsTheWindowShowsThePopupFrameAndOffersEndOnlyAfterGoingToTheTray) {
    const auto shape = [](bool ticked, CloseAction last, Language language = kJa) {
        SettingsShape shape = ShapeSettings(ticked, last, language);
        shape.endCaption = fake::BeforeAccessKey(shape.endCaption);
        return shape;
    };
    EXPECT_EQ(shape(false, CloseAction::Tray), (SettingsShape{4800, false, false, u"閉じる"}));
    EXPECT_EQ(shape(true, CloseAction::ShowWindow), (SettingsShape{6000, true, false, u"終了"}));
    EXPECT_EQ(shape(true, CloseAction::Tray), (SettingsShape{6000, true, true, u"終了"}));
    EXPECT_EQ(shape(true, CloseAction::Tray, Language::English).endCaption, u"Exit");
}

// One name a line, as typed or pasted from Explorer's "copy as path".
TEST(ProgramList, ReadsOneNameALineWithoutBlanksQuotesOrLinesThatNameNothing) {
    const std::u16string text = u"  KeePass.exe \r\n\r\n\"C:\\Program Files\\x.exe\"\n\u3000\t\nbad\x01.exe\n\"\"\nmstsc";
    const std::vector<std::u16string> programs{u"KeePass.exe", u"C:\\Program Files\\x.exe", u"mstsc"};
    EXPECT_EQ(ProgramsFromText(text), programs);
    EXPECT_EQ(ProgramsFromText(ProgramListText(programs)), programs);
    EXPECT_TRUE(ProgramsFromText(std::u16string(40000, u'x')).empty());
}

}  // namespace
}  // namespace gleaner
