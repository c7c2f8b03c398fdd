#pragma once
// TPersistent and TComponent: owners, names, component state, notifications and the designer's
// icon position, with the host library's two-phase construction and destruction.

#include "host/classes/NameIndex.h"
#include "host/rtl/Lists.h"
#include "host/rtl/Object.h"
#include "host/rtl/Set.h"
#include "host/rtl/TypInfo.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

class TFiler;
class TComponent;
class TPropertyStore;
struct TStreamedState;

enum class TOperation { opInsert, opRemove };

// The designer's icon position of a non-visual component, as DesignInfo packs it: the left
// coordinate in the low 16 bits, the top in the high 16 bits, each a 16-bit two's-complement
// value (so -10000 survives, and anything wider keeps its low 16 bits).
struct TDesignPos {
    int16_t Left = 0;
    int16_t Top = 0;

    static TDesignPos Unpack(int32_t info) {
        const auto u = static_cast<uint32_t>(info);
        return {static_cast<int16_t>(u & 0xFFFF), static_cast<int16_t>(u >> 16)};
    }
    // Keeps the low 16 bits of each coordinate.
    static int32_t Pack(int64_t left, int64_t top) {
        return static_cast<int32_t>((static_cast<uint32_t>(top & 0xFFFF) << 16) |
                                    static_cast<uint32_t>(left & 0xFFFF));
    }
    int32_t Packed() const { return Pack(Left, Top); }
};
using enum TOperation;

enum class TComponentStateFlag {
    csLoading,
    csReading,
    csWriting,
    csDestroying,
    csDesigning,
    csAncestor,
    csUpdating,
    csFixups
};
using enum TComponentStateFlag;
using TComponentState = TSet<TComponentStateFlag>;

class TPersistent : public TObject {
    HOST_CLASS(TPersistent, TObject)
public:
    TPersistent();
    ~TPersistent() override;
    // Declares properties that are not published (DefineProperty on the filer).
    virtual void DefineProperties(TFiler& filer) {}
    virtual void Assign(TPersistent* source);

    // The values of the published properties that no C++ field holds (PropertyStore.h): made
    // when first asked for; StoreOrNull does not make it.
    TPropertyStore& Store();
    const TPropertyStore* StoreOrNull() const { return FStore.get(); }
    TPropertyStore* StoreOrNull() { return FStore.get(); }

protected:
    // Called once the store has been made.
    virtual void StoreMade() {}

private:
    std::unique_ptr<TPropertyStore> FStore;
};

// Receives the designer's hooks on a root component (the form or data module being designed).
class IDesignerHook {
public:
    virtual ~IDesignerHook() = default;
    virtual void Notification(TComponent* component, TOperation operation) = 0;
};

namespace detail {
// The free-notification partners of a component, in the order they came. A long list gets an
// index, so that adding, finding and taking out a partner stay fast when one component watches
// thousands (the watcher of a TComponentList that holds a big selection).
class TPartners {
public:
    TPartners();
    ~TPartners();
    TPartners(const TPartners&) = delete;
    TPartners& operator=(const TPartners&) = delete;
    bool Empty() const { return FItems.empty(); }
    bool Contains(const TComponent* c) const;
    // At the end, unless it is there already.
    void Add(TComponent* c);
    void Remove(const TComponent* c);
    // The last to come, taken out.
    TComponent* TakeLast();
    // In the order they came.
    std::vector<TComponent*> Items() const;

private:
    struct Index;
    void trim();
    std::vector<TComponent*> FItems; // null where a partner left, once indexed
    std::unique_ptr<Index> FIndex;
};
} // namespace detail

class TComponent : public TPersistent {
    HOST_CLASS(TComponent, TPersistent)
public:
    static void DeclareProperties(PropList& props);

    // The construction body, run after the C++ constructor with virtual dispatch in force;
    // overrides call inherited::Create(owner) first, as the host's constructors do.
    virtual void Create(TComponent* owner);
    void Destroy() override;

    TComponent* Owner() const { return FOwner; }
    int ComponentCount() const { return static_cast<int>(FComponents.size()); }
    TComponent* Components(int i) const;
    const std::vector<TComponent*>& ComponentList() const { return FComponents; }
    // Changes whenever a component joins or leaves this owner's list.
    uint64_t ComponentsVersion() const { return FComponentsVersion; }
    // Changes whenever a component of this owner's list is renamed (which tells nobody).
    uint64_t NamesVersion() const { return FNamesVersion; }
    int ComponentIndex() const;

    const std::string& Name() const { return FName; }
    virtual void SetName(const std::string& name);
    int64_t Tag() const { return FTag; }
    void SetTag(int64_t tag) { FTag = tag; }
    TComponentState ComponentState() const { return FComponentState; }
    bool IsDesigning() const { return FComponentState.contains(csDesigning); }
    // The designer's icon position of a non-visual component: left in the low 16 bits, top in
    // the high 16 bits.
    int32_t DesignInfo() const { return FDesignInfo; }
    void SetDesignInfo(int32_t value) { FDesignInfo = value; }

    // The component this one owns with that name, ignoring letter case; null when absent or
    // when name is empty.
    TComponent* FindComponent(std::string_view name) const;
    void InsertComponent(TComponent* component);
    void RemoveComponent(TComponent* component);
    void DestroyComponents();
    // Marks this component and everything it owns csDestroying.
    void Destroying();
    // Asks to be told (Notification opRemove) when component goes away; both sides clean up.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    virtual void Notification(TComponent* component, TOperation operation);
    virtual void Loaded();
    virtual bool HasParent() const { return false; }
    virtual TComponent* GetParentComponent() const { return nullptr; }
    // The reader gives a component that HasParent the component it was nested in.
    virtual void SetParentComponent(TComponent* parent) {}
    // The components written nested in this one when root is written, in their order.
    virtual void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {}
    void DefineProperties(TFiler& filer) override;

