#include "host/classes/Classes.h"

#include "host/classes/Filer.h"

#include <algorithm>

namespace host {

HOST_IMPLEMENT_ABSTRACT_CLASS(TPersistent, TObject)
HOST_IMPLEMENT_CLASS_PROPS(TComponent, TPersistent)
HOST_IMPLEMENT_CLASS(TStrings, TPersistent)

void TStrings::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Strings",
        [this](TReader& r) {
            FList.Clear();
            r.ReadListBegin();
            while (!r.EndOfList())
                FList.Add(r.ReadString());
            r.ReadListEnd();
        },
        [this](TWriter& w) {
            w.WriteListBegin();
            for (const std::string& line : FList.Items())
                w.WriteString(line);
            w.WriteListEnd();
        },
        FList.Count() > 0);
}

void TStrings::Assign(TPersistent* source) {
    if (auto* other = dyn<TStrings>(source)) {
        FList.Clear();
        for (const std::string& line : other->FList.Items())
            FList.Add(line);
        return;
    }
    inherited::Assign(source);
}

void TPersistent::Assign(TPersistent* source) {
    std::string from = source ? source->ClassName() : std::string("nil");
    throw EConvertError("Cannot assign a " + from + " to a " + ClassName());
}

void TComponent::DeclareProperties(PropList& props) {
    TPropInfo name = StrProp<TComponent>(
        "Name", [](const TComponent& c) { return c.Name(); },
        [](TComponent& c, const std::string& v) { c.SetName(v); });
    name.Stored = false; // the form file carries the name in the object header
    props.push_back(name);
    props.push_back(IntProp<TComponent>(
        "Tag", [](const TComponent& c) { return c.Tag(); },
        [](TComponent& c, int64_t v) { c.SetTag(v); }, 0));
}

void TComponent::Create(TComponent* owner) {
    if (owner)
        owner->InsertComponent(this);
}

void TComponent::Destroy() {
    Destroying();
    // Tell the partners that asked to hear of this component's end, and forget them.
    while (!FFreeNotifies.empty()) {
        TComponent* partner = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        auto& theirs = partner->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
        partner->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner)
        FOwner->RemoveComponent(this);
    inherited::Destroy();
}

TComponent* TComponent::Components(int i) const {
    if (i < 0 || i >= ComponentCount())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    return FComponents[static_cast<size_t>(i)];
}

