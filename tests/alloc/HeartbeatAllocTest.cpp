// A heartbeat tick that changes nothing allocates no memory, moves nothing and repaints nothing.
// This executable counts every allocation through a replaced global operator new, so it stands
// apart from the other suites.
#include "support/BarFixture.h"

#include "host/win32/Windows.h"
#include "support/CountingNew.h"

namespace stowtest {

using namespace host;

namespace {

// Everything a tick could change, taken before and after it.
struct Snapshot {
    uint64_t clock;
    TRect bounds;
    bool hidden;
    int barInvalidates;
    std::vector<int> buttonInvalidates;
    std::vector<TRect> buttonBounds;
    uint64_t barPaints;
    uint64_t formPaints;
    int gdiObjects;
    size_t pending;
    bool operator==(const Snapshot&) const = default;
};

struct Case {
    const char* name;
    TAttachSide side;
    bool shown;       // the bar is in view before the tick
    bool selectEntry; // one of its components is selected
    TPoint cursor;    // in the form's client coordinates
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

class HeartbeatAllocTest : public BarTest, public ::testing::WithParamInterface<Case> {
protected:
    Snapshot Take(TStowbar* bar) {
        Snapshot s{env.desktop().Now(),
                   bar->BoundsRect(),
                   bar->Hidden(),
                   bar->InvalidateCount(),
                   {},
                   {},
                   env.desktop().PaintCount(bar->Handle()),
                   env.desktop().PaintCount(env.Form()->Handle()),
                   env.desktop().GdiObjectCount(),
                   env.desktop().PendingCount()};
        for (int i = 0; i < bar->EntryCount(); ++i) {
            s.buttonInvalidates.push_back(bar->Entry(i)->Button->InvalidateCount());
            s.buttonBounds.push_back(bar->Entry(i)->Button->BoundsRect());
        }
        return s;
    }
};

TEST_P(HeartbeatAllocTest, QuietTickAllocatesAndMovesNothing) {
    const Case& c = GetParam();
    NewForm();
    TStowbar* bar = DropBar();
    // Entries with titles too long for a short-string buffer, and one of a class with a long
    // name and no palette picture anywhere in its chain, whose glyph every tick looks for again.
    const TClass* noPicture =
        env.MakeClass("TComponentWithoutAnyPaletteBitmapAtAll", TComponent::StaticClass());
    env.programModule()->Bitmaps.erase("TCOMPONENT"); // not even the default component's
    for (int i = 1; i <= 3; ++i)
        Drop<TTimer>("TimerWithAQuiteLongName" + std::to_string(i));
    designer().Drop(noPicture, "ComponentWithoutAnyPaletteBitmap1", 0, 0);
    Wait(10);
    ASSERT_EQ(bar->EntryCount(), 4);
    ASSERT_TRUE(bar->Entry(3)->Button->Glyph().Empty());
    if (c.side != bar->AttachSide()) {
        bar->SetAttachSide(c.side);
        Wait(200); // the next tick places the hidden bar with the new side's size
    }
    if (c.shown)
        bar->ShowBar();
    designer().SetSelection({});
    if (c.selectEntry)
        designer().SelectComponent(bar->Entry(1)->Component);
    env.desktop().SetCursorPos(env.Form()->ClientToScreen(c.cursor));
    Wait(1000);
    ASSERT_EQ(bar->Hidden(), !c.shown);

    HWND h = bar->Handle();
    Snapshot before = Take(bar);
    long allocations = stowtest::gAllocations;
    SendMessageA(h, WM_TIMER, 1, 0);
    long made = stowtest::gAllocations - allocations;
    Snapshot after = Take(bar);

    EXPECT_EQ(made, 0);
    EXPECT_TRUE(before == after);
    EXPECT_EQ(before.bounds, after.bounds);
    EXPECT_EQ(before.barInvalidates, after.barInvalidates);
    EXPECT_EQ(before.buttonInvalidates, after.buttonInvalidates);
    EXPECT_EQ(before.barPaints, after.barPaints);
    EXPECT_EQ(before.clock, after.clock);
}

INSTANTIATE_TEST_SUITE_P(
    Ticks, HeartbeatAllocTest,
    ::testing::Values(Case{"TopHiddenCursorFar", asTop, false, false, {600, 400}},
                      Case{"TopHiddenCursorOnStrip", asTop, false, false, {100, 1}},
                      Case{"TopShownCursorOnBar", asTop, true, false, {100, 20}},
                      Case{"TopShownCursorWithin40", asTop, true, false, {100, 94}},
                      Case{"TopShownCursorFarEntrySelected", asTop, true, true, {600, 400}},
                      Case{"LeftHiddenCursorFar", asLeft, false, false, {600, 400}},
                      Case{"LeftShownCursorOnBar", asLeft, true, false, {20, 100}},
                      Case{"LeftShownCursorFarEntrySelected", asLeft, true, true, {600, 400}}),
    [](const ::testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

} // namespace
} // namespace stowtest
