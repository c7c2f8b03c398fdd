// The heartbeat: the hide test of each tick, the mouse test that reveals a hidden bar, and the
// timers that drive it all (the slide itself: AutoHideSlideTest.cpp).
#include "support/HeartbeatFixture.h"

namespace stowtest {

using namespace host;

namespace {

// ---------------------------------------------------------------- the hide test

struct Distance {
    const char* edge;
    int beyond; // pixels beyond the edge of the bar's window rectangle
    bool hides;
};

void PrintTo(const Distance& d, std::ostream* os) {
    *os << d.edge << " " << d.beyond;
}

class HideDistanceTest : public AutoHideTest, public ::testing::WithParamInterface<Distance> {};

TEST_P(HideDistanceTest, CursorMoreThan40PixelsAwayHidesAtTheNextTick) {
    const Distance& p = GetParam();
    TStowbar* bar = ShownTopBar();
    TRect r;
    GetWindowRect(bar->Handle(), &r);
    int midX = (r.Left + r.Right) / 2, midY = (r.Top + r.Bottom) / 2;
    TPoint cursor;
    std::string edge = p.edge;
    if (edge == "left")
        cursor = {r.Left - p.beyond, midY};
    else if (edge == "right")
        cursor = {r.Right - 1 + p.beyond, midY};
    else if (edge == "top")
        cursor = {midX, r.Top - p.beyond};
    else
        cursor = {midX, r.Bottom - 1 + p.beyond};
    env.desktop().SetCursorPos(cursor);
    Wait(200);
    EXPECT_EQ(bar->Hidden(), p.hides);
    EXPECT_EQ(bar->Top(), p.hides ? -52 : 0);
}

INSTANTIATE_TEST_SUITE_P(Edges, HideDistanceTest,
                         ::testing::Values(Distance{"left", 40, false}, Distance{"left", 41, true},
                                           Distance{"right", 40, false},
                                           Distance{"right", 41, true}, Distance{"top", 40, false},
                                           Distance{"top", 41, true}, Distance{"bottom", 40, false},
                                           Distance{"bottom", 41, true}),
                         [](const ::testing::TestParamInfo<Distance>& info) {
                             return std::string(info.param.edge) +
                                    std::to_string(info.param.beyond);
                         });

TEST_F(AutoHideTest, SelectionOfTheBarOrItsComponentsKeepsItShown) {
    struct Case {
        const char* what;
        std::vector<std::string> selected;
        bool stays;
    };
    const Case cases[] = {
        {"the bar", {"Stowbar1"}, true},
        {"an entry's component", {"Timer2"}, true},
        {"an entry's component after others", {"Table1", "Stowbar2", "Timer1"}, true},
        {"a component of another bar", {"Table1"}, false},
        {"the other bar", {"Stowbar2"}, false},
        {"nothing", {}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        NewForm();
        TStowbar* bar = DropBar();
        Drop<TTimer>();
        Drop<TTimer>();
        Wait(10);
        TStowbar* other = DropBar();
        other->SetAttachSide(asLeft);
        Drop<TTable>();
        other->AddComponent("Table1", "Table1", "TTable");
        Wait(10);
        ASSERT_EQ(EntryNames(bar), (std::vector<std::string>{"Timer1", "Timer2"}));
        ASSERT_EQ(EntryNames(other), std::vector<std::string>{"Table1"});
        ShowAlone(bar);
        std::vector<TComponent*> selection;
        for (const std::string& name : c.selected)
            selection.push_back(env.Form()->FindComponent(name));
        designer().SetSelection(selection);
        Wait(1000);
        EXPECT_EQ(bar->Hidden(), !c.stays);
        EXPECT_EQ(bar->Top(), c.stays ? 0 : -52);
        // The walk leaves the selection as it was.
        EXPECT_EQ(designer().Selection(), selection);
    }
}

TEST_F(AutoHideTest, AutoHideOffNoTickHides) {
    TStowbar* bar = ShownTopBar();
    bar->SetAutoHide(false);
    Wait(2000);
    EXPECT_FALSE(bar->Hidden());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 640, 55));
}

TEST_F(AutoHideTest, AutoHideOffShowsByAnimatedSlide) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(10);
    bar->SetAutoHide(false);
    EXPECT_FALSE(bar->AutoHide());
    EXPECT_FALSE(bar->Hidden());
    EXPECT_EQ(bar->SlideFrames(), ShowPath());
}

