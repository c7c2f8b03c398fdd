// Work that stays in proportion to what changed: a quiet tick lays nothing out, a relayout that
// is skipped leaves what a full one would, glyphs are decoded once per picture, icons hidden by
// the thousand stay out of sight, and extreme property values give sound places.
#include "support/HeartbeatFixture.h"
#include "support/RandomSession.h"

#include "host/win32/Windows.h"

#include <climits>
#include <functional>
#include <set>

namespace stowtest {

using namespace host;

namespace {

class ScaleTest : public HeartbeatTest {
protected:
    // count timers named Timer1... on a fresh form, collected by one bar.
    TStowbar* BarOfTimers(int count) {
        NewForm();
        for (int i = 1; i <= count; ++i)
            NewComponent(TTimer::StaticClass(), env.Root())->SetName("Timer" + std::to_string(i));
        TStowbar* bar = DropBar();
        Wait(10);
        return bar;
    }
    void Tick(TStowbar* bar) { SendMessageA(bar->Handle(), WM_TIMER, 1, 0); }
};

TEST_F(ScaleTest, SkippedRelayoutsLeaveWhatFullOnesLeave) {
    for (uint32_t seed = 1; seed <= 25; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        RandomSessionOptions options;
        options.EditProperties = true;
        options.Render = true;
        auto play = [&](bool full) {
            ScopedChange<bool> mode(TStowbar::FullRelayoutsForTesting, full);
            DesignEnvironment world;
            std::vector<std::string> seen = PlayRandomSession(world, seed, options);
            world.Close();
            return seen;
        };
        std::vector<std::string> full = play(true);
        std::vector<std::string> skipped = play(false);
        ASSERT_EQ(full.size(), skipped.size());
        for (size_t i = 0; i < full.size(); ++i)
            ASSERT_EQ(full[i], skipped[i]) << "at settled moment " << i;
    }
}

TEST_F(ScaleTest, AQuietTickLaysOutNoEntry) {
    TStowbar* bar = BarOfTimers(1000);
    ASSERT_EQ(bar->EntryCount(), 1000);
    for (bool hidden : {true, false}) {
        SCOPED_TRACE(hidden ? "hidden" : "shown");
        hidden ? bar->HideBar() : ShowAlone(bar);
        Wait(1000);
        const int64_t steps = bar->LayoutSteps();
        for (int i = 0; i < 50; ++i)
            Tick(bar);
        Wait(1000);
        EXPECT_EQ(bar->LayoutSteps(), steps);
    }
}

TEST_F(ScaleTest, WhatARelayoutReadsBringsItBack) {
    // Each change one relayout depends on: the next tick lays every entry out again.
    struct Case {
        const char* What;
        std::function<void(DesignEnvironment&, TStowbar*)> Change;
    };
    const std::vector<Case> cases = {
        {"a component renamed (no notification)",
         [](DesignEnvironment& e, TStowbar*) {
             e.Root()->FindComponent("Timer2")->SetName("Clock");
         }},
        {"a title edited", [](DesignEnvironment&, TStowbar* b) { b->Entry(1)->Title = "Ticker"; }},
        {"the button width", [](DesignEnvironment&, TStowbar* b) { b->SetButtonWidth(90); }},
        {"titles hidden", [](DesignEnvironment&, TStowbar* b) { b->SetShowTitles(false); }},
        {"pictures hidden", [](DesignEnvironment&, TStowbar* b) { b->SetShowPicture(false); }},
        {"the side", [](DesignEnvironment&, TStowbar* b) { b->SetAttachSide(asLeft); }},
        {"the form's size",
         [](DesignEnvironment& e, TStowbar*) { e.Form()->SetClientSize(300, 900); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.What);
        TStowbar* bar = BarOfTimers(3);
        ASSERT_EQ(bar->EntryCount(), 3);
        Tick(bar);
        const int64_t steps = bar->LayoutSteps();
        c.Change(env, bar);
        Tick(bar);
        EXPECT_EQ(bar->LayoutSteps(), steps + 3);
        env.Close();
    }
}

TEST_F(ScaleTest, ARenameShowsOnItsButtonAtTheNextTick) {
    TStowbar* bar = BarOfTimers(3);
    ASSERT_EQ(bar->EntryCount(), 3);
    env.Root()->FindComponent("Timer2")->SetName("Clock");
    Tick(bar);
    EXPECT_EQ(bar->Entry(1)->Name, "Clock");
    EXPECT_EQ(bar->Entry(1)->Button->Caption(), "Clock");
}

TEST_F(ScaleTest, EachPictureIsDecodedOnceAndEveryButtonHasAHandleOfItsOwn) {
    NewForm();
    for (int i = 1; i <= 200; ++i) {
        NewComponent(TTimer::StaticClass(), env.Root())->SetName("Timer" + std::to_string(i));
        NewComponent(TTable::StaticClass(), env.Root())->SetName("Table" + std::to_string(i));
    }
    const int decodes = env.desktop().BitmapDecodeCount();
    TStowbar* bar = DropBar();
    Wait(10);
    ASSERT_EQ(bar->EntryCount(), 400);
    EXPECT_EQ(env.desktop().BitmapDecodeCount(), decodes + 2);
    std::set<HBITMAP> handles;
    for (int i = 0; i < bar->EntryCount(); ++i)
        handles.insert(bar->Entry(i)->Button->Glyph().Handle());
    EXPECT_EQ(handles.size(), 400u);
    // Freeing one handle (a button given a new picture) leaves the others' pixels alone.
    HBITMAP first = bar->Entry(0)->Button->Glyph().Handle();
    ASSERT_NE(env.desktop().Bitmap(first), nullptr);
    const std::vector<uint32_t> pixels = env.desktop().Bitmap(first)->Pixels;
    bar->Entry(0)->Button->Glyph().SetHandle(0);
    EXPECT_EQ(env.desktop().Bitmap(first), nullptr);
    const GdiBitmap* other = env.desktop().Bitmap(bar->Entry(2)->Button->Glyph().Handle());
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->Pixels, pixels);
    EXPECT_EQ(env.desktop().GdiDeleteFailures(), 0);
}

TEST_F(ScaleTest, TwoThousandHiddenIconsStayOutOfSight) {
    TStowbar* bar = BarOfTimers(2000);
    ASSERT_EQ(bar->EntryCount(), 2000);
    std::set<std::pair<int, int>> places;
    for (int i = 0; i < bar->EntryCount(); ++i) {
        HWND icon = designer().IconOf(bar->Entry(i)->Component);
        ASSERT_NE(icon, 0) << i;
        TRect r = env.desktop().WindowRectInParent(icon);
        EXPECT_LE(r.Right, 0) << bar->Entry(i)->Name;
        places.insert({r.Left, r.Top});
    }
    EXPECT_EQ(places.size(), 2000u); // none on top of another
}

TEST_F(ScaleTest, ExtremePropertyValuesGiveSoundPlaces) {
    struct Case {
        const char* What;
        std::function<void(TStowbar*)> Set;
    };
    const std::vector<Case> cases = {
        {"ButtonWidth max", [](TStowbar* b) { b->SetButtonWidth(INT_MAX); }},
        {"ButtonWidth min", [](TStowbar* b) { b->SetButtonWidth(INT_MIN); }},
        {"ButtonHeight max", [](TStowbar* b) { b->SetButtonHeight(INT_MAX); }},
        {"ButtonHeight min", [](TStowbar* b) { b->SetButtonHeight(INT_MIN); }},
        {"HiddenBarWidth max", [](TStowbar* b) { b->SetHiddenBarWidth(INT_MAX); }},
        {"HiddenBarWidth min", [](TStowbar* b) { b->SetHiddenBarWidth(INT_MIN); }},
        {"Margin and Spacing max",
         [](TStowbar* b) {
             b->SetMargin(INT_MAX);
             b->SetSpacing(INT_MAX);
         }},
        {"ScrollTime min", [](TStowbar* b) { b->SetScrollTime(INT_MIN); }},
    };
    for (TAttachSide side : {asLeft, asTop, asNone})
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.What) + " side " + std::to_string(static_cast<int>(side)));
            TStowbar* bar = BarOfTimers(5);
            ASSERT_EQ(bar->EntryCount(), 5);
            bar->SetAttachSide(side);
            c.Set(bar);
            // Shown, hidden and shown again, with the ticks between.
            ShowAlone(bar);
            Wait(1000);
            bar->HideBar();
            Wait(1000);
            bar->ShowBar();
            Wait(1000);
            // Held in range (a size past the limit is the limit), never wrapped round: the
            // sanitizer build also fails on any signed overflow on the way.
            const int64_t limit = 2 * int64_t{stow::kCoordinateLimit};
            auto sound = [limit](const TRect& r) {
                for (int64_t v : {r.Left, r.Top, r.Right, r.Bottom})
                    if (v < -limit || v > limit)
                        return false;
                return true;
            };
            EXPECT_TRUE(sound(bar->BoundsRect())) << Rect(bar->BoundsRect());
            for (int i = 0; i < bar->EntryCount(); ++i)
                EXPECT_TRUE(sound(bar->Entry(i)->Button->BoundsRect()))
                    << Rect(bar->Entry(i)->Button->BoundsRect());
            env.Close();
        }
}

} // namespace
} // namespace stowtest
