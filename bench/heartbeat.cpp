// One heartbeat tick (WM_TIMER 1 sent to the bar) on bars of 10, 1,000 and 10,000 entries, with
// a tick step of 10 ms on the virtual clock:
//   Hidden   - the bar is out of view and the cursor far away: the hide test, then placement and
//              layout;
//   Near     - the bar is in view and the cursor on it;
//   Selected - the bar is in view, the cursor far away and the last entry's component selected:
//              the selection walk runs through the whole entry list before it finds it.
// None of these ticks changes anything. The counters give the allocations per tick (a replaced
// global operator new counts them) and the moves and repaints per tick; all three should be 0.

#include "host/designer/Environment.h"
#include "host/win32/Windows.h"
#include "stowbar/Stowbar.h"
#include "support/CountingNew.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

using namespace host;
using stow::TNVC;
using stow::TStowbar;

enum class Where { Hidden, Near, Selected };

// The form with its bar and entries. Collecting 10,000 components takes seconds, so one world
// serves the three cases of one size (they are registered in that order) and is made anew only
// when the size changes.
struct World {
    explicit World(int entries) : entries(entries) {
        stow::StowbarInitialization(); // the bar is linked in: start its unit (counted)
        RegisterClass(TStowbar::StaticClass());
        form = env.NewForm("Form1", 640, 480);
        for (int i = 1; i <= entries; ++i)
            NewComponent(TTimer::StaticClass(), form)->SetName("Timer" + std::to_string(i));
        bar = static_cast<TStowbar*>(env.Designer()->Drop(TStowbar::StaticClass(), "", 0, 0));
        env.desktop().RunFor(10);
    }
    // Puts the bar and the cursor where the case needs them, and lets a few ticks pass.
    bool Arrange(Where where) {
        env.Designer()->SetSelection({});
        env.desktop().SetCursorPos(form->ClientToScreen({5000, 5000}));
        if (where == Where::Hidden) {
            bar->HideBar();
        } else {
            bar->ShowBar();
            if (where == Where::Near)
                env.desktop().SetCursorPos(form->ClientToScreen({100, 20}));
            else
                env.Designer()->SelectComponent(bar->Entry(entries - 1)->Component);
        }
        env.desktop().RunFor(1000);
        return bar->EntryCount() == entries && bar->Hidden() == (where == Where::Hidden);
    }

    ~World() {
        env.Close();
        stow::StowbarFinalization();
    }

    int entries;
    DesignEnvironment env;
    TCustomForm* form = nullptr;
    TStowbar* bar = nullptr;
};

World& WorldOf(int entries) {
    static std::unique_ptr<World> world;
    if (!world || world->entries != entries) {
        world.reset();
        world = std::make_unique<World>(entries);
    }
    return *world;
}

void Tick(benchmark::State& state, Where where) {
    const int entries = static_cast<int>(state.range(0));
    World& w = WorldOf(entries);
    if (!w.Arrange(where)) {
        state.SkipWithError("the bar is not as the case needs it");
        return;
    }
    TStowbar* bar = w.bar;
    HWND h = bar->Handle();
    TNVC* last = bar->Entry(entries - 1);
    long allocations = stowtest::gAllocations;
    int barInvalidates = bar->InvalidateCount();
    int buttonInvalidates = last->Button->InvalidateCount();
    uint64_t paints = w.env.desktop().PaintCount(h);
    for (auto _ : state)
        SendMessageA(h, WM_TIMER, 1, 0);
    const double ticks = static_cast<double>(state.iterations());
    state.counters["allocs/tick"] =
        static_cast<double>(stowtest::gAllocations - allocations) / ticks;
    state.counters["barMoves"] = bar->InvalidateCount() - barInvalidates;
    state.counters["lastButtonMoves"] = last->Button->InvalidateCount() - buttonInvalidates;
    state.counters["paints"] = static_cast<double>(w.env.desktop().PaintCount(h) - paints);
}

void Hidden(benchmark::State& state) {
    Tick(state, Where::Hidden);
}
void Near(benchmark::State& state) {
    Tick(state, Where::Near);
}
void Selected(benchmark::State& state) {
    Tick(state, Where::Selected);
}

} // namespace

BENCHMARK(Hidden)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(Near)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(Selected)->Arg(10)->Unit(benchmark::kMicrosecond);
BENCHMARK(Hidden)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Near)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Selected)->Arg(1000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Hidden)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Near)->Arg(10000)->Unit(benchmark::kMicrosecond);
BENCHMARK(Selected)->Arg(10000)->Unit(benchmark::kMicrosecond);
