#include "host/win32/Surface.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace host {

PixelRect PixelRect::Intersect(const PixelRect& other) const {
    PixelRect r{std::max(Left, other.Left), std::max(Top, other.Top), std::min(Right, other.Right),
                std::min(Bottom, other.Bottom)};
    if (r.IsEmpty())
        return {};
    return r;
}

Surface::Surface(int width, int height, Colour fill)
    : FWidth(std::max(width, 0)), FHeight(std::max(height, 0)), FClip{0, 0, FWidth, FHeight},
      FPixels(static_cast<size_t>(FWidth) * static_cast<size_t>(FHeight), fill) {}

Colour Surface::RawPixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= FWidth || y >= FHeight)
        return ColourInvalid;
    return FPixels[static_cast<size_t>(y) * FWidth + x];
}

void Surface::RestoreState(const State& state) {
    FOriginX = state.OriginX;
    FOriginY = state.OriginY;
    SetClipRect(state.Clip);
}

void Surface::SetOrigin(int x, int y) {
    FOriginX = x;
    FOriginY = y;
}

void Surface::SetClipRect(const PixelRect& deviceRect) {
    FClip = deviceRect.Intersect({0, 0, FWidth, FHeight});
}

void Surface::IntersectClipRect(const PixelRect& logicalRect) {
    FClip = FClip.Intersect(logicalRect.Offset(FOriginX, FOriginY));
}

void Surface::ResetClip() {
    FClip = {0, 0, FWidth, FHeight};
}

void Surface::SetPixel(int x, int y, Colour colour) {
    x += FOriginX;
    y += FOriginY;
    if (FClip.Contains(x, y))
        FPixels[static_cast<size_t>(y) * FWidth + x] = colour;
}

Colour Surface::GetPixel(int x, int y) const {
    x += FOriginX;
    y += FOriginY;
    if (!FClip.Contains(x, y))
        return ColourInvalid;
    return FPixels[static_cast<size_t>(y) * FWidth + x];
}

void Surface::fillDevice(PixelRect r, Colour colour) {
    r = r.Intersect(FClip);
    for (int y = r.Top; y < r.Bottom; ++y) {
        Colour* row = FPixels.data() + static_cast<size_t>(y) * FWidth;
        std::fill(row + r.Left, row + r.Right, colour);
    }
}

void Surface::Clear(Colour colour) {
    fillDevice(FClip, colour);
}

void Surface::FillRect(const PixelRect& rect, Colour colour) {
    fillDevice(rect.Offset(FOriginX, FOriginY), colour);
}

void Surface::HLine(int x1, int x2, int y, Colour colour) {
    FillRect({x1, y, x2, y + 1}, colour);
}

void Surface::VLine(int x, int y1, int y2, Colour colour) {
    FillRect({x, y1, x + 1, y2}, colour);
}

void Surface::Line(int x1, int y1, int x2, int y2, Colour colour) {
    const int dx = std::abs(x2 - x1), sx = x1 < x2 ? 1 : -1;
    const int dy = -std::abs(y2 - y1), sy = y1 < y2 ? 1 : -1;
    int err = dx + dy;
    while (x1 != x2 || y1 != y2) {
        SetPixel(x1, y1, colour);
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x1 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y1 += sy;
        }
    }
}

