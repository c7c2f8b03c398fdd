// The bitmap font: metrics, the glyph set, captions with accelerators, clipping.

#include "host/win32/Font.h"

#include <gtest/gtest.h>

#include <string>

using namespace host;

namespace {

const BitmapFont& Regular = BitmapFont::SansSerif();
const BitmapFont& Bold = BitmapFont::SansSerifBold();

int inkIn(const std::vector<std::string>& rows, int fromRow, int toRow) {
    int n = 0;
    for (int y = fromRow; y < toRow; ++y)
        for (char c : rows[y])
            n += c == '#';
    return n;
}

int countColour(const Surface& s, Colour c) {
    int n = 0;
    for (Colour p : s.Pixels())
        n += p == c;
    return n;
}

TEST(FontMetrics, CellOfThirteenWithTheBaselineAfterTenRows) {
    for (const BitmapFont* f : {&Regular, &Bold}) {
        EXPECT_EQ(f->TextHeight(), 13);
        EXPECT_EQ(f->Ascent(), 10);
        EXPECT_EQ(f->Ascent() + f->Descent(), f->TextHeight());
    }
    EXPECT_FALSE(Regular.IsBold());
    EXPECT_TRUE(Bold.IsBold());
    EXPECT_EQ(Regular.TextWidth(""), 0);
    EXPECT_EQ(Regular.TextWidth("Timer1"), Regular.CharWidth('T') + Regular.CharWidth('i') +
                                               Regular.CharWidth('m') + Regular.CharWidth('e') +
                                               Regular.CharWidth('r') + Regular.CharWidth('1'));
    // Proportional, and in the size range of an 8-point dialog font.
    EXPECT_LT(Regular.CharWidth('i'), Regular.CharWidth('m'));
    EXPECT_GE(Regular.TextWidth("OpenDialog1"), 50);
    EXPECT_LE(Regular.TextWidth("OpenDialog1"), 70);
}

TEST(FontGlyphs, EveryPrintableCharacterHasInkInsideItsCell) {
    for (int c = 32; c <= 126; ++c) {
        const auto rows = Regular.GlyphRows(static_cast<unsigned char>(c));
        ASSERT_EQ(rows.size(), 13u);
        const int width = static_cast<int>(rows[0].size());
        EXPECT_GE(width, 2) << "char " << c;
        EXPECT_EQ(inkIn(rows, 0, 13) == 0, c == ' ') << "char " << c;
        int lastColumnInk = 0;
        for (const auto& row : rows)
            lastColumnInk += row.back() == '#';
        EXPECT_EQ(lastColumnInk, 0) << "char " << c << " touches the next character";
        EXPECT_EQ(inkIn(rows, 12, 13), 0) << "char " << c << " touches the next line";
    }
}

TEST(FontGlyphs, LettersStandOnTheBaseline) {
    for (char c : std::string("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefhiklmnorstuvwxz0123456789")) {
        const auto rows = Regular.GlyphRows(static_cast<unsigned char>(c));
        EXPECT_GT(inkIn(rows, 9, 10), 0) << c << " does not reach the baseline";
        EXPECT_EQ(inkIn(rows, 10, 13), 0) << c << " hangs below the baseline";
        EXPECT_EQ(inkIn(rows, 0, 2), 0) << c << " rises into the leading";
    }
    for (char c : std::string("gjpqy"))
        EXPECT_GT(inkIn(Regular.GlyphRows(static_cast<unsigned char>(c)), 10, 12), 0)
            << c << " has no descender";
    for (char c : std::string("acemnorsuvwxz"))
        EXPECT_EQ(inkIn(Regular.GlyphRows(static_cast<unsigned char>(c)), 0, 4), 0)
            << c << " is taller than the x-height";
}

TEST(FontGlyphs, OtherBytesDrawTheFallbackBox) {
    const auto box = Regular.GlyphRows(0x80);
    EXPECT_GT(inkIn(box, 0, 13), 0);
    for (int c : {0, 9, 10, 31, 127, 200, 255})
        EXPECT_EQ(Regular.GlyphRows(static_cast<unsigned char>(c)), box) << c;
    EXPECT_NE(Regular.GlyphRows('O'), box);
}

TEST(FontGlyphs, BoldIsTheRegularSmearedOnePixelRight) {
    for (int c = 33; c <= 126; ++c) {
        const auto reg = Regular.GlyphRows(static_cast<unsigned char>(c));
        const auto bold = Bold.GlyphRows(static_cast<unsigned char>(c));
        ASSERT_EQ(bold[0].size(), reg[0].size() + 1) << c;
        for (int y = 0; y < 13; ++y)
            for (size_t x = 0; x < bold[y].size(); ++x) {
                const bool here = x < reg[y].size() && reg[y][x] == '#';
                const bool left = x > 0 && reg[y][x - 1] == '#';
                EXPECT_EQ(bold[y][x] == '#', here || left) << c << " at " << x << "," << y;
            }
    }
}

TEST(FontDrawing, DrawsTheGlyphPixelsAtTheCellOrigin) {
    Surface s(20, 15, 0xFFFFFF);
    const int end = Regular.DrawText(s, 3, 1, "H", 0x000000);
    EXPECT_EQ(end, 3 + Regular.CharWidth('H'));
    const auto rows = Regular.GlyphRows('H');
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < static_cast<int>(rows[y].size()); ++x)
            EXPECT_EQ(s.RawPixel(3 + x, 1 + y), rows[y][x] == '#' ? 0x000000u : 0xFFFFFFu);
    EXPECT_EQ(countColour(s, 0x000000), inkIn(rows, 0, 13)) << "nothing drawn outside the glyph";
}

