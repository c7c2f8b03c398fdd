#pragma once
// A collection property (a status bar's Panels, a grid's Columns, a list view's Columns...) as
// the host keeps it: the items as the form file holds them. The host does not interpret them; it
// writes them back as they were read, and a new one is empty.

#include "host/classes/Classes.h"
#include "host/classes/FormTree.h"

namespace host {

class TCollection : public TPersistent {
    HOST_CLASS(TCollection, TPersistent)
public:
    // A value of kind Collection.
    const FormValue& Items() const { return FItems; }
    // Requires a value of kind Collection (EPropertyError otherwise).
    void SetItems(FormValue items);
    int Count() const { return static_cast<int>(FItems.AsCollection().size()); }
    void Assign(TPersistent* source) override;

private:
    FormValue FItems = FormValue::Collection({});
};

} // namespace host
