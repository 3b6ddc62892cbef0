// Conf.txt beside gleaner.exe: written when gleaner closes, read when it
// starts, so the window comes back where the user left it.
#include <gtest/gtest.h>

#include <algorithm>

#include "conf_text.h"
#include "e2e_fixture.h"
#include "polling.h"
#include "windows_lookup.h"

namespace gleaner::e2e {
namespace {

constexpr wchar_t kConfName[] = L"Conf.txt";
constexpr std::size_t kConfLines = 19;

class EndToEndSettingsFile : public EndToEndTest {
protected:
    // Closes gleaner and reads the Conf.txt it wrote.
    testing::AssertionResult CloseAndReadConf(ConfText* conf) {
        if (auto closed = CloseGleaner(); !closed) return closed;
        const auto bytes = folder_.ReadBytes(kConfName);
        if (!bytes) return testing::AssertionFailure() << "no Conf.txt beside gleaner.exe after closing";
        std::string why;
        const auto parsed = ParseConfText(*bytes, &why);
        if (!parsed) return testing::AssertionFailure() << "Conf.txt: " << why;
        *conf = *parsed;
        return testing::AssertionSuccess();
    }
};

int Twips(int pixels) {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return MulDiv(pixels, 1440, dpi);
}

std::vector<std::wstring> GeometryLines(const RECT& rect) {
    return {L"form left = " + std::to_wstring(Twips(rect.left)),
            L"form top = " + std::to_wstring(Twips(rect.top)),
            L"form width = " + std::to_wstring(Twips(rect.right - rect.left)),
            L"form height = " + std::to_wstring(Twips(rect.bottom - rect.top))};
}

std::vector<std::wstring> FirstLines(const ConfText& conf, std::size_t count) {
    return {conf.lines.begin(), conf.lines.begin() + std::min(count, conf.lines.size())};
}

bool SameRect(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Waits until window has exactly rect (the window manager takes a moment).
testing::AssertionResult WindowSettlesAt(HWND window, const RECT& rect) {
    RECT now{};
    if (WaitUntil([&] { return GetWindowRect(window, &now) && SameRect(now, rect); })) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the window is at (" << now.left << "," << now.top << ")-(" << now.right
                                       << "," << now.bottom << ") instead of (" << rect.left << "," << rect.top
                                       << ")-(" << rect.right << "," << rect.bottom << ")";
}

TEST_F(EndToEndSettingsFile, IsWrittenOnCloseAsNineteenKeyValueLinesInCodePage932) {
    ConfText conf;
    ASSERT_TRUE(CloseAndReadConf(&conf));
    EXPECT_EQ(conf.lines.size(), kConfLines);
    for (const auto& line : conf.lines) {
        const auto equals = line.find(L" = ");
        EXPECT_TRUE(equals != std::wstring::npos && equals > 0) << "not a \"key = value\" line: " << testing::PrintToString(line);
    }
}

TEST_F(EndToEndSettingsFile, HoldsTheWindowGeometryInTwips) {
    const auto rect = WindowRect(gleaner_->MainWindow());
    ASSERT_TRUE(rect.has_value());
    ConfText conf;
    ASSERT_TRUE(CloseAndReadConf(&conf));
    EXPECT_EQ(FirstLines(conf, 4), GeometryLines(*rect));
}

TEST_F(EndToEndSettingsFile, BringsBackAMovedAndResizedWindowOnTheNextStart) {
    const RECT moved{240, 180, 240 + 520, 180 + 360};
    SetWindowPos(gleaner_->MainWindow(), nullptr, moved.left, moved.top, moved.right - moved.left,
                 moved.bottom - moved.top, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WindowSettlesAt(gleaner_->MainWindow(), moved)) << "after SetWindowPos";

    ConfText written;
    ASSERT_TRUE(CloseAndReadConf(&written));
    EXPECT_EQ(FirstLines(written, 4), GeometryLines(moved));

    ASSERT_TRUE(StartGleaner());
    EXPECT_TRUE(WindowSettlesAt(gleaner_->MainWindow(), moved)) << "after starting again";

    // Nothing changed in between: the next Conf.txt says the same.
    ConfText again;
    ASSERT_TRUE(CloseAndReadConf(&again));
    EXPECT_EQ(again.lines, written.lines);
}

}  // namespace
}  // namespace gleaner::e2e