int TComponent::ComponentIndex() const {
    if (!FOwner)
        return -1;
    auto& list = FOwner->FComponents;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TComponent::SetName(const std::string& name) {
    if (name == FName)
        return;
    if (!name.empty() && !IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    if (FOwner)
        FOwner->ValidateRename(this, FName, name);
    else
        ValidateRename(nullptr, FName, name);
    std::string old = FName;
    ChangeName(name);
    if (FOwner)
        FOwner->renamed(this, old);
}

void TComponent::renamed(TComponent* component, const std::string& oldName) {
    ++FNamesVersion;
    if (!oldName.empty()) {
        auto it = FNameIndex.find(UpperCase(oldName));
        if (it != FNameIndex.end() && it->second == component)
            FNameIndex.erase(it);
    }
    if (!component->FName.empty())
        FNameIndex[UpperCase(component->FName)] = component;
}

void TComponent::ValidateRename(TComponent* component, const std::string& curName,
                                const std::string& newName) {
    if (component && !SameText(curName, newName)) {
        TComponent* other = FindComponent(newName);
        if (other && other != component)
            throw EComponentError("A component named " + newName + " already exists");
    }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
    if (name.empty())
        return nullptr;
    auto it = FNameIndex.find(UpperCase(name));
    return it == FNameIndex.end() ? nullptr : it->second;
}

void TComponent::InsertComponent(TComponent* component) {
    if (component->FOwner)
        component->FOwner->remove(component);
    ValidateRename(component, "", component->FName);
    insert(component);
    if (FComponentState.contains(csDesigning))
        component->SetDesigning(true);
    Notification(component, opInsert);
}

void TComponent::RemoveComponent(TComponent* component) {
    Notification(component, opRemove);
    // The components the broadcast passed by still drop their free-notification links with the
    // one that leaves, as their Notification would have done.
    if (component) {
        std::vector<TComponent*> partners = component->FFreeNotifies;
        for (TComponent* p : partners)
            if (p->FOwner == this && !hears(p, opRemove))
                p->RemoveFreeNotification(component);
    }
    remove(component);
}

bool TComponent::hears(const TComponent* c, TOperation operation) {
    const auto heard = operation == opInsert ? hnInsertions : hnRemovals;
    return (c->FHeard & heard) != 0 || !c->FComponents.empty() || c->FDesignerHook;
}

std::vector<TComponent*>& TComponent::listenersOf(TOperation operation) {
    if (FListenersStale) {
        FInsertListeners.clear();
        FRemoveListeners.clear();
        for (TComponent* c : FComponents) {
            if (hears(c, opInsert))
                FInsertListeners.push_back(c);
            if (hears(c, opRemove))
                FRemoveListeners.push_back(c);
        }
        FListenersStale = false;
    }
    return operation == opInsert ? FInsertListeners : FRemoveListeners;
}

void TComponent::mayHearMore(const TComponent* c) {
    // One that reacts to both is in both lists already.
    if (c->FHeard != hnBoth)
        FListenersStale = true;
}

void TComponent::SetDesignerHook(IDesignerHook* hook) {
    FDesignerHook = hook;
    if (FOwner)
        FOwner->mayHearMore(this);
}

void TComponent::insert(TComponent* component) {
    if (FComponents.empty() && FOwner)
        FOwner->mayHearMore(this); // it passes the broadcasts on from now on
    FComponents.push_back(component);
    ++FComponentsVersion;
    component->FOwner = this;
    if (!component->FName.empty())
        FNameIndex[UpperCase(component->FName)] = component;
    if (!FListenersStale) {
        if (hears(component, opInsert))
            FInsertListeners.push_back(component);
        if (hears(component, opRemove))
            FRemoveListeners.push_back(component);
    }
}

void TComponent::remove(TComponent* component) {
    // Components leave from the end most often (DestroyComponents): search from there.
    auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
    if (it != FComponents.rend()) {
        FComponents.erase(std::next(it).base());
        ++FComponentsVersion;
    }
    if (!FListenersStale)
        for (auto* list : {&FInsertListeners, &FRemoveListeners}) {
            auto l = std::find(list->rbegin(), list->rend(), component);
            if (l != list->rend())
                list->erase(std::next(l).base());
        }
    if (!component->FName.empty()) {
        auto n = FNameIndex.find(UpperCase(component->FName));
        if (n != FNameIndex.end() && n->second == component)
            FNameIndex.erase(n);
    }
    component->FOwner = nullptr;
}

void TComponent::DestroyComponents() {
    // Last to first; each is taken out of the list before it is destroyed, so no notification
    // goes round for it.
    while (!FComponents.empty()) {
        TComponent* c = FComponents.back();
        remove(c);
        c->Free();
    }
}

void TComponent::Destroying() {
    if (FComponentState.contains(csDestroying))
        return;
    FComponentState.include(csDestroying);
    for (TComponent* c : FComponents)
        c->Destroying();
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this)
        return;
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), component) == FFreeNotifies.end())
        FFreeNotifies.push_back(component);
    auto& theirs = component->FFreeNotifies;
    if (std::find(theirs.begin(), theirs.end(), this) == theirs.end())
        theirs.push_back(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    FFreeNotifies.erase(std::remove(FFreeNotifies.begin(), FFreeNotifies.end(), component),
                        FFreeNotifies.end());
    if (component) {
        auto& theirs = component->FFreeNotifies;
        theirs.erase(std::remove(theirs.begin(), theirs.end(), this), theirs.end());
    }
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component)
        RemoveFreeNotification(component);
    // In list order, to the components whose Notification does something (the others would only
    // pass it on to nothing); the list may change while the notification goes round.
    const std::vector<TComponent*>& listeners = listenersOf(operation);
    FLastBroadcastReach = 1;
    for (size_t i = 0; i < listeners.size(); ++i) {
        listeners[i]->Notification(component, operation);
        ++FLastBroadcastReach;
    }
    if (FDesignerHook)
        FDesignerHook->Notification(component, operation);
}

