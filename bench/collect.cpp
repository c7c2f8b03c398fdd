// A collection pass and one heartbeat tick on forms with many non-visual components.
#include "host/designer/Environment.h"
#include "stowbar/Stowbar.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using namespace host;
using stow::TStowbar;

struct World {
    DesignEnvironment env;
    TStowbar* bar = nullptr;
    explicit World(int count) {
        stow::StowbarInitialization(); // the bar is linked in: start its unit (counted)
        RegisterClass(TStowbar::StaticClass());
        env.NewForm("Form1", 640, 480);
        for (int i = 0; i < count; ++i)
            NewComponent(TTimer::StaticClass(), env.Root())
                ->SetName("Timer" + std::to_string(i + 1));
        env.Designer()->CreateIcons();
        bar = static_cast<TStowbar*>(env.Designer()->Drop(TStowbar::StaticClass(), "", 0, 0));
        env.desktop().RunFor(1); // the first pass
    }
    ~World() {
        env.Close();
        stow::StowbarFinalization();
    }
};

void BM_CollectFirstPass(benchmark::State& state) {
    std::unique_ptr<World> w;
    for (auto _ : state) {
        state.PauseTiming();
        w.reset();
        w = std::make_unique<World>(static_cast<int>(state.range(0)));
        w->bar->FreeNVCs();
        state.ResumeTiming();
        w->bar->Collect();
        benchmark::DoNotOptimize(w->bar->EntryCount());
    }

    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CollectFirstPass)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_CollectAgain(benchmark::State& state) {
    World w(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        w.bar->Collect();
        benchmark::DoNotOptimize(w.bar->EntryCount());
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_CollectAgain)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(5000)
    ->Arg(10000)
    ->Arg(20000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

void BM_HeartbeatTick(benchmark::State& state) {
    World w(static_cast<int>(state.range(0)));
    w.env.desktop().SetCursorPos({5000, 5000});
    HWND h = w.bar->Handle();
    for (auto _ : state)
        w.env.desktop().SendMessage(h, WM_TIMER, 1, 0);
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_HeartbeatTick)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Unit(benchmark::kMicrosecond)
    ->Complexity();

} // namespace