void Surface::FillPolygon(const std::vector<std::pair<int, int>>& points, Colour colour) {
    if (points.size() < 3)
        return;
    int top = points[0].second, bottom = top;
    for (const auto& p : points) {
        top = std::min(top, p.second);
        bottom = std::max(bottom, p.second);
    }
    const PixelRect clip = LogicalClipRect();
    top = std::max(top, clip.Top);
    bottom = std::min(bottom, clip.Bottom);
    std::vector<double> crossings;
    for (int y = top; y < bottom; ++y) {
        // Sample each row at the pixel centres: an edge counts when it spans y + 0.5.
        const double cy = y + 0.5;
        crossings.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const auto& [ax, ay] = points[i];
            const auto& [bx, by] = points[(i + 1) % points.size()];
            if ((ay <= cy) == (by <= cy))
                continue;
            crossings.push_back(ax + (cy - ay) * (double(bx) - ax) / (double(by) - ay));
        }
        std::sort(crossings.begin(), crossings.end());
        for (size_t i = 0; i + 1 < crossings.size(); i += 2) {
            // Pixel x is in when its centre x + 0.5 lies in [left, right). Cut to the clip
            // before converting, so far-away points cannot overflow an int.
            auto column = [&](double edge) {
                const double c = std::ceil(edge - 0.5);
                return static_cast<int>(std::clamp(c, clip.Left - 1.0, clip.Right + 1.0));
            };
            HLine(column(crossings[i]), column(crossings[i + 1]), y, colour);
        }
    }
}

void Surface::InvertRect(const PixelRect& rect) {
    const PixelRect r = rect.Offset(FOriginX, FOriginY).Intersect(FClip);
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            FPixels[static_cast<size_t>(y) * FWidth + x] ^= 0xFFFFFF;
}

void Surface::FrameRect(const PixelRect& r, Colour colour) {
    if (r.IsEmpty())
        return;
    HLine(r.Left, r.Right, r.Top, colour);
    HLine(r.Left, r.Right, r.Bottom - 1, colour);
    VLine(r.Left, r.Top, r.Bottom, colour);
    VLine(r.Right - 1, r.Top, r.Bottom, colour);
}