TEST(FontDrawing, TextIsClippedAndMayStartOffTheSurface) {
    Surface full(60, 13, 0xFFFFFF);
    Regular.DrawText(full, 0, 0, "Wide text", 0x000000);

    Surface s(60, 13, 0xFFFFFF);
    s.SetOrigin(-4, -3);
    s.IntersectClipRect({10, 5, 30, 9});
    Regular.DrawText(s, 4, 3, "Wide text", 0x000000);
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 60; ++x) {
            const bool inClip = x >= 6 && x < 26 && y >= 2 && y < 6;
            EXPECT_EQ(s.RawPixel(x, y), inClip ? full.RawPixel(x, y) : 0xFFFFFFu) << x << "," << y;
        }
    Surface tiny(2, 2, 0xFFFFFF);
    Regular.DrawText(tiny, -1000, -5, "far away", 0);
    EXPECT_EQ(tiny, Surface(2, 2, 0xFFFFFF));
    Regular.DrawText(tiny, 0, -2, std::string(1000, 'l'), 0); // 'l' is column 0 of rows 2..9
    EXPECT_EQ(tiny.RawPixel(0, 0), 0u);
    EXPECT_EQ(tiny.RawPixel(0, 1), 0u);
    EXPECT_EQ(countColour(tiny, 0), 2);
}

TEST(FontDrawing, PrefixUnderlinesTheAcceleratorAndDoublesAmpersands) {
    struct Case {
        const char* caption;
        const char* shown;
    } cases[] = {{"&File", "File"},
                 {"Se&arch", "Search"},
                 {"Save && Exit", "Save & Exit"},
                 {"Trailing&", "Trailing"},
                 {"&&&x", "&x"}};
    for (const Case& c : cases)
        EXPECT_EQ(Regular.TextWidth(c.caption, true), Regular.TextWidth(c.shown)) << c.caption;
    EXPECT_GT(Regular.TextWidth("&File"), Regular.TextWidth("File"));

    Surface plain(40, 13, 0xFFFFFF), prefixed(40, 13, 0xFFFFFF);
    Regular.DrawText(plain, 0, 0, "File", 0);
    Regular.DrawText(prefixed, 0, 0, "F&ile", 0, true);
    // Only the underline under the 'i', on the row after the baseline, differs.
    const int iLeft = Regular.CharWidth('F');
    for (int y = 0; y < 13; ++y)
        for (int x = 0; x < 40; ++x) {
            const bool underline =
                y == Regular.Ascent() + 1 && x >= iLeft && x < iLeft + Regular.CharWidth('i') - 1;
            EXPECT_EQ(prefixed.RawPixel(x, y), underline ? 0u : plain.RawPixel(x, y))
                << x << "," << y;
        }
    Surface doubled(40, 13, 0xFFFFFF), amp(40, 13, 0xFFFFFF);
    Regular.DrawText(doubled, 0, 0, "a&&b", 0, true);
    Regular.DrawText(amp, 0, 0, "a&b", 0);
    EXPECT_EQ(doubled, amp) << "'&&' is a plain ampersand, not underlined";
}

TEST(FontDrawing, DisabledTextIsEmbossed) {
    const EdgeColours scheme;
    Surface s(20, 15, scheme.Face);
    Regular.DrawDisabledText(s, 2, 1, "l");
    const auto rows = Regular.GlyphRows('l'); // a single column: rows 2..9 of column 0
    for (int y = 2; y <= 9; ++y) {
        EXPECT_EQ(s.RawPixel(2, 1 + y), scheme.Shadow) << y;
        EXPECT_EQ(s.RawPixel(3, 2 + y), scheme.Highlight) << y;
    }
    EXPECT_EQ(countColour(s, scheme.Shadow), inkIn(rows, 0, 13));
    EXPECT_EQ(countColour(s, scheme.Highlight), inkIn(rows, 0, 13));
}

} // namespace
