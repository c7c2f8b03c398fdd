#include "app/BarViews.h"

#include "host/designer/Packages.h"

#include <dlfcn.h>

namespace app {

BarViews::BarViews(const host::TPackage& package) {
    if (!package.Loaded())
        return;
    // The package's own module, as the designer loaded it: RTLD_NOLOAD loads nothing new, and
    // closing the handle again leaves the package loaded.
    void* module = dlopen(package.Path().c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!module)
        return;
    FViewOf = reinterpret_cast<stow::TBarViewOf>(dlsym(module, stow::BarViewEntryPoint));
    dlclose(module);
}

} // namespace app
