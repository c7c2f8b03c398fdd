#include "host/rtl/Lists.h"

namespace host {

const std::string& TStringList::Strings(int i) const {
    if (i < 0 || i >= Count())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    return FItems[static_cast<size_t>(i)];
}

void TStringList::SetString(int i, const std::string& s) {
    Strings(i);
    FItems[static_cast<size_t>(i)] = s;
    invalidate();
    changed();
}

int TStringList::Add(const std::string& s) {
    FItems.push_back(s);
    if (FIndexValid)
        FIndex.emplace(UpperCase(s), Count() - 1);
    changed();
    return Count() - 1;
}

void TStringList::Insert(int i, const std::string& s) {
    if (i < 0 || i > Count())
        throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    FItems.insert(FItems.begin() + i, s);
    invalidate();
    changed();
}

void TStringList::Delete(int i) {
    Strings(i);
    FItems.erase(FItems.begin() + i);
    invalidate();
    changed();
}

void TStringList::Clear() {
    if (FItems.empty())
        return;
    FItems.clear();
    FIndex.clear();
    FIndexValid = true;
    changed();
}

int TStringList::IndexOf(std::string_view s) const {
    if (!FIndexValid) {
        FIndex.clear();
        for (size_t i = 0; i < FItems.size(); ++i)
            FIndex.emplace(UpperCase(FItems[i]), static_cast<int>(i));
        FIndexValid = true;
    }
    auto it = FIndex.find(UpperCase(s));
    return it == FIndex.end() ? -1 : it->second;
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
