#pragma once
// Pictures of the design surface: the form window being designed with its controls, designer
// icons and selection handles, and the popup menu or dialog that is up, composed into one
// surface. Every control paints itself through its canvas; the composer gives each a paint
// target at its place, clipped to what of it is visible (its parents' client areas), and keeps
// the windows' z-order (a later or raised window above an earlier one). The same session always
// gives the same pixels.

#include "host/designer/Designer.h"
#include "host/vcl/Dialogs.h"
#include "host/vcl/Menus.h"
#include "host/win32/Surface.h"

#include <optional>
#include <string>
#include <vector>

namespace host {

// A popup menu as it is up: where it popped up (screen coordinates) and the captions of the item
// under the mouse (a submenu item as two captions: the submenu opens and its item is lit).
struct PopupPicture {
    TMenu* Menu = nullptr;
    TPoint Screen;
    std::vector<std::string> Hot;
};

struct RenderScene {
    // The form window's frame and caption bar; without it the picture is the client area alone.
    bool Frame = true;
    std::optional<PopupPicture> Popup;
    // A dialog that is up, centred on the picture (the form's caption turns inactive).
    std::optional<DialogRecord> Dialog;
};

// The picture of the designer's form, or of its frame (the frame's own area: it has no window
// frame), or of a data module (its designer window: white, with its components' icons).
Surface RenderDesignSurface(TFormDesigner& designer, const RenderScene& scene = {});

// ---- the parts, for the composer and for tests

// A window frame with its caption bar into outer; returns the client rectangle.
PixelRect PaintWindowFrame(Surface& surface, const PixelRect& outer, const std::string& title,
                           bool active, bool sizeable);
// A designer icon: a raised 28 by 28 button face with the class's palette picture centred.
void PaintDesignerIcon(Surface& surface, int x, int y, const TComponent* component);
// The palette picture of a class or its nearest ancestor with one, or a generic picture.
Surface PalettePictureOf(const TClass* cls);
// A popup menu with its top-left corner at (x, y) in surface coordinates, within bounds (moved
// and flipped to fit as the platform does); the lit item's submenu opens beside it.
void PaintPopupMenu(Surface& surface, TMenuItem* items, TPoint at,
                    const std::vector<std::string>& hot, const PixelRect& bounds);
// The size of a popup menu's window.
TPoint PopupMenuSize(TMenuItem* items);
// Where a popup menu's windows lie as PaintPopupMenu draws them: the menu, then each submenu that
// the lit items open, with the place of every shown item (separators included).
struct PopupMenuBox {
    PixelRect Rect;
    std::vector<TMenuItem*> Items;
    std::vector<PixelRect> ItemRects;
};
std::vector<PopupMenuBox> LayoutPopupMenu(TMenuItem* items, TPoint at,
                                          const std::vector<std::string>& hot,
                                          const PixelRect& bounds);
// A message box or input dialog centred in bounds.
void PaintDialog(Surface& surface, const DialogRecord& dialog, const PixelRect& bounds);
// Where a dialog's parts lie as PaintDialog draws it: its window, its buttons (the record's
// captions, or OK alone; an input dialog's OK and Cancel) and an input dialog's edit.
struct DialogBox {
    PixelRect Outer;
    std::vector<PixelRect> Buttons;
    std::vector<std::string> Captions;
    PixelRect Edit; // empty for a message box
};
DialogBox LayoutDialog(const DialogRecord& dialog, const PixelRect& bounds);

} // namespace host
