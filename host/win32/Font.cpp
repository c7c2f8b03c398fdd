#include "host/win32/Font.h"

#include "host/rtl/SysUtils.h"
#include "host/win32/FontGlyphs.h"

namespace host {

namespace {

constexpr int FallbackIndex = 0; // byte 0 never has a glyph of its own; it holds the fallback

// Walks a caption: calls visit(byte, underlined) for each character that is drawn.
template <typename Visit> void walkText(std::string_view text, bool prefix, Visit visit) {
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        bool underline = false;
        if (prefix && c == '&') {
            if (i + 1 >= text.size())
                break; // a trailing '&' shows nothing
            ++i;
            c = static_cast<unsigned char>(text[i]);
            underline = c != '&';
        }
        visit(c, underline);
    }
}

} // namespace

BitmapFont::BitmapFont(bool bold) : FBold(bold) {
    std::array<bool, 256> defined{};
    for (int g = 0; g < font_data::GlyphCount; ++g) {
        const font_data::GlyphSource& src = font_data::Glyphs[g];
        Glyph glyph;
        glyph.Width = static_cast<int>(std::string_view(src.Rows[0]).size());
        for (int y = 0; y < CellHeight; ++y) {
            std::string_view row(src.Rows[y]);
            if (static_cast<int>(row.size()) != glyph.Width || glyph.Width > 30)
                throw Exception("Font glyph " + IntToStr(src.Code) + " has a ragged row");
            for (int x = 0; x < glyph.Width; ++x)
                if (row[x] == '#')
                    glyph.Rows[y] |= 1u << x;
            if (bold)
                glyph.Rows[y] |= glyph.Rows[y] << 1;
        }
        if (bold)
            ++glyph.Width;
        const int index = src.Code < 0 ? FallbackIndex : src.Code;
        FGlyphs[index] = glyph;
        defined[index] = true;
    }
    for (int c = 0; c < 256; ++c)
        if (!defined[c])
            FGlyphs[c] = FGlyphs[FallbackIndex];
}

const BitmapFont& BitmapFont::SansSerif() {
    static const BitmapFont font(false);
    return font;
}

const BitmapFont& BitmapFont::SansSerifBold() {
    static const BitmapFont font(true);
    return font;
}

const BitmapFont::Glyph& BitmapFont::glyph(unsigned char c) const {
    return FGlyphs[c];
}

int BitmapFont::CharWidth(unsigned char c) const {
    return glyph(c).Width;
}

int BitmapFont::TextWidth(std::string_view text, bool prefix) const {
    int width = 0;
    walkText(text, prefix, [&](unsigned char c, bool) { width += glyph(c).Width; });
    return width;
}

int BitmapFont::DrawText(Surface& surface, int x, int y, std::string_view text, Colour colour,
                         bool prefix) const {
    const PixelRect clip = surface.LogicalClipRect();
    walkText(text, prefix, [&](unsigned char c, bool underline) {
        const Glyph& g = glyph(c);
        if (x < clip.Right && x + g.Width > clip.Left && y < clip.Bottom &&
            y + CellHeight > clip.Top) {
            for (int row = 0; row < CellHeight; ++row) {
                const uint32_t bits = g.Rows[row];
                for (int col = 0; bits >> col; ++col)
                    if (bits & (1u << col))
                        surface.SetPixel(x + col, y + row, colour);
            }
            if (underline)
                surface.HLine(x, x + g.Width - 1, y + Ascent() + 1, colour);
        }
        x += g.Width;
    });
    return x;
}

void BitmapFont::DrawDisabledText(Surface& surface, int x, int y, std::string_view text,
                                  bool prefix, const EdgeColours& scheme) const {
    DrawText(surface, x + 1, y + 1, text, scheme.Highlight, prefix);
    DrawText(surface, x, y, text, scheme.Shadow, prefix);
}

std::vector<std::string> BitmapFont::GlyphRows(unsigned char c) const {
    const Glyph& g = glyph(c);
    std::vector<std::string> rows;
    for (int y = 0; y < CellHeight; ++y) {
        std::string row(static_cast<size_t>(g.Width), '.');
        for (int x = 0; x < g.Width; ++x)
            if (g.Rows[y] & (1u << x))
                row[x] = '#';
        rows.push_back(row);
    }
    return rows;
}

} // namespace host
