#include "host/classes/Classes.h"

#include "host/classes/Filer.h"
#include "host/classes/PropertyStore.h"

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

TPersistent::TPersistent() = default;
TPersistent::~TPersistent() = default;

TPropertyStore& TPersistent::Store() {
    if (!FStore) {
        FStore = std::make_unique<TPropertyStore>();
        StoreMade();
    }
    return *FStore;
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
    while (!FFreeNotifies.Empty()) {
        TComponent* partner = FFreeNotifies.TakeLast();
        partner->FFreeNotifies.Remove(this);
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
    if (!FOwned)
        return;
    auto& index = FOwned->NameIndex;
    if (!oldName.empty())
        index.Remove(component, oldName);
    if (!component->FName.empty())
        index.Add(component);
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
    if (name.empty() || !FOwned)
        return nullptr;
    return FOwned->NameIndex.Find(name);
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
        std::vector<TComponent*> partners = component->FFreeNotifies.Items();
        for (TComponent* p : partners)
            if (p->FOwner == this && !hears(p, opRemove))
                p->RemoveFreeNotification(component);
    }
    remove(component);
}

bool TComponent::hears(const TComponent* c, TOperation operation) {
    const auto heard = operation == opInsert ? hnInsertions : hnRemovals;
    // One with a property store forgets the references it holds to a component that goes.
    return (c->FHeard & heard) != 0 || !c->FComponents.empty() || c->FDesignerHook ||
           (operation == opRemove && c->StoreOrNull());
}

const std::vector<TComponent*>& TComponent::listenersOf(TOperation operation) {
    static const std::vector<TComponent*> none;
    if (!FOwned)
        return none;
    TOwnerIndex& o = *FOwned;
    if (o.ListenersStale) {
        o.InsertListeners.clear();
        o.RemoveListeners.clear();
        for (TComponent* c : FComponents) {
            if (hears(c, opInsert))
                o.InsertListeners.push_back(c);
            if (hears(c, opRemove))
                o.RemoveListeners.push_back(c);
        }
        o.ListenersStale = false;
    }
    return operation == opInsert ? o.InsertListeners : o.RemoveListeners;
}

void TComponent::mayHearMore(const TComponent* c) {
    // One that reacts to both is in both lists already.
    if (c->FHeard != hnBoth && FOwned)
        FOwned->ListenersStale = true;
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
    if (!FOwned)
        FOwned = std::make_unique<TOwnerIndex>();
    TOwnerIndex& o = *FOwned;
    if (!component->FName.empty())
        o.NameIndex.Add(component);
    if (!o.ListenersStale) {
        if (hears(component, opInsert))
            o.InsertListeners.push_back(component);
        if (hears(component, opRemove))
            o.RemoveListeners.push_back(component);
    }
}

void TComponent::remove(TComponent* component) {
    // Components leave from the end most often (DestroyComponents): search from there.
    auto it = std::find(FComponents.rbegin(), FComponents.rend(), component);
    if (it != FComponents.rend()) {
        FComponents.erase(std::next(it).base());
        ++FComponentsVersion;
    }
    if (FOwned && !FOwned->ListenersStale)
        for (auto* list : {&FOwned->InsertListeners, &FOwned->RemoveListeners}) {
            auto l = std::find(list->rbegin(), list->rend(), component);
            if (l != list->rend())
                list->erase(std::next(l).base());
        }
    if (FOwned && !component->FName.empty())
        FOwned->NameIndex.Remove(component, component->FName);
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
    FFreeNotifies.Add(component);
    component->FFreeNotifies.Add(this);
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    FFreeNotifies.Remove(component);
    if (component)
        component->FFreeNotifies.Remove(this);
}

// ---------------------------------------------------------------- free-notification partners

