#pragma once
// A design session: the designer's world, the commands of session scripts, the transcript.

#include "app/BarViews.h"
#include "app/Script.h"
#include "host/classes/FormDocument.h"
#include "host/designer/Environment.h"
#include "host/designer/Renderer.h"

#include <nlohmann/json.hpp>

#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace app {

using json = nlohmann::ordered_json;

// Answers popup menus from the session's queue of choices and records each menu as it popped up.
class SessionMenus : public host::IMenuService {
public:
    host::TMenuItem* TrackPopupMenu(host::TMenu* menu, host::TPoint screen) override;
    // A caption path (a submenu item as two captions); empty: dismiss.
    std::deque<std::vector<std::string>> Choices;
    std::vector<json> Shown;
    std::function<void(const std::string&)> Say;
    // Asked for the choice when none is queued (the interactive window); null: dismissed.
    std::function<host::TMenuItem*(host::TMenu*, host::TPoint)> Ask;
    // A choice that named no item of the menu that popped up: the script's error, reported when
    // the command that popped the menu returns. Empty when there is none.
    std::string Error;
    // Called while the menu is up, with the choice that will be taken (empty: dismissed).
    std::function<void(host::TMenu*, host::TPoint, const std::vector<std::string>&)> OnPopup;
};

// The folder of the program's own file (the current folder when it cannot be told), where the
// modules it loads are.
std::filesystem::path ProgramFolder();
// Where the designer finds StowPkg: $STOW_PACKAGE when set, else StowPkg.so next to the program.
std::string DefaultPackagePath();

class Session {
public:
    // out receives the transcript; relative paths in scripts are relative to baseDir.
    // Loads the package at packagePath (default: DefaultPackagePath(); "" for none); a package
    // that does not load leaves the designer without it (PackageError says why).
    // The designer runs on clock (default: virtual time).
    Session(std::ostream& out, std::filesystem::path baseDir,
            std::optional<std::string> packagePath = std::nullopt,
            std::unique_ptr<host::IClock> clock = nullptr);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Plays a script file. Returns the exit status: 0, 1 when an expect failed, 2 on a script
    // or input error (reported on err as "stowdesign: file:line: message").
    int RunFile(const std::filesystem::path& script, std::ostream& err);
    // Plays script text; file names the script in messages.
    int RunText(const std::string& text, const std::string& file, std::ostream& err);
    // Runs one command; raises ScriptError.
    void Execute(const ScriptLine& line);

    json Dump();
    // Adds to every dump (the window adds its own parts).
    std::function<void(json&)> ExtendDump;
    std::string Print(const std::string& name);
    // Input as the script commands make it (SessionInput.cpp): a key pressed on the form.
    void PressKey(host::WPARAM key);
    SessionMenus& Menus() { return FMenus; }

    host::DesignEnvironment& env() { return *FEnv; }
    // Why the default package did not load (empty when it did, or when none was asked for).
    const std::string& PackageError() const { return FPackageError; }
    // The bars of the design, as the loaded package shows them.
    const BarViews& Bars() const { return FBars; }
    host::TComponent* Root() const { return FEnv->Root(); }
    bool ExpectFailed() const { return FExpectFailed; }
    // The picture of the design surface as it is now (app/Render.cpp).
    host::Surface Render(const host::RenderScene& scene = {});
    // Where a relative path that is written goes: into the output folder, which is made when
    // the first thing is written into it. Raises ScriptError when the folder cannot be made.
    std::filesystem::path ResolveOutput(const std::string& path);
    // Where a relative path that is read is found: in the output folder, then beside the
    // script. Raises ScriptError naming every place tried when it is in none of them.
    std::filesystem::path ResolveInput(const std::string& path) const;
    void Say(const std::string& line);
    // Every popup menu as it popped up, each a list of its items (as the dump shows them).
    const std::vector<json>& MenusShown() const { return FMenus.Shown; }
    // Forgets the menus and dialogs shown so far, for a long session that looks at the latest.
    void ForgetShown();

private:
    using Handler = void (Session::*)(const ScriptLine&);
    void cmdNew(const ScriptLine&);
    void cmdClose(const ScriptLine&);
    void cmdOpen(const ScriptLine&);
    void cmdSave(const ScriptLine&);
    void cmdResize(const ScriptLine&);
    void cmdDrop(const ScriptLine&);
    void cmdPaste(const ScriptLine&);
    void cmdDelete(const ScriptLine&);
    void cmdRename(const ScriptLine&);
    void cmdSet(const ScriptLine&);
    void cmdSelect(const ScriptLine&);
    void cmdWait(const ScriptLine&);
    void cmdMouse(const ScriptLine&);
    void cmdPress(const ScriptLine&);
    void cmdDblClick(const ScriptLine&);
    void cmdTab(const ScriptLine&);
    void cmdKey(const ScriptLine&);
    void cmdChoose(const ScriptLine&);
    void cmdAnswer(const ScriptLine&);
    void cmdPrint(const ScriptLine&);
    void cmdDump(const ScriptLine&);
    void cmdExpect(const ScriptLine&);
    void cmdRender(const ScriptLine&);
    // Queued renders of what pops up: taken by the next popup menu or dialog.
    void renderPopup(host::TMenu* menu, host::TPoint screen, const std::vector<std::string>& hot);
    void renderDialog(const host::DialogRecord& dialog);
    void writePicture(const std::string& name, const host::RenderScene& scene);
    // A queued render that nothing took by the end of the script, as an error message, or "".
    std::string unfinishedRenders();
    // A queued choice or answer that no popup menu or dialog took, as an error message, or "".
    std::string unusedAnswers() const;

    host::TComponent* component(const std::string& name) const;
    host::TCustomForm* form() const;
    // The form or frame being designed, whose window takes the mouse and the keys.
    host::TWinControl* surface() const;
    host::TFormDesigner& designer() const;
    void clickButton(const std::string& componentName,
                     const std::vector<std::pair<host::UINT, host::WPARAM>>& messages);
    // The bar holding a button for the component, and the entry; raises ScriptError for none.
    const stow::IBarView& barHolding(const std::string& componentName,
                                     const stow::TNVC** entry) const;
    host::TPoint formToScreen(int x, int y) const;
    std::string unknownClass(const std::string& name) const;
    void settle();

    std::ostream& FOut;
    std::filesystem::path FBase;
    std::filesystem::path FScriptDir; // the folder of the script being played; empty: none
    std::unique_ptr<host::DesignEnvironment> FEnv;
    // The file the current form was opened from (null for a new form): `save` writes its format
    // by default and keeps its text where the form did not change.
    std::unique_ptr<host::FormDocument> FDocument;
    SessionMenus FMenus;
    bool FExpectFailed = false;
    std::string FFile;
    std::map<std::string, Handler> FCommands;
    struct QueuedRender {
        std::string Path;
        int Line = 0;
    };
    std::deque<QueuedRender> FMenuRenders;
    std::deque<QueuedRender> FDialogRenders;
    // The script lines of the choices and answers queued so far, in order: those that are left
    // at the end are the last ones queued.
    std::vector<int> FChoiceLines;
    std::vector<int> FAnswerLines;
    std::string FRenderError; // a queued render that failed while a menu or dialog was up
    std::string FPackageError;
    BarViews FBars;
};

} // namespace app
