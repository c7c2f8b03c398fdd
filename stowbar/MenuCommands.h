#pragma once
// The commands of a bar's button menu and the tags their items carry: the one place where a tag
// is made from a command and read back as one.
//
//   0 to 999       the component editor's verb of that number
//   -1 to -6       the six fixed items: About, Move To, Change Title, Delete, and the moves
//                  towards the start ("UP", "LEFT") and the end ("DOWN", "RIGHT") of the bar
//   -100 - k       the k-th item of the Move To submenu (at most 100 are served)
//
// Any other tag, and the Move To item itself, does nothing.

#include "host/classes/Classes.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace host {
class TMenuItem;
}

namespace stow {

enum class TMenuCommand {
    mcNone,
    mcVerb,
    mcAbout,
    mcMoveToMenu,
    mcChangeTitle,
    mcDelete,
    mcMoveTowardsStart,
    mcMoveTowardsEnd,
    mcMoveTo,
};
using enum TMenuCommand;

// A command with its number: the verb's, or the Move To item's position k.
struct TMenuTag {
    TMenuCommand Command = mcNone;
    int Index = 0;
    bool operator==(const TMenuTag&) const = default;
};

// The fixed items of the menu, in their order.
inline constexpr std::array<TMenuCommand, 6> FixedCommands{
    mcAbout, mcMoveToMenu, mcChangeTitle, mcDelete, mcMoveTowardsStart, mcMoveTowardsEnd};

// The tag of a command's item; index is the verb's number or the Move To item's position.
int64_t TagOf(TMenuCommand command, int index = 0);
// The command an item's tag stands for.
TMenuTag CommandOfTag(int64_t tag);

// The Move To items of the last popup and the bars they name. An item or a bar that goes is
// forgotten at once, so that a Move To whose target has gone finds none.
class TMoveToTargets {
public:
    void Clear();
    void Add(host::TMenuItem* item, host::TComponent* target);
    // The bar the item names, or null: the item is no Move To item of the last popup, or it or
    // its bar has gone.
    host::TComponent* TargetOf(const host::TMenuItem* item) const;

private:
    std::vector<std::pair<const host::TMenuItem*, host::TComponent*>> FItems;
    // The items and their bars, each dropped when it is freed.
    host::TComponentList FAlive;
};

} // namespace stow
