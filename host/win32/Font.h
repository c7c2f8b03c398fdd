#pragma once
// The host's one typeface: a proportional bitmap font in the manner of the 8-point sans serif
// of Windows 95 dialogs and menus, in a regular and a bold weight. Glyphs are drawn pixel by
// pixel from FontGlyphs.cpp (no system fonts, no antialiasing), so text looks the same on every
// machine.
//
// Every character cell is TextHeight() = 13 pixels high; the baseline lies Ascent() = 10 pixels
// below the cell's top. Bytes 32..126 have their own glyphs; every other byte draws the fallback
// glyph, a hollow box.

#include "host/win32/Surface.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class BitmapFont {
public:
    static constexpr int CellHeight = 13;

    // The shared, immutable font objects.
    static const BitmapFont& SansSerif();
    static const BitmapFont& SansSerifBold();

    bool IsBold() const { return FBold; }
    int TextHeight() const { return CellHeight; }
    int Ascent() const { return 10; }
    int Descent() const { return CellHeight - Ascent(); }
    // The advance of one character: the glyph's width plus its spacing column.
    int CharWidth(unsigned char c) const;
    // With prefix, '&' marks the next character as the accelerator (drawn underlined) and "&&"
    // stands for one '&', as in menu and button captions.
    int TextWidth(std::string_view text, bool prefix = false) const;
    // Draws text with its cell's top-left corner at logical (x, y), clipped by the surface.
    // Only the glyph pixels are painted (transparent background). Returns the x after the text.
    int DrawText(Surface& surface, int x, int y, std::string_view text, Colour colour,
                 bool prefix = false) const;
    // Disabled ("embossed") text as Windows 95 draws greyed menu items and captions: the text in
    // the highlight colour one pixel down and right, then in the shadow colour at (x, y).
    void DrawDisabledText(Surface& surface, int x, int y, std::string_view text,
                          bool prefix = false, const EdgeColours& scheme = EdgeColours{}) const;
    // One glyph as rows of '#' (ink) and '.' (paper), spacing column included.
    std::vector<std::string> GlyphRows(unsigned char c) const;

private:
    struct Glyph {
        int Width = 0;
        std::array<uint32_t, CellHeight> Rows{}; // bit x set: ink at column x
    };
    explicit BitmapFont(bool bold);
    const Glyph& glyph(unsigned char c) const;

    bool FBold = false;
    std::array<Glyph, 256> FGlyphs;
};

} // namespace host
