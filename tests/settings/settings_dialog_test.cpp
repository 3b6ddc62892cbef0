#include "settings/settings_dialog.h"

#include <gtest/gtest.h>

namespace gleaner {
namespace {

class SettingsDialogTest : public testing::Test {
protected:
    SettingsDialogTest() {
        LoadDefaults(settings, {28800, 16200}, {4635, 2370});
        SettingsCloseAction = CloseAction::ShowWindow;
    }
    SettingsRecord settings;
};

TEST_F(SettingsDialogTest, ShowsEachSettingInItsControlAsTheListsWriteThem) {
    settings.timeAutoClose = 7;
    settings.customItem = u"1010101";
    settings.dispPos = u"右下隅  ";
    settings.popupKey = u"z";
    const SettingsControls shown = LoadSettingsControls(settings);
    EXPECT_EQ(shown.cmbTimeAutoClose, u" 7");
    EXPECT_EQ(shown.lstCustom, (std::array<bool, 7>{true, false, true, false, true, false, true}));  // 字数 Byte数 半角 タブ
    EXPECT_EQ(shown.cmbDispPos, u"右下隅  ");  // not in the list, shown all the same
    EXPECT_EQ(shown.cmbPopupKey, u"z");
    EXPECT_EQ(shown.cmbSeparator, u"改行");
    EXPECT_EQ(FormatAutoClose(10), u"10");
    EXPECT_EQ(FormatAutoClose(120), u"120");
    EXPECT_EQ(FormatAutoClose(-1), u"-1");

    CloseSettings(CloseButton::Resume, shown, settings);
    EXPECT_EQ(settings.timeAutoClose, 7);
    EXPECT_EQ(settings.customItem, u"1010101");
    EXPECT_EQ(settings.popupKey, u"Z");
}

TEST_F(SettingsDialogTest, TicksACheckBoxExactlyWhenTheProgramTreatsItsSettingAsOnAndStoresOneOrZero) {
    struct Case {
        std::int32_t value;
        bool trayAndCtrlV;  // "task tray" and "ctrlv init": on at 1 only
        bool others;        // "no confirm", "custom msg", "search fuzzy": on unless 0
    };
    for (const Case& c : {Case{0, false, false}, Case{1, true, true}, Case{2, false, true}, Case{-1, false, true}}) {
        settings.taskTray = settings.ctrlvInit = settings.noConfirm = settings.customMsg = settings.searchFuzzy = c.value;
        const SettingsControls shown = LoadSettingsControls(settings);
        EXPECT_EQ(std::vector({shown.chkTaskTray, shown.chkCtrlVInit}), std::vector(2, c.trayAndCtrlV)) << c.value;
        EXPECT_EQ(std::vector({shown.chkNoConfirm, shown.chkDispMsg, shown.chkFuzzy}), std::vector(3, c.others))
            << c.value;
        CloseSettings(CloseButton::Resume, shown, settings);
        EXPECT_EQ(std::vector({settings.taskTray, settings.ctrlvInit}), std::vector(2, c.trayAndCtrlV ? 1 : 0));
        EXPECT_EQ(std::vector({settings.noConfirm, settings.customMsg, settings.searchFuzzy}),
                  std::vector(3, c.others ? 1 : 0));
    }
}

TEST_F(SettingsDialogTest, ConfirmingStoresWhatTheControlsShowAndTheCloseBoxNothing) {
    struct Case {
        CloseButton button;
        bool trayTicked;
        CloseAction expected;
    };
    for (const Case& c : {Case{CloseButton::Resume, true, CloseAction::Tray},
                          Case{CloseButton::Resume, false, CloseAction::ShowWindow},
                          Case{CloseButton::End, false, CloseAction::ShowWindow},  // 閉じる
                          Case{CloseButton::End, true, CloseAction::End},
                          Case{CloseButton::Cancel, false, CloseAction::End}}) {  // End: the case before's
        SettingsRecord record = settings;
        SettingsControls shown = LoadSettingsControls(record);
        shown.chkTaskTray = c.trayTicked;
        shown.cmbSeparator = u"; ";
        shown.cmbPasteKey = u"q";
        shown.cmbTimeAutoClose = u"15";
        shown.txtSearchStr = u"needle";
        shown.lstCustom[0] = false;
        CloseSettings(c.button, shown, record);
        EXPECT_EQ(SettingsCloseAction, c.expected) << static_cast<int>(c.button);
        const bool stored = c.button != CloseButton::Cancel;
        EXPECT_EQ(record.separator, stored ? u"; " : u"改行");
        EXPECT_EQ(record.pasteKey, stored ? u"Q" : u"V");
        EXPECT_EQ(record.timeAutoClose, stored ? 15 : 5);
        EXPECT_EQ(record.searchString, stored ? u"needle" : u"");
        EXPECT_EQ(record.customItem, stored ? u"0111111" : u"1111111");
    }
}

TEST_F(SettingsDialogTest, AHotKeyComboTakesOneLetterAndKeepsTheOldKeyForAnythingElse) {
    EXPECT_EQ(HotKeyLetter(u'q'), u'Q');
    EXPECT_EQ(HotKeyLetter(u'Z'), u'Z');
    for (char16_t refused : {u'1', u' ', u'.', u'ｑ', u'@', u'['}) EXPECT_EQ(HotKeyLetter(refused), std::nullopt);
    for (const char16_t* shown : {u"", u"1", u"QQ"}) {
        SettingsControls controls = LoadSettingsControls(settings);
        controls.cmbPasteKey = controls.cmbPopupKey = shown;
        CloseSettings(CloseButton::Resume, controls, settings);
        EXPECT_EQ(settings.pasteKey + settings.popupKey, u"VA") << testing::PrintToString(std::u16string(shown));
    }
}

TEST_F(SettingsDialogTest, TheTrayBoxGrowsTheWindowShowsThePopupFrameAndOffersEndOnlyAfterGoingToTheTray) {
    EXPECT_EQ(ShapeSettings(false, CloseAction::Tray), (SettingsShape{4800, false, false, u"閉じる"}));
    EXPECT_EQ(ShapeSettings(true, CloseAction::ShowWindow), (SettingsShape{6000, true, false, u"終了"}));
    EXPECT_EQ(ShapeSettings(true, CloseAction::Tray), (SettingsShape{6000, true, true, u"終了"}));
}

}  // namespace
}  // namespace gleaner
