#pragma once
// TList and TStringList: the host library's pointer list and string list.

#include "host/rtl/SysUtils.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace host {

// A list of pointers; it owns nothing. Indexes out of range raise EListError.
template <class T> class TList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    T* operator[](int i) const { return Items(i); }
    T* Items(int i) const {
        check(i);
        return FItems[static_cast<size_t>(i)];
    }
    void SetItem(int i, T* item) {
        check(i);
        FItems[static_cast<size_t>(i)] = item;
    }
    int Add(T* item) {
        FItems.push_back(item);
        return Count() - 1;
    }
    void Insert(int i, T* item) {
        if (i < 0 || i > Count())
            throw EListError("List index out of bounds (" + IntToStr(i) + ")");
        FItems.insert(FItems.begin() + i, item);
    }
    void Delete(int i) {
        check(i);
        FItems.erase(FItems.begin() + i);
    }
    int IndexOf(const T* item) const {
        auto it = std::find(FItems.begin(), FItems.end(), item);
        return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
    }
    int Remove(const T* item) {
        int i = IndexOf(item);
        if (i >= 0)
            Delete(i);
        return i;
    }
    void Exchange(int a, int b) {
        check(a);
        check(b);
        std::swap(FItems[static_cast<size_t>(a)], FItems[static_cast<size_t>(b)]);
    }
    // Removes the null items.
    void Pack() { FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end()); }
    void Clear() { FItems.clear(); }
    T* First() const { return Items(0); }
    T* Last() const { return Items(Count() - 1); }
    auto begin() const { return FItems.begin(); }
    auto end() const { return FItems.end(); }

private:
    void check(int i) const {
        if (i < 0 || i >= Count())
            throw EListError("List index out of bounds (" + IntToStr(i) + ")");
    }
    std::vector<T*> FItems;
};

// A list of strings. IndexOf compares ignoring letter case, as the host's unsorted string list
// does. Its index of the upper-cased texts is built at the first look-up and then kept up to date
// by every change, a delete included, so that look-ups stay fast on long lists that change
// often (a bar's excluded names): no change rebuilds it, except an insertion before the end.
class TStringList {
public:
    TStringList();
    ~TStringList();
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    const std::string& Strings(int i) const;
    const std::string& operator[](int i) const { return Strings(i); }
    void SetString(int i, const std::string& s);
    int Add(const std::string& s);
    void Insert(int i, const std::string& s);
    void Delete(int i);
    void Clear();
    // The first string equal to s ignoring letter case, or -1.
    int IndexOf(std::string_view s) const;
    const std::vector<std::string>& Items() const { return FItems; }
    std::string Text() const;
    // Called after every change of the list.
    std::function<void()> OnChange;

private:
    class Index;
    void changed();
    std::vector<std::string> FItems;
    mutable std::unique_ptr<Index> FIndex; // null until the first look-up, and after an insertion
};

} // namespace host
