// Files in the window: opening at start, saving (Ctrl+S, Ctrl+Shift+S) through the script
// command `save`, asking before unsaved changes are lost, and the snapshot (F12).
#include "app/edit/Editor.h"

#include "app/FormFiles.h"
#include "host/win32/Png.h"

namespace app::edit {

using namespace host;

namespace {

const char* const kNewForm = "new form Form1";

} // namespace

void Editor::markSaved() {
    TFormDesigner* designer = FSession.env().Designer();
    FSavedCount = designer ? designer->ModifiedCount() : 0;
    invalidate();
}

void Editor::Start(const std::optional<std::filesystem::path>& file) {
    if (!file) {
        run(kNewForm);
        markSaved();
        return;
    }
    const std::filesystem::path path = std::filesystem::absolute(*file);
    std::string error;
    try {
        FSession.Execute(ParseLine("open " + QuoteWord(path.string()), 0));
        FFile = path;
    } catch (const std::exception& e) {
        error = e.what();
    }
    if (!error.empty()) {
        run(kNewForm);
        MessageDlg(error, mtError, {TMsgDlgBtn::mbOK}, 0);
        FMessage = "Could not open " + file->string() + ": started a new form";
    }
    markSaved();
    updateStatus();
}

bool Editor::saveTo(const std::filesystem::path& path) {
    if (!FSession.env().Root())
        return false;
    // `save` keeps the format of the file opened and its text where the form did not change; a
    // new form is saved as text.
    if (!run("save " + QuoteWord(path.string())))
        return false;
    FFile = path;
    markSaved();
    FMessage = "Saved " + path.string();
    return true;
}

void Editor::save(bool askName) {
    if (!askName && !FFile.empty()) {
        saveTo(FFile);
        return;
    }
    // A name relative to the folder of the file being edited, or to the current folder.
    std::string name =
        FFile.empty() ? FSession.env().Root()->Name() + ".dfm" : FFile.filename().string();
    if (!InputQuery("Save As", "File name", name) || name.empty())
        return;
    std::filesystem::path path(name);
    if (path.is_relative())
        path = (FFile.empty() ? std::filesystem::current_path() : FFile.parent_path()) / path;
    saveTo(path);
}

void Editor::closeWindow() {
    if (Modified()) {
        const std::string name = FFile.empty() ? "the new form" : FFile.filename().string();
        const int answer =
            MessageDlg("Save changes to " + name + "?", mtConfirmation,
                       {TMsgDlgBtn::mbYes, TMsgDlgBtn::mbNo, TMsgDlgBtn::mbCancel}, 0);
        if (answer == mrCancel)
            return;
        if (answer == mrYes) {
            save(FFile.empty());
            if (Modified())
                return; // not saved: the window stays
        }
    }
    FClosed = true;
}

void Editor::Snapshot() {
    std::error_code ec;
    std::filesystem::create_directories(FOut, ec);
    FMessage = "Wrote dump.json and window.png into " + FOut.string();
    updateStatus();
    try {
        WritePng(Compose(), (FOut / "window.png").string());
    } catch (const std::exception&) {
        FMessage = "Cannot write " + (FOut / "window.png").string();
        updateStatus();
        return;
    }
    // The session writes relative paths into its own output folder: the dump's path is whole.
    if (!run("dump " + QuoteWord(std::filesystem::absolute(FOut / "dump.json").string()))) {
        FMessage = "Cannot write " + (FOut / "dump.json").string();
        updateStatus();
    }
}

} // namespace app::edit
