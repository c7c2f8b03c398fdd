// The layout's arithmetic on its own: button height, the bar's size on each side, the button
// cursor, the hidden places and the icon slots, at and around the points where they turn.
#include "stowbar/Layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stowtest {
namespace {

using host::TButtonLayout;
using host::TPoint;
using stow::TAttachSide;
using stow::TButtonGrid;
using enum host::TButtonLayout;
using enum stow::TAttachSide;

// The default buttons: 130 by 28 with a tab set 17 high; count varies.
TButtonGrid Grid(int count, int width = 130, int height = 28) {
    return {width, height, count, 17};
}

TEST(LayoutTest, ButtonHeightCountsThePictureAndWhereItSits) {
    struct Case {
        bool Picture;
        TButtonLayout Layout;
        int Height;
    };
    for (Case c : {Case{false, blGlyphLeft, 20}, Case{false, blGlyphTop, 20},
                   Case{true, blGlyphLeft, 28}, Case{true, blGlyphRight, 28},
                   Case{true, blGlyphTop, 46}, Case{true, blGlyphBottom, 46}}) {
        SCOPED_TRACE(static_cast<int>(c.Layout));
        EXPECT_EQ(stow::ButtonHeightFor(c.Picture, c.Layout), c.Height);
    }
}

TEST(LayoutTest, LeftBarWidthCountsColumns) {
    struct Case {
        const char* Name;
        TButtonGrid Grid;
        int FormHeight;
        bool OtherLeftBar;
        int Width;
    };
    const std::vector<Case> cases{
        {"empty", Grid(0), 480, false, 140},
        {"empty beside another", Grid(0), 480, true, 270},
        {"three fit exactly in one column", Grid(3), 19 + 3 * 28, false, 140},
        {"four need a second column", Grid(4), 19 + 3 * 28, false, 270},
        {"two columns stay two beside another", Grid(4), 19 + 3 * 28, true, 270},
        {"twenty in ten a column", Grid(20), 300, false, 270},
        {"form no higher than a button", Grid(5), 28, false, 140},
        {"no button fits above the tab set", Grid(3), 40, false, 400},
        {"buttons of no height count as one pixel", Grid(5, 130, 0), 100, false, 140},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(stow::LeftBarWidth(c.Grid, c.FormHeight, c.OtherLeftBar), c.Width);
    }
}

TEST(LayoutTest, LeftBarHeightLeavesBottomAlignedControlsFree) {
    EXPECT_EQ(stow::LeftBarHeight(480, 0), 480);
    EXPECT_EQ(stow::LeftBarHeight(480, 19), 461);
    EXPECT_EQ(stow::LeftBarHeight(10, 30), 0);
}

TEST(LayoutTest, TopBarHeightCountsRows) {
    struct Case {
        const char* Name;
        TButtonGrid Grid;
        int FormWidth;
        int Height;
    };
    const std::vector<Case> cases{
        {"empty", Grid(0), 640, 55},
        {"five in rows of three", Grid(5), 400, 83},
        {"three in one row of three", Grid(3), 390, 55},
        {"form as wide as a button: one row", Grid(3), 130, 55},
        {"one pixel wider: one a row", Grid(3), 131, 111},
        {"buttons of no width count as one pixel", Grid(3, 0), 2, 83},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(stow::TopBarHeight(c.Grid, c.FormWidth), c.Height);
    }
}

TEST(LayoutTest, ButtonCursorWrapsWhereTheNextButtonWouldNotFit) {
    struct Case {
        const char* Name;
        TAttachSide Side;
        TPoint At;
        int Room;
        TPoint Next;
    };
    const std::vector<Case> cases{
        {"top: along the row", asTop, {2, 2}, 400, {132, 2}},
        {"top: the next would pass the edge", asTop, {262, 2}, 521, {2, 30}},
        {"top: the next ends at the edge", asTop, {262, 2}, 522, {392, 2}},
        {"undocked: like the top", asNone, {262, 30}, 400, {2, 58}},
        {"left: down the column", asLeft, {2, 2}, 300, {2, 30}},
        {"left: the next would reach into the tab set", asLeft, {2, 254}, 326, {132, 2}},
        {"left: the next ends above the tab set", asLeft, {2, 254}, 327, {2, 282}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        EXPECT_EQ(stow::NextButtonPlace(c.Side, c.At, Grid(0), c.Room), c.Next);
    }
}

TEST(LayoutTest, HiddenBarKeepsItsStripInView) {
    EXPECT_EQ(stow::HideOffset(3, 140), -137);
    EXPECT_EQ(stow::HideOffset(3, 55), -52);
    EXPECT_EQ(stow::HiddenPlace(asLeft, 5, 140), (TPoint{-135, 0}));
    EXPECT_EQ(stow::HiddenPlace(asTop, 5, 55), (TPoint{0, -50}));
    EXPECT_EQ(stow::HiddenPlace(asNone, 5, 55), (TPoint{0, 0}));
}

TEST(LayoutTest, IconSlotsWrapAfterTheSlotThatPassesTheFormsEdge) {
    auto slots = [](int firstLeft, int formWidth, int count) {
        stow::TIconSlots grid(firstLeft, formWidth);
        std::vector<TPoint> seen;
        for (int i = 0; i < count; ++i) {
            seen.push_back(grid.Current());
            grid.Advance();
        }
        return seen;
    };
    EXPECT_EQ(slots(0, 100, 5), (std::vector<TPoint>{{0, 0}, {30, 0}, {60, 0}, {90, 0}, {0, 30}}));
    EXPECT_EQ(slots(0, 86, 5), (std::vector<TPoint>{{0, 0}, {30, 0}, {60, 0}, {0, 30}, {30, 30}}));
    EXPECT_EQ(slots(0, 0, 2), (std::vector<TPoint>{{0, 0}, {0, 30}}));
    // Out of sight: one row far to the left, which wraps only when it reaches the form.
    EXPECT_EQ(slots(-10000, 100, 3), (std::vector<TPoint>{{-10000, 0}, {-9970, 0}, {-9940, 0}}));
}

} // namespace
} // namespace stowtest
