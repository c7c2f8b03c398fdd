#pragma once
// The paint target of a canvas on a Surface: a control paints in its own client coordinates, the
// target adds the control's place on the surface and keeps its strokes inside the clip.

#include "host/vcl/Graphics.h"
#include "host/win32/Font.h"
#include "host/win32/Surface.h"

namespace host {

class SurfacePaintTarget : public IPaintTarget {
public:
    // Logical (0, 0) lands on surface pixel origin; nothing is drawn outside clip (surface
    // coordinates). The surface's drawing state is restored when the target goes.
    SurfacePaintTarget(Surface& surface, TPoint origin, const PixelRect& clip);
    ~SurfacePaintTarget() override;
    SurfacePaintTarget(const SurfacePaintTarget&) = delete;
    SurfacePaintTarget& operator=(const SurfacePaintTarget&) = delete;

    void FillRect(const TRect& r, uint32_t rgb) override;
    void DrawEdge(const TRect& r, UINT edge, UINT flags) override;
    void TextOut(int x, int y, const std::string& text, const TFont& font, uint32_t rgb) override;
    void Draw(int x, int y, const GdiBitmap& bitmap, bool transparent) override;
    int TextWidth(const std::string& text, const TFont& font) override;
    int TextHeight(const std::string& text, const TFont& font) override;
    void Line(int x1, int y1, int x2, int y2, uint32_t rgb) override;
    void FillPattern(const TRect& r, uint32_t a, uint32_t b) override;

    // The host has one typeface: the bold cut for a bold font, the regular one otherwise.
    static const BitmapFont& FontFor(const TFont& font);

private:
    Surface& FSurface;
    Surface::State FSaved;
};

inline PixelRect ToPixelRect(const TRect& r) {
    return {r.Left, r.Top, r.Right, r.Bottom};
}

} // namespace host
