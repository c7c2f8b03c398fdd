#include "stowbar/Layout.h"

#include <algorithm>

namespace stow {

using namespace host;

namespace {

constexpr int kNoPictureHeight = 20;
constexpr int kPictureExtra = 8;
constexpr int kGlyphAboveExtra = 18;
constexpr int kBarExtra = 10;
constexpr int kSlotDistance = 30;
constexpr int kIconSize = 27;

// Buttons of zero or negative size would divide by zero: the formulas count them as one pixel.
int atLeastOne(int v) {
    return std::max(v, 1);
}

// n / d rounded up, for positive d.
int ceilDiv(int n, int d) {
    return n / d + (n % d != 0 ? 1 : 0);
}

} // namespace

int ButtonHeightFor(bool showPicture, TButtonLayout layout) {
    int h = kNoPictureHeight;
    if (showPicture) {
        h += kPictureExtra;
        if (layout == blGlyphTop || layout == blGlyphBottom)
            h += kGlyphAboveExtra;
    }
    return h;
}

int LeftBarWidth(const TButtonGrid& grid, int formClientHeight, bool otherLeftBar) {
    int columns = 1;
    if (formClientHeight > grid.ButtonHeight) {
        int perColumn =
            (formClientHeight - (grid.TabSetHeight + 2)) / atLeastOne(grid.ButtonHeight);
        // Too low for one button above the tab set: the layout puts one button in each column,
        // and so many columns are made.
        columns = perColumn > 0 ? ceilDiv(grid.Count, perColumn) : grid.Count;
    }
    if (columns == 0)
        columns = 1;
    if (columns == 1 && otherLeftBar)
        columns = 2;
    return columns * grid.ButtonWidth + kBarExtra;
}

int LeftBarHeight(int formClientHeight, int bottomAligned) {
    return std::max(formClientHeight - bottomAligned, 0);
}

int TopBarHeight(const TButtonGrid& grid, int formClientWidth) {
    int rows = 1;
    if (formClientWidth > grid.ButtonWidth) {
        int perRow = formClientWidth / atLeastOne(grid.ButtonWidth);
        rows = ceilDiv(grid.Count, perRow);
    }
    if (rows == 0)
        rows = 1;
    return rows * grid.ButtonHeight + kBarExtra + grid.TabSetHeight;
}

TPoint NextButtonPlace(TAttachSide side, TPoint at, const TButtonGrid& grid, int room) {
    if (side == asLeft) {
        at.Y += grid.ButtonHeight;
        if (room < at.Y + grid.ButtonHeight + grid.TabSetHeight)
            at = {at.X + grid.ButtonWidth, FirstButtonPlace.Y};
    } else {
        at.X += grid.ButtonWidth;
        if (room < at.X + grid.ButtonWidth)
            at = {FirstButtonPlace.X, at.Y + grid.ButtonHeight};
    }
    return at;
}

int HideOffset(int keptInView, int extent) {
    return keptInView - extent;
}

TPoint HiddenPlace(TAttachSide side, int keptInView, int extent) {
    switch (side) {
    case asLeft:
        return {HideOffset(keptInView, extent), 0};
    case asTop:
        return {0, HideOffset(keptInView, extent)};
    case asNone:
        break;
    }
    return {0, 0};
}

void TIconSlots::Advance() {
    if (FSlot.X + kIconSize > FFormWidth)
        FSlot = {0, FSlot.Y + kSlotDistance};
    else
        FSlot.X += kSlotDistance;
}

} // namespace stow
