#include "host/rtl/Units.h"

#include "host/rtl/SysUtils.h"

namespace host {

namespace {

TUnitObserver& observer() {
    static TUnitObserver o;
    return o;
}

// Each host unit: a counter and the two procedures. The host's units have no start-up work of
// their own (C++ has set them up before any package loads); their procedures only count and
// report.
template <int N> struct HostUnit {
    static inline TUnitCounter Counter;
    static const char* Name;
    static void Initialization() {
        if (Counter.Enter())
            NotifyUnit(Name, true);
    }
    static void Finalization() {
        if (Counter.Leave())
            NotifyUnit(Name, false);
    }
};

#define HOST_UNIT(N, UnitName) template <> const char* HostUnit<N>::Name = UnitName;
HOST_UNIT(0, "System")
HOST_UNIT(1, "SysInit")
HOST_UNIT(2, "SysUtils")
HOST_UNIT(3, "Set")
HOST_UNIT(4, "Lists")
HOST_UNIT(5, "TypInfo")
HOST_UNIT(6, "Classes")
HOST_UNIT(7, "Filer")
HOST_UNIT(8, "FormTree")
HOST_UNIT(9, "TextFormat")
HOST_UNIT(10, "BinaryFormat")
HOST_UNIT(11, "Types")
HOST_UNIT(12, "Desktop")
HOST_UNIT(13, "Windows")
HOST_UNIT(14, "Surface")
HOST_UNIT(15, "Font")
HOST_UNIT(16, "FontGlyphs")
HOST_UNIT(17, "Dib")
HOST_UNIT(18, "Png")
HOST_UNIT(19, "Resources")
HOST_UNIT(20, "Graphics")
HOST_UNIT(21, "Controls")
HOST_UNIT(22, "Menus")
HOST_UNIT(23, "Dialogs")
HOST_UNIT(24, "Forms")
HOST_UNIT(25, "Buttons")
HOST_UNIT(26, "Tabs")
HOST_UNIT(27, "Designer")
HOST_UNIT(28, "DsgnIntf")
HOST_UNIT(29, "PaletteBitmaps")
HOST_UNIT(30, "StdComponents")
HOST_UNIT(31, "LibIntf")
HOST_UNIT(32, "Environment")
#undef HOST_UNIT

template <int... I> constexpr auto makeTable(std::integer_sequence<int, I...>) {
    return std::array<TUnitEntry, sizeof...(I)>{
        TUnitEntry{nullptr, &HostUnit<I>::Initialization, &HostUnit<I>::Finalization}...};
}

const std::array<TUnitEntry, 33>& table() {
    static const std::array<TUnitEntry, 33> units = [] {
        auto t = makeTable(std::make_integer_sequence<int, 33>());
        [&]<int... I>(std::integer_sequence<int, I...>) {
            ((t[I].Name = HostUnit<I>::Name), ...);
        }
        (std::make_integer_sequence<int, 33>());
        return t;
    }();
    return units;
}

} // namespace

void SetUnitObserver(TUnitObserver o) {
    observer() = std::move(o);
}

void NotifyUnit(std::string_view unit, bool initialization) {
    if (observer())
        observer()(unit, initialization);
}

std::span<const TUnitEntry> HostUnits() {
    return table();
}

const TUnitEntry* FindHostUnit(std::string_view name) {
    for (const TUnitEntry& u : table())
        if (SameText(u.Name, name))
            return &u;
    return nullptr;
}

} // namespace host
