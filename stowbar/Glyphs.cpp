// Palette glyphs: the picture the component palette shows for a class, found among the loaded
// modules' bitmap resources by class name, falling back to the nearest ancestor's.
#include "stowbar/Stowbar.h"

#include "host/win32/Windows.h"

namespace stow {

using namespace host;

HBITMAP TStowbar::GetPaletteBitmap(TComponent* component) const {
    if (!component)
        return 0;
    for (const TClass* c = component->ClassType(); c; c = c->ClassParent()) {
        const std::string& name = c->ClassName();
        for (TLibModule* m = Desktop::Current().LibModuleList(); m; m = m->Next) {
            HBITMAP h = LoadBitmapA(m->ResInstance, name.c_str());
            if (h)
                return h;
        }
    }
    return 0;
}

} // namespace stow
