// Safe to run from a Downloads folder, and installed the way Windows users
// install. The per-user installer, used as the guide says: msiexec installs gleaner
// for this user with a Start-menu shortcut and an entry in Apps; AUTOSTART=1,
// ADDLOCAL=Autostart and REMOVE=Autostart set the start at sign-in; a newer
// version installs over it and keeps Conf.txt; msiexec /x removes what it
// installed and leaves the user's Conf.txt.
#include "scenario.h"

#include <msi.h>

#include <filesystem>

namespace gleaner::e2e {
namespace {

namespace fs = std::filesystem;

// What "Apps" shows of the installed gleaner (UpgradeCode of packaging/gleaner.wxs).
std::wstring AppsShows(const wchar_t* property, DWORD product = 0) {
    wchar_t code[39], value[MAX_PATH] = L"";
    DWORD size = MAX_PATH;
    if (MsiEnumRelatedProductsW(L"{7C1E5A3B-2F44-4B8E-9D61-3A0C5E8F2B17}", 0, product, code) == ERROR_SUCCESS)
        MsiGetProductInfoW(code, property, value, &size);
    return value;
}

bool StartsAtSignIn() {
    return RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"gleaner",
                        RRF_RT_REG_SZ, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

using EndToEndInstaller = EndToEnd;

TEST_F(EndToEndInstaller, InstallsForTheUserStartsAtSignInWhenToldUpgradesInPlaceAndUninstalls) {
    const fs::path dir = fs::path(_wgetenv(L"LOCALAPPDATA")) / L"Programs\\gleaner", exe = dir / L"gleaner.exe";
    const fs::path shortcut = fs::path(_wgetenv(L"APPDATA")) / L"Microsoft\\Windows\\Start Menu\\Programs" /
                              L"ぐりーなー！ (gleaner).lnk";
    const auto msiexec = [](const std::wstring& action, const char* msi, const std::wstring& properties = L"") {
        const auto package = L" \"Z:" + fs::path(msi).make_preferred().wstring() + L"\" ";
        return _wsystem((L"start /wait msiexec /qn " + action + package + properties).c_str());
    };
    // Nothing is left installed to start with the prefix's next session.
    const auto uninstallAll = [&] {
        msiexec(L"/x", GLEANER_MSI_UNIX_PATH), msiexec(L"/x", GLEANER_NEXT_MSI_UNIX_PATH);
        std::error_code ignored;
        fs::remove_all(dir, ignored);
    };
    uninstallAll();
    const std::unique_ptr<void, std::function<void(void*)>> cleanUp(this, [&](void*) { uninstallAll(); });

    ASSERT_EQ(msiexec(L"/i", GLEANER_MSI_UNIX_PATH), 0);
    EXPECT_TRUE(fs::exists(exe) && fs::exists(dir / L"gleaner-guide.html") &&
                fs::exists(dir / L"gleaner-guide-en.html") && fs::exists(shortcut));
    EXPECT_EQ(AppsShows(INSTALLPROPERTY_INSTALLEDPRODUCTNAME), L"ぐりーなー！ (gleaner)");
    EXPECT_EQ(AppsShows(INSTALLPROPERTY_VERSIONSTRING), GLEANER_VERSION);
    EXPECT_EQ(AppsShows(INSTALLPROPERTY_PUBLISHER), L"Gleaner Works");
    EXPECT_TRUE(fs::exists(AppsShows(INSTALLPROPERTY_PRODUCTICON)));
    EXPECT_FALSE(StartsAtSignIn());

    ASSERT_TRUE(Start({}, true, dir.wstring()) && CopyInOtherApp(L"collected by the installed copy") &&
                BoxShows(L"collected by the installed copy") && gleaner_->Close());
    gleaner_.reset();
    const auto conf = Contents(dir / L"Conf.txt");
    ASSERT_NE(conf, "") << "no Conf.txt beside the installed gleaner.exe";

    ASSERT_EQ(msiexec(L"/i", GLEANER_MSI_UNIX_PATH, L"ADDLOCAL=Autostart"), 0);
    EXPECT_TRUE(StartsAtSignIn());
    ASSERT_EQ(msiexec(L"/i", GLEANER_MSI_UNIX_PATH, L"REMOVE=Autostart"), 0);
    EXPECT_FALSE(StartsAtSignIn());

    ASSERT_EQ(msiexec(L"/i", GLEANER_NEXT_MSI_UNIX_PATH), 0);
    EXPECT_EQ(AppsShows(INSTALLPROPERTY_VERSIONSTRING), GLEANER_NEXT_VERSION);
    EXPECT_EQ(AppsShows(INSTALLPROPERTY_VERSIONSTRING, 1), L"") << "the older version is still installed";
    ASSERT_EQ(msiexec(L"/x", GLEANER_NEXT_MSI_UNIX_PATH), 0);
    EXPECT_FALSE(fs::exists(exe) || fs::exists(shortcut) || AppsShows(INSTALLPROPERTY_VERSIONSTRING) != L"");
    EXPECT_EQ(Contents(dir / L"Conf.txt"), conf) << "the user's settings went with the upgrade or the program";

    ASSERT_EQ(msiexec(L"/i", GLEANER_MSI_UNIX_PATH, L"AUTOSTART=1"), 0);
    EXPECT_TRUE(StartsAtSignIn());
    ASSERT_EQ(msiexec(L"/x", GLEANER_MSI_UNIX_PATH), 0);
    EXPECT_FALSE(StartsAtSignIn());
}

// Started from a folder where DLLs were saved beside it (Downloads), gleaner
// loads none of them: neither those it uses nor those system DLLs load for it.
using EndToEndPlantedDlls = EndToEnd;

TEST_F(EndToEndPlantedDlls, RunsWithoutLoadingAnyDllBesideIt) {
    const auto planted = fs::path(GLEANER_PLANTED_DLL_UNIX_PATH).make_preferred().wstring();
    for (const wchar_t* name :
         {L"comctl32", L"shell32", L"shcore", L"version", L"user32", L"gdi32", L"msvcrt", L"uxtheme", L"dwmapi",
          L"winmm", L"propsys", L"oleacc", L"cryptbase", L"profapi", L"wtsapi32", L"msimg32", L"usp10", L"dbghelp",
          L"shlwapi", L"ole32", L"oleaut32", L"imm32", L"msctf", L"userenv", L"windowscodecs", L"comdlg32"})
        ASSERT_TRUE(CopyFileW((L"Z:" + planted).c_str(), folder_.File(name + std::wstring(L".dll")).c_str(), TRUE));
    // A planted DLL that an exe imports stops it from starting at all: the
    // marks say which it was.
    EXPECT_TRUE(Start() && CopyInOtherApp(L"copied") && BoxShows(L"copied") && gleaner_->Close());
    for (const auto& file : fs::directory_iterator(folder_.path))
        EXPECT_NE(file.path().extension(), L".loaded") << "loaded: " << file.path().stem().string();
}

}  // namespace
}  // namespace gleaner::e2e
