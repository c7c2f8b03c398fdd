#pragma once
// The built-in demo: a data-entry form cluttered with non-visual components, and a session that
// tells the bar's story on it, with pictures, the saved form and the transcript.

#include <ostream>
#include <string>

namespace app {

class Session;

// The example form: a customer orders form with tables, fields, data sources, menus, a timer,
// dialogs, an image list, a panel with labels, buttons and a status bar; no bar yet.
void BuildExampleForm(Session& session);

// Plays the demo into outDir (created when missing): numbered PNG pictures, the saved form
// (Form1.dfm, once the designer can save) and transcript.txt. Prints the transcript and where the
// files are on out. Returns the exit status.
int RunDemo(const std::string& outDir, std::ostream& out, std::ostream& err);

} // namespace app
