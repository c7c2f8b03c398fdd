// Writing back what was read: a component's object as read merged with what the host writes for
// it now, so that what did not change is written exactly as it was read.
#include "host/classes/StreamingInternal.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace host {

namespace {

// Inserts the items of order that are not in out yet, each right after the nearest item before
// it in order that out holds (at the front when there is none), keeping their order; key(x) is
// what tells items apart, wanted(x) whether a missing one is to be inserted. Linear: a form's
// root has as many children as the form has components.
template <class T, class KeyOf, class Wanted>
std::vector<T> insertInOrder(std::vector<T> out, const std::vector<T>& order, KeyOf key,
                             Wanted wanted) {
    using Key = std::decay_t<decltype(key(order.front()))>;
    // Where an item goes: its slot (0: the front, i + 1: after out[i]).
    std::unordered_map<Key, size_t> slotAfter;
    slotAfter.reserve(out.size());
    for (size_t i = 0; i < out.size(); ++i)
        slotAfter.emplace(key(out[i]), i + 1);
    std::vector<std::pair<size_t, const T*>> added;
    size_t slot = 0;
    for (const T& item : order) {
        Key k = key(item);
        if (auto it = slotAfter.find(k); it != slotAfter.end()) {
            slot = it->second;
            continue;
        }
        if (!wanted(item))
            continue;
        added.emplace_back(slot, &item);
        // One of the same key later on counts as present, right behind this one.
        slotAfter.emplace(std::move(k), slot);
    }
    if (added.empty())
        return out;
    std::stable_sort(added.begin(), added.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<T> merged;
    merged.reserve(out.size() + added.size());
    size_t next = 0;
    for (size_t i = 0; i <= out.size(); ++i) {
        for (; next < added.size() && added[next].first == i; ++next)
            merged.push_back(*added[next].second);
        if (i < out.size())
            merged.push_back(std::move(out[i]));
    }
    return merged;
}

} // namespace

void TStreamedState::SetWritten(std::vector<FormProperty> written) {
    FWritten.clear();
    FWrittenOther.clear();
    FWrittenAsRead = false;
    FWritten.reserve(written.size());
    // The file's property of a name (the first of that name, letter case aside): looked up
    // through a map when the object holds many.
    const std::vector<FormProperty>& read = Node.properties;
    constexpr size_t FewProperties = 16;
    std::unordered_map<std::string, size_t> byName;
    if (read.size() > FewProperties)
        for (size_t i = 0; i < read.size(); ++i)
            byName.emplace(UpperCase(read[i].name), i);
    auto find = [&](const std::string& name) -> size_t {
        if (read.size() > FewProperties) {
            auto it = byName.find(UpperCase(name));
            return it == byName.end() ? read.size() : it->second;
        }
        for (size_t i = 0; i < read.size(); ++i)
            if (SameText(read[i].name, name))
                return i;
        return read.size();
    };
    for (FormProperty& p : written) {
        const size_t at = find(p.name);
        if (at < read.size() && at <= static_cast<size_t>(INT32_MAX) && read[at].name == p.name &&
            read[at].value == p.value) {
            FWritten.push_back(static_cast<int32_t>(at));
            continue;
        }
        FWrittenOther.push_back(std::move(p));
        FWritten.push_back(-static_cast<int32_t>(FWrittenOther.size()));
    }
    FWrittenAsRead = FWrittenOther.empty() && FWritten.size() == read.size();
    for (size_t i = 0; FWrittenAsRead && i < FWritten.size(); ++i)
        FWrittenAsRead = FWritten[i] == static_cast<int32_t>(i);
    if (FWrittenAsRead)
        std::vector<int32_t>().swap(FWritten);
    FWrittenOther.shrink_to_fit();
}

std::vector<FormProperty>
MergeProperties(const TStreamedState& state, std::vector<FormProperty> fresh,
                const std::function<bool(const std::string&)>& neverWritten) {
    std::unordered_map<std::string, const FormValue*> before;
    for (size_t i = 0; i < state.WrittenCount(); ++i)
        before.emplace(UpperCase(state.Written(i).name), &state.Written(i).value);
    std::unordered_map<std::string, const FormProperty*> now;
    for (const FormProperty& p : fresh)
        now.emplace(UpperCase(p.name), &p);
    auto unchanged = [&](const std::string& key) {
        auto b = before.find(key);
        auto n = now.find(key);
        if (b == before.end() || n == now.end())
            return b == before.end() && n == now.end();
        return *b->second == n->second->value;
    };

    std::vector<FormProperty> out;
    std::unordered_set<std::string> read;
    for (const FormProperty& p : state.Node.properties) {
        std::string key = UpperCase(p.name);
        const bool first = read.insert(key).second;
        if (neverWritten(p.name))
            continue;
        if (unchanged(key))
            out.push_back(p);
        else if (auto n = now.find(key); n != now.end() && first)
            out.push_back(*n->second);
    }
    return insertInOrder(
        std::move(out), fresh, [](const FormProperty& p) { return UpperCase(p.name); },
        [&](const FormProperty& p) {
            // Not in the file: written only when it changed since loading.
            return !read.count(UpperCase(p.name)) && !unchanged(UpperCase(p.name));
        });
}

std::vector<TComponent*> MergeChildren(const TStreamedState& state,
                                       const std::vector<TComponent*>& children) {
    std::unordered_set<TComponent*> current(children.begin(), children.end());
    std::vector<TComponent*> out;
    for (const auto& weak : state.Children)
        if (auto child = weak.lock(); child && current.count(child->Component))
            out.push_back(child->Component);
    return insertInOrder(
        std::move(out), children, [](TComponent* c) { return c; },
        [](TComponent*) { return true; });
}

} // namespace host
