// Conf.txt through the real file system and the system's code page 932 tables.
#include <gtest/gtest.h>

#include "platform/fake_platform.h"
#include "platform/win32_handles.h"
#include "platform/win32_platform.h"
#include "settings/conf_file.h"

namespace gleaner {
namespace {

class ConfFileOnDiskTest : public testing::Test {
protected:
    ConfFileOnDiskTest() {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder_ = win32::FromWide(temp, wcslen(temp)) + u"gleaner-conf-" +
                  std::u16string(u"0123456789")[GetCurrentProcessId() % 10];
        CreateDirectoryW(win32::Wide(folder_), nullptr);
        DeleteFileW(win32::Wide(ConfPath(folder_)));
        LoadDefaults(settings, {28800, 16200}, {4635, 2370});
    }
    ~ConfFileOnDiskTest() override {
        DeleteFileW(win32::Wide(ConfPath(folder_)));
        RemoveDirectoryW(win32::Wide(folder_));
    }

    std::string FileBytes() { return files.Read(ConfPath(folder_)).value_or("<unreadable>"); }

    std::u16string folder_;
    win32::Win32FileStore files;
    SettingsRecord settings;
    fake::FakeWindowFrame window{{1500, 1200, 4635, 2370}};
};

TEST_F(ConfFileOnDiskTest, WritesJapaneseValuesAsCodePage932AndReadsThemBack) {
    settings.dispPos = u"ポインタ";
    ASSERT_TRUE(SaveConf(settings, files, folder_, window));
    const std::string bytes = FileBytes();
    EXPECT_NE(bytes.find("disp pos = \x83\x7c\x83\x43\x83\x93\x83\x5e\r\n"), std::string::npos);
    EXPECT_NE(bytes.find("separator = \x89\xfc\x8d\x73\r\n"), std::string::npos);
    EXPECT_TRUE(bytes.starts_with("form left = 1500\r\n"));
    EXPECT_TRUE(bytes.ends_with("limit unit = 10000\r\n"));

    SettingsRecord read;
    LoadDefaults(read, {28800, 16200}, {4635, 2370});
    fake::FakeWindowFrame placed;
    LoadConf(read, files, folder_, placed);
    EXPECT_EQ(read.dispPos, u"ポインタ");
    EXPECT_EQ(read.separator, u"改行");
    EXPECT_EQ(placed.Bounds(), window.Bounds());
}

TEST_F(ConfFileOnDiskTest, ASettingOutsideCodePage932SurvivesOnDisk) {
    settings.separator = u"😀 한국어";
    ASSERT_TRUE(SaveConf(settings, files, folder_, window));
    EXPECT_TRUE(FileBytes().starts_with("\xEF\xBB\xBF"));

    SettingsRecord read;
    LoadDefaults(read, {28800, 16200}, {4635, 2370});
    LoadConf(read, files, folder_, window);
    EXPECT_EQ(read.separator, u"😀 한국어");
}

TEST_F(ConfFileOnDiskTest, ReplacingLeavesNoTemporaryFileAndAFailedWriteKeepsTheOldOne) {
    ASSERT_TRUE(SaveConf(settings, files, folder_, window));
    EXPECT_FALSE(files.Exists(ConfPath(folder_) + u".new"));
    const std::string before = FileBytes();

    // A write into a folder that does not exist fails and changes nothing.
    EXPECT_FALSE(SaveConf(settings, files, folder_ + u"\\missing", window));
    settings.taskTray = 1;
    // A file held open without sharing by another program cannot be replaced.
    win32::UniqueFile locked(CreateFileW(win32::Wide(ConfPath(folder_)), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(locked.Valid());
    EXPECT_FALSE(SaveConf(settings, files, folder_, window));
    locked.Reset();
    EXPECT_EQ(FileBytes(), before);
    EXPECT_FALSE(files.Exists(ConfPath(folder_) + u".new"));
}

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable) {
    const std::u16string folder = win32::ProgramFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_NE(folder.back(), u'\\');
    const DWORD attributes = GetFileAttributesW(win32::Wide(folder));
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace
}  // namespace gleaner
