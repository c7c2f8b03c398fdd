#include "host/rtl/Lists.h"

#include <cstdint>
#include <unordered_map>

namespace host {

// The index of a string list. Each string has a slot: slots are numbered in list order when the
// index is built and count on with every Add, and a deleted string's slot is marked gone. A
// Fenwick tree over the slots counts those still there, which turns a slot into the position of
// its string. The upper-cased texts map to the first slot holding them and to how many do.
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
            auto [it, fresh] = FKeys.try_emplace(UpperCase(items[i]), Key{FSlotAt.back(), 0});
            ++it->second.Count;
        }
    }

    int Find(std::string_view s) const {
        auto it = FKeys.find(UpperCase(s));
        return it == FKeys.end() ? -1 : positionOf(it->second.First);
    }

    void Added(const std::string& s) {
        const auto slot = static_cast<uint32_t>(FTree.size() - 1);
        // The new node covers its own slot and the lowest-bit range of slots before it.
        const size_t node = FTree.size();
        const size_t low = node & (~node + 1);
        FTree.push_back(1 + prefix(node - 1) - prefix(node - low));
        FSlotAt.push_back(slot);
        auto [it, fresh] = FKeys.try_emplace(UpperCase(s), Key{slot, 0});
        ++it->second.Count;
    }

    // Called before the string at position leaves items.
    void Deleting(int position, const std::vector<std::string>& items) {
        const uint32_t slot = FSlotAt[static_cast<size_t>(position)];
        forget(UpperCase(items[static_cast<size_t>(position)]), slot, position, items);
        FSlotAt.erase(FSlotAt.begin() + position);
        for (size_t node = slot + 1; node < FTree.size(); node += node & (~node + 1))
            --FTree[node];
    }

    // Called after the string at position changed from old.
    void Changed(int position, const std::string& old, const std::vector<std::string>& items) {
        const uint32_t slot = FSlotAt[static_cast<size_t>(position)];
        forget(UpperCase(old), slot, position, items);
        auto [it, fresh] =
            FKeys.try_emplace(UpperCase(items[static_cast<size_t>(position)]), Key{slot, 0});
        // Slots grow in list order: a lower slot is an earlier string.
        if (it->second.First > slot)
            it->second.First = slot;
        ++it->second.Count;
    }

    // Worn out when most of its slots are gone: it is built anew at the next look-up.
    bool Worn() const { return FTree.size() > 2 * FSlotAt.size() + 64; }

private:
    struct Key {
        uint32_t First; // the slot of the first string with this text
        uint32_t Count; // how many strings have it
    };

    // How many slots before node (1-based) are still there.
    int prefix(size_t node) const {
        int sum = 0;
        for (; node > 0; node -= node & (~node + 1))
            sum += FTree[node];
        return sum;
    }
    int positionOf(uint32_t slot) const { return prefix(slot); }

    // The string at position, in slot, no longer has the text key: the next string that has it
    // becomes the first.
    void forget(const std::string& key, uint32_t slot, int position,
                const std::vector<std::string>& items) {
        auto it = FKeys.find(key);
        if (it == FKeys.end())
            return;
        if (--it->second.Count == 0) {
            FKeys.erase(it);
            return;
        }
        if (it->second.First != slot)
            return;
        for (size_t i = static_cast<size_t>(position) + 1; i < items.size(); ++i)
            if (SameText(items[i], key)) {
                it->second.First = FSlotAt[i];
                return;
            }
    }

    std::unordered_map<std::string, Key> FKeys;
    std::vector<uint32_t> FSlotAt; // position -> slot
    std::vector<int> FTree;        // the Fenwick tree, 1-based over the slots
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
        FIndex->Added(s);
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
    return FIndex->Find(s);
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