namespace detail {

namespace {
constexpr size_t kIndexedFrom = 32;
}

struct TPartners::Index {
    // The partners' positions in the list (plus one), found by the partner's address.
    TFlatIndex<uint32_t> Position;
    size_t Holes = 0;
    uint32_t Find(const std::vector<TComponent*>& items, const TComponent* c) const {
        return Position.Find(HashPointer(c), [&](uint32_t at) { return items[at - 1] == c; });
    }
    void Add(const std::vector<TComponent*>& items, size_t i) {
        Position.Add(HashPointer(items[i]), static_cast<uint32_t>(i + 1));
    }
};

TPartners::TPartners() = default;
TPartners::~TPartners() = default;

bool TPartners::Contains(const TComponent* c) const {
    if (FIndex)
        return FIndex->Find(FItems, c) != 0;
    return std::find(FItems.begin(), FItems.end(), c) != FItems.end();
}

void TPartners::Add(TComponent* c) {
    if (Contains(c))
        return;
    FItems.push_back(c);
    if (FIndex) {
        FIndex->Add(FItems, FItems.size() - 1);
    } else if (FItems.size() > kIndexedFrom) {
        FIndex = std::make_unique<Index>();
        for (size_t i = 0; i < FItems.size(); ++i)
            FIndex->Add(FItems, i);
    }
}

void TPartners::Remove(const TComponent* c) {
    if (!FIndex) {
        auto it = std::find(FItems.begin(), FItems.end(), c);
        if (it != FItems.end())
            FItems.erase(it);
        return;
    }
    const uint32_t at = FIndex->Find(FItems, c);
    if (at == 0)
        return;
    FIndex->Position.Remove(HashPointer(c), at);
    FItems[at - 1] = nullptr;
    ++FIndex->Holes;
    trim();
}

TComponent* TPartners::TakeLast() {
    TComponent* last = FItems.back();
    Remove(last);
    return last;
}

std::vector<TComponent*> TPartners::Items() const {
    std::vector<TComponent*> items;
    for (TComponent* c : FItems)
        if (c)
            items.push_back(c);
    return items;
}

void TPartners::trim() {
    // No hole at the end, so that the last item is a partner; and most of the list is partners.
    while (!FItems.empty() && !FItems.back()) {
        FItems.pop_back();
        --FIndex->Holes;
    }
    if (FIndex->Holes * 2 <= FItems.size())
        return;
    std::erase(FItems, nullptr);
    FIndex->Holes = 0;
    FIndex->Position.Clear();
    for (size_t i = 0; i < FItems.size(); ++i)
        FIndex->Add(FItems, i);
}

} // namespace detail

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component) {
        RemoveFreeNotification(component);
        // A reference held in the store (a catalogue property) goes with its component.
        if (TPropertyStore* store = StoreOrNull())
            store->Forget(component);
    }
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
    return FItems[FHead + static_cast<size_t>(i)];
}

bool TComponentList::holds(const TComponent* c) const {
    if (FCounts)
        return FCounts->Contains(HashPointer(c), c);
    return std::find(begin(), end(), c) != end();
}

int TComponentList::Add(TComponent* c) {
    FItems.push_back(c);
    if (FCounts) {
        if (c)
            FCounts->Add(HashPointer(c), c);
    } else if (Count() > 32) {
        FCounts = std::make_unique<TFlatIndex<const TComponent*>>();
        for (TComponent* item : *this)
            if (item)
                FCounts->Add(HashPointer(item), item);
    }
    if (c)
        FWatcher->FreeNotification(c);
    return Count() - 1;
}

int TComponentList::IndexOf(const TComponent* c) const {
    auto it = std::find(begin(), end(), c);
    return it == end() ? -1 : static_cast<int>(it - begin());
}

void TComponentList::Remove(TComponent* c) {
    int i = IndexOf(c);
    if (i >= 0) {
        if (i == 0)
            ++FHead;
        else
            FItems.erase(begin() + i);
        if (FCounts && c)
            FCounts->Remove(HashPointer(c), c);
        compact();
    }
    if (c && !holds(c))
        FWatcher->RemoveFreeNotification(c);
}

void TComponentList::Clear() {
    for (TComponent* c : *this)
        if (c)
            FWatcher->RemoveFreeNotification(c);
    FItems.clear();
    FHead = 0;
    FCounts.reset();
}

void TComponentList::dropped(TComponent* c) {
    auto first = FItems.begin() + static_cast<std::ptrdiff_t>(FHead);
    FItems.erase(std::remove(first, FItems.end(), c), FItems.end());
    if (FCounts && c)
        while (FCounts->Remove(HashPointer(c), c)) {
        }
    compact();
}

void TComponentList::compact() {
    // The slots taken from the front are given back once they are most of the list.
    if (FHead > 0 && FHead * 2 >= FItems.size()) {
        FItems.erase(FItems.begin(), FItems.begin() + static_cast<std::ptrdiff_t>(FHead));
        FHead = 0;
    }
}

} // namespace host
