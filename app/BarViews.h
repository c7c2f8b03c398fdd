#pragma once
// How the designer program sees bars: through the read-only view that the package StowPkg
// exports (stowbar/BarView.h). The program has none of the bar's code; whether a component is a
// bar is the package's to say, by the bar's real class.

#include "stowbar/BarView.h"

namespace host {
class TComponent;
class TPackage;
} // namespace host

namespace app {

class BarViews {
public:
    // Without a package nothing is a bar.
    BarViews() = default;
    // Finds the view's entry point in a loaded package; a package without one shows no bars.
    // Valid while the package stays loaded.
    explicit BarViews(const host::TPackage& package);

    // The view of a component that is a bar, or null.
    const stow::IBarView* Of(host::TComponent* component) const {
        return FViewOf && component ? FViewOf(component) : nullptr;
    }

private:
    stow::TBarViewOf FViewOf = nullptr;
};

} // namespace app
