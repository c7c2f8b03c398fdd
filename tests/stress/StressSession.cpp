// A long random design session, played through the same commands as the scripts, with the
// design's promises checked after every step once the designer has settled:
//   - every collectable component of the form is on exactly one bar (while there is a bar);
//   - every entry stands for a component of the form;
//   - no collected component's icon shows on the form;
//   - the form holds exactly the components the session made, no more, no fewer;
//   - closing the form gives back every window and GDI object it took;
//   - a saved form, opened again, shows every bar with the same entries, titles and order.
//
// Usage: stress_session [--ops N] [--seed S] [--keep FILE]
// The commands played so far are written to FILE (default stress-session.stow) when a check
// fails, as a script that `stowdesign run` replays.
#include "app/Script.h"
#include "app/Session.h"
#include "host/classes/Classes.h"
#include "host/designer/Environment.h"
#include "host/vcl/Controls.h"
#include "host/vcl/Forms.h"
#include "host/designer/Designer.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using json = app::json;

constexpr size_t kMaxComponents = 40;
constexpr size_t kMaxBars = 4;

const std::vector<std::string> kNonVisual = {"TTimer",    "TOpenDialog", "TSaveDialog",
                                             "TTable",    "TQuery",      "TDataSource",
                                             "TImageList", "TMainMenu",  "TPopupMenu"};
const std::vector<std::string> kControls = {"TButton", "TPanel", "TLabel", "TStatusBar"};

struct Failure {
    std::string what;
};

class Stress {
public:
    Stress(uint64_t seed, fs::path dir) : FRandom(seed), FDir(std::move(dir)) {
        fs::create_directories(FDir);
        FSession = std::make_unique<app::Session>(FTranscript, FDir);
        if (!FSession->PackageError().empty())
            throw Failure{"the package did not load: " + FSession->PackageError()};
        FBaseWindows = desktop().WindowCount();
        FBaseGdi = desktop().GdiObjectCount();
        Run("new form Form1 640 480");
        AddBar();
        Settle();
    }

    // One random step and the checks after it.
    void Step() {
        int pick = Int(0, 99);
        if (pick < 16)
            DropNonVisual();
        else if (pick < 22)
            DropControl();
        else if (pick < 30)
            Paste();
        else if (pick < 38)
            Delete();
        else if (pick < 43)
            CutAndPaste();
        else if (pick < 50)
            Rename();
        else if (pick < 58)
            SetProperty();
        else if (pick < 62)
            AddBar();
        else if (pick < 64)
            DeleteBar();
        else if (pick < 80)
            ButtonMenu();
        else if (pick < 86)
            ShowOrHide();
        else if (pick < 90)
            SaveAndReopen();
        else
            Run("wait " + std::to_string(Int(0, 1000)));
        Settle();
        Check();
    }

    const std::vector<std::string>& Played() const { return FPlayed; }
    // How often each command was played (a menu command by its first words).
    std::string Counts() const {
        std::string text;
        for (const auto& [what, n] : FCounts)
            text += (text.empty() ? "" : ", ") + what + " " + std::to_string(n);
        return text;
    }

private:
    // --- Playing commands ------------------------------------------------------------------

    void Run(const std::string& command) {
        FPlayed.push_back(command);
        if (!command.starts_with("choose") && !command.starts_with("answer") &&
            !command.starts_with("press") && command != "wait 250")
            ++FCounts[command.substr(0, command.find(' '))];
        try {
            FSession->Execute(app::ParseLine(command, static_cast<int>(FPlayed.size())));
        } catch (const std::exception& e) {
            throw Failure{"`" + command + "` was refused: " + e.what()};
        }
    }
    void Settle() { Run("wait 250"); }

    host::Desktop& desktop() { return FSession->env().desktop(); }
    int Int(int low, int high) { return std::uniform_int_distribution<int>(low, high)(FRandom); }
    template <class T> const T& Any(const std::vector<T>& items) {
        return items[static_cast<size_t>(Int(0, static_cast<int>(items.size()) - 1))];
    }
    std::string Fresh(const char* stem) { return stem + std::to_string(++FCounter); }

