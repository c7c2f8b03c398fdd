// Drawing a frame of the window (`stowdesign edit`): the design surface of a form of 800 by 600
// pixels (client area) with a panel of labels, buttons, a status bar, designer icons and a shown
// bar with its entries, as the renderer draws it; and the whole window around it (palette,
// property panel, status line) as the editor composes it. The window shows a frame only when
// something changed; the goal for one is under 5 ms.

#include "app/Session.h"
#include "app/edit/Editor.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

namespace {

const char* const kScene = R"(new form Form1 800 600
drop TPanel Panel1 at 16 100
set Panel1.Width 500
set Panel1.Height 300
drop TLabel Label1 at 32 120
drop TLabel Label2 at 32 150
drop TButton Ok at 600 500
drop TButton Cancel at 690 500
drop TStatusBar StatusBar1
drop TTimer Timer1 at 16 16
drop TTable Customers at 48 16
drop TQuery Orders at 80 16
drop TDataSource CustomersSource at 112 16
drop TOpenDialog OpenDialog1 at 144 16
drop TMainMenu MainMenu1 at 176 16
drop TStowbar Stowbar1
wait 1
select Timer1
mouse 400 1
wait 10
)";

struct World {
    World() : session(transcript, std::filesystem::temp_directory_path()), editor(session, ".") {
        std::ostringstream err;
        if (session.RunText(kScene, "frame", err) != 0)
            throw std::runtime_error(err.str());
        editor.Resize(editor.PreferredSize().X, editor.PreferredSize().Y);
    }
    std::ostringstream transcript;
    app::Session session;
    app::edit::Editor editor;
};

World& world() {
    static World w;
    return w;
}

void DesignSurface800x600(benchmark::State& state) {
    host::TFormDesigner& designer = *world().session.env().Designer();
    for (auto _ : state) {
        host::Surface s = host::RenderDesignSurface(designer);
        benchmark::DoNotOptimize(s.Pixels().data());
    }
    state.counters["pixels"] =
        static_cast<double>(host::RenderDesignSurface(designer).Pixels().size());
}
BENCHMARK(DesignSurface800x600)->Unit(benchmark::kMillisecond);

void WholeWindow(benchmark::State& state) {
    app::edit::Editor& editor = world().editor;
    for (auto _ : state) {
        host::Surface s = editor.Compose();
        benchmark::DoNotOptimize(s.Pixels().data());
    }
    state.counters["width"] = editor.ClientSize().X;
    state.counters["height"] = editor.ClientSize().Y;
}
BENCHMARK(WholeWindow)->Unit(benchmark::kMillisecond);

} // namespace
