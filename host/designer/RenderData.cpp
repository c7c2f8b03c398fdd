// Painters of the grids, the data controls' own faces (DB grids, navigators, images) and the
// media player's buttons.
#include "host/designer/RenderParts.h"

#include "host/vcl/Graphics.h"

#include <algorithm>

namespace host::render {

namespace {

// Grid options by their bit (the order of TGridOption and TDBGridOption).
constexpr int64_t goFixedVertLine = 1 << 0, goFixedHorzLine = 1 << 1, goVertLine = 1 << 2,
                  goHorzLine = 1 << 3;
constexpr int64_t dgTitles = 1 << 2, dgIndicator = 1 << 3, dgColLines = 1 << 5, dgRowLines = 1 << 6;

struct GridShape {
    std::vector<int> ColWidths;
    int Rows = 0;
    int RowHeight = 0;
    int FixedCols = 0;
    int FixedRows = 0;
    bool FixedLines = true;
    bool VertLines = true;
    bool HorzLines = true;
    std::vector<std::string> Titles; // the first fixed row's texts, by column
};

// Cells from the top-left of inside, fixed ones as raised faces in FixedColor, the others in the
// grid's colour, separated by one-pixel lines; scroll bars when the cells do not fit.
void paintCells(Surface& s, TControl& c, const GridShape& g) {
    PixelRect inside = EditBox(s, c, Face(c));
    int64_t total = 0;
    for (int w : g.ColWidths)
        total += w + 1;
    const bool horizontal = total > inside.Width();
    const bool vertical = static_cast<int64_t>(g.Rows) * (g.RowHeight + 1) > inside.Height();
    if (vertical)
        ScrollBar(
            s, {inside.Right - 16, inside.Top, inside.Right, inside.Bottom - (horizontal ? 16 : 0)},
            true);
    if (horizontal)
        ScrollBar(
            s, {inside.Left, inside.Bottom - 16, inside.Right - (vertical ? 16 : 0), inside.Bottom},
            false);
    if (vertical && horizontal)
        s.FillRect({inside.Right - 16, inside.Bottom - 16, inside.Right, inside.Bottom},
                   colours::Silver);
    inside.Right -= vertical ? 16 : 0;
    inside.Bottom -= horizontal ? 16 : 0;

    const Colour fixed = Rgb(static_cast<TColor>(Ord(c, "FixedColor", clBtnFace)));
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(inside);
    int y = inside.Top;
    for (int row = 0; row < g.Rows && y < inside.Bottom; ++row) {
        int x = inside.Left;
        for (size_t col = 0; col < g.ColWidths.size() && x < inside.Right; ++col) {
            const int w = g.ColWidths[col];
            PixelRect cell{x, y, x + w, y + g.RowHeight};
            const bool isFixed = row < g.FixedRows || static_cast<int>(col) < g.FixedCols;
            if (isFixed) {
                s.FillRect(cell, fixed);
                s.DrawEdge(cell, BDR_RAISEDINNER, BF_RECT);
                if (row == 0 && col < g.Titles.size())
                    TextIn(s, {cell.Left + 2, cell.Top, cell.Right - 2, cell.Bottom}, g.Titles[col],
                           c.Font(), HAlign::Left, true);
            }
            const Colour line = isFixed ? colours::Black : colours::Silver;
            if (isFixed ? g.FixedLines : g.VertLines)
                s.VLine(cell.Right, cell.Top, cell.Bottom + 1, line);
            if (isFixed ? g.FixedLines : g.HorzLines)
                s.HLine(cell.Left, cell.Right + 1, cell.Bottom, line);
            x += w + 1;
        }
        y += g.RowHeight + 1;
    }
    s.RestoreState(keep);
}

int clampInt(int64_t v, int lo, int hi) {
    return static_cast<int>(std::clamp<int64_t>(v, lo, hi));
}

void paintGrid(Surface& s, TControl& c) {
    GridShape g;
    const int cols = clampInt(Ord(c, "ColCount", 5), 0, 256);
    g.ColWidths.assign(static_cast<size_t>(cols), clampInt(Ord(c, "DefaultColWidth", 64), 0, 4096));
    g.Rows = clampInt(Ord(c, "RowCount", 5), 0, 1024);
    g.RowHeight = clampInt(Ord(c, "DefaultRowHeight", 24), 1, 4096);
    g.FixedCols = clampInt(Ord(c, "FixedCols", 1), 0, cols);
    g.FixedRows = clampInt(Ord(c, "FixedRows", 1), 0, g.Rows);
    const int64_t options =
        Ord(c, "Options", goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine);
    g.FixedLines = (options & (goFixedVertLine | goFixedHorzLine)) != 0;
    g.VertLines = (options & goVertLine) != 0;
    g.HorzLines = (options & goHorzLine) != 0;
    paintCells(s, c, g);
}

// A data grid in the designer: its title row with the columns' captions (or, without columns,
// a few empty ones) and the indicator column, the rows empty.
void paintDBGrid(Surface& s, TControl& c) {
    const int64_t options = Ord(c, "Options", dgTitles | dgIndicator | dgColLines | dgRowLines);
    GridShape g;
    if (options & dgIndicator) {
        g.ColWidths.push_back(11);
        g.Titles.emplace_back();
        g.FixedCols = 1;
    }
    const std::vector<CollectionItem> columns = Items(c, "Columns");
    for (const CollectionItem& column : columns) {
        g.ColWidths.push_back(column.Width >= 0 ? column.Width : 64);
        g.Titles.push_back(column.Text);
    }
    if (columns.empty())
        g.ColWidths.resize(g.ColWidths.size() + 5, 64);
    g.FixedRows = (options & dgTitles) ? 1 : 0;
    g.RowHeight = 17;
    g.Rows = std::max(g.FixedRows, 1);
    g.VertLines = (options & dgColLines) != 0;
    g.HorzLines = (options & dgRowLines) != 0;
    paintCells(s, c, g);
}

// The glyph of a navigator or media player button, drawn in r.
void buttonGlyph(Surface& s, const PixelRect& r, std::string_view kind, Colour ink) {
    const int cx = r.Left + r.Width() / 2, cy = r.Top + r.Height() / 2;
    auto tri = [&](int x, bool right) {
        for (int i = 0; i < 4; ++i)
            s.VLine(right ? x + i : x + 3 - i, cy - 3 + i, cy + 4 - i, ink);
    };
    if (kind == "first" || kind == "prev") {
        s.VLine(cx - 3, cy - 3, cy + 4, ink);
        tri(cx - 1, false);
    } else if (kind == "prior" || kind == "back") {
        tri(cx - 2, false);
        if (kind == "back")
            tri(cx + 2, false);
    } else if (kind == "next" || kind == "play" || kind == "step") {
        tri(cx - 2, true);
        if (kind == "step")
            tri(cx + 2, true);
    } else if (kind == "last") {
        tri(cx - 3, true);
        s.VLine(cx + 2, cy - 3, cy + 4, ink);
    } else if (kind == "insert") {
        s.FillRect({cx - 4, cy - 1, cx + 5, cy + 1}, ink);
        s.FillRect({cx - 1, cy - 4, cx + 1, cy + 5}, ink);
    } else if (kind == "delete") {
        s.FillRect({cx - 4, cy - 1, cx + 5, cy + 1}, ink);
    } else if (kind == "edit" || kind == "eject") {
        for (int i = 0; i < 4; ++i)
            s.HLine(cx - i, cx + i + 1, cy - 3 + i, ink);
        if (kind == "eject")
            s.HLine(cx - 3, cx + 4, cy + 3, ink);
    } else if (kind == "post") {
        for (int i = 0; i < 7; ++i) {
            const int y = i < 3 ? cy + i - 1 : cy + 1 - (i - 2);
            s.VLine(cx - 3 + i, y, y + 2, ink);
        }
    } else if (kind == "cancel") {
        for (int i = 0; i < 7; ++i) {
            s.SetPixel(cx - 3 + i, cy - 3 + i, ink);
            s.SetPixel(cx + 3 - i, cy - 3 + i, ink);
        }
    } else if (kind == "refresh") {
        s.FrameRect({cx - 3, cy - 3, cx + 4, cy + 4}, ink);
        s.SetPixel(cx + 3, cy - 3, colours::Silver);
    } else if (kind == "pause") {
        s.FillRect({cx - 3, cy - 3, cx - 1, cy + 4}, ink);
        s.FillRect({cx + 1, cy - 3, cx + 3, cy + 4}, ink);
    } else if (kind == "stop") {
        s.FillRect({cx - 3, cy - 3, cx + 4, cy + 4}, ink);
    } else if (kind == "record") {
        s.FillRect({cx - 2, cy - 3, cx + 3, cy + 4}, ink);
        s.FillRect({cx - 3, cy - 2, cx + 4, cy + 3}, ink);
    }
}

// A row of buttons, one for each bit of a set property that is on, side by side across the
// control, each with its glyph.
void paintButtonRow(Surface& s, TControl& c, std::string_view setName,
                    const std::vector<std::string_view>& kinds, int64_t all, bool coloured) {
    const int64_t visible = Ord(c, setName, all);
    std::vector<std::string_view> shown;
    for (size_t i = 0; i < kinds.size(); ++i)
        if (visible & (int64_t(1) << i))
            shown.push_back(kinds[i]);
    s.FillRect(Whole(c), Face(c));
    if (shown.empty())
        return;
    const int n = static_cast<int>(shown.size());
    for (int i = 0; i < n; ++i) {
        const PixelRect r{i * c.Width() / n, 0, (i + 1) * c.Width() / n, c.Height()};
        ButtonFace(s, r);
        const Colour ink = !coloured                                   ? colours::Black
                           : shown[static_cast<size_t>(i)] == "record" ? colours::Red
                           : shown[static_cast<size_t>(i)] == "play"   ? colours::Green
                                                                       : colours::Navy;
        buttonGlyph(s, r, shown[static_cast<size_t>(i)], ink);
    }
}

void paintNavigator(Surface& s, TControl& c) {
    paintButtonRow(
        s, c, "VisibleButtons",
        {"first", "prior", "next", "last", "insert", "delete", "edit", "post", "cancel", "refresh"},
        0x3FF, false);
}

void paintMediaPlayer(Surface& s, TControl& c) {
    paintButtonRow(s, c, "VisibleButtons",
                   {"play", "pause", "stop", "next", "prev", "step", "back", "record", "eject"},
                   0x1FF, true);
}

void paintDBImage(Surface& s, TControl& c) {
    EditBox(s, c, Face(c));
}

const PainterRow kRows[] = {
    {"TCustomGrid", paintGrid},       {"TDBGrid", paintDBGrid},
    {"TDBNavigator", paintNavigator}, {"TMediaPlayer", paintMediaPlayer},
    {"TDBImage", paintDBImage},
};

} // namespace

std::span<const PainterRow> DataPainters() {
    return kRows;
}

} // namespace host::render
