// Painters of the buttons: push buttons, bit buttons and speed buttons with their glyphs.
#include "host/designer/RenderParts.h"

#include "host/vcl/Buttons.h"
#include "host/vcl/Graphics.h"
#include "host/win32/Font.h"

#include <algorithm>

namespace host::render {

namespace {

// A glyph picture's first image (of NumGlyphs side by side), its bottom-left colour clear.
void drawGlyph(Surface& s, int x, int y, const Surface& glyph, int count) {
    const int w = glyph.Width() / std::max(1, count);
    s.Draw(x, y, glyph, PixelRect{0, 0, w, glyph.Height()}, glyph.RawPixel(0, glyph.Height() - 1));
}

// The pictures of a bit button's kinds: a green tick, a red cross, a blue question mark.
Surface kindGlyph(const std::string& kind) {
    Surface g(18, 18, colours::Olive); // olive: the transparent colour
    if (kind == "bkOK" || kind == "bkYes" || kind == "bkAll")
        for (int i = 0; i < 11; ++i) {
            const int y = i < 4 ? 8 + i : 12 - (i - 3);
            g.FillRect({3 + i, y, 4 + i, y + 3}, colours::Green);
        }
    else if (kind == "bkCancel" || kind == "bkNo" || kind == "bkAbort" || kind == "bkClose")
        for (int i = 0; i < 10; ++i) {
            const Colour ink = kind == "bkClose" ? colours::Navy : colours::Red;
            g.FillRect({4 + i, 4 + i, 6 + i, 5 + i}, ink);
            g.FillRect({12 - i, 4 + i, 14 - i, 5 + i}, ink);
        }
    else if (kind == "bkHelp")
        BitmapFont::SansSerifBold().DrawText(g, 6, 2, "?", colours::Blue);
    else if (kind == "bkRetry" || kind == "bkIgnore")
        BitmapFont::SansSerifBold().DrawText(g, 5, 2, kind == "bkRetry" ? "R" : "!",
                                             colours::Green);
    else
        return {};
    return g;
}

// A push button: the black frame of the default button, the raised face, the caption centred
// with its accelerator underlined; greyed when disabled.
void paintButton(Surface& s, TControl& c) {
    PixelRect r = Whole(c);
    if (Flag(c, "Default")) {
        s.FillRect(r, colours::Black);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    s.FillRect(r, colours::Silver);
    s.DrawEdge(r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    const int w = TextWidth(c.Caption(), c.Font(), true);
    TFont font;
    font.Assign(const_cast<TFont*>(&c.Font()));
    font.SetColor(clBtnText);
    Text(s, (c.Width() - w) / 2, (c.Height() - kTextHeight) / 2, c.Caption(), font, c.Enabled(),
         true);
}

void paintBitBtn(Surface& s, TControl& c) {
    PixelRect r = Whole(c);
    if (Flag(c, "Default")) {
        s.FrameRect(r, colours::Black);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    ButtonFace(s, r);
    Surface glyph = PictureOf(c, "Glyph");
    int count = static_cast<int>(std::clamp<int64_t>(Ord(c, "NumGlyphs", 1), 1, 4));
    if (glyph.Width() == 0) {
        glyph = kindGlyph(EnumName(c, "Kind"));
        count = 1;
    }
    const TPoint glyphSize{glyph.Width() / count, glyph.Height()};
    const std::string& caption = c.Caption();
    const TPoint textSize =
        caption.empty() ? TPoint{} : TPoint{TextWidth(caption, c.Font(), true), kTextHeight};
    const std::string layout = EnumName(c, "Layout");
    const TButtonLayout l = layout == "blGlyphRight"    ? blGlyphRight
                            : layout == "blGlyphTop"    ? blGlyphTop
                            : layout == "blGlyphBottom" ? blGlyphBottom
                                                        : blGlyphLeft;
    const TButtonPlacement place = CalcButtonLayout(
        {r.Left + 2, r.Top + 2, r.Right - 2, r.Bottom - 2}, {0, 0}, glyphSize, textSize, l,
        static_cast<int>(Ord(c, "Margin", -1)), static_cast<int>(Ord(c, "Spacing", 4)));
    if (glyphSize.X > 0)
        drawGlyph(s, place.GlyphPos.X, place.GlyphPos.Y, glyph, count);
    if (!caption.empty())
        Text(s, place.TextBounds.Left, place.TextBounds.Top, caption, c.Font(), c.Enabled(), true);
}

// A speed button whose glyph the host holds only as the file's data.
void paintSpeedButton(Surface& s, TControl& c) {
    const bool down = Flag(c, "Down");
    PixelRect r = Whole(c);
    s.FillRect(r, colours::Silver);
    if (!Flag(c, "Flat") || down)
        s.DrawEdge(r, down ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT | BF_SOFT);
    const Surface glyph = PictureOf(c, "Glyph");
    const int count = static_cast<int>(std::clamp<int64_t>(Ord(c, "NumGlyphs", 1), 1, 4));
    const TPoint glyphSize{glyph.Width() / count, glyph.Height()};
    const TPoint textSize = c.Caption().empty()
                                ? TPoint{}
                                : TPoint{TextWidth(c.Caption(), c.Font(), true), kTextHeight};
    const auto* button = static_cast<const TSpeedButton*>(&c);
    const TButtonPlacement place = CalcButtonLayout(
        {2, 2, r.Right - 2, r.Bottom - 2}, down ? TPoint{1, 1} : TPoint{0, 0}, glyphSize, textSize,
        button->Layout(), button->Margin(), button->Spacing());
    if (glyphSize.X > 0)
        drawGlyph(s, place.GlyphPos.X, place.GlyphPos.Y, glyph, count);
    if (!c.Caption().empty())
        Text(s, place.TextBounds.Left, place.TextBounds.Top, c.Caption(), c.Font(), c.Enabled(),
             true);
}

const PainterRow kRows[] = {
    {"TButton", paintButton},
    {"TBitBtn", paintBitBtn},
    {"TSpeedButton", paintSpeedButton},
};

} // namespace

std::span<const PainterRow> ButtonPainters() {
    return kRows;
}

} // namespace host::render
