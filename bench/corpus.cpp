// Opening the real form files of the shared corpus (../shared/corpus/dfm, or the folder named by
// STOW_CORPUS_DIR) in the designer, one benchmark per file: file bytes -> document -> components
// (placeholders for unknown classes, what was read remembered for saving), windows and icons;
// the previous form closed first, outside the timing. Goal: each under 50 ms.
// Save/...: the same form written back into its own bytes.

#include "host/classes/FormDocument.h"
#include "host/classes/Streaming.h"
#include "host/designer/Environment.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

using namespace host;
namespace fs = std::filesystem;

fs::path CorpusDir() {
    if (const char* dir = std::getenv("STOW_CORPUS_DIR"))
        return dir;
    return fs::path(STOW_SOURCE_DIR "/../shared/corpus/dfm");
}

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

FormReadOptions Keeping() {
    FormReadOptions options;
    options.unknown = UnknownPolicy::Keep;
    return options;
}

void Open(DesignEnvironment& env, const std::string& bytes, const std::string& name) {
    FormDocument doc = ReadFormDocument(bytes, name);
    env.Open(doc.root, {name, doc.format, doc.bytes}, Keeping());
}

void OpenFile(benchmark::State& state, const std::string& name, const std::string& bytes) {
    DesignEnvironment env;
    for (auto _ : state) {
        Open(env, bytes, name);
        state.PauseTiming();
        env.Close();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void SaveFile(benchmark::State& state, const std::string& name, const std::string& bytes) {
    DesignEnvironment env;
    FormDocument doc = ReadFormDocument(bytes, name);
    env.Open(doc.root, {name, doc.format, doc.bytes}, Keeping());
    for (auto _ : state) {
        std::string written = WriteFormFile(env.Save(), doc.format, &doc);
        benchmark::DoNotOptimize(written);
    }
}

// One benchmark per file, registered before main runs the benchmarks.
const bool registered = [] {
    std::vector<fs::path> files;
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(CorpusDir(), ec)) {
        const std::string ext = entry.path().extension().string();
        if (ext == ".dfm" || ext == ".lfm")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    for (const fs::path& path : files) {
        const std::string name = path.filename().string();
        const std::string bytes = ReadAll(path);
        benchmark::RegisterBenchmark(("Open/" + name).c_str(), [name, bytes](auto& state) {
            OpenFile(state, name, bytes);
        })->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("Save/" + name).c_str(), [name, bytes](auto& state) {
            SaveFile(state, name, bytes);
        })->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