    std::vector<std::string> Names(bool bars) const {
        std::vector<std::string> names;
        for (const auto& [name, cls] : FModel)
            if ((cls == "TStowbar") == bars)
                names.push_back(name);
        return names;
    }
    // The bars with their entries (name, title, component or null), read through the views.
    json Bars() {
        json bars = json::object();
        host::TComponent* root = FSession->Root();
        if (!root)
            return bars;
        for (host::TComponent* c : root->ComponentList())
            if (const stow::IBarView* view = FSession->Bars().Of(c)) {
                json entries = json::array();
                for (int i = 0; i < view->EntryCount(); ++i) {
                    const stow::TNVC* e = view->Entry(i);
                    entries.push_back(json{
                        {"name", e->Name},
                        {"title", e->Title},
                        {"component", e->Component ? json(e->Component->Name()) : json()}});
                }
                bars[c->Name()] = json{{"entries", entries}};
            }
        return bars;
    }

    // --- The steps -------------------------------------------------------------------------

    void DropNonVisual() {
        if (FModel.size() >= kMaxComponents)
            return Delete();
        std::string name = Fresh("Nvc");
        std::string cls = Any(kNonVisual);
        Run("drop " + cls + " " + name + " at " + std::to_string(Int(0, 600)) + " " +
            std::to_string(Int(0, 440)));
        FModel[name] = cls;
    }
    void DropControl() {
        if (FModel.size() >= kMaxComponents)
            return Delete();
        std::string name = Fresh("Ctl");
        std::string cls = Any(kControls);
        Run("drop " + cls + " " + name + " at " + std::to_string(Int(0, 600)) + " " +
            std::to_string(Int(0, 440)));
        FModel[name] = cls;
    }
    void Paste() {
        if (FModel.size() >= kMaxComponents)
            return Delete();
        std::string command = "paste";
        for (int i = Int(1, 6); i > 0; --i) {
            std::string name = Fresh("Pst");
            std::string cls = Int(0, 3) ? Any(kNonVisual) : Any(kControls);
            command += " " + cls + " " + name;
            FModel[name] = cls;
        }
        Run(command);
    }
    void Delete() {
        std::vector<std::string> names = Names(false);
        if (names.empty())
            return DropNonVisual();
        std::string command = "delete";
        std::set<std::string> chosen;
        for (int i = Int(1, 3); i > 0; --i)
            chosen.insert(Any(names));
        for (const std::string& n : chosen) {
            command += " " + n;
            FModel.erase(n);
        }
        Run(command);
    }
    // Cut, then paste the same components back: they leave and come again under their names.
    void CutAndPaste() {
        std::vector<std::string> names = Names(false);
        if (names.empty())
            return Paste();
        std::set<std::string> chosen;
        for (int i = Int(1, 3); i > 0; --i)
            chosen.insert(Any(names));
        std::string cut = "delete", paste = "paste";
        for (const std::string& n : chosen) {
            cut += " " + n;
            paste += " " + FModel[n] + " " + n;
        }
        Run(cut);
        if (Int(0, 1))
            Run("wait 0");
        Run(paste);
    }
    void Rename() {
        std::vector<std::string> names = Names(Int(0, 5) == 0);
        if (names.empty())
            return DropNonVisual();
        std::string old = Any(names);
        std::string name = Fresh(FModel[old] == "TStowbar" ? "Bar" : "Ren");
        Run("rename " + old + " " + name);
        FModel[name] = FModel[old];
        FModel.erase(old);
    }
    void SetProperty() {
        std::vector<std::string> bars = Names(true);
        if (bars.empty() || Int(0, 4) == 0) {
            std::vector<std::string> timers;
            for (const auto& [name, cls] : FModel)
                if (cls == "TTimer")
                    timers.push_back(name);
            if (timers.empty())
                return DropNonVisual();
            Run("set " + Any(timers) + ".Interval " + std::to_string(Int(0, 5000)));
            return;
        }
        std::string bar = Any(bars);
        switch (Int(0, 6)) {
        case 0:
        case 1:
            Run("set " + bar + ".AttachSide " + (Int(0, 1) ? "asTop" : "asLeft"));
            break;
        case 2:
            Run("set " + bar + ".ButtonWidth " + std::to_string(Int(20, 200)));
            break;
        case 3:
            Run("set " + bar + ".ButtonHeight " + std::to_string(Int(16, 48)));
            break;
        case 4:
            Run("set " + bar + ".ShowTitles " + (Int(0, 1) ? "True" : "False"));
            break;
        case 5:
            Run("set " + bar + ".ShowPicture " + (Int(0, 1) ? "True" : "False"));
            break;
        default:
            Run("set " + bar + ".AutoHide " + (Int(0, 1) ? "True" : "False"));
            break;
        }
    }
    void AddBar() {
        if (Names(true).size() >= kMaxBars)
            return DeleteBar();
        std::string name = Fresh("Bar");
        Run("drop TStowbar " + name);
        FModel[name] = "TStowbar";
        if (Int(0, 2) == 0)
            Run("set " + name + ".AttachSide asLeft");
    }
    void DeleteBar() {
        std::vector<std::string> bars = Names(true);
        if (bars.size() <= 1)
            return AddBar();
        std::string bar = Any(bars);
        Run("delete " + bar);
        FModel.erase(bar);
    }

