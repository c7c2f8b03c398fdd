#include "host/classes/PropertyStore.h"

#include "host/classes/Classes.h"

#include <algorithm>

namespace host {

const TPropertyStore::Value* TPropertyStore::Find(int slot) const {
    for (const auto& [s, v] : FValues)
        if (s == slot)
            return &v;
    return nullptr;
}

TPropertyStore::Value* TPropertyStore::Find(int slot) {
    for (auto& [s, v] : FValues)
        if (s == slot)
            return &v;
    return nullptr;
}

void TPropertyStore::Set(int slot, Value value) {
    if (Value* v = Find(slot)) {
        *v = std::move(value);
        return;
    }
    FValues.emplace_back(slot, std::move(value));
}

void TPropertyStore::Clear(int slot) {
    FValues.erase(std::remove_if(FValues.begin(), FValues.end(),
                                 [slot](const auto& e) { return e.first == slot; }),
                  FValues.end());
}

void TPropertyStore::Forget(const TComponent* component) {
    FValues.erase(std::remove_if(FValues.begin(), FValues.end(),
                                 [component](const auto& e) {
                                     const auto* ref = std::get_if<TComponent*>(&e.second);
                                     return ref && *ref == component;
                                 }),
                  FValues.end());
}

int TPropertyStore::NewSlot() {
    static int next = 0;
    return next++;
}

} // namespace host