void TComponent::Loaded() {
    FComponentState.exclude(csLoading);
    FComponentState.exclude(csReading);
}

void TComponent::SetDesigning(bool value, bool children) {
    if (value)
        FComponentState.include(csDesigning);
    else
        FComponentState.exclude(csDesigning);
    if (children)
        for (TComponent* c : FComponents)
            c->SetDesigning(value);
}

void TComponent::DefineProperties(TFiler& filer) {
    // A non-visual component's icon position travels as Left and Top, each when not zero; the
    // halves are kept as unsigned 16-bit numbers, as the host library writes them.
    filer.DefineProperty(
        "Left",
        [this](TReader& r) {
            FDesignInfo = TDesignPos::Pack(r.ReadInteger(), TDesignPos::Unpack(FDesignInfo).Top);
        },
        [this](TWriter& w) {
            w.WriteInteger(static_cast<uint16_t>(TDesignPos::Unpack(FDesignInfo).Left));
        },
        TDesignPos::Unpack(FDesignInfo).Left != 0);
    filer.DefineProperty(
        "Top",
        [this](TReader& r) {
            FDesignInfo = TDesignPos::Pack(TDesignPos::Unpack(FDesignInfo).Left, r.ReadInteger());
        },
        [this](TWriter& w) {
            w.WriteInteger(static_cast<uint16_t>(TDesignPos::Unpack(FDesignInfo).Top));
        },
        TDesignPos::Unpack(FDesignInfo).Top != 0);
}

TComponent* NewComponent(const TClass* cls, TComponent* owner) {
    if (!cls || !cls->InheritsFrom(TComponent::StaticClass()))
        throw EComponentError("Class " + (cls ? cls->ClassName() : std::string("nil")) +
                              " is not a component class");
    TObject* obj = cls->NewInstance();
    if (!obj)
        throw EComponentError("Cannot create an instance of abstract class " + cls->ClassName());
    auto* c = static_cast<TComponent*>(obj);
    c->SetHeard(cls->InstancesHear());
    try {
        c->Create(owner);
    } catch (...) {
        c->Free();
        throw;
    }
    return c;
}

// TComponentList watches its components through a free notification of a hidden component.
class TComponentList::Watcher : public TComponent {
public:
    explicit Watcher(TComponentList* list) : FList(list) {}
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == opRemove)
            FList->dropped(component);
        TComponent::Notification(component, operation);
    }

private:
    TComponentList* FList;
};

TComponentList::TComponentList() : FWatcher(new Watcher(this)) {}

TComponentList::~TComponentList() {
    Clear();
}

TComponent* TComponentList::Items(int i) const {
    if (i < 0 || i >= Count())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    return FItems[static_cast<size_t>(i)];
}

int TComponentList::Add(TComponent* c) {
    FItems.push_back(c);
    if (c)
        FWatcher->FreeNotification(c);
    return Count() - 1;
}

int TComponentList::IndexOf(const TComponent* c) const {
    auto it = std::find(FItems.begin(), FItems.end(), c);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TComponentList::Remove(TComponent* c) {
    int i = IndexOf(c);
    if (i >= 0)
        FItems.erase(FItems.begin() + i);
    if (c && IndexOf(c) < 0)
        FWatcher->RemoveFreeNotification(c);
}

void TComponentList::Clear() {
    for (TComponent* c : FItems)
        if (c)
            FWatcher->RemoveFreeNotification(c);
    FItems.clear();
}

void TComponentList::dropped(TComponent* c) {
    FItems.erase(std::remove(FItems.begin(), FItems.end(), c), FItems.end());
}

} // namespace host
