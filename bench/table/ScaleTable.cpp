// The scale table of docs/performance.md: for forms of 1,000, 5,000 and 20,000 timers, the time
// of opening, of the first and a repeated collection pass, of a quiet heartbeat tick, of a paste
// burst of n onto a form holding n (one and four bars), of deleting a bar of n entries (handed
// over to another bar), of saving, and the memory in use per component; then the growth ratio
// t(20,000) / t(5,000) of each. Times are the median of a few runs, in CPU time of the process
// (the machine these figures come from is shared: wall time there mostly measures the others).
// Usage: bench_scale_table [n...]   (default 1000 5000 20000)

#include "host/classes/Streaming.h"
#include "host/designer/Environment.h"
#include "host/win32/Windows.h"
#include "stowbar/Stowbar.h"

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

using namespace host;
using stow::TStowbar;
// The process's CPU time.
struct Clock {
    using time_point = double; // ms
    static time_point now() {
        timespec t{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
        return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
    }
};

double MsSince(Clock::time_point start) {
    return Clock::now() - start;
}

// The median of runs measurements; each run sets up with prepare (not timed) and times work.
double MedianMs(
    int runs, const std::function<void()>& prepare, const std::function<void()>& work,
    const std::function<void()>& after = [] {}) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        prepare();
        Clock::time_point start = Clock::now();
        work();
        times.push_back(MsSince(start));
        after();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

size_t BytesInUse() {
    struct mallinfo2 m = mallinfo2();
    return m.uordblks + m.hblkhd;
}

// A designer with the bar's class registered.
struct World {
    World() {
        stow::StowbarInitialization();
        RegisterClass(TStowbar::StaticClass());
    }
    ~World() {
        env.Close();
        stow::StowbarFinalization();
    }
    // A fresh form holding n timers named prefix1..., and bars bars (none collects before the
    // loop runs).
    TCustomForm* Form(int n, int bars, const std::string& prefix = "Timer") {
        env.Close();
        TCustomForm* form = env.NewForm("Form1", 640, 480);
        for (int i = 1; i <= n; ++i)
            NewComponent(TTimer::StaticClass(), form)->SetName(prefix + std::to_string(i));
        env.Designer()->CreateIcons();
        for (int i = 0; i < bars; ++i)
            env.Designer()->Drop(TStowbar::StaticClass(), "", 0, 0);
        return form;
    }
    std::vector<TStowbar*> Bars() {
        std::vector<TStowbar*> found;
        for (TComponent* c : env.Root()->ComponentList())
            if (auto* bar = dyn<TStowbar>(c))
                found.push_back(bar);
        return found;
    }
    void Settle() { env.desktop().ProcessMessages(); }
    DesignEnvironment env;
};

std::vector<std::pair<const TClass*, std::string>> Timers(const std::string& prefix, int n) {
    std::vector<std::pair<const TClass*, std::string>> items;
    for (int i = 1; i <= n; ++i)
        items.push_back({TTimer::StaticClass(), prefix + std::to_string(i)});
    return items;
}

struct Row {
    Row(const char* name, const char* unit = "ms") : Name(name), Unit(unit) {}
    const char* Name;
    const char* Unit;
    std::map<int, double> Value; // by n
};

std::vector<Row> Measure(const std::vector<int>& sizes) {
    std::vector<Row> rows = {{"open (text form, one bar)"},
                             {"first pass"},
                             {"repeated pass"},
                             {"quiet tick", "us"},
                             {"paste n onto n, one bar"},
                             {"paste n onto n, four bars"},
                             {"delete a bar of n entries"},
                             {"save (text)"},
                             {"memory after opening", "B/comp"},
                             {"memory after the first pass", "B/comp"},
                             {"peak memory of the session", "MiB"}};
    for (int n : sizes) {
        const int runs = n >= 20000 ? 7 : 9;
        size_t base = BytesInUse();
        size_t peak = 0;
        auto note = [&] { peak = std::max(peak, BytesInUse()); };
        {
            World w;
            // A text form of n timers and a bar holding them.
            w.Form(n, 1);
            w.env.desktop().RunFor(10);
            const std::string text = WriteText(w.env.Save());
            w.env.Close();
            base = BytesInUse();
            rows[0].Value[n] = MedianMs(
                runs, [&] { w.env.Close(); },
                [&] {
                    FormFile file = ReadFormFile(text, "big.dfm");
                    w.env.Open(file.root, {"big.dfm", file.format, text});
                },
                note);
            rows[8].Value[n] = static_cast<double>(BytesInUse() - base) / n;
            // The first pass of that bar (entries read from the file get their buttons), on a
            // form opened anew for each run.
            auto open = [&] {
                FormFile file = ReadFormFile(text, "big.dfm");
                w.env.Open(file.root, {"big.dfm", file.format, text});
            };
            rows[1].Value[n] = MedianMs(
                runs,
                [&] {
                    w.env.Close();
                    open();
                },
                [&] { w.Bars().front()->Collect(); }, note);
            rows[9].Value[n] = static_cast<double>(BytesInUse() - base) / n;
            TStowbar* bar = w.Bars().front();
            rows[2].Value[n] = MedianMs(
                runs, [] {}, [&] { bar->Collect(); });
            w.env.desktop().RunFor(1000);
            w.env.desktop().SetCursorPos({5000, 5000});
            const int ticks = 2000;
            rows[3].Value[n] = 1000.0 / ticks *
                               MedianMs(
                                   runs, [] {},
                                   [&] {
                                       for (int i = 0; i < ticks; ++i)
                                           SendMessageA(bar->Handle(), WM_TIMER, 1, 0);
                                   });
            rows[7].Value[n] = MedianMs(
                runs, [] {},
                [&] {
                    std::string saved = WriteText(w.env.Save());
                    if (saved.empty())
                        std::abort();
                });
        }
        for (int bars : {1, 4}) {
            World w;
            rows[bars == 1 ? 4 : 5].Value[n] = MedianMs(
                runs,
                [&] {
                    w.Form(n, bars, "Old");
                    w.env.desktop().RunFor(10);
                },
                [&] {
                    w.env.Designer()->Paste(Timers("New", n));
                    w.Settle();
                },
                note);
        }
        {
            World w;
            rows[6].Value[n] = MedianMs(
                runs,
                [&] {
                    w.Form(n, 2);
                    w.env.desktop().RunFor(10);
                    // The last bar told collected them all: it goes, the first inherits.
                    w.env.Designer()->SetSelection({w.Bars().back()});
                },
                [&] {
                    w.env.Designer()->DeleteSelection();
                    w.Settle();
                },
                note);
            if (w.Bars().front()->EntryCount() != n)
                std::fprintf(stderr, "hand-over lost entries\n");
        }
        rows[10].Value[n] = static_cast<double>(peak) / (1 << 20);
    }
    return rows;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<int> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::atoi(argv[i]));
    if (sizes.empty())
        sizes = {1000, 5000, 20000};
    std::vector<Row> rows = Measure(sizes);
    std::printf("| measure | unit |");
    for (int n : sizes)
        std::printf(" n = %d |", n);
    const bool ratio = std::count(sizes.begin(), sizes.end(), 5000) &&
                       std::count(sizes.begin(), sizes.end(), 20000);
    std::printf(ratio ? " t(20,000)/t(5,000) |\n" : "\n");
    std::printf("|---|---|");
    for (size_t i = 0; i < sizes.size(); ++i)
        std::printf("---:|");
    std::printf(ratio ? "---:|\n" : "\n");
    for (const Row& row : rows) {
        std::printf("| %s | %s |", row.Name, row.Unit);
        for (int n : sizes)
            std::printf(" %.3g |", row.Value.at(n));
        if (ratio)
            std::printf(" %.2f |", row.Value.at(20000) / std::max(row.Value.at(5000), 1e-9));
        std::printf("\n");
    }
    return 0;
}
