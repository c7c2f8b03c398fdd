#include "host/classes/NameIndex.h"

#include "host/classes/Classes.h"
#include "host/rtl/SysUtils.h"

namespace host {

uint32_t TNameIndex::hashOf(std::string_view name) {
    // FNV-1a over the letters in one case, then mixed so that the low bits (the slot) depend on
    // every letter.
    uint64_t h = 1469598103934665603ull;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
        h = (h ^ u) * 1099511628211ull;
    }
    h ^= h >> 29;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 32;
    return static_cast<uint32_t>(h);
}

size_t TNameIndex::slotOf(std::string_view name, uint32_t hash) const {
    for (size_t i = hash & mask();; i = (i + 1) & mask()) {
        const Slot& s = FSlots[i];
        if (!s.Item || (s.Hash == hash && SameText(s.Item->Name(), name)))
            return i;
    }
}

TComponent* TNameIndex::Find(std::string_view name) const {
    if (FCount == 0)
        return nullptr;
    return FSlots[slotOf(name, hashOf(name))].Item;
}

void TNameIndex::place(Slot slot) {
    size_t i = slot.Hash & mask();
    while (FSlots[i].Item)
        i = (i + 1) & mask();
    FSlots[i] = slot;
}

void TNameIndex::grow() {
    std::vector<Slot> old(FSlots.empty() ? 16 : FSlots.size() * 2);
    old.swap(FSlots);
    for (const Slot& s : old)
        if (s.Item)
            place(s);
}

void TNameIndex::Add(TComponent* component) {
    // At most two thirds full, so that runs stay short.
    if (3 * (FCount + 1) > 2 * FSlots.size())
        grow();
    const std::string& name = component->Name();
    const uint32_t hash = hashOf(name);
    Slot& s = FSlots[slotOf(name, hash)];
    if (!s.Item)
        ++FCount;
    s = {hash, component};
}

void TNameIndex::Remove(const TComponent* component, std::string_view name) {
    if (FCount == 0)
        return;
    // Filed under name: the component itself is looked for, as its own name may differ now.
    const uint32_t hash = hashOf(name);
    size_t i = hash & mask();
    for (;; i = (i + 1) & mask()) {
        if (!FSlots[i].Item)
            return;
        if (FSlots[i].Item == component)
            break;
    }
    // Closes the gap: a later slot of the run moves up when its home is not between the gap and
    // itself (linear probing's deletion without markers).
    --FCount;
    for (size_t j = (i + 1) & mask();; j = (j + 1) & mask()) {
        if (!FSlots[j].Item)
            break;
        const size_t home = FSlots[j].Hash & mask();
        const bool between = i <= j ? (i < home && home <= j) : (i < home || home <= j);
        if (!between) {
            FSlots[i] = FSlots[j];
            i = j;
        }
    }
    FSlots[i] = Slot{};
}

} // namespace host
