// Opening and saving a large form at the component level, and converting it: the form of the
// reference converter's measure.sh (genform.py: 20,000 non-visual components and 4 bars holding
// them in their NVCs lists), generated into /tmp at start, or the file named by
// STOW_STREAMING_BENCH_INPUT.
//   Open*: file bytes -> tree -> components in the designer (creation, properties, NVCs entries
//          with their buttons, references, Loaded, icons), the previous form closed first;
//   Save*: components -> tree -> file bytes;
//   Convert*: the convert command without the file I/O (no classes involved).

#include "host/classes/Streaming.h"
#include "host/designer/Environment.h"
#include "stowbar/Stowbar.h"

#include "GeneratedForm.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using namespace host;

std::string LoadInput() {
    return stowbench::LoadGeneratedForm("STOW_STREAMING_BENCH_INPUT",
                                        "/tmp/stow-streaming-bench.dfm");
}

struct Data {
    std::string text = LoadInput();
    std::string binary = WriteBinary(ReadFormFile(text, "big.dfm").root, true);
};

const Data& Input() {
    static const Data data;
    return data;
}

void Open(DesignEnvironment& env, const std::string& bytes) {
    FormFile file = ReadFormFile(bytes, "big.dfm");
    env.Open(file.root, {"big.dfm", file.format, bytes});
}

void OpenForm(benchmark::State& state, bool binary) {
    RegisterClass(stow::TStowbar::StaticClass());
    const std::string& bytes = binary ? Input().binary : Input().text;
    DesignEnvironment env;
    for (auto _ : state) {
        Open(env, bytes);
        state.PauseTiming();
        env.Close();
        state.ResumeTiming();
    }
    state.counters["components"] = 20000;
}
void OpenText(benchmark::State& state) {
    OpenForm(state, false);
}
void OpenBinary(benchmark::State& state) {
    OpenForm(state, true);
}

void SaveForm(benchmark::State& state, bool binary) {
    RegisterClass(stow::TStowbar::StaticClass());
    DesignEnvironment env;
    Open(env, Input().text);
    for (auto _ : state) {
        FormObject tree = env.Save();
        benchmark::DoNotOptimize(binary ? WriteBinary(tree, true) : WriteText(tree));
    }
}
void SaveText(benchmark::State& state) {
    SaveForm(state, false);
}
void SaveBinary(benchmark::State& state) {
    SaveForm(state, true);
}

void ConvertTextToBinary(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteBinary(ReadFormFile(Input().text, "big.dfm").root, true));
}
void ConvertBinaryToText(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteText(ReadFormFile(Input().binary, "big.dfm").root));
}

} // namespace

BENCHMARK(OpenText)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(OpenBinary)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(SaveText)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertTextToBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertBinaryToText)->Unit(benchmark::kMillisecond);
