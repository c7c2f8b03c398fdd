#pragma once
// The values of published properties that no C++ field holds: a catalogue class describes most
// of its properties as data, and each object keeps their values here, by the property's slot.
// A property at its default has no value stored; a reference to a component is dropped when the
// component goes; a sub-object (Constraints, Items, Panels...) is owned and freed with the store.

#include "host/rtl/Object.h"

#include <cstdint>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace host {

class TComponent;
class TPersistent;

class TPropertyStore {
public:
    using Value = std::variant<int64_t, double, std::string, TComponent*, FreePtr<TPersistent>>;

    // The value stored for a slot, or null when the property is at its default.
    const Value* Find(int slot) const;
    Value* Find(int slot);
    // Stores a value for a slot, replacing what was there.
    void Set(int slot, Value value);
    // Forgets the value of a slot: the property is at its default again.
    void Clear(int slot);
    // Drops every reference to component (it is going away).
    void Forget(const TComponent* component);

    // A new slot number, unique in the process: one per store-backed property.
    static int NewSlot();

private:
    std::vector<std::pair<int, Value>> FValues;
};

} // namespace host
