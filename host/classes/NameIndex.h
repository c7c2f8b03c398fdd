#pragma once
// The components an owner holds, by name ignoring letter case. The names are the components' own
// (nothing is copied): a look-up reads one slot and the component it finds.

#include "host/rtl/FlatIndex.h"

#include <string_view>

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
    size_t Count() const { return FIndex.Count(); }

private:
    TFlatIndex<const TComponent*> FIndex;
};

} // namespace host
