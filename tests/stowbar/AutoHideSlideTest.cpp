// The heartbeat's slide: the timed slide out and back, its path and repaints, and the edge cases
// of its clock and its positions.
#include "support/HeartbeatFixture.h"

namespace stowtest {

using namespace host;

namespace {

// ---------------------------------------------------------------- the slide

TEST_F(AutoHideTest, DroppedBarWaitsHiddenWithThreePixelsInView) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(10);
    EXPECT_TRUE(bar->Hidden());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, -52, 640, 55));
}

TEST_F(AutoHideTest, TickHidesByTimedSlideFromZeroToMinus52) {
    TStowbar* bar = ShownTopBar();
    ASSERT_EQ(bar->BoundsRect(), Bounds(0, 0, 640, 55));
    ASSERT_FALSE(bar->Hidden());
    Wait(200);
    EXPECT_TRUE(bar->Hidden());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, -52, 640, 55));
    EXPECT_EQ(bar->SlideFrames(), HidePath());
}

TEST_F(AutoHideTest, ShowSlidesBackToZero) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(10);
    uint64_t start = env.desktop().Now();
    bar->ShowBar();
    EXPECT_FALSE(bar->Hidden());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 640, 55));
    EXPECT_EQ(bar->SlideFrames(), ShowPath());
    // The start's own read of the tick count takes one step, the 40 passes the 400 ms.
    EXPECT_EQ(env.desktop().Now() - start, 410u);
}

TEST_F(AutoHideTest, SlideDispatchesNothingAndRepaintsBarAndFormEachPass) {
    TStowbar* bar = ShownTopBar();
    Desktop& d = env.desktop();
    PostMessageA(env.Form()->Handle(), WM_USER + 1, 0, 0);
    std::vector<UINT> dispatched;
    d.OnDispatch = [&](HWND, const TMessage& m) { dispatched.push_back(m.Msg); };
    uint64_t barPaints = d.PaintCount(bar->Handle());
    uint64_t formPaints = d.PaintCount(env.Form()->Handle());
    bar->HideBar();
    d.OnDispatch = nullptr;
    // Only the moves' own synchronous notices; the posted message and the timers (timer 1 came
    // due twice during the 410 ms) wait for the loop.
    for (UINT msg : dispatched)
        EXPECT_EQ(msg, WM_WINDOWPOSCHANGED);
    EXPECT_EQ(d.PendingCount(), 1u);
    EXPECT_EQ(d.PaintCount(bar->Handle()) - barPaints, 40u);
    EXPECT_EQ(d.PaintCount(env.Form()->Handle()) - formPaints, 40u);
}

TEST_F(AutoHideTest, SlideKeepsItsPathWhenTheTickCountWrapsAround) {
    TStowbar* bar = ShownTopBar();
    Desktop& d = env.desktop();
    // The next read of the tick count gives 0xFFFFFF00: the slide crosses 0 after 255 ms.
    d.SetTickBase(0xFFFFFF00u - static_cast<uint32_t>(d.Now()) - d.TickStep());
    uint32_t before = GetTickCount();
    d.SetTickBase(0xFFFFFF00u - static_cast<uint32_t>(d.Now()));
    ASSERT_EQ(before, 0xFFFFFF00u);
    bar->HideBar();
    EXPECT_LT(GetTickCount(), before);
    EXPECT_EQ(bar->SlideFrames(), HidePath());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, -52, 640, 55));
}

TEST_F(AutoHideTest, IntermediateEdgeInsideTheFormIsSkipped) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(10);
    bar->SetBounds(0, -20, 640, 55);
    bar->ScrollBar(52);
    // Offsets up to 20 keep the edge at or above 0 (150 ms: 19.5 rounds to 20); the rest are
    // skipped and the end is set exactly.
    std::vector<int> expected;
    for (int top : ShowPath())
        if (top + 32 <= 0)
            expected.push_back(top + 32);
    expected.push_back(32);
    EXPECT_EQ(bar->SlideFrames(), expected);
    EXPECT_EQ(expected.size(), 16u);
    EXPECT_EQ(bar->Top(), 32);
}

TEST_F(AutoHideTest, ScrollTimeZeroJumpsBothWays) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(10);
    bar->SetScrollTime(0);
    uint64_t start = env.desktop().Now();
    bar->ShowBar();
    EXPECT_EQ(bar->SlideFrames(), std::vector<int>{0});
    EXPECT_EQ(bar->Top(), 0);
    designer().SetSelection({});
    PlaceCursor(2000, 2000);
    bar->HideBar();
    EXPECT_EQ(bar->SlideFrames(), std::vector<int>{-52});
    EXPECT_EQ(bar->Top(), -52);
    // A jump takes no time.
    EXPECT_EQ(env.desktop().Now(), start);
}

TEST_F(AutoHideTest, LeftBarSlidesAlongItsWidth) {
    NewForm();
    TStowbar* bar = DropBar();
    bar->SetAttachSide(asLeft);
    Wait(200);
    ASSERT_EQ(bar->BoundsRect(), Bounds(-137, 0, 140, 480));
    ShowAlone(bar);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 140, 480));
    ASSERT_EQ(bar->SlideFrames().size(), 41u);
    EXPECT_EQ(bar->SlideFrames()[4], -137 + 17); // 50 ms: 17.125
    Wait(200);
    EXPECT_EQ(bar->BoundsRect(), Bounds(-137, 0, 140, 480));
    EXPECT_EQ(bar->SlideFrames().front(), -3); // 10 ms: -3.425
}

} // namespace
} // namespace stowtest
