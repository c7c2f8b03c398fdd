#pragma once
// The entry registry of one bar: its entries in button order (each owning its button), the
// names it must not collect, and indexes of the names and components it holds.
//
// The registry keeps lists; the rules of what a bar collects (which names another bar holds,
// what its buttons look like) are the bar's (TStowbar::AddComponent).

#include "host/rtl/FlatIndex.h"
#include "host/rtl/Lists.h"
#include "host/rtl/SysUtils.h"
#include "stowbar/NVC.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host {
class TObject;
}

namespace stow {

class TNVCRegistry {
public:
    TNVCRegistry() = default;
    // Frees every entry and its button.
    ~TNVCRegistry();
    TNVCRegistry(const TNVCRegistry&) = delete;
    TNVCRegistry& operator=(const TNVCRegistry&) = delete;

    // ---- the entries, in button order
    int Count() const { return static_cast<int>(FNVCList.size()); }
    // Raises EListError for an index out of range.
    TNVC* Items(int index) const {
        check(index);
        return FNVCList[static_cast<size_t>(index)].get();
    }
    // The entry at index, for a caller outside the bar that may change its fields: the indexes
    // are built anew when next asked, and Version changes.
    TNVC* Edit(int index) const;
    auto begin() const { return FNVCList.begin(); }
    auto end() const { return FNVCList.end(); }
    // The index of the first entry whose Component (or Button) is the given object, or -1.
    int IndexOfComponent(const host::TComponent* component) const;
    int IndexOfButton(const host::TObject* button) const;
    // Whether an entry has exactly this name (letter case counts).
    bool Holds(const std::string& name) const;
    // Whether an entry refers to the component.
    bool HoldsComponent(const host::TComponent* component) const;
    // Changes with every change of an entry: added, freed, moved, renamed, retitled, resolved or
    // handed out by Edit.
    uint64_t Version() const { return FVersion; }

    // Appends an entry, which owns button from now on.
    TNVC& Add(const std::string& name, const std::string& title, const std::string& className,
              host::TSpeedButton* button);
    // Frees the entry at index (its button, then the record) and closes the gap.
    void Free(int index);
    // Frees every entry in index order and empties the list.
    void FreeAll();
    void Exchange(int a, int b);
    // Gives an entry another name, title or component.
    void Rename(TNVC& entry, const std::string& name);
    void SetTitle(TNVC& entry, const std::string& title);
    void SetComponent(TNVC& entry, host::TComponent* component);
    // The component is leaving the form: no entry refers to it any more.
    void Forget(const host::TComponent* component);

    // ---- hand-over to another bar
    // Takes the entry at index out (it is freed, with its button) and returns what its heir
    // needs to add it.
    TNVCRecord HandOver(int index);
    // Hands every entry over, from the last to the first, each to heir as soon as it is out.
    // Returns how many were handed over.
    int HandOverAll(const std::function<void(const TNVCRecord&)>& heir);

    // ---- the names this bar must not collect (compared ignoring letter case)
    const host::TStringList& ExcludedNames() const { return FExcludedNames; }
    bool Excludes(const std::string& name) const;
    // Appends the name, also when it is there already.
    void Exclude(const std::string& name) { FExcludedNames.Add(name); }
    // Takes the first occurrence of the name out, if there is one.
    void Unexclude(const std::string& name);

private:
    void check(int index) const {
        if (index < 0 || index >= Count())
            throw host::EListError("List index out of bounds (" + host::IntToStr(index) + ")");
    }
    // Builds the indexes again when an entry handed out for changing was changed.
    void indexes() const;
    bool indexesHold() const;
    void indexName(TNVC* entry, int delta) const;
    void indexComponent(TNVC* entry, int delta) const;

    std::vector<std::unique_ptr<TNVC>> FNVCList;
    host::TStringList FExcludedNames;
    // The entries by name and by component; kept up to date by every change the registry makes.
    mutable host::TFlatIndex<TNVC*> FNames;
    mutable host::TFlatIndex<TNVC*> FByComponent;
    mutable bool FIndexesStale = false;
    // Where Holds and Excludes look first: after the entry (the name) they found last.
    mutable size_t FNextAsked = 0;
    mutable int FNextExcluded = 0;
    mutable uint64_t FVersion = 0;
};

} // namespace stow
