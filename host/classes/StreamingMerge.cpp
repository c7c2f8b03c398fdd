// Writing back what was read: a component's object as read merged with what the host writes for
// it now, so that what did not change is written exactly as it was read.
#include "host/classes/StreamingInternal.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace host {

namespace {

// Inserts the items of order that are not in out yet, each right after the nearest item before
// it in order that out holds (at the front when there is none). present(x) tells whether out
// holds x, position(x) where.
template <class T, class Present, class Position, class Wanted>
void insertInOrder(std::vector<T>& out, const std::vector<T>& order, Present present,
                   Position position, Wanted wanted) {
    size_t next = 0;
    for (const T& item : order) {
        if (present(item)) {
            next = position(item) + 1;
            continue;
        }
        if (!wanted(item))
            continue;
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(next), item);
        ++next;
    }
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
    auto position = [&](const FormProperty& p) {
        auto it = std::find_if(out.begin(), out.end(),
                               [&](const FormProperty& q) { return SameText(q.name, p.name); });
        return static_cast<size_t>(it - out.begin());
    };
    insertInOrder(
        out, fresh, [&](const FormProperty& p) { return position(p) < out.size(); }, position,
        [&](const FormProperty& p) {
            // Not in the file: written only when it changed since loading.
            return !read.count(UpperCase(p.name)) && !unchanged(UpperCase(p.name));
        });
    return out;
}

std::vector<TComponent*> MergeChildren(const TStreamedState& state,
                                       const std::vector<TComponent*>& children) {
    std::unordered_set<TComponent*> current(children.begin(), children.end());
    std::vector<TComponent*> out;
    for (const auto& weak : state.Children)
        if (auto child = weak.lock(); child && current.count(child->Component))
            out.push_back(child->Component);
    auto position = [&](TComponent* c) {
        return static_cast<size_t>(std::find(out.begin(), out.end(), c) - out.begin());
    };
    insertInOrder(
        out, children, [&](TComponent* c) { return position(c) < out.size(); }, position,
        [](TComponent*) { return true; });
    return out;
}

} // namespace host
