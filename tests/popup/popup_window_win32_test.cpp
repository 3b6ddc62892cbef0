// The balloon window under Wine.
#include <gtest/gtest.h>

#include "popup/popup_window_win32.h"

namespace gleaner {
namespace {

class NoHelp : public HelpView, public BalloonEvents {
public:
    void ShowHelp(bool) override {}
    void OnClearLabel() override {}
};

TEST(BalloonWindow, IsCutToItsRoundedBodyWithTheTailsTipAtTheAnchorOrAStripLeftTransparent) {
    NoHelp none;
    ProgramState state;
    win32::BalloonWindow balloon(state, none, none);
    ASSERT_TRUE(balloon.Load());
    const win32::UniqueGdiObject region(CreateRectRgn(0, 0, 0, 0));
    const auto inside = [&](int x, int y) {
        GetWindowRgn(balloon.Handle(), static_cast<HRGN>(region.Get()));
        return PtInRegion(static_cast<HRGN>(region.Get()), x, y) != FALSE;
    };
    balloon.Arrange(LayOutBalloon({{1000, 700}, 300, 180, true}, {}));  // left of and above the pointer
    EXPECT_TRUE(inside(150, 80));
    EXPECT_TRUE(inside(299, 179));  // the tip, at the pointer
    EXPECT_FALSE(inside(150, 172));

    balloon.Arrange(LayOutBalloon({{20, 20}, 300, 150, false}, {}));  // "左上隅": no tail, the strip on top
    EXPECT_FALSE(inside(150, 14));
    EXPECT_TRUE(inside(150, 16));
}

// Esc closes it from its text, which keeps every other key, and from ×,
// where the dialog keys see it.
TEST(BalloonWindow, IsTheProgramsBalloonFromShownUntilClosedByEscOrUnloaded) {
    NoHelp none;
    ProgramState state;
    win32::BalloonWindow balloon(state, none, none);
    for (const int focus : {1, 4, 0}) {
        ASSERT_TRUE(balloon.Load());
        balloon.ShowWithoutActivating();
        EXPECT_EQ(state.PopupWindowHandle, win32::ToWindowId(balloon.Handle()));
        MSG esc{GetDlgItem(balloon.Handle(), focus), WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
        if (focus == 0) balloon.Unload();
        else if (!IsDialogMessageW(balloon.Handle(), &esc)) DispatchMessageW(&esc);
        for (MSG posted; PeekMessageW(&posted, nullptr, 0, 0, PM_REMOVE);) DispatchMessageW(&posted);
        EXPECT_EQ(state.PopupWindowHandle, 0u) << focus;
    }
}

}  // namespace
}  // namespace gleaner
