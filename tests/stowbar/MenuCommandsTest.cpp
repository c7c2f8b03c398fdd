// The menu's tags on their own: every range and its edges read back as the right command, and
// the Move To items' targets are forgotten when an item or a bar goes.
#include "support/BarFixture.h"

#include "stowbar/MenuCommands.h"

#include <limits>

namespace stowtest {

using namespace host;

namespace {

using stow::TMenuCommand;
using stow::TMenuTag;
using enum stow::TMenuCommand;

TEST(MenuCommandsTest, TagsReadBackAsTheirCommands) {
    struct Case {
        int64_t Tag;
        TMenuTag Command;
    };
    const std::vector<Case> cases{
        {0, {mcVerb, 0}},
        {999, {mcVerb, 999}},
        {1000, {}},
        {-1, {mcAbout, 0}},
        {-2, {mcMoveToMenu, 0}},
        {-3, {mcChangeTitle, 0}},
        {-4, {mcDelete, 0}},
        {-5, {mcMoveTowardsStart, 0}},
        {-6, {mcMoveTowardsEnd, 0}},
        {-7, {}},
        {-99, {}},
        {-100, {mcMoveTo, 0}},
        {-137, {mcMoveTo, 37}},
        {-199, {mcMoveTo, 99}},
        {-200, {}},
        {std::numeric_limits<int64_t>::min(), {}},
        {std::numeric_limits<int64_t>::max(), {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Tag);
        TMenuTag read = stow::CommandOfTag(c.Tag);
        EXPECT_EQ(static_cast<int>(read.Command), static_cast<int>(c.Command.Command));
        EXPECT_EQ(read.Index, c.Command.Index);
        if (c.Command.Command != mcNone) {
            EXPECT_EQ(stow::TagOf(read.Command, read.Index), c.Tag);
        }
    }
}

TEST(MenuCommandsTest, FixedItemsCarryMinusOneToMinusSixInOrder) {
    for (size_t i = 0; i < stow::FixedCommands.size(); ++i)
        EXPECT_EQ(stow::TagOf(stow::FixedCommands[i]), -1 - static_cast<int64_t>(i));
}

class MoveToTargetsTest : public BarTest {};

TEST_F(MoveToTargetsTest, AnItemOrABarThatGoesIsForgotten) {
    NewForm();
    TStowbar* a = DropBar("A");
    TStowbar* b = DropBar("B");
    auto* toA = New<TMenuItem>(nullptr);
    auto* toB = New<TMenuItem>(nullptr);
    auto* other = New<TMenuItem>(nullptr);
    stow::TMoveToTargets targets;
    targets.Add(toA, a);
    targets.Add(toB, b);
    EXPECT_EQ(targets.TargetOf(toA), a);
    EXPECT_EQ(targets.TargetOf(toB), b);
    EXPECT_EQ(targets.TargetOf(other), nullptr);
    b->Free();
    EXPECT_EQ(targets.TargetOf(toB), nullptr);
    toA->Free();
    EXPECT_EQ(targets.TargetOf(toA), nullptr); // the address may come back as another item
    auto* again = New<TMenuItem>(nullptr);
    EXPECT_EQ(targets.TargetOf(again), nullptr);
    targets.Clear();
    targets.Add(other, a);
    EXPECT_EQ(targets.TargetOf(toB), nullptr);
    EXPECT_EQ(targets.TargetOf(other), a);
    for (TMenuItem* item : {toB, other, again})
        item->Free();
}

} // namespace
} // namespace stowtest
