#pragma once
// stowdesign edit: the designer in a window, live on the real clock.

#include <filesystem>
#include <optional>
#include <ostream>

namespace app::edit {

struct EditOptions {
    std::optional<std::filesystem::path> Form; // the form file to open; none: a new form
    std::filesystem::path Out;                 // F12 writes here; empty: the current folder
    std::optional<std::filesystem::path> Play; // a script played into the window first
};

// Runs the window until it is closed. Returns 0; 2 when no window can be opened (the reason on
// err as one line). The transcript (menus, dialogs, prints of a played script) goes to out.
// Defined in the window module (StowWindow.so), which alone links the windowing libraries.
int RunEdit(const EditOptions& options, std::ostream& out, std::ostream& err);

// What the program calls: loads the window module next to the program (or the one the
// environment variable STOW_WINDOW names) and runs RunEdit from it. Commands that open no window
// load none of the windowing libraries, and start that much faster. Returns 2 with the reason
// on err when the module cannot be loaded.
int RunEditWindow(const EditOptions& options, std::ostream& out, std::ostream& err);

// The module's entry point, looked up by this name.
using RunEditFn = int (*)(const EditOptions& options, std::ostream& out, std::ostream& err);
inline constexpr const char* RunEditSymbol = "StowRunEdit";

} // namespace app::edit
