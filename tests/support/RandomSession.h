#pragma once
// A random design session on a small form with one to four bars: bursts pasted, components
// dropped, deleted (bars among them) and renamed, properties set, the form resized, titles
// edited; between the steps the loop sometimes runs, sometimes not, so that requests pile up.
// The same seed plays the same session, so that two ways of running the bar can be compared at
// every moment the loop has settled.

#include "support/BarSnapshot.h"

#include "host/designer/Environment.h"
#include "host/designer/Renderer.h"
#include "stowbar/Stowbar.h"

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace stowtest {

// Sets a variable for the life of a scope and restores it.
template <class T> class ScopedChange {
public:
    ScopedChange(T& variable, T value) : FVariable(variable), FSaved(variable) { variable = value; }
    ~ScopedChange() { FVariable = FSaved; }
    ScopedChange(const ScopedChange&) = delete;
    ScopedChange& operator=(const ScopedChange&) = delete;

private:
    T& FVariable;
    T FSaved;
};

struct RandomSessionOptions {
    int Rounds = 25;
    bool EditProperties = false; // set bar properties, resize the form, edit titles
    bool Render = false;         // take a picture of the surface at every settled moment
};

// Plays the session of seed in env (a fresh environment with the bar's class registered) and
// returns what could be seen at every moment the loop settled.
inline std::vector<std::string> PlayRandomSession(host::DesignEnvironment& env, uint32_t seed,
                                                  const RandomSessionOptions& options = {}) {
    using namespace host;
    using stow::TStowbar;
    std::mt19937 random(seed);
    auto below = [&](int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); };
    int serial = 0;
    auto freshName = [&](const std::string& stem) { return stem + std::to_string(++serial); };
    const std::vector<const TClass*> kinds = {TTimer::StaticClass(), TTable::StaticClass(),
                                              TDataSource::StaticClass(),
                                              TOpenDialog::StaticClass()};

    TCustomForm* form = env.NewForm("Form1", 300 + below(400), 200 + below(300));
    TFormDesigner& designer = *env.Designer();
    std::vector<std::string> seen;
    auto settled = [&] {
        std::string state = BarSnapshot(env);
        if (options.Render) {
            Surface picture = RenderDesignSurface(designer);
            state += "picture " +
                     std::to_string(std::hash<std::string>{}(
                         std::string(reinterpret_cast<const char*>(picture.Pixels().data()),
                                     picture.Pixels().size() * sizeof(picture.Pixels()[0])))) +
                     "\n";
        }
        seen.push_back(std::move(state));
    };
    auto bars = [&] {
        std::vector<TStowbar*> found;
        for (TComponent* c : form->ComponentList())
            if (auto* bar = dyn<TStowbar>(c))
                found.push_back(bar);
        return found;
    };
    auto someComponent = [&]() -> TComponent* {
        if (form->ComponentCount() == 0)
            return nullptr;
        return form->Components(below(form->ComponentCount()));
    };

    for (int i = 1 + below(4); i > 0; --i) {
        auto* bar = static_cast<TStowbar*>(
            designer.Drop(TStowbar::StaticClass(), freshName("Stowbar"), 0, 0));
        bar->SetAttachSide(static_cast<stow::TAttachSide>(below(5) == 0 ? 2 : below(2)));
    }
    for (int i = below(6); i > 0; --i)
        designer.Drop(kinds[static_cast<size_t>(below(4))], freshName("C"), 0, 0);
    env.desktop().RunFor(10);
    settled();

    for (int round = 0; round < options.Rounds; ++round) {
        switch (below(options.EditProperties ? 9 : 5)) {
        case 0:
        case 1: { // a burst, now and then with a bar in it
            std::vector<std::pair<const TClass*, std::string>> items;
            for (int i = 1 + below(12); i > 0; --i)
                if (below(15) == 0)
                    items.push_back({TStowbar::StaticClass(), freshName("Stowbar")});
                else
                    items.push_back({kinds[static_cast<size_t>(below(4))], freshName("C")});
            designer.Paste(items);
            break;
        }
        case 2:
            designer.Drop(kinds[static_cast<size_t>(below(4))], freshName("C"), 10, 10);
            break;
        case 3: { // delete a few, a bar among them now and then
            std::vector<TComponent*> doomed;
            for (int i = 1 + below(3); i > 0; --i)
                if (TComponent* c = someComponent(); c && (!c->Is<TStowbar>() || below(3) == 0))
                    doomed.push_back(c);
            designer.SetSelection(doomed);
            designer.DeleteSelection();
            break;
        }
        case 4:
            if (TComponent* c = someComponent())
                designer.Rename(c, freshName("R"));
            break;
        case 5: // a bar property
            if (auto all = bars(); !all.empty()) {
                TStowbar* bar = all[static_cast<size_t>(below(static_cast<int>(all.size())))];
                switch (below(4)) {
                case 0:
                    bar->SetButtonWidth(60 + below(150));
                    break;
                case 1:
                    bar->SetShowTitles(!bar->ShowTitles());
                    break;
                case 2:
                    bar->SetShowPicture(!bar->ShowPicture());
                    break;
                default:
                    bar->SetAttachSide(static_cast<stow::TAttachSide>(below(3)));
                }
            }
            break;
        case 6:
            form->SetClientSize(250 + below(450), 150 + below(350));
            break;
        case 7: // a title edited as the Change Title command does
            if (auto all = bars(); !all.empty()) {
                TStowbar* bar = all[static_cast<size_t>(below(static_cast<int>(all.size())))];
                if (bar->EntryCount() > 0)
                    bar->Entry(below(bar->EntryCount()))->Title = freshName("Title");
            }
            break;
        default: // the cursor somewhere: bars may slide
            env.desktop().SetCursorPos(form->ClientToScreen({below(700) - 50, below(500) - 50}));
        }
        switch (below(3)) {
        case 0:
            break; // the requests pile up
        case 1:
            env.desktop().ProcessMessages();
            settled();
            break;
        default:
            env.desktop().RunFor(static_cast<uint32_t>(below(450)));
            settled();
        }
    }
    env.desktop().RunFor(1000);
    settled();
    return seen;
}

} // namespace stowtest
