// The collection pass: which components qualify, the pass itself, its deferred trigger, and the
// relayout that follows renames and places the buttons.
#include "stowbar/Stowbar.h"

#include "host/vcl/Forms.h"

namespace stow {

using namespace host;

bool TStowbar::CanWeCollect(TComponent* component) const {
    // Before the unit starts (or after it stops) there is no table, and nothing qualifies.
    if (!component || !NonCollectableClasses)
        return false;
    for (const std::string& name : *NonCollectableClasses)
        for (const TClass* c = component->ClassType(); c; c = c->ClassParent())
            if (c->ClassName() == name)
                return false;
    return true;
}

void TStowbar::Collect() {
    if (ComponentState().contains(csLoading) || !FDesigning)
        return;
    BringToFront();
    // Entries whose component has left the form go.
    for (int i = FNVCs.Count() - 1; i >= 0; --i)
        if (!FForm->FindComponent(FNVCs.Items(i)->Name))
            FreeNVC(i);
    // A component that another one writes as its own child (a data set's field, a menu's item,
    // an action list's action, an object nested in a component of an unknown class) has a parent
    // component: the designer shows no icon for it, and the bar leaves it alone.
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        TComponent* c = FForm->Components(i);
        if (!c->Name().empty() && !c->GetParentComponent() && CanWeCollect(c))
            AddComponent(c->Name(), c->Name(), c->ClassName());
    }
    ComponentRefUpd();
    ShowComponents(false);
    UpdateTabList();
}

void TStowbar::CMCollect(TMessage& m) {
    if (m.LParam != reinterpret_cast<LPARAM>(this))
        return;
    // Pending messages first; one of them may even end this bar.
    TComponentList alive;
    alive.Add(this);
    Application().ProcessMessages();
    if (alive.Count() == 0)
        return;
    Collect();
}

void TStowbar::ComponentRefUpd() {
    // References: entries whose component cannot be found go.
    for (int i = FNVCs.Count() - 1; i >= 0; --i) {
        TNVC* e = FNVCs.Items(i);
        if (!e->Component)
            e->Component = FForm->FindComponent(e->Name);
        if (!e->Component)
            FreeNVC(i);
    }
    TPoint at = FirstButtonPlace;
    for (const auto& e : FNVCs) {
        const std::string& current = e->Component->Name();
        if (current != e->Name) {
            if (e->Title == e->Name)
                e->Title = current;
            FNVCs.Rename(*e, current);
        }
        layoutEntry(*e, at);
    }
}

} // namespace stow