TEST_F(AutoHideTest, AutoHideOnOneBarJumpsTheOthersAndLetsATickHideIt) {
    NewForm();
    TStowbar* a = DropBar("A");
    TStowbar* b = DropBar("B");
    TStowbar* c = DropBar("C");
    c->SetAttachSide(asLeft);
    Wait(200);
    a->SetAutoHide(false);
    for (TStowbar* bar : {a, b, c}) {
        EXPECT_FALSE(bar->AutoHide()) << bar->Name();
        EXPECT_FALSE(bar->Hidden()) << bar->Name();
    }
    EXPECT_EQ(b->SlideFrames(), std::vector<int>{0});
    EXPECT_EQ(c->SlideFrames(), std::vector<int>{0});
    EXPECT_EQ(c->BoundsRect(), Bounds(0, 0, 140, 480));

    designer().SelectComponent(a);
    PlaceCursor(2000, 2000);
    uint64_t start = env.desktop().Now();
    a->SetAutoHide(true);
    // The others switched on and jumped out of view at once, wherever the mouse is.
    EXPECT_EQ(env.desktop().Now(), start);
    for (TStowbar* bar : {a, b, c})
        EXPECT_TRUE(bar->AutoHide()) << bar->Name();
    EXPECT_TRUE(b->Hidden());
    EXPECT_EQ(b->SlideFrames(), std::vector<int>{-52});
    EXPECT_TRUE(c->Hidden());
    EXPECT_EQ(c->SlideFrames(), std::vector<int>{-137});
    EXPECT_EQ(c->Left(), -137);
    EXPECT_EQ(b->ScrollTime(), 400);
    // The changed bar stays while it is selected, and while the cursor is near it.
    EXPECT_FALSE(a->Hidden());
    Wait(400);
    EXPECT_FALSE(a->Hidden());
    designer().SetSelection({});
    PlaceCursor(600, 50);
    Wait(400);
    EXPECT_FALSE(a->Hidden());
    PlaceCursor(600, 300);
    Wait(200);
    EXPECT_TRUE(a->Hidden());
    EXPECT_EQ(a->SlideFrames(), HidePath());
}

TEST_F(AutoHideTest, AutoHideReachesBarsWithoutAWindowAndIgnoresStrayMessages) {
    NewForm();
    TStowbar* a = DropBar("A");
    TStowbar* b = DropBar("B");
    Wait(10);
    b->DestroyHandle();
    ASSERT_FALSE(b->HandleAllocated());
    a->SetAutoHide(false);
    EXPECT_TRUE(b->HandleAllocated());
    EXPECT_FALSE(b->AutoHide());
    EXPECT_FALSE(b->Hidden());
    // A message from the bar itself, or with another WParam, changes nothing.
    b->Perform(stow::CM_AUTOHIDE, 1, reinterpret_cast<LPARAM>(b));
    b->Perform(stow::CM_AUTOHIDE, 2, reinterpret_cast<LPARAM>(a));
    EXPECT_FALSE(b->AutoHide());
    EXPECT_FALSE(b->Hidden());
    b->Perform(stow::CM_AUTOHIDE, 1, reinterpret_cast<LPARAM>(a));
    EXPECT_TRUE(b->AutoHide());
    EXPECT_TRUE(b->Hidden());
}

// ---------------------------------------------------------------- revealing

TEST_F(AutoHideTest, MouseOverHiddenTopStripRevealsThroughTheTabSet) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(10);
    MoveMouse(100, 3); // just below the strip: the form's own area
    EXPECT_TRUE(bar->Hidden());
    MoveMouse(100, 2);
    EXPECT_FALSE(bar->Hidden());
    EXPECT_EQ(bar->SlideFrames(), ShowPath());
}

