#include "stowbar/Registry.h"

#include "host/rtl/SysUtils.h"
#include "host/vcl/Buttons.h"

#include <utility>

namespace stow {

using namespace host;

TNVCRegistry::~TNVCRegistry() {
    FreeAll();
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

bool TNVCRegistry::Holds(const std::string& name) const {
    if (!FNamesValid) {
        FNames.clear();
        for (const auto& e : FNVCList)
            FNames.insert(e->Name);
        FNamesValid = true;
    }
    return FNames.count(name) != 0;
}

TNVC& TNVCRegistry::Add(const std::string& name, const std::string& title,
                        const std::string& className, TSpeedButton* button) {
    auto entry = std::make_unique<TNVC>();
    entry->Name = name;
    entry->ClassName = className;
    entry->Title = title;
    entry->Button = button;
    FNVCList.push_back(std::move(entry));
    if (FNamesValid)
        FNames.insert(name);
    return *FNVCList.back();
}

void TNVCRegistry::Free(int index) {
    check(index);
    std::unique_ptr<TNVC> entry = std::move(FNVCList[static_cast<size_t>(index)]);
    FNVCList.erase(FNVCList.begin() + index);
    namesChanged();
    FreeAndNil(entry->Button);
}

void TNVCRegistry::FreeAll() {
    // Taken out first: freeing a button must not meet a half-emptied list.
    std::vector<std::unique_ptr<TNVC>> entries = std::exchange(FNVCList, {});
    namesChanged();
    for (auto& e : entries)
        FreeAndNil(e->Button);
}

void TNVCRegistry::Exchange(int a, int b) {
    check(a);
    check(b);
    std::swap(FNVCList[static_cast<size_t>(a)], FNVCList[static_cast<size_t>(b)]);
}

void TNVCRegistry::Rename(TNVC& entry, const std::string& name) {
    entry.Name = name;
    namesChanged();
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

void TNVCRegistry::Unexclude(const std::string& name) {
    int i = FExcludedNames.IndexOf(name);
    if (i >= 0)
        FExcludedNames.Delete(i);
}

} // namespace stow
