// The version the built program states about itself, read as it reads it.
#include <gtest/gtest.h>

#include "platform/win32_handles.h"
#include "shell/menus.h"
#include "shell/version.h"

namespace gleaner {
namespace {

std::string VersionBlockOf(const wchar_t* exe) {
    HMODULE module = LoadLibraryExW(exe, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!module) return {};
    std::string block;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(16))) {
        if (HGLOBAL loaded = LoadResource(module, found))
            block.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
    FreeLibrary(module);
    return block;
}

TEST(VersionResource, TheProgramIsVersion076WithItsProductAndCompanyNames) {
    const auto version = ParseVersionResource(VersionBlockOf(GLEANER_EXE_PATH));
    ASSERT_TRUE(version);
    EXPECT_EQ(AppTitle(*version), u"ぐりーなー！ Ver0.76");
    EXPECT_EQ(version->productName, u"ぐりーなー！");
    EXPECT_FALSE(version->companyName.empty());
    EXPECT_EQ(VersionMenuCaption(u"gleaner", *version), u"gleaner Ver0.76  " + version->companyName);
}

TEST(VersionResource, TheProgramCarriesAManifestAndAnIcon) {
    HMODULE module = LoadLibraryExW(GLEANER_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
    HRSRC manifest = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
    ASSERT_NE(manifest, nullptr);
    const std::string text(static_cast<const char*>(LockResource(LoadResource(module, manifest))),
                           SizeofResource(module, manifest));
    EXPECT_NE(text.find("PerMonitorV2"), std::string::npos);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, 32, 32, 0), nullptr);
    FreeLibrary(module);
}

}  // namespace
}  // namespace gleaner
