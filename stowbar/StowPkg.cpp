// StowPkg: the package's main unit. Its unit table lists, in initialization order, the host's
// units that the package needs (in the host's dependency order), then the package's own units
// Stowbar and StowReg. Initialize starts them first to last, Finalize stops them last to first;
// each unit counts, so that it starts and stops once per load.
//
// Exported under plain names: Initialize, Finalize, GetPackageInfoTable, GetResourceTable, and
// the bar's view for the designer program (StowbarViewOf, stowbar/BarView.h).
// The units' procedures carry the host's names ("Stowbar.Initialization$v",
// "StowReg.Register$v"); so do the class reference of TStowbar ("Stowbar.TStowbar") and the type
// information of TAttachSide ("Stowbar.TAttachSide"). TStowbar's methods are exported under the
// C++ names; TStowbarEditor is not exported.
#include "host/rtl/Units.h"
#include "host/win32/Resources.h"
#include "stowbar/StowReg.h"
#include "stowbar/Stowbar.h"

#include <array>

// The package's resources, made at build time from stowbar/resources/ by stowresgen.
extern const host::TResourceTable StowPkgResources;

namespace stow {

using namespace host;

namespace {

// The host's units the package needs, in the host's dependency order.
constexpr std::array<const char*, 33> HostUnitNames = {
    "System",        "SysInit",   "SysUtils",   "Set",        "Lists",        "TypInfo",
    "Classes",       "Filer",     "FormTree",   "TextFormat", "BinaryFormat", "Types",
    "Desktop",       "Windows",   "Surface",    "Font",       "FontGlyphs",   "Dib",
    "Png",           "Resources", "Graphics",   "Controls",   "Menus",        "Dialogs",
    "Forms",         "Buttons",   "Tabs",       "Designer",   "DsgnIntf",     "PaletteBitmaps",
    "StdComponents", "LibIntf",   "Environment"};

constexpr size_t UnitCount = HostUnitNames.size() + 2;

const std::array<TUnitEntry, UnitCount>& unitTable() {
    static const std::array<TUnitEntry, UnitCount> table = [] {
        std::array<TUnitEntry, UnitCount> t{};
        size_t i = 0;
        for (const char* name : HostUnitNames) {
            const TUnitEntry* host = FindHostUnit(name);
            if (!host)
                throw Exception(std::string("StowPkg needs the host unit ") + name +
                                ", which this host does not have");
            t[i++] = *host;
        }
        t[i++] = {"Stowbar", &StowbarInitialization, &StowbarFinalization};
        t[i++] = {"StowReg", &StowRegInitialization, &StowRegFinalization};
        return t;
    }();
    return table;
}

const TPackageUnitTable* packageInfoTable() {
    static const TPackageUnitTable info{static_cast<int32_t>(UnitCount), unitTable().data()};
    return &info;
}

} // namespace

// Exported, for whoever wants the class without the class registry.
const TClass* StowbarClassReference() __asm__("Stowbar.TStowbar");
const TClass* StowbarClassReference() {
    return TStowbar::StaticClass();
}
const TEnumInfo* AttachSideTypeInfo() __asm__("Stowbar.TAttachSide");
const TEnumInfo* AttachSideTypeInfo() {
    return &AttachSideInfo;
}

} // namespace stow

extern "C" {

void Initialize() {
    for (const host::TUnitEntry& u : stow::unitTable())
        u.Initialization();
}

void Finalize() {
    const auto& table = stow::unitTable();
    for (auto it = table.rbegin(); it != table.rend(); ++it)
        it->Finalization();
}

const host::TPackageUnitTable* GetPackageInfoTable() {
    return stow::packageInfoTable();
}

const host::TResourceTable* GetResourceTable() {
    return &StowPkgResources;
}

// The class is the bar's own, compared by identity: a form's class that merely bears the name
// TStowbar is no bar.
const stow::IBarView* StowbarViewOf(host::TComponent* component) {
    auto* bar = host::dyn<stow::TStowbar>(component);
    return bar ? &bar->View() : nullptr;
}

} // extern "C"
