#include "app/Session.h"

#include "app/FormFiles.h"
#include "app/Properties.h"
#include "host/rtl/Files.h"
#include "host/win32/Windows.h"

#include <cstdlib>
#include <fstream>
#include <iostream>
#include <sstream>
#include <utility>

namespace app {

using namespace host;

// ---------------------------------------------------------------- session

std::filesystem::path ProgramFolder() {
    std::error_code ec;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    return ec ? std::filesystem::current_path() : exe.parent_path();
}

std::string DefaultPackagePath() {
    if (const char* p = std::getenv("STOW_PACKAGE"); p && *p)
        return p;
    return (ProgramFolder() / "StowPkg.so").string();
}

Session::Session(std::ostream& out, std::filesystem::path baseDir,
                 std::optional<std::string> packagePath, std::unique_ptr<IClock> clock)
    : FOut(out), FBase(std::move(baseDir)),
      FEnv(std::make_unique<DesignEnvironment>(std::move(clock))) {
    const std::string package = packagePath ? *packagePath : DefaultPackagePath();
    if (!package.empty()) {
        try {
            FBars = BarViews(FEnv->LoadPackage(package));
        } catch (const EPackageError& e) {
            FPackageError = e.what();
        }
    }
    FMenus.Say = [this](const std::string& s) { Say(s); };
    FMenus.OnPopup = [this](TMenu* menu, TPoint screen, const std::vector<std::string>& hot) {
        renderPopup(menu, screen, hot);
    };
    FEnv->application().SetMenuService(&FMenus);
    FEnv->dialogs().OnShown = [this](const DialogRecord& r) {
        if (r.Kind == "query")
            Say("query: " + Escape(r.Caption) + " | " + Escape(r.Prompt) + " | " + Escape(r.Value) +
                " -> " + (r.Answer ? Escape(*r.Answer) : "cancel"));
        else
            Say(r.Kind + ": " + Escape(r.Text));
        renderDialog(r);
    };
    CurrentEditorEvents().OnVerb = [this](TComponent* c, const std::string& verb) {
        Say("verb: " + c->Name() + " " + verb);
    };
    CurrentEditorEvents().OnEdit = [this](TComponent* c, const std::string&) {
        Say("edit: " + c->Name());
    };
    FCommands = {
        {"new", &Session::cmdNew},           {"close", &Session::cmdClose},
        {"resize", &Session::cmdResize},     {"drop", &Session::cmdDrop},
        {"paste", &Session::cmdPaste},       {"delete", &Session::cmdDelete},
        {"rename", &Session::cmdRename},     {"set", &Session::cmdSet},
        {"select", &Session::cmdSelect},     {"wait", &Session::cmdWait},
        {"mouse", &Session::cmdMouse},       {"press", &Session::cmdPress},
        {"dblclick", &Session::cmdDblClick}, {"tab", &Session::cmdTab},
        {"key", &Session::cmdKey},           {"choose", &Session::cmdChoose},
        {"answer", &Session::cmdAnswer},     {"print", &Session::cmdPrint},
        {"dump", &Session::cmdDump},         {"expect", &Session::cmdExpect},
        {"open", &Session::cmdOpen},         {"save", &Session::cmdSave},
        {"render", &Session::cmdRender},
    };
}

Session::~Session() {
    CurrentEditorEvents() = {};
    FEnv.reset();
}

void Session::Say(const std::string& line) {
    FOut << line << "\n";
}

std::string Session::unknownClass(const std::string& name) const {
    std::string text = "unknown class " + name;
    if (!FPackageError.empty())
        text += " (the package StowPkg is not loaded)";
    return text;
}

std::filesystem::path Session::ResolveOutput(const std::string& path) {
    std::filesystem::path p(path);
    if (p.is_absolute())
        return p;
    std::error_code ec;
    if (!FBase.empty() && !std::filesystem::is_directory(FBase, ec)) {
        std::filesystem::create_directories(FBase, ec);
        if (ec)
            throw ScriptError("cannot make the output folder " + FBase.string() + ": " +
                              ec.message());
    }
    return FBase / p;
}

std::filesystem::path Session::ResolveInput(const std::string& path) const {
    std::filesystem::path p(path);
    if (p.is_absolute())
        return p;
    std::vector<std::filesystem::path> places{FBase / p};
    if (!FScriptDir.empty() && FScriptDir != FBase)
        places.push_back(FScriptDir / p);
    std::error_code ec;
    for (const auto& place : places)
        if (std::filesystem::exists(place, ec))
            return place;
    std::string tried;
    for (const auto& place : places)
        tried += (tried.empty() ? "" : ", ") + place.lexically_normal().string();
    throw ScriptError("cannot read " + path + ": no such file (looked in " + tried + ")");
}

int Session::RunFile(const std::filesystem::path& script, std::ostream& err) {
    std::string text;
    std::string name = script.string();
    try {
        if (name == "-") {
            std::stringstream ss;
            ss << std::cin.rdbuf();
            if (std::cin.bad())
                throw EReadError("cannot read the script from standard input");
            text = ss.str();
            name = "<stdin>";
            FScriptDir = std::filesystem::current_path();
        } else {
            text = ReadFileBytes(script, name);
            FScriptDir =
                script.parent_path().empty() ? std::filesystem::path(".") : script.parent_path();
        }
    } catch (const Exception& e) {
        err << ErrorLine(e.what());
        return 2;
    }
    return RunText(text, name, err);
}

int Session::RunText(const std::string& text, const std::string& file, std::ostream& err) {
    FFile = file;
    int number = 0;
    for (std::string_view raw : SplitLines(text)) {
        ++number;
        try {
            ScriptLine line = ParseLine(std::string(raw), number);
            if (!line.Words.empty())
                Execute(line);
        } catch (const ScriptError& e) {
            FOut.flush();
            err << ErrorLine(file + ":" + std::to_string(number) + ": " + e.what());
            return 2;
        } catch (const std::exception& e) {
            FOut.flush();
            err << ErrorLine(file + ":" + std::to_string(number) + ": " + e.what());
            return 2;
        }
    }
    FOut.flush();
    if (std::string unfinished = unfinishedRenders(); !unfinished.empty()) {
        err << ErrorLine(file + ":" + unfinished);
        return 2;
    }
    if (std::string unused = unusedAnswers(); !unused.empty()) {
        err << ErrorLine(file + ":" + unused);
        return 2;
    }
    return FExpectFailed ? 1 : 0;
}

void Session::Execute(const ScriptLine& line) {
    auto it = FCommands.find(line.Words[0]);
    if (it == FCommands.end())
        throw ScriptError("unknown command '" + line.Words[0] + "'");
    (this->*(it->second))(line);
    if (!FMenus.Error.empty())
        throw ScriptError(std::exchange(FMenus.Error, std::string()));
    if (!FRenderError.empty())
        throw ScriptError(std::exchange(FRenderError, std::string()));
}

TComponent* Session::component(const std::string& name) const {
    TComponent* root = Root();
    if (!root)
        throw ScriptError("no form is open");
    if (SameText(root->Name(), name))
        return root;
    TComponent* c = root->FindComponent(name);
    if (!c)
        throw ScriptError("no component named " + name + " on " + root->Name());
    return c;
}

TCustomForm* Session::form() const {
    if (!Root())
        throw ScriptError("no form is open");
    auto* f = dyn<TCustomForm>(Root());
    if (!f)
        throw ScriptError(Root()->Name() + " is a " +
                          (FEnv->Kind() == RootKind::Frame ? "frame" : "data module") +
                          ", not a form");
    return f;
}

TWinControl* Session::surface() const {
    if (!Root())
        throw ScriptError("no form is open");
    auto* w = dyn<TWinControl>(Root());
    if (!w)
        throw ScriptError(Root()->Name() + " is a data module, not a form");
    return w;
}

TFormDesigner& Session::designer() const {
    if (!FEnv->Designer())
        throw ScriptError("no form is open");
    return *FEnv->Designer();
}

TPoint Session::formToScreen(int x, int y) const {
    TPoint o = surface()->ClientOrigin();
    return {o.X + x, o.Y + y};
}

void Session::settle() {
    FEnv->desktop().ProcessMessages();
}

// ---------------------------------------------------------------- commands

void Session::cmdNew(const ScriptLine& line) {
    if (line.Words.size() >= 3 && line.Words[1] == "form") {
        RequireWords(line, 2, 4, "new form NAME [W H]");
        if (line.Words.size() == 4)
            throw ScriptError("usage: new form NAME [W H]");
        int w = line.Words.size() == 5 ? ToInt(line.Words[3], "W") : 640;
        int h = line.Words.size() == 5 ? ToInt(line.Words[4], "H") : 480;
        if (w < 0 || h < 0)
            throw ScriptError("a form's size cannot be negative");
        FEnv->NewForm(line.Words[2], w, h);
    } else if (line.Words.size() == 3 && line.Words[1] == "datamodule") {
        FEnv->NewDataModule(line.Words[2]);
    } else {
        throw ScriptError("usage: new form NAME [W H] | new datamodule NAME");
    }
    FDocument.reset();
}

void Session::ForgetShown() {
    FMenus.Shown.clear();
    FEnv->dialogs().Clear();
}

void Session::cmdClose(const ScriptLine& line) {
    RequireWords(line, 0, 0, "close");
    if (!Root())
        throw ScriptError("no form is open");
    FEnv->Close();
    FDocument.reset();
}

void Session::cmdOpen(const ScriptLine& line) {
    // open PATH [as form|datamodule|frame] [skip-unknown]
    const char* usage = "usage: open PATH [as form|datamodule|frame] [skip-unknown]";
    if (line.Words.size() < 2)
        throw ScriptError(usage);
    FormReadOptions options;
    options.unknown = UnknownPolicy::Keep;
    std::optional<RootKind> kind;
    for (size_t i = 2; i < line.Words.size(); ++i) {
        if (line.Words[i] == "skip-unknown") {
            options.unknown = UnknownPolicy::Skip;
        } else if (line.Words[i] == "as" && i + 1 < line.Words.size() && !kind) {
            kind = ParseRootKind(line.Words[++i]);
            if (!kind)
                throw ScriptError("open: '" + line.Words[i] +
                                  "' is not a kind of root: form, datamodule or frame");
        } else {
            throw ScriptError(usage);
        }
    }
    const std::string& name = line.Words[1];
    std::vector<std::string> skipped;
    try {
        const std::filesystem::path path = ResolveInput(name);
        auto document =
            std::make_unique<FormDocument>(ReadFormDocument(ReadFileBytes(path, name), name));
        FormSource source{name, document->format, document->bytes};
        if (!kind)
            kind = UnitRootKind(path, document->root.className);
        skipped = FEnv->Open(document->root, source, options, kind);
        FDocument = std::move(document);
    } catch (const Exception& e) {
        throw ScriptError(e.what());
    }
    for (const std::string& s : skipped)
        Say("skipped: " + Escape(s));
}

void Session::cmdSave(const ScriptLine& line) {
    RequireWords(line, 1, 2, "save PATH [text|binary]");
    FormFileFormat format = FDocument ? FDocument->format : FormFileFormat::Text;
    if (line.Words.size() == 3) {
        if (line.Words[2] == "binary")
            format = FormFileFormat::Binary;
        else if (line.Words[2] != "text")
            throw ScriptError("usage: save PATH [text|binary]");
    }
    if (!Root())
        throw ScriptError("no form is open");
    try {
        WriteFileReplacing(ResolveOutput(line.Words[1]),
                           WriteFormFile(FEnv->Save(), format, FDocument.get()), line.Words[1]);
    } catch (const Exception& e) {
        throw ScriptError(e.what());
    }
}

void Session::cmdResize(const ScriptLine& line) {
    RequireWords(line, 2, 2, "resize W H");
    int w = ToInt(line.Words[1], "W");
    int h = ToInt(line.Words[2], "H");
    if (w < 0 || h < 0)
        throw ScriptError("a form's size cannot be negative");
    form()->SetClientSize(w, h);
}

void Session::cmdDrop(const ScriptLine& line) {
    // drop CLASS [NAME] [at X Y]
    std::vector<std::string> w(line.Words.begin() + 1, line.Words.end());
    if (w.empty())
        throw ScriptError("usage: drop CLASS [NAME] [at X Y]");
    std::string name;
    int x = 0, y = 0;
    size_t i = 1;
    if (i < w.size() && w[i] != "at")
        name = w[i++];
    if (i < w.size()) {
        if (w[i] != "at" || i + 3 != w.size())
            throw ScriptError("usage: drop CLASS [NAME] [at X Y]");
        x = ToInt(w[i + 1], "X");
        y = ToInt(w[i + 2], "Y");
    }
    const TClass* cls = FindClass(w[0]);
    if (!cls)
        throw ScriptError(unknownClass(w[0]));
    if (!Root())
        throw ScriptError("no form is open");
    if (!name.empty() && !IsValidIdent(name))
        throw ScriptError("'" + name + "' is not a valid component name");
    try {
        designer().Drop(cls, name, x, y);
    } catch (const EAbort&) {
        // refused silently, as the designer does
    } catch (const EComponentError& e) {
        // A component that refuses its owner: the designer shows the error, as the IDE does.
        FEnv->application().HandleException(e);
    }
}

void Session::cmdPaste(const ScriptLine& line) {
    if (line.Words.size() < 3 || line.Words.size() % 2 == 0)
        throw ScriptError("usage: paste CLASS NAME [CLASS NAME ...]");
    std::vector<std::pair<const TClass*, std::string>> items;
    for (size_t i = 1; i + 1 < line.Words.size(); i += 2) {
        const TClass* cls = FindClass(line.Words[i]);
        if (!cls)
            throw ScriptError(unknownClass(line.Words[i]));
        items.push_back({cls, line.Words[i + 1]});
    }
    try {
        designer().Paste(items);
    } catch (const EAbort&) {
    } catch (const EComponentError& e) {
        FEnv->application().HandleException(e);
    }
}

void Session::cmdDelete(const ScriptLine& line) {
    if (line.Words.size() < 2)
        throw ScriptError("usage: delete NAME ...");
    std::vector<TComponent*> doomed;
    for (size_t i = 1; i < line.Words.size(); ++i)
        doomed.push_back(component(line.Words[i]));
    designer().SetSelection(doomed);
    FEnv->desktop().SendMessage(surface()->Handle(), WM_KEYDOWN, VK_DELETE, 0);
}

void Session::cmdRename(const ScriptLine& line) {
    RequireWords(line, 2, 2, "rename OLD NEW");
    TComponent* c = component(line.Words[1]);
    try {
        designer().Rename(c, line.Words[2]);
    } catch (const EComponentError& e) {
        throw ScriptError(e.what());
    }
}

void Session::cmdSet(const ScriptLine& line) {
    if (line.Words.size() < 3)
        throw ScriptError("usage: set NAME.PROP VALUE");
    const std::string& target = line.Words[1];
    size_t dot = target.find('.');
    if (dot == std::string::npos || dot == 0 || dot + 1 == target.size())
        throw ScriptError("usage: set NAME.PROP VALUE");
    TComponent* c = component(target.substr(0, dot));
    std::string value = line.RestFrom(2);
    if (line.Words.size() == 3 && value.size() >= 2 && value.front() == '"')
        value = line.Words[2];
    try {
        SetPropertyText(*c, target.substr(dot + 1), value, Root());
    } catch (const ScriptError&) {
        throw;
    } catch (const EAbort&) {
    } catch (const Exception& e) {
        throw ScriptError(e.what());
    }
    designer().Modified();
}

void Session::cmdSelect(const ScriptLine& line) {
    if (line.Words.size() < 2)
        throw ScriptError("usage: select NAME ... | select none");
    if (line.Words.size() == 2 && line.Words[1] == "none") {
        designer().SetSelection({});
        return;
    }
    std::vector<TComponent*> list;
    for (size_t i = 1; i < line.Words.size(); ++i)
        list.push_back(component(line.Words[i]));
    designer().SetSelection(list);
}

void Session::cmdWait(const ScriptLine& line) {
    RequireWords(line, 1, 1, "wait MS");
    int ms = ToInt(line.Words[1], "MS");
    if (ms < 0)
        throw ScriptError("wait takes a time of 0 or more milliseconds");
    FEnv->desktop().RunFor(static_cast<uint32_t>(ms));
}

void Session::cmdPrint(const ScriptLine& line) {
    RequireWords(line, 0, 1, "print [NAME]");
    FOut << Print(line.Words.size() == 2 ? line.Words[1] : std::string());
}

void Session::cmdDump(const ScriptLine& line) {
    RequireWords(line, 1, 1, "dump PATH");
    std::filesystem::path path = ResolveOutput(line.Words[1]);
    try {
        WriteFileAtomic(path, Dump().dump(2) + "\n", line.Words[1]);
    } catch (const Exception& e) {
        throw ScriptError(e.what());
    }
}

void Session::cmdExpect(const ScriptLine& line) {
    if (line.Words.size() < 3)
        throw ScriptError("usage: expect POINTER JSON");
    json expected;
    try {
        expected = json::parse(line.RestFrom(2));
    } catch (const std::exception&) {
        throw ScriptError("expect: not a JSON value: " + line.RestFrom(2));
    }
    json::json_pointer pointer;
    try {
        pointer = json::json_pointer(line.Words[1]);
    } catch (const std::exception&) {
        throw ScriptError("expect: not a JSON pointer: " + line.Words[1]);
    }
    json dump = Dump();
    std::string actual = "missing";
    bool ok = false;
    if (dump.contains(pointer)) {
        actual = dump.at(pointer).dump();
        ok = dump.at(pointer) == expected;
    }
    if (!ok) {
        FExpectFailed = true;
        Say("expect failed: " + FFile + ":" + std::to_string(line.Number) + ": " + line.Words[1] +
            " is " + actual + ", expected " + expected.dump());
    }
}

std::string Session::unusedAnswers() const {
    if (size_t left = FMenus.Choices.size(); left > 0 && left <= FChoiceLines.size())
        return std::to_string(FChoiceLines[FChoiceLines.size() - left]) +
               ": choose: no popup menu took this choice";
    size_t left = FEnv->dialogs().PendingAnswers();
    if (left > 0 && left <= FAnswerLines.size())
        return std::to_string(FAnswerLines[FAnswerLines.size() - left]) +
               ": answer: no input dialog took this answer";
    return {};
}

} // namespace app
