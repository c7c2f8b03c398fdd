#pragma once
// TFlatIndex: items found by a hash of a key they carry themselves (a name, a pointer they hold).
// One array of (hash, item) slots with linear probing: a look-up reads one slot, most often, and
// the item it finds; a miss reads one slot; nothing is allocated per item, and freeing the index
// frees one array. An item is a pointer or a number, never the empty value (null, 0). Items may
// be filed under equal keys; the caller says which items match.

#include <cstdint>
#include <string_view>
#include <vector>

namespace host {

// Hashes for the index: of the bytes, of the bytes with ASCII letters in one case, of a pointer.
uint32_t HashBytes(std::string_view s);
uint32_t HashText(std::string_view s); // letter case ignored, as SameText compares
uint32_t HashPointer(const void* p);

template <class T> class TFlatIndex {
public:
    size_t Count() const { return FCount; }

    // The first item filed under hash for which match(item) holds, or the empty value.
    template <class Match> T Find(uint32_t hash, Match match) const {
        if (FCount == 0)
            return T{};
        for (size_t i = hash & mask(); FSlots[i].Item; i = (i + 1) & mask())
            if (FSlots[i].Hash == hash && match(FSlots[i].Item))
                return FSlots[i].Item;
        return T{};
    }
    // Whether this very item is filed under hash.
    bool Contains(uint32_t hash, T item) const { return slotOf(hash, item) != npos; }

    void Add(uint32_t hash, T item) {
        // At most two thirds full, so that runs stay short.
        if (3 * (FCount + 1) > 2 * FSlots.size())
            grow();
        place({hash, item});
        ++FCount;
    }
    // Takes the item out from under hash; false when it was not filed there.
    bool Remove(uint32_t hash, T item) {
        size_t i = slotOf(hash, item);
        if (i == npos)
            return false;
        --FCount;
        // Closes the gap: a later slot of the run moves up when its home is not between the gap
        // and itself (deletion without markers).
        for (size_t j = (i + 1) & mask(); FSlots[j].Item; j = (j + 1) & mask()) {
            const size_t home = FSlots[j].Hash & mask();
            const bool between = i <= j ? (i < home && home <= j) : (i < home || home <= j);
            if (!between) {
                FSlots[i] = FSlots[j];
                i = j;
            }
        }
        FSlots[i] = Slot{};
        return true;
    }
    // Calls f(item) for every item filed, in no particular order.
    template <class F> void ForEach(F f) const {
        for (const Slot& s : FSlots)
            if (s.Item)
                f(s.Item);
    }
    void Clear() {
        FSlots.clear();
        FCount = 0;
    }

private:
    struct Slot {
        uint32_t Hash = 0;
        T Item = T{}; // empty
    };
    static constexpr size_t npos = SIZE_MAX;
    size_t mask() const { return FSlots.size() - 1; }
    size_t slotOf(uint32_t hash, T item) const {
        if (FCount == 0)
            return npos;
        for (size_t i = hash & mask(); FSlots[i].Item; i = (i + 1) & mask())
            if (FSlots[i].Item == item && FSlots[i].Hash == hash)
                return i;
        return npos;
    }
    void place(Slot slot) {
        size_t i = slot.Hash & mask();
        while (FSlots[i].Item)
            i = (i + 1) & mask();
        FSlots[i] = slot;
    }
    void grow() {
        std::vector<Slot> old(FSlots.empty() ? 16 : FSlots.size() * 2);
        old.swap(FSlots);
        for (const Slot& s : old)
            if (s.Item)
                place(s);
    }

    std::vector<Slot> FSlots;
    size_t FCount = 0;
};

} // namespace host
