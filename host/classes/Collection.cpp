#include "host/classes/Collection.h"

#include "host/rtl/TypInfo.h"

namespace host {

HOST_IMPLEMENT_CLASS(TCollection, TPersistent)

void TCollection::SetItems(FormValue items) {
    if (items.Kind() != FormValueKind::Collection)
        throw EPropertyError("a collection's items are a collection value");
    FItems = std::move(items);
}

void TCollection::Assign(TPersistent* source) {
    if (auto* other = dyn<TCollection>(source)) {
        FItems = other->FItems;
        return;
    }
    inherited::Assign(source);
}

} // namespace host
