// The collection pass: which components qualify, the pass itself, its deferred trigger, and the
// relayout that follows renames and places the buttons.
#include "stowbar/Stowbar.h"

#include "host/vcl/Forms.h"
#include "host/win32/Windows.h"

#include <algorithm>

namespace stow {

using namespace host;

namespace {
uint64_t gCollectStamps = 0;
} // namespace

uint64_t NextCollectStamp() {
    return ++gCollectStamps;
}

bool TStowbar::NestedPassesForTesting = false;
bool TStowbar::FullRelayoutsForTesting = false;

bool TStowbar::CanWeCollect(TComponent* component) const {
    // Before the unit starts (or after it stops) there is no table, and nothing qualifies.
    if (!component || !NonCollectableClasses)
        return false;
    // The answer depends on the class only: kept per class, as long as the table is the same.
    const TClass* cls = component->ClassType();
    if (FCollectableTable != NonCollectableClasses.get()) {
        FCollectable.clear();
        FCollectableTable = NonCollectableClasses.get();
    }
    if (auto it = FCollectable.find(cls); it != FCollectable.end())
        return it->second;
    bool collectable = true;
    for (const std::string& name : *NonCollectableClasses)
        for (const TClass* c = cls; c && collectable; c = c->ClassParent())
            if (c->ClassName() == name)
                collectable = false;
    FCollectable.emplace(cls, collectable);
    return collectable;
}

bool TStowbar::collects() const {
    return !ComponentState().contains(csLoading) && FDesigning;
}

void TStowbar::Collect() {
    if (!collects())
        return;
    ++FPassCount;
    BringToFront();
    // Entries whose component has left the form go. An entry's component, while it has one, is
    // alive (the bar hears every removal); when it is still the form's under the entry's name,
    // the form's look-up would find that very component.
    // An entry without a component (one read from the file, or handed over) takes the one it
    // finds here, as the relayout after the pass would.
    for (int i = FNVCs.Count() - 1; i >= 0; --i) {
        TNVC* e = FNVCs.Items(i);
        const bool known =
            e->Component && e->Component->Owner() == FForm && e->Component->Name() == e->Name;
        if (known)
            continue;
        if (TComponent* found = FForm->FindComponent(e->Name)) {
            if (!e->Component)
                FNVCs.SetComponent(*e, found);
        } else {
            FreeNVC(i);
        }
    }
    // A component that another one writes as its own child (a data set's field, a menu's item,
    // an action list's action, an object nested in a component of an unknown class) has a parent
    // component: the designer shows no icon for it, and the bar leaves it alone.
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        TComponent* c = FForm->Components(i);
        if (!c->Name().empty() && !c->GetParentComponent() && CanWeCollect(c))
            addComponent(c->Name(), c->Name(), c->ClassName(), c);
    }
    ComponentRefUpd();
    ShowComponents(false);
    UpdateTabList();
}

void TStowbar::requestCollect() {
    if (NestedPassesForTesting || FCollectRequest.Ask(NextCollectStamp()))
        PostMessageA(Handle(), CM_COLLECT, 0, reinterpret_cast<LPARAM>(this));
}

bool TStowbar::passWaits() const {
    // What the design's handler let run before its pass: the other messages waiting, and the
    // passes asked for after this one (the last asked for ran first, innermost).
    if (PeekMessageA(0, 0, CM_COLLECT - 1) || PeekMessageA(0, CM_COLLECT + 1, UINT32_MAX))
        return true;
    for (TStowbar* other : formBars())
        if (other != this && FCollectRequest.WaitsFor(other->FCollectRequest))
            return true;
    return false;
}

void TStowbar::CMCollect(TMessage& m) {
    if (m.LParam != reinterpret_cast<LPARAM>(this))
        return;
    if (NestedPassesForTesting) {
        // The design's handler: pending messages first (other bars' passes among them, nested
        // inside this one); one of them may even end this bar.
        TComponentList alive;
        alive.Add(this);
        Application().ProcessMessages();
        if (alive.Count() == 0)
            return;
        Collect();
        return;
    }
    FCollectRequest.Arrived(NextCollectStamp());
    // The design's handler let the loop run first: waiting messages and other bars' passes come
    // before this pass (the message goes to the back of the queue, behind the input); timers that
    // are due (the loop's last resort) tick here, as they did inside that handler, since a message
    // at the back of the queue would always come before them.
    for (;;) {
        if (passWaits()) {
            FCollectRequest.Reposted();
            PostMessageAfterInput(FHandle, CM_COLLECT, 0, reinterpret_cast<LPARAM>(this));
            return;
        }
        if (!DispatchDueTimerMessage())
            break;
    }
    if (!collects())
        return;
    Collect();
    // The bars that the nested handlers left above this one stay there.
    std::vector<TStowbar*> above;
    for (TStowbar* other : formBars())
        if (other != this && other->Parent() == Parent() &&
            FCollectRequest.StaysBelow(other->FCollectRequest))
            above.push_back(other);
    if (!above.empty() && Parent()) {
        // The parent's controls go from the bottom of the z-order to the top.
        auto z = [this](TStowbar* bar) {
            for (int i = 0; i < Parent()->ControlCount(); ++i)
                if (Parent()->Controls(i) == bar)
                    return i;
            return -1;
        };
        std::sort(above.begin(), above.end(),
                  [&](TStowbar* a, TStowbar* b) { return z(a) < z(b); });
        for (TStowbar* bar : above)
            bar->BringToFront();
    }
    FCollectRequest.Ran(NextCollectStamp());
}

void TStowbar::ComponentRefUpd() {
    // Nothing the relayout reads changed since the last one: it would change nothing (a quiet
    // heartbeat tick costs nothing however many entries there are).
    const TLayoutInputs inputs = layoutInputs();
    if (inputs == FLaidOut && !FullRelayoutsForTesting)
        return;
    // References: entries whose component cannot be found go.
    for (int i = FNVCs.Count() - 1; i >= 0; --i) {
        TNVC* e = FNVCs.Items(i);
        if (!e->Component)
            FNVCs.SetComponent(*e, FForm->FindComponent(e->Name));
        if (!e->Component)
            FreeNVC(i);
    }
    TPoint at = FirstButtonPlace;
    for (const auto& e : FNVCs) {
        const std::string& current = e->Component->Name();
        if (current != e->Name) {
            if (e->Title == e->Name)
                FNVCs.SetTitle(*e, current);
            FNVCs.Rename(*e, current);
        }
        layoutEntry(*e, at);
    }
    FLaidOut = layoutInputs();
}

} // namespace stow
