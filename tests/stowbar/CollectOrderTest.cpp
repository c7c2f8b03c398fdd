// The order of collection passes: a bar keeps one message waiting, passes never nest, and what a
// burst leaves once the loop has settled is what the design's nested handlers left (kept as the
// oracle: TStowbar::NestedPassesForTesting).
#include "support/BarFixture.h"
#include "support/RandomSession.h"

#include "host/win32/Windows.h"

#include <map>

namespace stowtest {

using namespace host;

namespace {

class CollectOrderTest : public BarTest {
protected:
    // Plays a session in a fresh environment of its own, the design's way (nested) or today's,
    // and returns what it showed at each settled moment.
    template <class Play> std::vector<std::string> PlayedIn(bool nested, Play play) {
        ScopedChange<bool> mode(TStowbar::NestedPassesForTesting, nested);
        DesignEnvironment world;
        std::vector<std::string> seen = play(world);
        world.Close();
        return seen;
    }
    template <class Play> void ExpectSameBothWays(Play play) {
        std::vector<std::string> nested = PlayedIn(true, play);
        std::vector<std::string> today = PlayedIn(false, play);
        ASSERT_EQ(nested.size(), today.size());
        for (size_t i = 0; i < nested.size(); ++i)
            ASSERT_EQ(nested[i], today[i]) << "at settled moment " << i;
    }
    // Whether a's window is above b's.
    bool OnTopOf(TStowbar* a, TStowbar* b) {
        std::vector<HWND> z = env.desktop().Children(env.Form()->Handle()); // topmost first
        return std::find(z.begin(), z.end(), a->Handle()) <
               std::find(z.begin(), z.end(), b->Handle());
    }
    // Pastes count timers named Prefix1, Prefix2...
    static void PasteTimers(TFormDesigner& designer, const std::string& prefix, int count) {
        std::vector<std::pair<const TClass*, std::string>> items;
        for (int i = 1; i <= count; ++i)
            items.push_back({TTimer::StaticClass(), prefix + std::to_string(i)});
        designer.Paste(items);
    }
};

TEST_F(CollectOrderTest, RandomSessionsSettleAsTheNestedHandlersLeftThem) {
    for (uint32_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        ExpectSameBothWays(
            [seed](DesignEnvironment& world) { return PlayRandomSession(world, seed); });
        if (HasFatalFailure())
            return;
    }
}

TEST_F(CollectOrderTest, ABarAskedFirstByItsOwnMenuStaysOnTopAndTheLastAskedCollects) {
    // The second bar hears of its own menu's items first, then a paste goes round both: the
    // design's nesting ran the second bar's pass first (asked last) and the outermost, its own
    // first message, last, which left it on top.
    ExpectSameBothWays([](DesignEnvironment& world) {
        world.NewForm("Form1", 500, 300);
        TFormDesigner& designer = *world.Designer();
        designer.Drop(TStowbar::StaticClass(), "Left", 0, 0);
        auto* second =
            static_cast<TStowbar*>(designer.Drop(TStowbar::StaticClass(), "Right", 0, 0));
        world.desktop().RunFor(10);
        second->Notification(second->VerbMenu(), opInsert);
        PasteTimers(designer, "Timer", 3);
        world.desktop().ProcessMessages();
        return std::vector<std::string>{BarSnapshot(world)};
    });
}

TEST_F(CollectOrderTest, ABurstRunsOnePassABarAndNeverNests) {
    NewForm();
    std::vector<TStowbar*> bars;
    for (int i = 0; i < 4; ++i)
        bars.push_back(DropBar());
    PasteTimers(designer(), "Old", 1000);
    Wait(10);
    std::vector<int> before;
    for (TStowbar* bar : bars)
        before.push_back(bar->PassCount());
    int deepest = 0;
    env.desktop().OnDispatch = [&](HWND, const TMessage& m) {
        if (m.Msg == stow::CM_COLLECT)
            deepest = std::max(deepest, env.desktop().DispatchDepth());
    };
    PasteTimers(designer(), "New", 1000);
    // One message waits per bar, however many components came.
    EXPECT_EQ(env.desktop().PendingCount(), 4u);
    Settle();
    env.desktop().OnDispatch = nullptr;
    EXPECT_EQ(deepest, 0); // every pass ran straight from the loop, none inside another
    for (size_t i = 0; i < bars.size(); ++i)
        EXPECT_EQ(bars[i]->PassCount(), before[i] + 1) << bars[i]->Name();
    // The bar told last of the burst collected it all, after the ones it held.
    EXPECT_EQ(bars[3]->EntryCount(), 2000);
    EXPECT_EQ(bars[3]->Entries().Items(1000)->Name, "New1");
    for (size_t i = 0; i < 3; ++i)
        EXPECT_EQ(bars[i]->EntryCount(), 0);
    EXPECT_TRUE(OnTopOf(bars[0], bars[1]));
}

TEST_F(CollectOrderTest, FiftyThousandPastedOntoFourBarsSettleOnExactlyOneBarEach) {
    // The nested handlers overflowed the stack long before this.
    NewForm();
    std::vector<TStowbar*> bars;
    for (int i = 0; i < 4; ++i)
        bars.push_back(DropBar());
    Wait(10);
    PasteTimers(designer(), "Timer", 50000);
    Settle();
    std::map<std::string, int> barsHolding;
    for (TStowbar* bar : bars)
        for (int i = 0; i < bar->EntryCount(); ++i)
            ++barsHolding[bar->Entries().Items(i)->Name];
    EXPECT_EQ(barsHolding.size(), 50000u);
    for (const auto& [name, count] : barsHolding)
        ASSERT_EQ(count, 1) << name;
    // And they all go in one delete.
    std::vector<TComponent*> timers;
    for (TComponent* c : env.Root()->ComponentList())
        if (c->Is<TTimer>())
            timers.push_back(c);
    designer().SetSelection(timers);
    designer().DeleteSelection();
    Settle();
    for (TStowbar* bar : bars)
        EXPECT_EQ(bar->EntryCount(), 0) << bar->Name();
}

TEST_F(CollectOrderTest, AMessageSentByHandRunsAPassAtOnceWhenNothingWaits) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(10);
    Drop<TTimer>("Timer1");
    Settle();
    int passes = bar->PassCount();
    SendMessageA(bar->Handle(), stow::CM_COLLECT, 0, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(bar->PassCount(), passes + 1);
    // Something else waits: the pass comes after it, from the loop.
    PostMessageA(env.Form()->Handle(), WM_USER, 0, 0);
    SendMessageA(bar->Handle(), stow::CM_COLLECT, 0, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(bar->PassCount(), passes + 1);
    Settle();
    EXPECT_EQ(bar->PassCount(), passes + 2);
}

TEST_F(CollectOrderTest, ABarDeletedWhileItsMessageWaitsLeavesNothingBehind) {
    NewForm();
    TStowbar* first = DropBar();
    TStowbar* second = DropBar();
    Wait(10);
    Drop<TTimer>("Timer1");
    designer().SetSelection({second});
    designer().DeleteSelection();
    Settle();
    EXPECT_EQ(EntryNames(first), (std::vector<std::string>{"Timer1"}));
    // The first bar asks again, and its message is posted.
    Drop<TTimer>("Timer2");
    EXPECT_EQ(env.desktop().PendingCount(), 1u);
    Settle();
    EXPECT_EQ(EntryNames(first), (std::vector<std::string>{"Timer1", "Timer2"}));
}

} // namespace
} // namespace stowtest
