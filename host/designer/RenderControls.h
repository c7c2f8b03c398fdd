#pragma once
// The renderer's painters of the standard controls, chosen by class: the control's class or its
// nearest ancestor with a painter (a class the catalogue makes at run time resolves to its own
// row's name or its ancestors'). Classes without one paint themselves through their canvas (the
// bar, buttons, the host's own controls). Placeholders of classes the host does not know are a
// frame labelled with their class name.

#include "host/vcl/Controls.h"
#include "host/win32/Surface.h"

namespace host {

// Paints control with its top-left corner at rect's, clipped to clip (surface coordinates).
void PaintControl(Surface& surface, TControl& control, const PixelRect& rect,
                  const PixelRect& clip);

// Where a child window lies when its parent places it itself: the sheets of a page control
// fill the page control's display area, and only the active one shows.
struct ChildPlace {
    bool Placed = false; // false: the window lies where the windowing system says
    bool Shown = true;
    PixelRect Rect; // in the parent's client coordinates
};
ChildPlace PlaceOfChild(const TControl& child);

// The painter's name of the class that paints control (the class or the ancestor the painter is
// registered for), or "" when the control paints itself; for tests.
std::string PainterOf(const TControl& control);

} // namespace host
