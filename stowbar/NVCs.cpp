// The NVCs property: a bar's entries stored in the form file as a list of strings, three per
// entry (name, title, class name), in button order. Present when the bar has an entry.
#include "stowbar/Stowbar.h"

#include "host/classes/Filer.h"

namespace stow {

using namespace host;

void TStowbar::DefineProperties(TFiler& filer) {
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "NVCs", [this](TReader& reader) { ReadData(reader); },
        [this](TWriter& writer) { WriteData(writer); }, FNVCs.Count() > 0);
}

void TStowbar::ReadData(TReader& reader) {
    // Reading replaces; outside the designer the stored entries are read and dropped.
    FreeNVCs();
    reader.ReadListBegin();
    while (!reader.EndOfList()) {
        std::string name = reader.ReadString();
        std::string title = reader.ReadString();
        std::string className = reader.ReadString();
        if (FDesigning)
            AddComponent(name, title, className);
    }
    reader.ReadListEnd();
}

void TStowbar::WriteData(TWriter& writer) {
    writer.WriteListBegin();
    for (const auto& e : FNVCs) {
        writer.WriteString(e->Name);
        writer.WriteString(e->Title);
        writer.WriteString(e->ClassName);
    }
    writer.WriteListEnd();
}

} // namespace stow
