// gleaner started from a folder where DLLs were saved beside it (Downloads)
// loads none of them: neither those it uses nor those system DLLs load for it.
#include <filesystem>

#include "scenario.h"

namespace gleaner::e2e {
namespace {

using EndToEndPlantedDlls = EndToEnd;

TEST_F(EndToEndPlantedDlls, RunsWithoutLoadingAnyDllBesideIt) {
    const auto planted = std::filesystem::path(GLEANER_PLANTED_DLL_UNIX_PATH).make_preferred().wstring();
    for (const wchar_t* name :
         {L"comctl32", L"shell32", L"shcore", L"version", L"user32", L"gdi32", L"msvcrt", L"uxtheme", L"dwmapi",
          L"winmm", L"propsys", L"oleacc", L"cryptbase", L"profapi", L"wtsapi32", L"msimg32", L"usp10", L"dbghelp",
          L"shlwapi", L"ole32", L"oleaut32", L"imm32", L"msctf", L"userenv", L"windowscodecs", L"comdlg32"})
        ASSERT_TRUE(CopyFileW((L"Z:" + planted).c_str(), folder_.File(name + std::wstring(L".dll")).c_str(), TRUE));
    // A planted DLL that an exe imports stops it from starting at all: the
    // marks say which it was.
    const auto up = Start();
    EXPECT_TRUE(up);
    if (up) {
        EXPECT_TRUE(CopyInOtherApp(L"copied") && BoxShows(L"copied"));
        EXPECT_TRUE(gleaner_->Close());
        gleaner_.reset();
    }
    for (const auto& file : std::filesystem::directory_iterator(folder_.path))
        EXPECT_NE(file.path().extension(), L".loaded") << "loaded: " << file.path().stem().string();
}

}  // namespace
}  // namespace gleaner::e2e
