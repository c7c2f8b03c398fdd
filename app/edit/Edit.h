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
int RunEdit(const EditOptions& options, std::ostream& out, std::ostream& err);

} // namespace app::edit
