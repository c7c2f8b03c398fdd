#pragma once
// The pixel surface every window, control and picture of the host paints on.
//
// Pixels are 32-bit values 0x00RRGGBB: red in bits 16..23, green in 8..15, blue in 0..7 (plain
// RGB, not the byte order of a Win32 COLORREF, which keeps blue in the high byte). The top byte
// is always zero. Row 0 is the top row.
//
// Drawing goes through a drawing state: an origin (added to every coordinate, so a control paints
// in its own client coordinates onto the composed desktop surface) and a clip rectangle in surface
// coordinates (nothing is drawn outside it; it never extends beyond the surface). Rectangles follow
// the Win32 rule: left and top are inside, right and bottom are outside.

#include "host/win32/Types.h"
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace host {

using Colour = uint32_t;

// The colours of the 16-colour palette of the era (see Dib.h for their order in a DIB).
namespace colours {
constexpr Colour Black = 0x000000;
constexpr Colour Maroon = 0x800000;
constexpr Colour Green = 0x008000;
constexpr Colour Olive = 0x808000;
constexpr Colour Navy = 0x000080;
constexpr Colour Purple = 0x800080;
constexpr Colour Teal = 0x008080;
constexpr Colour Silver = 0xC0C0C0;
constexpr Colour Gray = 0x808080;
constexpr Colour Red = 0xFF0000;
constexpr Colour Lime = 0x00FF00;
constexpr Colour Yellow = 0xFFFF00;
constexpr Colour Blue = 0x0000FF;
constexpr Colour Fuchsia = 0xFF00FF;
constexpr Colour Aqua = 0x00FFFF;
constexpr Colour White = 0xFFFFFF;
} // namespace colours

// What GetPixel answers for a point outside the surface or the clip (Win32's CLR_INVALID).
constexpr Colour ColourInvalid = 0xFFFFFFFF;

struct PixelRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
    PixelRect Offset(int dx, int dy) const {
        return {Left + dx, Top + dy, Right + dx, Bottom + dy};
    }
    PixelRect Intersect(const PixelRect& other) const;
    bool operator==(const PixelRect&) const = default;
};

// The system colours DrawEdge and the 3-D helpers use; the defaults are the Windows 95 scheme.
struct EdgeColours {
    Colour Face = 0xC0C0C0;        // COLOR_BTNFACE
    Colour Highlight = 0xFFFFFF;   // COLOR_BTNHIGHLIGHT
    Colour Shadow = 0x808080;      // COLOR_BTNSHADOW
    Colour DarkShadow = 0x000000;  // COLOR_3DDKSHADOW
    Colour Light = 0xDFDFDF;       // COLOR_3DLIGHT
    Colour Window = 0xFFFFFF;      // COLOR_WINDOW (BF_MONO inner edge and fill)
    Colour WindowFrame = 0x000000; // COLOR_WINDOWFRAME (BF_MONO outer edge)
};

// DrawEdge's edge kinds and flags are in host/win32/Types.h.

class Surface {
public:
    Surface() = default;
    // A width by height surface filled with fill; negative sizes count as zero.
    Surface(int width, int height, Colour fill = 0);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // All pixels, row by row from the top, ignoring origin and clip.
    const std::vector<Colour>& Pixels() const { return FPixels; }
    // One pixel in surface coordinates, ignoring origin and clip; ColourInvalid outside.
    Colour RawPixel(int x, int y) const;
    bool operator==(const Surface& other) const {
        return FWidth == other.FWidth && FHeight == other.FHeight && FPixels == other.FPixels;
    }

    // --- Drawing state ---------------------------------------------------------------------
    struct State {
        int OriginX = 0;
        int OriginY = 0;
        PixelRect Clip;
    };
    State SaveState() const { return {FOriginX, FOriginY, FClip}; }
    void RestoreState(const State& state);
    // The origin: logical (0, 0) lands on surface pixel (x, y).
    void SetOrigin(int x, int y);
    int OriginX() const { return FOriginX; }
    int OriginY() const { return FOriginY; }
    // The clip rectangle in surface coordinates, cut to the surface.
    void SetClipRect(const PixelRect& deviceRect);
    // Narrows the clip to a rectangle given in logical coordinates.
    void IntersectClipRect(const PixelRect& logicalRect);
    void ResetClip();
    const PixelRect& ClipRect() const { return FClip; }
    // The clip rectangle in logical coordinates.
    PixelRect LogicalClipRect() const { return FClip.Offset(-FOriginX, -FOriginY); }

    // --- Drawing (logical coordinates, clipped) --------------------------------------------
    void SetPixel(int x, int y, Colour colour);
    // The pixel at a logical point, or ColourInvalid when it lies outside the clip.
    Colour GetPixel(int x, int y) const;
    void Clear(Colour colour);
    void FillRect(const PixelRect& rect, Colour colour);
    // Horizontal line from x1 up to but not including x2 (empty when x2 <= x1).
    void HLine(int x1, int x2, int y, Colour colour);
    // Vertical line from y1 up to but not including y2 (empty when y2 <= y1).
    void VLine(int x, int y1, int y2, Colour colour);
    // A one-pixel line from (x1, y1) towards (x2, y2), the end point left out, as MoveTo/LineTo
    // draw it. Pixels follow Bresenham's rule from the start point, which gives GDI's pixels for
    // horizontal, vertical and 45-degree lines.
    void Line(int x1, int y1, int x2, int y2, Colour colour);
    // Fills the polygon's inside (alternate / even-odd rule): a pixel is in when its centre is.
    // With no outline drawn, a rectangle's corner points give exactly FillRect's pixels.
    void FillPolygon(const std::vector<std::pair<int, int>>& points, Colour colour);
    // Inverts every pixel of the rectangle (Win32 InvertRect); doing it twice restores them.
    void InvertRect(const PixelRect& rect);
    // A one-pixel outline just inside the rectangle (Win32 FrameRect).
    void FrameRect(const PixelRect& rect, Colour colour);
    // The dotted focus rectangle: every other pixel of the outline inverted (Win32
    // DrawFocusRect); drawing it twice restores the picture.
    void DrawFocusRect(const PixelRect& rect);
    // The form designer's grid: one dot at every logical point (x, y) inside rect where x and y
    // are multiples of step.
    void DrawDotGrid(const PixelRect& rect, int step, Colour colour);
    // Win32 DrawEdge for rectangles (BF_DIAGONAL is not supported). Returns what Win32 returns:
    // false for the mixed edge kinds (both outer or both inner bits) without BF_FLAT/BF_MONO, in
    // which case BF_MIDDLE does not fill. With BF_ADJUST, rect is shrunk by the edge's width on
    // each side named by the flags.
    bool DrawEdge(PixelRect& rect, unsigned edge, unsigned flags,
                  const EdgeColours& scheme = EdgeColours{});
    // Copies src (all of it) with its top-left pixel at logical (x, y); pixels equal to
    // transparent, when given, are left out.
    void Draw(int x, int y, const Surface& src, std::optional<Colour> transparent = std::nullopt);
    // Copies the part srcRect of src (in src's surface coordinates) to logical (x, y).
    void Draw(int x, int y, const Surface& src, const PixelRect& srcRect,
              std::optional<Colour> transparent = std::nullopt);

private:
    int FWidth = 0;
    int FHeight = 0;
    int FOriginX = 0;
    int FOriginY = 0;
    PixelRect FClip;
    std::vector<Colour> FPixels;

    void fillDevice(PixelRect deviceRect, Colour colour);
};

} // namespace host