TEST_F(AutoHideTest, MouseOverHiddenLeftStripReveals) {
    NewForm();
    TStowbar* bar = DropBar();
    Drop<TTimer>();
    bar->SetAttachSide(asLeft);
    Wait(200);
    ASSERT_EQ(bar->Left(), -137);
    MoveMouse(3, 100);
    EXPECT_TRUE(bar->Hidden());
    MoveMouse(0, 100); // the bar's own column 137
    EXPECT_FALSE(bar->Hidden());
    EXPECT_EQ(bar->Left(), 0);
    // Over the tab set's part of the strip too.
    bar->SetScrollTime(0);
    designer().SetSelection({});
    PlaceCursor(600, 300);
    Wait(200);
    ASSERT_TRUE(bar->Hidden());
    MoveMouse(2, 470);
    EXPECT_FALSE(bar->Hidden());
}

TEST_F(AutoHideTest, RevealTestByAxis) {
    struct Case {
        stow::TAttachSide side;
        int x, y;
        bool reveals;
    };
    // A hidden left bar is 140 wide: its rightmost 30 pixels are 110 to 140.
    const Case cases[] = {
        {asTop, 500, 30, true},  {asTop, 500, 31, false}, {asTop, -5, 0, true},
        {asLeft, 109, 5, false}, {asLeft, 110, 5, true},  {asLeft, 140, 900, true},
        {asLeft, 141, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << static_cast<int>(c.side) << " " << c.x << " " << c.y);
        NewForm();
        TStowbar* bar = DropBar();
        bar->SetAttachSide(c.side);
        Wait(200);
        ASSERT_TRUE(bar->Hidden());
        bar->MouseMove({}, c.x, c.y);
        EXPECT_EQ(bar->Hidden(), !c.reveals);
    }
}

TEST_F(AutoHideTest, FreeBarOnlyFlagsHidingAndRevealsWithTopBelow10) {
    for (int top : {9, 10}) {
        SCOPED_TRACE(top);
        NewForm();
        TStowbar* bar = DropBar();
        Wait(10);
        bar->SetAttachSide(asNone); // a hidden bar slides in along its old side first
        EXPECT_FALSE(bar->Hidden());
        EXPECT_EQ(bar->SlideFrames(), ShowPath());
        bar->SetBounds(20, top, 300, 80);
        designer().SetSelection({});
        PlaceCursor(600, 400);
        Wait(200);
        EXPECT_TRUE(bar->Hidden());
        EXPECT_EQ(bar->BoundsRect(), Bounds(20, top, 300, 80));
        EXPECT_EQ(bar->SlideFrames(), ShowPath()); // no slide since
        MoveMouse(100, top + 20);
        EXPECT_EQ(bar->Hidden(), top >= 10);
        EXPECT_EQ(bar->BoundsRect(), Bounds(20, top, 300, 80));
    }
}

TEST_F(AutoHideTest, BarPutIntoAPanelComesBackAtTheFirstMouseMove) {
    NewForm();
    TStowbar* bar = DropBar();
    auto* timer = Drop<TTimer>();
    Wait(10);
    auto* panel = Drop<TPanel>();
    panel->SetBounds(100, 100, 300, 200);
    Wait(10);
    bar->SetParent(panel);
    // Its window was made anew in the panel; the ticks go on there.
    Wait(200);
    ASSERT_EQ(bar->Parent(), panel);
    ASSERT_EQ(bar->BoundsRect(), Bounds(0, -52, 640, 55));
    // The icon is put back in sight by hand: only a collection pass hides it again.
    HWND icon = designer().IconOf(timer);
    SetWindowPos(icon, 0, 50, 300, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    // The developer has just put the bar there: it is selected, so no tick hides it again after
    // it comes into view. Its strip lies at the panel's top: the move reaches its tab set.
    designer().SelectComponent(bar);
    MoveMouse(150, 101);
    EXPECT_EQ(bar->Parent(), env.Form());
    EXPECT_EQ(env.desktop().WindowRectInParent(icon).Left, -10000);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 640, 55));
    EXPECT_FALSE(bar->Hidden());
    EXPECT_EQ(bar->SlideFrames(), ShowPath());
    EXPECT_EQ(env.desktop().GetParent(bar->Handle()), env.Form()->Handle());
    EXPECT_EQ(env.desktop().TimersOf(bar->Handle()), std::vector<uintptr_t>{1});
}

