// The Stowbar unit's initialization and finalization: the table of class names that are never
// collected lives from the one to the other.
#include "stowbar/Stowbar.h"

#include "host/rtl/Units.h"

namespace stow {

using namespace host;

std::unique_ptr<const std::vector<std::string>> NonCollectableClasses;

namespace {
TUnitCounter counter;
} // namespace

void StowbarInitialization() {
    if (!counter.Enter())
        return;
    NotifyUnit("Stowbar", true);
    NonCollectableClasses = std::make_unique<const std::vector<std::string>>(
        std::vector<std::string>{"TField", "TControl", "TStowbar", "TMenuItem"});
}

void StowbarFinalization() {
    if (!counter.Leave())
        return;
    NotifyUnit("Stowbar", false);
    NonCollectableClasses.reset();
}

} // namespace stow
