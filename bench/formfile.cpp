// Reading and writing a large form file: text -> tree, tree -> binary, binary -> tree,
// tree -> text. The form is the one the reference converter's measure.sh times (genform.py, 20,000
// non-visual components and 4 bars with their NVCs lists), generated into /tmp at start, or taken
// from the file named by STOW_FORMFILE_BENCH_INPUT.
// TextToBinaryFile and BinaryToTextFile are the converter's t2b and b2t through the tree,
// without the file I/O; ConvertTextToBinary and ConvertBinaryToText are the same without a tree,
// as `stowdesign convert` does them. SaveUnchanged and SaveOneChange write the tree back through
// its document (the file's own text kept where nothing changed). bench/convert_vs_dfmconv.sh times
// the whole programs.

#include "host/classes/BinaryFormat.h"
#include "host/classes/FormDocument.h"
#include "host/classes/FormSink.h"
#include "host/classes/TextFormat.h"

#include "GeneratedForm.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string LoadInput() {
    return stowbench::LoadGeneratedForm("STOW_FORMFILE_BENCH_INPUT",
                                        "/tmp/stow-formfile-bench.dfm");
}

struct Data {
    std::string text = LoadInput();
    host::FormObject tree = host::ReadTextForm(text, "big.dfm");
    std::string binary = host::WriteBinaryForm(tree, true);
    host::FormDocument document = host::ReadFormDocument(text, "big.dfm");
    host::FormObject changed = [this] {
        host::FormObject copy = document.root;
        copy.children[copy.children.size() / 2].properties.back().value =
            host::FormValue::Integer(7);
        return copy;
    }();
};

const Data& Input() {
    static const Data data;
    return data;
}

void SetBytes(benchmark::State& state, size_t bytes) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes));
}

void TextToTree(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::ReadTextForm(data.text, "big.dfm"));
    SetBytes(state, data.text.size());
}

void TreeToBinary(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::WriteBinaryForm(data.tree, true));
    SetBytes(state, data.binary.size());
}

void BinaryToTree(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::ReadBinaryForm(data.binary, "big.dfm"));
    SetBytes(state, data.binary.size());
}

void TreeToText(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::WriteTextForm(data.tree));
    SetBytes(state, data.text.size());
}

void TextToBinaryFile(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            host::WriteBinaryForm(host::ReadTextForm(data.text, "big.dfm"), true));
    SetBytes(state, data.text.size());
}

void BinaryToTextFile(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::WriteTextForm(host::ReadBinaryForm(data.binary, "big")));
    SetBytes(state, data.binary.size());
}

void ConvertTextToBinary(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::ConvertForm(
            data.text, "big.dfm", host::FormFileFormat::Binary, data.binary.size()));
    SetBytes(state, data.text.size());
}

void ConvertBinaryToText(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            host::ConvertForm(data.binary, "big", host::FormFileFormat::Text, data.text.size()));
    SetBytes(state, data.binary.size());
}

void ReadDocument(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(host::ReadFormDocument(data.text, "big.dfm"));
    SetBytes(state, data.text.size());
}

void SaveUnchanged(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            host::WriteFormFile(data.document.root, host::FormFileFormat::Text, &data.document));
    SetBytes(state, data.text.size());
}

void SaveOneChange(benchmark::State& state) {
    const Data& data = Input();
    for (auto _ : state)
        benchmark::DoNotOptimize(
            host::WriteFormFile(data.changed, host::FormFileFormat::Text, &data.document));
    SetBytes(state, data.text.size());
}

BENCHMARK(TextToTree)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeToBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(BinaryToTree)->Unit(benchmark::kMillisecond);
BENCHMARK(TreeToText)->Unit(benchmark::kMillisecond);
BENCHMARK(TextToBinaryFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BinaryToTextFile)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertTextToBinary)->Unit(benchmark::kMillisecond);
BENCHMARK(ConvertBinaryToText)->Unit(benchmark::kMillisecond);
BENCHMARK(ReadDocument)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveUnchanged)->Unit(benchmark::kMillisecond);
BENCHMARK(SaveOneChange)->Unit(benchmark::kMillisecond);

} // namespace