    // A right click on a random button: the menu that pops up is looked at first (dismissed),
    // then one of its enabled commands is chosen with a second click.
    void ButtonMenu() {
        std::vector<std::string> held;
        json bars = Bars();
        for (const auto& [bar, view] : bars.items())
            for (const json& e : view["entries"])
                if (e["component"].is_string())
                    held.push_back(e["component"].get<std::string>());
        if (held.empty())
            return DropNonVisual();
        std::string target = Any(held);
        Run("choose none");
        Run("press " + target + " right");
        const std::vector<json>& menus = FSession->MenusShown();
        if (menus.empty())
            throw Failure{"a right click on " + target + "'s button popped no menu"};
        std::vector<std::vector<std::string>> choices;
        for (const json& item : menus.back()) {
            std::string caption = item["caption"];
            if (!item["enabled"].get<bool>() || caption == "-")
                continue;
            if (caption == "Move To") {
                for (const json& sub : item["items"])
                    if (sub["enabled"].get<bool>())
                        choices.push_back({caption, sub["caption"].get<std::string>()});
            } else if (caption.starts_with("Change Title") || caption.starts_with("MOVE ") ||
                       caption.starts_with("Delete ") || caption.starts_with("About ")) {
                choices.push_back({caption});
            }
        }
        if (choices.empty())
            return;
        if (menus.size() > 100)
            FSession->ForgetShown();
        const std::vector<std::string>& choice = Any(choices);
        std::string command = "choose " + Quote(choice[0]);
        if (choice.size() > 1)
            command += " > " + Quote(choice[1]);
        if (choice[0].starts_with("Change Title"))
            Run(Int(0, 5) == 0 ? std::string("answer cancel") : "answer " + Fresh("Title"));
        Run(command);
        Run("press " + target + " right");
        ++FCounts[choice[0].substr(0, choice[0].find(' ', 5))];
        if (choice[0].starts_with("Delete "))
            FModel.erase(target);
    }
    static std::string Quote(const std::string& caption) {
        std::string q = "\"";
        for (char c : caption) {
            if (c == '"' || c == '\\')
                q += '\\';
            q += c;
        }
        return q + "\"";
    }
    void ShowOrHide() {
        if (Int(0, 1))
            Run("mouse " + std::to_string(Int(0, 639)) + " 0");
        else
            Run("mouse 2 " + std::to_string(Int(0, 479)));
        Run("wait " + std::to_string(Int(0, 800)));
        Run("mouse 320 " + std::to_string(Int(200, 470)));
    }

    // Saved, closed (every window and GDI object given back), opened again: the bars come back
    // as they were.
    void SaveAndReopen() {
        json before = Bars();
        const char* format = Int(0, 1) ? "binary" : "text";
        Run(std::string("save stress.dfm ") + format);
        Run("close");
        if (desktop().WindowCount() != FBaseWindows || desktop().GdiObjectCount() != FBaseGdi)
            throw Failure{"closing the form left " +
                          std::to_string(desktop().WindowCount() - FBaseWindows) +
                          " windows and " + std::to_string(desktop().GdiObjectCount() - FBaseGdi) +
                          " GDI objects behind"};
        Run("open stress.dfm");
        Settle();
        json after = Bars();
        for (const auto& [bar, view] : before.items()) {
            if (!after.contains(bar))
                throw Failure{"bar " + bar + " did not come back from " + format};
            if (Entries(view) != Entries(after[bar]))
                throw Failure{"bar " + bar + "'s entries changed through " + format + ": " +
                              Entries(view).dump() + " -> " + Entries(after[bar]).dump()};
        }
        if (after.size() != before.size())
            throw Failure{"a saved form came back with another number of bars"};
    }
    static json Entries(const json& bar) {
        json list = json::array();
        for (const json& e : bar["entries"])
            list.push_back(json::array({e["name"], e["title"]}));
        return list;
    }

    // --- The checks ------------------------------------------------------------------------

