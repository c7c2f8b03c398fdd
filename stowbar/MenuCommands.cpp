#include "stowbar/MenuCommands.h"

#include "host/vcl/Menus.h"

#include <algorithm>

namespace stow {

using namespace host;

namespace {

constexpr int64_t kLastVerbTag = 999;
constexpr int64_t kFirstMoveToTag = -100;
constexpr int64_t kLastMoveToTag = -199;

} // namespace

int64_t TagOf(TMenuCommand command, int index) {
    switch (command) {
    case mcVerb:
        return index;
    case mcMoveTo:
        return kFirstMoveToTag - index;
    case mcNone:
        break;
    default: {
        auto it = std::find(FixedCommands.begin(), FixedCommands.end(), command);
        return -1 - (it - FixedCommands.begin());
    }
    }
    return 0;
}

TMenuTag CommandOfTag(int64_t tag) {
    if (tag >= 0 && tag <= kLastVerbTag)
        return {mcVerb, static_cast<int>(tag)};
    if (tag <= -1 && tag >= -static_cast<int64_t>(FixedCommands.size()))
        return {FixedCommands[static_cast<size_t>(-1 - tag)], 0};
    if (tag <= kFirstMoveToTag && tag >= kLastMoveToTag)
        return {mcMoveTo, static_cast<int>(kFirstMoveToTag - tag)};
    return {};
}

void TMoveToTargets::Clear() {
    FItems.clear();
    FAlive.Clear();
}

void TMoveToTargets::Add(TMenuItem* item, TComponent* target) {
    FItems.emplace_back(item, target);
    FAlive.Add(item);
    FAlive.Add(target);
}

TComponent* TMoveToTargets::TargetOf(const TMenuItem* item) const {
    // An item that has gone is no longer among the living, and neither is one made since at its
    // address.
    if (FAlive.IndexOf(item) < 0)
        return nullptr;
    for (const auto& [linked, target] : FItems)
        if (linked == item)
            return FAlive.IndexOf(target) >= 0 ? target : nullptr;
    return nullptr;
}

} // namespace stow
