#include "host/vcl/SurfaceTarget.h"

namespace host {

SurfacePaintTarget::SurfacePaintTarget(Surface& surface, TPoint origin, const PixelRect& clip)
    : FSurface(surface), FSaved(surface.SaveState()) {
    FSurface.SetOrigin(origin.X, origin.Y);
    FSurface.SetClipRect(clip);
}

SurfacePaintTarget::~SurfacePaintTarget() {
    FSurface.RestoreState(FSaved);
}

const BitmapFont& SurfacePaintTarget::FontFor(const TFont& font) {
    return font.Style().contains(fsBold) ? BitmapFont::SansSerifBold() : BitmapFont::SansSerif();
}

void SurfacePaintTarget::FillRect(const TRect& r, uint32_t rgb) {
    FSurface.FillRect(ToPixelRect(r), rgb);
}

void SurfacePaintTarget::DrawEdge(const TRect& r, UINT edge, UINT flags) {
    PixelRect pr = ToPixelRect(r);
    FSurface.DrawEdge(pr, edge, flags);
}

void SurfacePaintTarget::TextOut(int x, int y, const std::string& text, const TFont& font,
                                 uint32_t rgb) {
    const BitmapFont& f = FontFor(font);
    int end = f.DrawText(FSurface, x, y, text, rgb);
    if (font.Style().contains(fsUnderline))
        FSurface.HLine(x, end, y + f.Ascent() + 1, rgb);
}

void SurfacePaintTarget::Draw(int x, int y, const GdiBitmap& bitmap, bool transparent) {
    if (bitmap.Width <= 0 || bitmap.Height <= 0 ||
        bitmap.Pixels.size() < static_cast<size_t>(bitmap.Width) * bitmap.Height)
        return;
    // The transparent colour is the bitmap's bottom-left pixel, as the platform takes it.
    const uint32_t clear = bitmap.Pixels[static_cast<size_t>(bitmap.Height - 1) * bitmap.Width];
    for (int row = 0; row < bitmap.Height; ++row)
        for (int col = 0; col < bitmap.Width; ++col) {
            uint32_t c = bitmap.Pixels[static_cast<size_t>(row) * bitmap.Width + col];
            if (!transparent || c != clear)
                FSurface.SetPixel(x + col, y + row, c);
        }
}

int SurfacePaintTarget::TextWidth(const std::string& text, const TFont& font) {
    return FontFor(font).TextWidth(text);
}

int SurfacePaintTarget::TextHeight(const std::string&, const TFont& font) {
    return FontFor(font).TextHeight();
}

void SurfacePaintTarget::Line(int x1, int y1, int x2, int y2, uint32_t rgb) {
    FSurface.Line(x1, y1, x2, y2, rgb);
}

void SurfacePaintTarget::FillPattern(const TRect& r, uint32_t a, uint32_t b) {
    const PixelRect area = ToPixelRect(r).Intersect(FSurface.LogicalClipRect());
    for (int y = area.Top; y < area.Bottom; ++y)
        for (int x = area.Left; x < area.Right; ++x)
            FSurface.SetPixel(x, y, ((x + y) & 1) == 0 ? a : b);
}

} // namespace host