// ---------------------------------------------------------------- the timers

TEST_F(AutoHideTest, Timer2TicksOnceAndTimer1UntilTheWindowGoes) {
    NewForm();
    std::map<uintptr_t, int> ticks;
    env.desktop().OnDispatch = [&](HWND, const TMessage& m) {
        if (m.Msg == WM_TIMER)
            ++ticks[m.WParam];
    };
    TStowbar* bar = DropBar();
    HWND h = bar->Handle();
    EXPECT_EQ(env.desktop().TimersOf(h), (std::vector<uintptr_t>{1, 2}));
    Wait(1000);
    EXPECT_EQ(ticks[2], 1);
    EXPECT_EQ(ticks[1], 5);
    EXPECT_EQ(env.desktop().TimersOf(h), std::vector<uintptr_t>{1});
    bar->DestroyHandle();
    EXPECT_TRUE(env.desktop().TimersOf(h).empty());
    Wait(1000);
    EXPECT_EQ(ticks[1], 5);
    env.desktop().OnDispatch = nullptr;
}

TEST_F(AutoHideTest, Timer2TickAlsoRunsTheHideTestAndThePlacement) {
    TStowbar* bar = ShownTopBar();
    Drop<TTimer>();
    designer().SetSelection({});
    env.Form()->SetClientSize(500, 300);
    SendMessageA(bar->Handle(), WM_TIMER, 2, 0);
    EXPECT_EQ(bar->EntryCount(), 1);
    EXPECT_TRUE(bar->Hidden());
    EXPECT_EQ(bar->SlideFrames(), HidePath());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, -52, 500, 55));
}

TEST_F(AutoHideTest, TickFollowsTheFormAndTheEntryCount) {
    NewForm(400, 300);
    TStowbar* bar = DropBar();
    Wait(10);
    for (int i = 0; i < 4; ++i)
        Drop<TTimer>();
    Wait(10);
    // Three buttons a row on 400 pixels: two rows, 83 high, hidden at 3 - 83.
    Wait(200);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, -80, 400, 83));
    env.Form()->SetClientSize(600, 300);
    Wait(200);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, -52, 600, 55));
}

TEST_F(AutoHideTest, BarOutsideTheDesignerDoesNothingOnATick) {
    auto* form = New<TForm>(nullptr);
    form->SetClientSize(640, 480);
    form->HandleNeeded();
    auto* timer = New<TTimer>(form);
    timer->SetName("Timer1");
    auto* bar = New<TStowbar>(form);
    ASSERT_FALSE(bar->Designing());
    bar->SetBounds(0, 0, 200, 40);
    HWND h = bar->Handle();
    ASSERT_FALSE(bar->Visible());
    int invalidates = bar->InvalidateCount();
    uint64_t now = env.desktop().Now();
    SendMessageA(h, WM_TIMER, 2, 0);
    SendMessageA(h, WM_TIMER, 1, 0);
    Wait(1000);
    // Timer 2 is a one-shot even here; nothing else is done.
    EXPECT_EQ(env.desktop().TimersOf(h), std::vector<uintptr_t>{1});
    EXPECT_EQ(bar->EntryCount(), 0);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 200, 40));
    EXPECT_TRUE(bar->Hidden());
    EXPECT_EQ(bar->InvalidateCount(), invalidates);
    EXPECT_EQ(env.desktop().PaintCount(h), 0u);
    EXPECT_EQ(env.desktop().Now(), now + 1000);
    EXPECT_EQ(timer->DesignInfo(), 0);
    form->Free();
}

} // namespace
} // namespace stowtest