    // What a bar collects: a named component of the form that is neither a control nor one of
    // the classes kept off bars, and that no other component holds as its own.
    static bool Collectable(host::TComponent* c) {
        if (c->Name().empty() || c->Is<host::TControl>() || c->GetParentComponent())
            return false;
        for (const char* cls : {"TField", "TStowbar", "TMenuItem"})
            if (c->ClassType()->InheritsFrom(std::string_view(cls)))
                return false;
        return true;
    }

    void Check() {
        host::TComponent* root = FSession->Root();
        if (!root)
            throw Failure{"no form is open"};
        std::set<std::string> present, expected;
        for (host::TComponent* c : root->ComponentList())
            present.insert(c->Name());
        for (const auto& [name, cls] : FModel)
            expected.insert(name);
        if (present != expected)
            throw Failure{"the form holds " + json(present).dump() + " but the session made " +
                          json(expected).dump()};

        json bars = Bars();
        std::map<std::string, int> held;
        for (const auto& [bar, view] : bars.items())
            for (const json& e : view["entries"]) {
                if (!e["component"].is_string())
                    throw Failure{"bar " + bar + " has an entry without a component: " + e.dump()};
                std::string name = e["component"];
                if (!present.contains(name))
                    throw Failure{"bar " + bar + " holds " + name + ", which is not on the form"};
                ++held[name];
            }
        auto* form = dynamic_cast<host::TCustomForm*>(root);
        host::TFormDesigner* designer = FSession->env().Designer();
        for (host::TComponent* c : root->ComponentList()) {
            int count = held.contains(c->Name()) ? held[c->Name()] : 0;
            if (Collectable(c) && (count > 1 || (!bars.empty() && count != 1)))
                throw Failure{c->Name() + " is on " + std::to_string(count) + " bars"};
            host::HWND icon = designer && count ? designer->IconOf(c) : host::HWND{};
            if (!icon || !form)
                continue;
            host::TRect r = desktop().WindowRectInParent(icon);
            if (r.Right > 0 && r.Left < form->ClientWidth() && r.Bottom > 0 &&
                r.Top < form->ClientHeight())
                throw Failure{"the icon of collected " + c->Name() + " shows on the form at " +
                              std::to_string(r.Left) + " " + std::to_string(r.Top)};
        }
    }

    std::mt19937_64 FRandom;
    fs::path FDir;
    std::ostringstream FTranscript;
    std::unique_ptr<app::Session> FSession;
    std::map<std::string, std::string> FModel; // name -> class of what the form should hold
    std::vector<std::string> FPlayed;
    std::map<std::string, long long> FCounts;
    int FCounter = 0;
    int FBaseWindows = 0;
    int FBaseGdi = 0;
};

} // namespace

int main(int argc, char** argv) {
    long long ops = 1000;
    uint64_t seed = 1;
    std::string keep = "stress-session.stow";
    for (int i = 1; i + 1 < argc; i += 2) {
        if (!std::strcmp(argv[i], "--ops"))
            ops = std::atoll(argv[i + 1]);
        else if (!std::strcmp(argv[i], "--seed"))
            seed = std::strtoull(argv[i + 1], nullptr, 10);
        else if (!std::strcmp(argv[i], "--keep"))
            keep = argv[i + 1];
        else {
            std::cerr << "usage: stress_session [--ops N] [--seed S] [--keep FILE]\n";
            return 2;
        }
    }
    fs::path dir = fs::temp_directory_path() / ("stowstress-" + std::to_string(getpid()));
    auto started = std::chrono::steady_clock::now();
    int status = 0;
    long long done = 0;
    {
        std::unique_ptr<Stress> stress;
        try {
            stress = std::make_unique<Stress>(seed, dir);
            for (; done < ops; ++done)
                stress->Step();
            std::printf("stress: played %s\n", stress->Counts().c_str());
        } catch (const Failure& f) {
            std::cerr << "stress: seed " << seed << ", step " << done + 1 << ": " << f.what << "\n";
            if (stress) {
                std::ofstream out(keep);
                out << "# stress_session --seed " << seed << ": failed at step " << done + 1
                    << "\n# " << f.what << "\n";
                for (const std::string& line : stress->Played())
                    out << line << "\n";
                std::cerr << "stress: the commands played are in " << keep << "\n";
            }
            status = 1;
        }
    }
    std::error_code ec;
    fs::remove_all(dir, ec);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("stress: seed %llu, %lld of %lld steps in %.1f s%s\n",
                static_cast<unsigned long long>(seed), done, ops, seconds,
                status ? " (failed)" : ", every check held");
    return status;
}