    // State changes made by the designer and the reader.
    void SetDesigning(bool value, bool children = true);
    void IncludeState(TComponentStateFlag flag) { FComponentState.include(flag); }
    void ExcludeState(TComponentStateFlag flag) { FComponentState.exclude(flag); }

    // The designer hook of a root being designed (forms and data modules set it).
    IDesignerHook* DesignerHook() const { return FDesignerHook; }
    void SetDesignerHook(IDesignerHook* hook);

    // What this component's own Notification reacts to (host/rtl/Object.h); both unless it was
    // made by New<T> or a class's factory, which know its C++ class and set it before the
    // component joins its owner.
    THeardNotifications Heard() const { return FHeard; }
    void SetHeard(THeardNotifications heard) { FHeard = heard; }
    // How many components' Notification the last insertion or removal broadcast of this owner
    // reached (the owner's own included): a figure for tests and benchmarks.
    int LastBroadcastReach() const { return FLastBroadcastReach; }

    // What reading a form file left for writing this component back (Streaming.h): its object
    // node as read and what the host wrote for it right after loading. Null for a component
    // that was not read from a file.
    const std::shared_ptr<TStreamedState>& StreamedState() const { return FStreamed; }
    void SetStreamedState(std::shared_ptr<TStreamedState> state) { FStreamed = std::move(state); }

protected:
    virtual void ValidateRename(TComponent* component, const std::string& curName,
                                const std::string& newName);
    void ChangeName(const std::string& newName) { FName = newName; }

private:
    void insert(TComponent* component);
    void remove(TComponent* component);
    void renamed(TComponent* component, const std::string& oldName);
    // Whether the broadcast of operation must call c's Notification: c reacts to it, or passes it
    // on to what it owns or to a designer hook.
    static bool hears(const TComponent* c, TOperation operation);
    // With a store it hears removals: the references the store holds go with their components.
    void StoreMade() override {
        if (FOwner)
            FOwner->mayHearMore(this);
    }
    // c may hear more than when it joined this owner's list (it owns something now, or has a
    // hook): the listener lists are made anew at the next broadcast.
    void mayHearMore(const TComponent* c);
    const std::vector<TComponent*>& listenersOf(TOperation operation);

    // What only an owner needs, made when it is given its first component: most components
    // (timers, buttons) own nothing, and a big form has many of them.
    struct TOwnerIndex {
        // The components of FComponents whose Notification each broadcast must call, in list
        // order; the broadcast passes the others by (their Notification would do nothing).
        std::vector<TComponent*> InsertListeners;
        std::vector<TComponent*> RemoveListeners;
        bool ListenersStale = false;
        // The owned components by name, so that FindComponent stays fast.
        TNameIndex NameIndex;
    };

    TComponent* FOwner = nullptr;
    std::vector<TComponent*> FComponents;
    std::unique_ptr<TOwnerIndex> FOwned;
    THeardNotifications FHeard = hnBoth;
    int FLastBroadcastReach = 0;
    uint64_t FNamesVersion = 0;
    detail::TPartners FFreeNotifies;
    uint64_t FComponentsVersion = 0;
    std::string FName;
    int64_t FTag = 0;
    TComponentState FComponentState;
    int32_t FDesignInfo = 0;
    IDesignerHook* FDesignerHook = nullptr;
    std::shared_ptr<TStreamedState> FStreamed;
};

// A list of strings as a published sub-object (Lines, SQL, Items): stored as the defined
// property Strings, a list of strings, present when there is at least one line.
class TStrings : public TPersistent {
    HOST_CLASS(TStrings, TPersistent)
public:
    TStringList& List() { return FList; }
    const TStringList& List() const { return FList; }
    void DefineProperties(TFiler& filer) override;
    void Assign(TPersistent* source) override;

private:
    TStringList FList;
};

// Runs both construction phases: the C++ constructor, then Create(owner). If Create raises, the
// half-built object is destroyed (its Destroy runs) and the exception propagates.
template <class T> T* New(TComponent* owner) {
    T* obj = new T();
    if constexpr (std::is_base_of_v<TComponent, T>)
        obj->SetHeard(NotificationsHeardBy<T>());
    try {
        obj->Create(owner);
    } catch (...) {
        obj->Free();
        throw;
    }
    return obj;
}
// The same for a class known only at run time (the reader, the designer's drop).
TComponent* NewComponent(const TClass* cls, TComponent* owner);

// A list of components that drops a component when it is destroyed. Taking components out from
// the front, or out of a long list, stays fast (the designer deletes a big selection that way).
class TComponentList {
public:
    TComponentList();
    ~TComponentList();
    TComponentList(const TComponentList&) = delete;
    TComponentList& operator=(const TComponentList&) = delete;
    int Count() const { return static_cast<int>(FItems.size() - FHead); }
    TComponent* Items(int i) const;
    TComponent* operator[](int i) const { return Items(i); }
    int Add(TComponent* c);
    int IndexOf(const TComponent* c) const;
    void Remove(TComponent* c);
    void Clear();
    auto begin() const { return FItems.begin() + static_cast<std::ptrdiff_t>(FHead); }
    auto end() const { return FItems.end(); }

private:
    class Watcher;
    friend class Watcher;
    void dropped(TComponent* c);
    // Whether c is in the list, searched by hand while the list is short.
    bool holds(const TComponent* c) const;
    void compact();
    std::vector<TComponent*> FItems;
    size_t FHead = 0; // the items before it were taken out from the front
    // Each item once per time it is in the list, once the list is long.
    std::unique_ptr<TFlatIndex<const TComponent*>> FCounts;
    FreePtr<Watcher> FWatcher;
};

} // namespace host