void Surface::DrawFocusRect(const PixelRect& r) {
    if (r.IsEmpty())
        return;
    // The pattern is anchored to the logical grid: a pixel is inverted when x + y is even, and
    // each outline pixel is visited once even where the sides meet.
    auto invert = [&](int x, int y) {
        if (((x + y) & 1) != 0)
            return;
        Colour c = GetPixel(x, y);
        if (c != ColourInvalid)
            SetPixel(x, y, c ^ 0xFFFFFF);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        invert(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            invert(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        invert(r.Left, y);
        if (r.Right - 1 > r.Left)
            invert(r.Right - 1, y);
    }
}

void Surface::DrawDotGrid(const PixelRect& rect, int step, Colour colour) {
    if (step <= 0)
        return;
    PixelRect r = rect.Intersect(LogicalClipRect());
    if (r.IsEmpty())
        return;
    auto firstMultiple = [step](int v) {
        int m = v % step;
        return m == 0 ? v : (m > 0 ? v + step - m : v - m);
    };
    for (int y = firstMultiple(r.Top); y < r.Bottom; y += step)
        for (int x = firstMultiple(r.Left); x < r.Right; x += step)
            SetPixel(x, y, colour);
}

namespace {

// Which system colour draws each of the four lines of an edge, indexed by the edge kind's four
// bits (outer kind in bits 0-1, inner kind in bits 2-3). These are the colour choices of the
// Windows 95 DrawEdge as documented by the public reimplementations of it.
enum Sys : signed char { None = -1, Face, Highlight, Shadow, DarkShadow, Light, Window, Frame };

// Each table is laid out as four rows (the inner kind: none, raised, sunken, both) of four
// columns (the outer kind: none, raised, sunken, both).
// clang-format off
constexpr Sys LTInnerNormal[16] = {
    None,        None,        None,        None,
    None,        Highlight,   Highlight,   None,
    None,        DarkShadow,  DarkShadow,  None,
    None,        None,        None,        None,
};
constexpr Sys LTOuterNormal[16] = {
    None,        Light,       Shadow,      None,
    Highlight,   Light,       Shadow,      None,
    DarkShadow,  Light,       Shadow,      None,
    None,        Light,       Shadow,      None,
};
constexpr Sys RBInnerNormal[16] = {
    None,        None,        None,        None,
    None,        Shadow,      Shadow,      None,
    None,        Light,       Light,       None,
    None,        None,        None,        None,
};
constexpr Sys RBOuterNormal[16] = {
    None,        DarkShadow,  Highlight,   None,
    Shadow,      DarkShadow,  Highlight,   None,
    Light,       DarkShadow,  Highlight,   None,
    None,        DarkShadow,  Highlight,   None,
};
constexpr Sys LTInnerSoft[16] = {
    None,        None,        None,        None,
    None,        Light,       Light,       None,
    None,        Shadow,      Shadow,      None,
    None,        None,        None,        None,
};
constexpr Sys LTOuterSoft[16] = {
    None,        Highlight,   DarkShadow,  None,
    Light,       Highlight,   DarkShadow,  None,
    Shadow,      Highlight,   DarkShadow,  None,
    None,        Highlight,   DarkShadow,  None,
};
constexpr Sys OuterMono[16] = {
    None,        Frame,       Frame,       Frame,
    Window,      Frame,       Frame,       Frame,
    Window,      Frame,       Frame,       Frame,
    Window,      Frame,       Frame,       Frame,
};
constexpr Sys InnerMono[16] = {
    None,        None,        None,        None,
    None,        Window,      Window,      Window,
    None,        Window,      Window,      Window,
    None,        Window,      Window,      Window,
};
constexpr Sys OuterFlat[16] = {
    None,        Shadow,      Shadow,      Shadow,
    Face,        Shadow,      Shadow,      Shadow,
    Face,        Shadow,      Shadow,      Shadow,
    Face,        Shadow,      Shadow,      Shadow,
};
// clang-format on

Colour sysColour(Sys s, const EdgeColours& c) {
    switch (s) {
    case Face:
        return c.Face;
    case Highlight:
        return c.Highlight;
    case Shadow:
        return c.Shadow;
    case DarkShadow:
        return c.DarkShadow;
    case Light:
        return c.Light;
    case Window:
        return c.Window;
    case Frame:
        return c.WindowFrame;
    case None:
        break;
    }
    return ColourInvalid;
}

} // namespace

bool Surface::DrawEdge(PixelRect& rc, unsigned edge, unsigned flags, const EdgeColours& scheme) {
    const unsigned kind = edge & (BDR_INNER | BDR_OUTER);
    const bool result = !(((edge & BDR_INNER) == BDR_INNER || (edge & BDR_OUTER) == BDR_OUTER) &&
                          (flags & (BF_FLAT | BF_MONO)) == 0);
    Sys ltInner, ltOuter, rbInner, rbOuter;
    if (flags & BF_MONO) {
        ltInner = rbInner = InnerMono[kind];
        ltOuter = rbOuter = OuterMono[kind];
    } else if (flags & BF_FLAT) {
        ltOuter = rbOuter = OuterFlat[kind];
        ltInner = rbInner = InnerMono[kind] != None ? Face : None;
    } else if (flags & BF_SOFT) {
        ltInner = LTInnerSoft[kind];
        ltOuter = LTOuterSoft[kind];
        rbInner = RBInnerNormal[kind];
        rbOuter = RBOuterNormal[kind];
    } else {
        ltInner = LTInnerNormal[kind];
        ltOuter = LTOuterNormal[kind];
        rbInner = RBInnerNormal[kind];
        rbOuter = RBOuterNormal[kind];
    }
    const int lbPlus = (flags & BF_BOTTOMLEFT) == BF_BOTTOMLEFT ? 1 : 0;
    const int rtPlus = (flags & BF_TOPRIGHT) == BF_TOPRIGHT ? 1 : 0;
    const int rbPlus = (flags & BF_BOTTOMRIGHT) == BF_BOTTOMRIGHT ? 1 : 0;
    const int ltPlus = (flags & BF_TOPLEFT) == BF_TOPLEFT ? 1 : 0;

    // Lines follow MoveTo/LineTo: the end point is not drawn. The right and bottom lines are
    // drawn from the bottom-right corner towards the left and the top, after the top and left
    // ones, so the two far corners take the bottom-right colour.
    auto hline = [&](Sys s, int from, int to, int y) {
        if (s == None)
            return;
        if (from <= to)
            HLine(from, to, y, sysColour(s, scheme));
        else
            HLine(to + 1, from + 1, y, sysColour(s, scheme));
    };
    auto vline = [&](Sys s, int x, int from, int to) {
        if (s == None)
            return;
        if (from <= to)
            VLine(x, from, to, sysColour(s, scheme));
        else
            VLine(x, to + 1, from + 1, sysColour(s, scheme));
    };
    const PixelRect r = rc;
    if (flags & BF_TOP)
        hline(ltOuter, r.Left, r.Right, r.Top);
    if (flags & BF_LEFT)
        vline(ltOuter, r.Left, r.Top, r.Bottom);
    if (flags & BF_BOTTOM)
        hline(rbOuter, r.Right - 1, r.Left - 1, r.Bottom - 1);
    if (flags & BF_RIGHT)
        vline(rbOuter, r.Right - 1, r.Bottom - 1, r.Top - 1);

    if (flags & BF_TOP)
        hline(ltInner, r.Left + ltPlus, r.Right - rtPlus, r.Top + 1);
    if (flags & BF_LEFT)
        vline(ltInner, r.Left + 1, r.Top + ltPlus, r.Bottom - lbPlus);
    if (flags & BF_BOTTOM)
        hline(rbInner, r.Right - 1 - rbPlus, r.Left - 1 + lbPlus, r.Bottom - 2);
    if (flags & BF_RIGHT)
        vline(rbInner, r.Right - 2, r.Bottom - 1 - rbPlus, r.Top - 1 + rtPlus);

    if (((flags & BF_MIDDLE) && result) || (flags & BF_ADJUST)) {
        const int add = (InnerMono[kind] != None ? 1 : 0) + (OuterMono[kind] != None ? 1 : 0);
        PixelRect inner = r;
        if (flags & BF_LEFT)
            inner.Left += add;
        if (flags & BF_RIGHT)
            inner.Right -= add;
        if (flags & BF_TOP)
            inner.Top += add;
        if (flags & BF_BOTTOM)
            inner.Bottom -= add;
        if ((flags & BF_MIDDLE) && result)
            FillRect(inner, (flags & BF_MONO) ? scheme.Window : scheme.Face);
        if (flags & BF_ADJUST)
            rc = inner;
    }
    return result;
}

void Surface::Draw(int x, int y, const Surface& src, std::optional<Colour> transparent) {
    Draw(x, y, src, PixelRect{0, 0, src.Width(), src.Height()}, transparent);
}

void Surface::Draw(int x, int y, const Surface& src, const PixelRect& srcRect,
                   std::optional<Colour> transparent) {
    const PixelRect s = srcRect.Intersect({0, 0, src.Width(), src.Height()});
    if (s.IsEmpty())
        return;
    // Where the (cut) source lands on this surface, in surface coordinates.
    const int dx = x + FOriginX + (s.Left - srcRect.Left);
    const int dy = y + FOriginY + (s.Top - srcRect.Top);
    const PixelRect dst = PixelRect{dx, dy, dx + s.Width(), dy + s.Height()}.Intersect(FClip);
    for (int ty = dst.Top; ty < dst.Bottom; ++ty) {
        const int sy = s.Top + (ty - dy);
        const Colour* from = src.FPixels.data() + static_cast<size_t>(sy) * src.FWidth;
        Colour* to = FPixels.data() + static_cast<size_t>(ty) * FWidth;
        for (int tx = dst.Left; tx < dst.Right; ++tx) {
            const Colour c = from[s.Left + (tx - dx)];
            if (!transparent || c != *transparent)
                to[tx] = c;
        }
    }
}

} // namespace host
