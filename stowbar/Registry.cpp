#include "stowbar/Registry.h"

#include "host/rtl/SysUtils.h"
#include "host/vcl/Buttons.h"

#include <algorithm>
#include <utility>

namespace stow {

using namespace host;

TNVCRegistry::~TNVCRegistry() {
    FreeAll();
}

TNVC* TNVCRegistry::Edit(int index) const {
    TNVC* e = Items(index);
    FIndexesStale = true;
    ++FVersion;
    return e;
}

int TNVCRegistry::IndexOfComponent(const TComponent* component) const {
    for (int i = 0; i < Count(); ++i)
        if (FNVCList[static_cast<size_t>(i)]->Component == component)
            return i;
    return -1;
}

int TNVCRegistry::IndexOfButton(const TObject* button) const {
    for (int i = 0; i < Count(); ++i)
        if (FNVCList[static_cast<size_t>(i)]->Button == button)
            return i;
    return -1;
}

bool TNVCRegistry::indexesHold() const {
    // Every entry filed under its name (and its component), and nothing else filed.
    size_t components = 0;
    for (const auto& e : FNVCList) {
        if (!FNames.Contains(HashBytes(e->Name), e.get()))
            return false;
        if (!e->Component)
            continue;
        ++components;
        if (!FByComponent.Contains(HashPointer(e->Component), e.get()))
            return false;
    }
    return FNames.Count() == FNVCList.size() && FByComponent.Count() == components;
}

void TNVCRegistry::indexes() const {
    if (!FIndexesStale)
        return;
    // Most often the caller changed nothing they index: checked without allocating anything.
    FIndexesStale = false;
    if (indexesHold())
        return;
    FNames.Clear();
    FByComponent.Clear();
    for (const auto& e : FNVCList) {
        indexName(e.get(), 1);
        indexComponent(e.get(), 1);
    }
}

void TNVCRegistry::indexName(TNVC* entry, int delta) const {
    if (FIndexesStale)
        return;
    if (delta > 0)
        FNames.Add(HashBytes(entry->Name), entry);
    else
        FNames.Remove(HashBytes(entry->Name), entry);
}

void TNVCRegistry::indexComponent(TNVC* entry, int delta) const {
    if (FIndexesStale || !entry->Component)
        return;
    if (delta > 0)
        FByComponent.Add(HashPointer(entry->Component), entry);
    else
        FByComponent.Remove(HashPointer(entry->Component), entry);
}

bool TNVCRegistry::Holds(const std::string& name) const {
    // A pass asks in the form's order, which is most often the entries' order: the entry after
    // the last one found answers without a look-up in the index (whose table, for a big form,
    // is far apart in memory). A pass that meets the entries backwards (a bar that took over
    // another's has them last first) finds the one before it.
    const size_t count = FNVCList.size();
    if (count > 0)
        for (size_t k : {size_t{0}, size_t{1}, count - 2})
            if (const size_t i = (FNextAsked + k) % count; FNVCList[i]->Name == name) {
                FNextAsked = i + 1;
                return true;
            }
    indexes();
    const TNVC* found =
        FNames.Find(HashBytes(name), [&](const TNVC* e) { return e->Name == name; });
    // Found elsewhere: the next question starts from there, when its place is known.
    if (found && found->At < count && FNVCList[found->At].get() == found)
        FNextAsked = found->At + 1;
    return found != nullptr;
}

bool TNVCRegistry::HoldsComponent(const TComponent* component) const {
    indexes();
    return component && FByComponent.Find(HashPointer(component),
                                          [&](const TNVC* e) { return e->Component == component; });
}

TNVC& TNVCRegistry::Add(const std::string& name, const std::string& title,
                        const std::string& className, TSpeedButton* button) {
    auto entry = std::make_unique<TNVC>();
    entry->Name = name;
    entry->ClassName = className;
    entry->Title = title;
    entry->Button = button;
    entry->At = FNVCList.size();
    FNVCList.push_back(std::move(entry));
    indexName(FNVCList.back().get(), 1);
    ++FVersion;
    return *FNVCList.back();
}

void TNVCRegistry::Free(int index) {
    check(index);
    std::unique_ptr<TNVC> entry = std::move(FNVCList[static_cast<size_t>(index)]);
    FNVCList.erase(FNVCList.begin() + index);
    indexName(entry.get(), -1);
    indexComponent(entry.get(), -1);
    ++FVersion;
    FreeAndNil(entry->Button);
}

void TNVCRegistry::FreeAll() {
    // Taken out first: freeing a button must not meet a half-emptied list.
    std::vector<std::unique_ptr<TNVC>> entries = std::exchange(FNVCList, {});
    FNames.Clear();
    FByComponent.Clear();
    FIndexesStale = false;
    ++FVersion;
    // The last first: each button leaves the end of the bar's list of controls.
    for (auto e = entries.rbegin(); e != entries.rend(); ++e)
        FreeAndNil((*e)->Button);
}

void TNVCRegistry::Exchange(int a, int b) {
    check(a);
    check(b);
    std::swap(FNVCList[static_cast<size_t>(a)], FNVCList[static_cast<size_t>(b)]);
    FNVCList[static_cast<size_t>(a)]->At = static_cast<size_t>(a);
    FNVCList[static_cast<size_t>(b)]->At = static_cast<size_t>(b);
    ++FVersion;
}

void TNVCRegistry::Rename(TNVC& entry, const std::string& name) {
    indexName(&entry, -1);
    entry.Name = name;
    indexName(&entry, 1);
    ++FVersion;
}

void TNVCRegistry::SetTitle(TNVC& entry, const std::string& title) {
    entry.Title = title;
    ++FVersion;
}

void TNVCRegistry::SetComponent(TNVC& entry, TComponent* component) {
    if (entry.Component == component)
        return;
    indexComponent(&entry, -1);
    entry.Component = component;
    indexComponent(&entry, 1);
    ++FVersion;
}

void TNVCRegistry::Forget(const TComponent* component) {
    indexes();
    const uint32_t hash = HashPointer(component);
    auto refers = [&](const TNVC* e) { return e->Component == component; };
    TNVC* e = FByComponent.Find(hash, refers);
    if (!e)
        return;
    for (; e; e = FByComponent.Find(hash, refers)) {
        FByComponent.Remove(hash, e);
        e->Component = nullptr;
    }
    ++FVersion;
}

TNVCRecord TNVCRegistry::HandOver(int index) {
    const TNVC* e = Items(index);
    TNVCRecord kept{e->Name, e->Title, e->ClassName};
    Free(index);
    return kept;
}

int TNVCRegistry::HandOverAll(const std::function<void(const TNVCRecord&)>& heir) {
    int moved = 0;
    for (int i = Count() - 1; i >= 0; --i) {
        heir(HandOver(i));
        ++moved;
    }
    return moved;
}

bool TNVCRegistry::Excludes(const std::string& name) const {
    // Names are excluded in the order a pass meets them, and asked for in that order again.
    const int count = FExcludedNames.Count();
    for (int k = 0; k < 2 && k < count; ++k)
        if (const int i = (FNextExcluded + k) % count; SameText(FExcludedNames[i], name)) {
            FNextExcluded = i + 1;
            return true;
        }
    return FExcludedNames.IndexOf(name) >= 0;
}

void TNVCRegistry::Unexclude(const std::string& name) {
    int i = FExcludedNames.IndexOf(name);
    if (i >= 0)
        FExcludedNames.Delete(i);
}

} // namespace stow
