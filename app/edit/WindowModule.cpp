// Loading the window module: the windowing libraries (SDL2, X11 and what they bring, some fifty
// shared objects) are mapped only by the command that opens a window.
#include "app/edit/Edit.h"

#include "app/Session.h"

#include <dlfcn.h>

#include <cstdlib>

namespace app::edit {

namespace {

std::filesystem::path modulePath() {
    if (const char* p = std::getenv("STOW_WINDOW"); p && *p)
        return p;
    return ProgramFolder() / "StowWindow.so";
}

} // namespace

int RunEditWindow(const EditOptions& options, std::ostream& out, std::ostream& err) {
    const std::filesystem::path path = modulePath();
    // Kept loaded until the program ends: what the windowing libraries registered (exit
    // handlers, threads) may outlive the window.
    void* module = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!module) {
        const char* why = dlerror();
        err << "stowdesign: edit: cannot load the window module " << path.string() << ": "
            << (why ? why : "unknown reason") << "\n";
        return 2;
    }
    auto run = reinterpret_cast<RunEditFn>(dlsym(module, RunEditSymbol));
    if (!run) {
        err << "stowdesign: edit: " << path.string() << " is not the window module (no "
            << RunEditSymbol << ")\n";
        return 2;
    }
    return run(options, out, err);
}

} // namespace app::edit
