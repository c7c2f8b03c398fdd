#pragma once
// The designer's own panels around the design surface, in the platform's look: the component
// palette (a tab per page, a button per class with its palette picture), the property panel (the
// published properties of the selection, a name and a value a row), the status line and a hint.
// The views are plain data; where their parts lie and how they look are pure functions of a view
// and a rectangle, so that the window that shows them and the tests that aim at them agree.

#include "host/rtl/Object.h"
#include "host/win32/Surface.h"

#include <optional>
#include <string>
#include <vector>

namespace host {

// ---- the component palette

struct PaletteView {
    std::vector<std::string> Pages;
    size_t ActivePage = 0;
    std::vector<const TClass*> Classes; // the active page's, in its order
    int Armed = -1;                     // the class chosen for the next drop, or -1
    int Hot = -1;                       // the button under the mouse, or -1
};

struct PaletteLayout {
    std::vector<PixelRect> Tabs;    // one a page
    std::vector<PixelRect> Buttons; // one a class of the active page
};

// The palette's height: its tab row and a row of buttons.
constexpr int PaletteHeight = 60;
PaletteLayout LayoutPalette(const PaletteView& view, const PixelRect& bounds);
void PaintPalette(Surface& surface, const PaletteView& view, const PixelRect& bounds);

// ---- the property panel

struct InspectorRow {
    std::string Name;  // as shown (a sub-property indented under its object)
    std::string Value; // as shown
    int Depth = 0;
    bool ReadOnly = false;
};

struct InspectorView {
    std::string Title; // "Timer1: TTimer"
    std::vector<InspectorRow> Rows;
    int Selected = -1;
    int Top = 0; // the first row shown
    // The text being typed into the selected row's value, with the caret at its end.
    std::optional<std::string> Editing;
    // The values offered in a list under the selected row (enumerations, Booleans); empty when
    // the list is closed.
    std::vector<std::string> Choices;
    int ChoiceHot = -1;
};

struct InspectorLayout {
    PixelRect Title;
    int NameWidth = 0;
    // One a row; a row scrolled out of view has an empty rectangle.
    std::vector<PixelRect> Rows;
    std::vector<PixelRect> Values;
    PixelRect List; // the open list of values, or empty
    std::vector<PixelRect> ListItems;
    int VisibleRows = 0;
};

constexpr int InspectorRowHeight = 16;
InspectorLayout LayoutInspector(const InspectorView& view, const PixelRect& bounds);
void PaintInspector(Surface& surface, const InspectorView& view, const PixelRect& bounds);

// ---- the status line and hints

constexpr int StatusLineHeight = 20;
// A sunken panel with the text, cut at the panel's end.
void PaintStatusLine(Surface& surface, const std::string& text, const PixelRect& bounds);
// A hint: the text in a small pale yellow box, its top-left corner at `at`, kept within bounds.
void PaintHint(Surface& surface, const std::string& text, TPoint at, const PixelRect& bounds);

} // namespace host
