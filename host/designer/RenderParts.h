#pragma once
// The pieces the control painters share (RenderControls.cpp and the Render*.cpp files by palette
// page): reading a control's published properties by name, whatever keeps them (a C++ field or
// the object's store), and drawing the classic 3-D parts (sunken boxes, check marks, arrows,
// scroll bars, button faces) and text in a control's font.
//
// Every painter draws in the control's own coordinates: the surface's origin is the control's
// top-left corner and its clip what of the control is visible.

#include "host/vcl/Controls.h"
#include "host/win32/Surface.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class FormValue;

namespace render {

// ---- properties, read through the host's published property access

// An ordinal property's value (integers, enumerations, booleans, sets as bit masks), or fallback
// when the class does not publish it.
int64_t Ord(const TObject& obj, std::string_view name, int64_t fallback = 0);
bool Flag(const TObject& obj, std::string_view name, bool fallback = false);
// The name of an enumeration property's value ("taCenter"), or "" when there is none.
std::string EnumName(const TObject& obj, std::string_view name);
std::string Str(const TObject& obj, std::string_view name);
TObject* Obj(const TObject& obj, std::string_view name);
// The lines of a string-list property (Lines, Items, Tabs...); empty when there is none.
std::vector<std::string> Lines(const TObject& obj, std::string_view name);
// The items of a collection property (Panels, Columns, Sections...), each a list of properties;
// null when there is none.
struct CollectionItem {
    std::string Text; // its Text, Caption or Title.Caption
    int Width = -1;   // its Width, -1 when it gives none
};
std::vector<CollectionItem> Items(const TObject& obj, std::string_view name);
// The picture of a graphic property (Picture, Glyph, Bitmap) when its data holds a bitmap or PNG
// the host decodes; an empty surface otherwise.
Surface PictureOf(const TObject& obj, std::string_view name);
// The same for the bytes of a Data property: withClass says they start with the graphic's class
// name (TPicture's data) rather than with the bitmap's size (a TBitmap's).
Surface DecodeGraphicData(std::string_view data, bool withClass);

// ---- colours and text

Colour Rgb(TColor colour);
// The control's own colour (Color, resolved from the system colours).
Colour Face(const TControl& c);
enum class HAlign { Left, Centre, Right };
// Text in the control's font (bold style, colour, underline); disabled text embossed. Returns
// the x after it. prefix: '&' marks an accelerator.
int Text(Surface& s, int x, int y, std::string_view text, const TFont& font, bool enabled = true,
         bool prefix = false);
int TextWidth(std::string_view text, const TFont& font, bool prefix = false);
constexpr int kTextHeight = 13;
// Text placed in a rectangle: horizontally as given, vertically centred when vcentre (else at
// the top), clipped to the rectangle.
void TextIn(Surface& s, const PixelRect& r, std::string_view text, const TFont& font, HAlign align,
            bool vcentre, bool enabled = true, bool prefix = false);
// Words wrapped to width, as a label with WordWrap breaks them.
std::vector<std::string> WrapWords(std::string_view text, const TFont& font, int width);
HAlign AlignmentOf(const TObject& obj, HAlign fallback = HAlign::Left);

// ---- 3-D parts

// A sunken edit box (two-pixel sunken edge, window fill) when the control has a border (its
// BorderStyle is bsSingle); returns the inside.
PixelRect EditBox(Surface& s, const TControl& c, Colour fill);
// A raised button face filling r; pressed draws it sunken.
void ButtonFace(Surface& s, const PixelRect& r, bool pressed = false);
enum class Dir { Up, Down, Left, Right };
// A small filled arrow centred in r.
void Arrow(Surface& s, const PixelRect& r, Dir dir, Colour colour = 0x000000);
// A button with an arrow (scroll bar ends, combo drop buttons, up-downs).
void ArrowButton(Surface& s, const PixelRect& r, Dir dir);
// A scroll bar filling r: vertical when it is taller than wide.
void ScrollBar(Surface& s, const PixelRect& r, bool vertical);
// A 13 by 13 check box at (x, y): state 0 unchecked, 1 checked, 2 greyed.
void CheckMark(Surface& s, int x, int y, int state, bool enabled = true);
// A 12 by 12 radio circle at (x, y).
void RadioMark(Surface& s, int x, int y, bool checked, bool enabled = true);
// A frame with a caption cut into its top edge (group boxes, radio groups); returns the inside.
PixelRect GroupFrame(Surface& s, const TControl& c);
// A dashed rectangle, as the designer outlines controls that draw nothing (paint boxes, empty
// images).
void DashedFrame(Surface& s, const PixelRect& r, Colour colour = 0x000000);
// The scroll bars a control's ScrollBars property asks for, cutting them off inside; returns
// what is left.
PixelRect ScrollBarsIn(Surface& s, const TControl& c, PixelRect inside);

// ---- the painters' tables, one per palette seam: a class name and its painter

using Painter = void (*)(Surface&, TControl&);
struct PainterRow {
    const char* Class;
    Painter Paint;
};
std::span<const PainterRow> StandardPainters(); // RenderStandard.cpp: Standard and Additional
std::span<const PainterRow> ButtonPainters();   // RenderButtons.cpp
std::span<const PainterRow> Win32Painters();    // RenderWin32.cpp
std::span<const PainterRow> DataPainters();     // RenderData.cpp: grids and data controls

// The tabs of a page or tab control along its top edge, the selected one raised above the
// others; returns the area below them (the body's rectangle).
PixelRect PaintTabs(Surface& s, const TControl& c, const std::vector<std::string>& tabs,
                    int selected);
// The area a page control gives its sheets, in its own coordinates.
PixelRect PageDisplayRect(const TControl& pageControl);

// The rectangle of the whole control in its own coordinates.
inline PixelRect Whole(const TControl& c) {
    return {0, 0, c.Width(), c.Height()};
}

} // namespace render
} // namespace host
