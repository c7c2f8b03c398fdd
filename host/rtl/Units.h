#pragma once
// Units and their start-up: the table a package hands the host (each unit's initialization and
// finalization procedure, in initialization order), the host's own units, and the counter that
// makes a unit's initialization and finalization run once per load.
//
// The host library is one module, but a package lists the host's units it needs in its own unit
// table, as the platform's packages did; the host's units keep their counters here, so that two
// packages needing the same unit start it once and stop it when the last of them goes.

#include <cstdint>
#include <functional>
#include <span>
#include <string_view>

namespace host {

using TUnitProc = void (*)();

struct TUnitEntry {
    const char* Name;
    TUnitProc Initialization;
    TUnitProc Finalization;
};

// What a package's GetPackageInfoTable returns.
struct TPackageUnitTable {
    int32_t UnitCount;
    const TUnitEntry* Units;
};

// Guards a unit's two procedures: Enter is true for the first initialization of a load, Leave
// for the finalization that balances it.
class TUnitCounter {
public:
    bool Enter() { return FCount++ == 0; }
    bool Leave() { return FCount > 0 && --FCount == 0; }
    int Count() const { return FCount; }

private:
    int FCount = 0;
};

// Told of every unit initialization and finalization that runs (tests and `stowdesign package`
// watch the order). Empty by default.
using TUnitObserver = std::function<void(std::string_view unit, bool initialization)>;
void SetUnitObserver(TUnitObserver observer);
void NotifyUnit(std::string_view unit, bool initialization);

// The host's units, in dependency order (SysInit, the start-up unit, second).
std::span<const TUnitEntry> HostUnits();
// A host unit's entry by name (letter case ignored), or null.
const TUnitEntry* FindHostUnit(std::string_view name);

} // namespace host
