// The NVCs property: a bar's entries stored in the form file as a list of strings, three per
// entry (name, title, class name), in button order.
#include "stowbar/Stowbar.h"

#include "host/classes/Filer.h"

namespace stow {

using namespace host;

void TStowbar::DefineProperties(TFiler& filer) {
    inherited::DefineProperties(filer);
    filer.DefineProperty(
        "NVCs",
        [this](TReader& reader) {
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
        },
        [this](TWriter& writer) {
            writer.WriteListBegin();
            for (const auto& e : FNVCs) {
                writer.WriteString(e->Name);
                writer.WriteString(e->Title);
                writer.WriteString(e->ClassName);
            }
            writer.WriteListEnd();
        },
        FNVCs.Count() > 0);
}

} // namespace stow
