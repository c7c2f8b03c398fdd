#pragma once
// The components an owner holds, by name ignoring letter case: an open-addressing table of
// (hash, component) pairs. The names are the components' own (nothing is copied), so a look-up
// touches one slot and the component it finds; a form of 20,000 components keeps its index in
// a tenth of the memory a table of copied names would take.

#include <cstdint>
#include <string_view>
#include <vector>

namespace host {

class TComponent;

class TNameIndex {
public:
    // The component filed under name (letter case ignored), or null.
    TComponent* Find(std::string_view name) const;
    // Files the component under its name, in place of one filed under the same name.
    void Add(TComponent* component);
    // Takes the component out from under name, the name it was filed under (its own may have
    // changed since); nothing happens when another component is filed there.
    void Remove(const TComponent* component, std::string_view name);
    size_t Count() const { return FCount; }

private:
    struct Slot {
        uint32_t Hash = 0;
        TComponent* Item = nullptr; // null: empty
    };
    static uint32_t hashOf(std::string_view name);
    size_t mask() const { return FSlots.size() - 1; }
    // The slot holding a component whose name is name, or the empty slot that ends its run.
    size_t slotOf(std::string_view name, uint32_t hash) const;
    void grow();
    void place(Slot slot);

    std::vector<Slot> FSlots;
    size_t FCount = 0;
};

} // namespace host
