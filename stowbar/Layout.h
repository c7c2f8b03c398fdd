#pragma once
// The arithmetic of a bar's layout, as pure functions of sizes and options: the height of its
// buttons, its width and height on each side, where each button goes, where a hidden bar
// stands, and the slot grid of the designer icons. The bar reads the sizes from itself and its
// form and applies the results (stowbar/Geometry.cpp).

#include "host/vcl/Buttons.h"
#include "host/win32/Types.h"
#include "stowbar/Coordinates.h"

#include <cstdint>

namespace stow {

// The side a bar is docked to.
enum class TAttachSide : uint8_t { asLeft, asTop, asNone };
using enum TAttachSide;

// What the size of a bar follows: the size of its buttons, how many there are, and the height of
// the tab set along its bottom edge.
struct TButtonGrid {
    int ButtonWidth = 0;
    int ButtonHeight = 0;
    int Count = 0;
    int TabSetHeight = 0;
};

// The corner of the first button; the others follow in list order.
inline constexpr host::TPoint FirstButtonPlace{2, 2};

// A button's height: 20 pixels, 8 more for a picture, and 18 more again when the picture sits
// above or below the caption.
int ButtonHeightFor(bool showPicture, host::TButtonLayout layout);

// A bar docked on the left: as many columns as its buttons need in the form's client height
// above the tab set (one a button when not even one fits), at least one, and two when another
// bar is docked on the left too; 10 pixels more than the columns.
int LeftBarWidth(const TButtonGrid& grid, int formClientHeight, bool otherLeftBar);
// A bar docked on the left: the form's client height less the controls aligned to its bottom.
int LeftBarHeight(int formClientHeight, int64_t bottomAligned);
// A bar docked on the top: as many rows as its buttons need in the form's client width (one
// when not even two buttons fit), 10 pixels and the tab set more.
int TopBarHeight(const TButtonGrid& grid, int formClientWidth);

// Where the button after one at `at` goes: down the column on the left, where room is the
// form's client height; along the row on the top or undocked, where room is the form's or the
// bar's client width. A button that would not fit starts a new column or row.
host::TPoint NextButtonPlace(TAttachSide side, host::TPoint at, const TButtonGrid& grid, int room);

// How far a docked bar slides to go out of view and keep keptInView pixels of its extent across
// its side (its width on the left, its height on the top) in view: negative; the way back is the
// opposite.
int HideOffset(int keptInView, int extent);
// Where a hidden bar docked on side stands: the form's corner moved across the side by
// HideOffset; the corner itself for a bar that is not docked.
host::TPoint HiddenPlace(TAttachSide side, int keptInView, int extent);

// The slot grid of the designer icons: slots 30 pixels apart, the first at (firstLeft, 0). On the
// form (firstLeft 0 or more) a row wraps to the left edge after the slot that passes the form's
// right edge. Out of sight (firstLeft below 0) a row wraps back to firstLeft before an icon would
// reach into the form, so that no icon comes into view however many there are.
class TIconSlots {
public:
    TIconSlots(int firstLeft, int formWidth)
        : FFirstLeft(firstLeft), FFormWidth(formWidth), FSlot{firstLeft, 0} {}
    host::TPoint Current() const { return FSlot; }
    void Advance();

private:
    int FFirstLeft;
    int FFormWidth;
    host::TPoint FSlot;
};

} // namespace stow
