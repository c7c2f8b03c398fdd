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
int64_t atLeastOne(int v) {
    return std::max(v, 1);
}

// n / d rounded up, for positive d.
int64_t ceilDiv(int64_t n, int64_t d) {
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
    int64_t columns = 1;
    if (formClientHeight > grid.ButtonHeight) {
        int64_t perColumn = (int64_t{formClientHeight} - (int64_t{grid.TabSetHeight} + 2)) /
                            atLeastOne(grid.ButtonHeight);
        // Too low for one button above the tab set: the layout puts one button in each column,
        // and so many columns are made.
        columns = perColumn > 0 ? ceilDiv(grid.Count, perColumn) : grid.Count;
    }
    if (columns == 0)
        columns = 1;
    if (columns == 1 && otherLeftBar)
        columns = 2;
    return Saturated(columns * grid.ButtonWidth + kBarExtra);
}

int LeftBarHeight(int formClientHeight, int64_t bottomAligned) {
    return Saturated(std::max<int64_t>(formClientHeight - bottomAligned, 0));
}

int TopBarHeight(const TButtonGrid& grid, int formClientWidth) {
    int64_t rows = 1;
    if (formClientWidth > grid.ButtonWidth) {
        int64_t perRow = formClientWidth / atLeastOne(grid.ButtonWidth);
        rows = ceilDiv(grid.Count, perRow);
    }
    if (rows == 0)
        rows = 1;
    return Saturated(rows * grid.ButtonHeight + kBarExtra + grid.TabSetHeight);
}

TPoint NextButtonPlace(TAttachSide side, TPoint at, const TButtonGrid& grid, int room) {
    int64_t x = at.X;
    int64_t y = at.Y;
    if (side == asLeft) {
        y += grid.ButtonHeight;
        if (room < y + grid.ButtonHeight + grid.TabSetHeight) {
            x += grid.ButtonWidth;
            y = FirstButtonPlace.Y;
        }
    } else {
        x += grid.ButtonWidth;
        if (room < x + grid.ButtonWidth) {
            x = FirstButtonPlace.X;
            y += grid.ButtonHeight;
        }
    }
    return {Saturated(x), Saturated(y)};
}

int HideOffset(int keptInView, int extent) {
    return Saturated(int64_t{keptInView} - extent);
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
    // 64 bits: the grid may be asked for more slots than an int's rows hold.
    const int64_t next = int64_t{FSlot.X} + kSlotDistance;
    bool wrap = false;
    if (FFirstLeft < 0)
        wrap = next + kIconSize + 1 > 0; // the next icon (28 wide) would reach into the form
    else
        wrap = int64_t{FSlot.X} + kIconSize > FFormWidth;
    if (wrap)
        FSlot = {FFirstLeft < 0 ? FFirstLeft : 0, Saturated(int64_t{FSlot.Y} + kSlotDistance)};
    else
        FSlot.X = Saturated(next);
}

} // namespace stow
