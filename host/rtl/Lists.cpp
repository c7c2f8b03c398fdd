#include "host/rtl/Lists.h"

#include "host/rtl/FlatIndex.h"
#include "host/rtl/SysUtils.h"
#include <cstdint>

namespace host {

// The index of a string list. Each string has a slot: slots are numbered in list order when the
// index is built and count on with every Add, and a deleted string's slot is marked gone. A
// Fenwick tree over the slots counts those still there, which turns a slot into the position of
// its string. Each text (letter case ignored) has a key: the first slot holding it and how many
// do. The keys are found by the text's hash, and told apart by the list's own strings (the key's
// first string), so no text is copied.
class TStringList::Index {
public:
    explicit Index(const std::vector<std::string>& items) {
        FSlotAt.reserve(items.size());
        FTree.assign(items.size() + 1, 0);
        for (size_t i = 0; i < items.size(); ++i) {
            FSlotAt.push_back(static_cast<uint32_t>(i));
            // A tree of ones: each node counts the slots it covers.
            const size_t node = i + 1;
            FTree[node] = static_cast<int>(node & (~node + 1));
        }
        for (size_t i = 0; i < items.size(); ++i)
            count(items[i], static_cast<uint32_t>(i), items);
    }

    int Find(std::string_view s, const std::vector<std::string>& items) const {
        const uint32_t k = keyOf(s, HashText(s), items);
        return k == 0 ? -1 : positionOf(FKeys[k - 1].First);
    }

    // Called after s was appended to items.
    void Added(const std::string& s, const std::vector<std::string>& items) {
        const auto slot = static_cast<uint32_t>(FTree.size() - 1);
        // The new node covers its own slot and the lowest-bit range of slots before it.
        const size_t node = FTree.size();
        const size_t low = node & (~node + 1);
        FTree.push_back(1 + prefix(node - 1) - prefix(node - low));
        FSlotAt.push_back(slot);
        count(s, slot, items);
    }

    // Called before the string at position leaves items.
    void Deleting(int position, const std::vector<std::string>& items) {
        const uint32_t slot = FSlotAt[static_cast<size_t>(position)];
        forget(items[static_cast<size_t>(position)], slot, position, items);
        FSlotAt.erase(FSlotAt.begin() + position);
        for (size_t node = slot + 1; node < FTree.size(); node += node & (~node + 1))
            --FTree[node];
    }

    // Called after the string at position changed from old.
    void Changed(int position, const std::string& old, const std::vector<std::string>& items) {
        const uint32_t slot = FSlotAt[static_cast<size_t>(position)];
        forget(old, slot, position, items);
        count(items[static_cast<size_t>(position)], slot, items);
    }

    // Worn out when most of its slots are gone: it is built anew at the next look-up.
    bool Worn() const { return FTree.size() > 2 * FSlotAt.size() + 64; }

private:
    struct Key {
        uint32_t Hash;
        uint32_t First; // the slot of the first string with this text
        uint32_t Count; // how many strings have it; 0: a free key
    };

    // How many slots before node (1-based) are still there.
    int prefix(size_t node) const {
        int sum = 0;
        for (; node > 0; node -= node & (~node + 1))
            sum += FTree[node];
        return sum;
    }
    int positionOf(uint32_t slot) const { return prefix(slot); }

    // The key (numbered from 1) of the text s, or 0.
    uint32_t keyOf(std::string_view s, uint32_t hash, const std::vector<std::string>& items) const {
        return FByText.Find(hash, [&](uint32_t k) {
            const size_t at = static_cast<size_t>(positionOf(FKeys[k - 1].First));
            return SameText(items[at], s);
        });
    }

    // The string at slot has the text s (it is in items already).
    void count(std::string_view s, uint32_t slot, const std::vector<std::string>& items) {
        const uint32_t hash = HashText(s);
        if (const uint32_t k = keyOf(s, hash, items)) {
            Key& key = FKeys[k - 1];
            // Slots grow in list order: a lower slot is an earlier string.
            if (key.First > slot)
                key.First = slot;
            ++key.Count;
            return;
        }
        uint32_t k;
        if (!FFreeKeys.empty()) {
            k = FFreeKeys.back();
            FFreeKeys.pop_back();
            FKeys[k - 1] = {hash, slot, 1};
        } else {
            FKeys.push_back({hash, slot, 1});
            k = static_cast<uint32_t>(FKeys.size());
        }
        FByText.Add(hash, k);
    }

    // The string at position, in slot, no longer has the text s: the next string that has it
    // becomes the first. The string is still in items, under its old text or its new one.
    void forget(std::string_view s, uint32_t slot, int position,
                const std::vector<std::string>& items) {
        const uint32_t hash = HashText(s);
        // The key is told apart by its first string, which may be this one, changed already.
        const uint32_t k = FByText.Find(hash, [&](uint32_t c) {
            const uint32_t first = FKeys[c - 1].First;
            return first == slot || SameText(items[static_cast<size_t>(positionOf(first))], s);
        });
        if (k == 0)
            return;
        Key& key = FKeys[k - 1];
        if (--key.Count == 0) {
            FByText.Remove(hash, k);
            FFreeKeys.push_back(k);
            return;
        }
        if (key.First != slot)
            return;
        for (size_t i = static_cast<size_t>(position) + 1; i < items.size(); ++i)
            if (SameText(items[i], s)) {
                key.First = FSlotAt[i];
                return;
            }
    }

    std::vector<Key> FKeys;          // numbered from 1
    std::vector<uint32_t> FFreeKeys; // numbers of keys no text has any more
    TFlatIndex<uint32_t> FByText;    // the keys by the hash of their text
    std::vector<uint32_t> FSlotAt;   // position -> slot
    std::vector<int> FTree;          // the Fenwick tree, 1-based over the slots
};

TStringList::TStringList() = default;
TStringList::~TStringList() = default;

const std::string& TStringList::Strings(int i) const {
    if (i < 0 || i >= Count())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    return FItems[static_cast<size_t>(i)];
}

void TStringList::SetString(int i, const std::string& s) {
    std::string old = Strings(i);
    FItems[static_cast<size_t>(i)] = s;
    if (FIndex)
        FIndex->Changed(i, old, FItems);
    changed();
}

int TStringList::Add(const std::string& s) {
    FItems.push_back(s);
    if (FIndex)
        FIndex->Added(s, FItems);
    changed();
    return Count() - 1;
}

void TStringList::Insert(int i, const std::string& s) {
    if (i < 0 || i > Count())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    if (i == Count()) {
        Add(s);
        return;
    }
    FItems.insert(FItems.begin() + i, s);
    FIndex.reset();
    changed();
}

void TStringList::Delete(int i) {
    Strings(i);
    if (FIndex) {
        FIndex->Deleting(i, FItems);
        if (FIndex->Worn())
            FIndex.reset();
    }
    FItems.erase(FItems.begin() + i);
    changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    FItems.clear();
    FIndex.reset();
    changed();
}

int TStringList::IndexOf(std::string_view s) const {
    if (!FIndex)
        FIndex = std::make_unique<Index>(FItems);
    return FIndex->Find(s, FItems);
}

std::string TStringList::Text() const {
    std::string r;
    for (const auto& s : FItems)
        r += s + "\r\n";
    return r;
}

void TStringList::changed() {
    if (OnChange)
        OnChange();
}

} // namespace host
