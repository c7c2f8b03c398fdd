#include "host/classes/NameIndex.h"

#include "host/classes/Classes.h"
#include "host/rtl/SysUtils.h"

namespace host {

TComponent* TNameIndex::Find(std::string_view name) const {
    // Filed as const, handed out as the owner's.
    return const_cast<TComponent*>(FIndex.Find(
        HashText(name), [&](const TComponent* c) { return SameText(c->Name(), name); }));
}

void TNameIndex::Add(TComponent* component) {
    const std::string& name = component->Name();
    const uint32_t hash = HashText(name);
    if (TComponent* same = Find(name))
        FIndex.Remove(hash, same);
    FIndex.Add(hash, component);
}

void TNameIndex::Remove(const TComponent* component, std::string_view name) {
    FIndex.Remove(HashText(name), component);
}

} // namespace host
