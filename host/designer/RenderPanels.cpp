// The designer's panels: the component palette, the property panel, the status line and hints.
#include "host/designer/Panels.h"

#include "host/designer/Renderer.h"
#include "host/win32/Font.h"

#include <algorithm>

namespace host {

namespace {

constexpr Colour kHighlight = 0x000080;
constexpr Colour kHintFill = 0xFFFFE1;
constexpr int kTabHeight = 20;
constexpr int kButton = 28;
constexpr int kTitleHeight = 20;

const BitmapFont& font() {
    return BitmapFont::SansSerif();
}

// Text drawn within a rectangle, cut at its right edge.
void clippedText(Surface& s, const PixelRect& r, int x, int y, const std::string& text,
                 Colour colour, const BitmapFont& f = font()) {
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(r);
    f.DrawText(s, x, y, text, colour);
    s.RestoreState(keep);
}

} // namespace

// ---------------------------------------------------------------- palette

PaletteLayout LayoutPalette(const PaletteView& view, const PixelRect& bounds) {
    PaletteLayout layout;
    int x = bounds.Left + 4;
    const int top = bounds.Top + 4;
    for (const std::string& page : view.Pages) {
        const int w = font().TextWidth(page) + 16;
        layout.Tabs.push_back({x, top, x + w, top + kTabHeight});
        x += w;
    }
    int bx = bounds.Left + 6;
    const int by = top + kTabHeight + 4;
    for (size_t i = 0; i < view.Classes.size(); ++i) {
        layout.Buttons.push_back({bx, by, bx + kButton, by + kButton});
        bx += kButton + 1;
    }
    return layout;
}

void PaintPalette(Surface& s, const PaletteView& view, const PixelRect& bounds) {
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(bounds);
    s.FillRect(bounds, colours::Silver);
    const PaletteLayout layout = LayoutPalette(view, bounds);
    // The page under the tabs: a raised panel holding the buttons.
    PixelRect page{bounds.Left + 2, bounds.Top + 4 + kTabHeight, bounds.Right - 2,
                   bounds.Bottom - 2};
    s.DrawEdge(page, EDGE_RAISED, BF_RECT);
    for (size_t i = 0; i < layout.Tabs.size(); ++i) {
        const bool active = i == view.ActivePage;
        PixelRect tab = layout.Tabs[i];
        if (active)
            tab = {tab.Left - 2, tab.Top - 2, tab.Right + 2, tab.Bottom + 1};
        s.FillRect(tab, colours::Silver);
        s.DrawEdge(tab, EDGE_RAISED, BF_LEFT | BF_TOP | BF_RIGHT);
        const int w = font().TextWidth(view.Pages[i]);
        font().DrawText(s, tab.Left + (tab.Width() - w) / 2, tab.Top + 3, view.Pages[i],
                        colours::Black);
    }
    for (size_t i = 0; i < layout.Buttons.size(); ++i) {
        PixelRect r = layout.Buttons[i];
        const bool armed = static_cast<int>(i) == view.Armed;
        const bool hot = static_cast<int>(i) == view.Hot;
        if (armed) {
            // Down: the checked face of a button that stays down.
            for (int y = r.Top; y < r.Bottom; ++y)
                for (int x = r.Left; x < r.Right; ++x)
                    s.SetPixel(x, y, (x + y) % 2 ? colours::White : colours::Silver);
            s.DrawEdge(r, EDGE_SUNKEN, BF_RECT);
        } else if (hot) {
            s.DrawEdge(r, BDR_RAISEDINNER, BF_RECT);
        }
        Surface picture = PalettePictureOf(view.Classes[i]);
        const int shift = armed ? 1 : 0;
        s.Draw(r.Left + (kButton - picture.Width()) / 2 + shift,
               r.Top + (kButton - picture.Height()) / 2 + shift, picture,
               picture.RawPixel(0, picture.Height() - 1));
    }
    s.RestoreState(keep);
}

// ---------------------------------------------------------------- property panel

InspectorLayout LayoutInspector(const InspectorView& view, const PixelRect& bounds) {
    InspectorLayout layout;
    layout.Title = {bounds.Left + 2, bounds.Top + 2, bounds.Right - 2, bounds.Top + kTitleHeight};
    layout.NameWidth = std::max(60, (bounds.Width() - 4) * 2 / 5);
    const int top = layout.Title.Bottom + 2;
    layout.VisibleRows = std::max(0, (bounds.Bottom - 2 - top) / InspectorRowHeight);
    const int left = bounds.Left + 2, right = bounds.Right - 2;
    for (int i = 0; i < static_cast<int>(view.Rows.size()); ++i) {
        const int shown = i - view.Top;
        if (shown < 0 || shown >= layout.VisibleRows) {
            layout.Rows.push_back({});
            layout.Values.push_back({});
            continue;
        }
        const int y = top + shown * InspectorRowHeight;
        layout.Rows.push_back({left, y, right, y + InspectorRowHeight});
        layout.Values.push_back({left + layout.NameWidth + 1, y, right, y + InspectorRowHeight});
    }
    if (!view.Choices.empty() && view.Selected >= 0 &&
        view.Selected < static_cast<int>(layout.Values.size()) &&
        !layout.Values[static_cast<size_t>(view.Selected)].IsEmpty()) {
        const PixelRect& value = layout.Values[static_cast<size_t>(view.Selected)];
        const int h = static_cast<int>(view.Choices.size()) * InspectorRowHeight + 2;
        int y = value.Bottom;
        if (y + h > bounds.Bottom && value.Top - h >= bounds.Top)
            y = value.Top - h;
        layout.List = {value.Left, y, value.Right, y + h};
        for (size_t i = 0; i < view.Choices.size(); ++i) {
            const int iy = y + 1 + static_cast<int>(i) * InspectorRowHeight;
            layout.ListItems.push_back(
                {value.Left + 1, iy, value.Right - 1, iy + InspectorRowHeight});
        }
    }
    return layout;
}

void PaintInspector(Surface& s, const InspectorView& view, const PixelRect& bounds) {
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(bounds);
    s.FillRect(bounds, colours::Silver);
    const InspectorLayout layout = LayoutInspector(view, bounds);
    PixelRect title = layout.Title;
    s.DrawEdge(title, EDGE_SUNKEN, BF_RECT);
    clippedText(s, {title.Left + 2, title.Top, title.Right - 2, title.Bottom}, title.Left + 4,
                title.Top + 3, view.Title, colours::Black, BitmapFont::SansSerifBold());
    for (size_t i = 0; i < view.Rows.size(); ++i) {
        const PixelRect& r = layout.Rows[i];
        if (r.IsEmpty())
            continue;
        const InspectorRow& row = view.Rows[i];
        const bool selected = static_cast<int>(i) == view.Selected;
        const PixelRect name{r.Left, r.Top, r.Left + layout.NameWidth, r.Bottom};
        const PixelRect& value = layout.Values[i];
        s.FillRect(value, colours::White);
        if (selected) {
            s.FillRect({name.Left, name.Top, name.Right, name.Bottom - 1}, kHighlight);
        }
        clippedText(s, name, name.Left + 4 + row.Depth * 10, r.Top + 1, row.Name,
                    selected ? colours::White : colours::Black);
        // Dotted lines between the rows and between the columns, as the inspector draws them.
        for (int x = r.Left; x < r.Right; x += 2)
            s.SetPixel(x, r.Bottom - 1, colours::Gray);
        s.VLine(name.Right, r.Top, r.Bottom, colours::Gray);
        if (selected && view.Editing) {
            PixelRect edit{value.Left, value.Top, value.Right, value.Bottom - 1};
            s.FrameRect(edit, colours::Black);
            Surface::State inner = s.SaveState();
            s.IntersectClipRect({edit.Left + 1, edit.Top + 1, edit.Right - 1, edit.Bottom - 1});
            const int end =
                font().DrawText(s, value.Left + 3, r.Top + 1, *view.Editing, colours::Black);
            s.VLine(end, r.Top + 1, r.Top + 14, colours::Black);
            s.RestoreState(inner);
        } else {
            clippedText(s, value, value.Left + 3, r.Top + 1, row.Value,
                        row.ReadOnly ? colours::Gray : colours::Navy);
            if (selected && !row.ReadOnly) {
                // The button that opens the list of values or starts editing.
                PixelRect button{value.Right - 15, value.Top, value.Right, value.Bottom - 1};
                s.FillRect(button, colours::Silver);
                s.DrawEdge(button, EDGE_RAISED, BF_RECT);
                const int cx = button.Left + 7, cy = button.Top + 6;
                for (int k = 0; k < 4; ++k)
                    s.HLine(cx - 3 + k, cx + 4 - k, cy + k, colours::Black);
            }
        }
    }
    if (!layout.List.IsEmpty()) {
        s.FillRect(layout.List, colours::White);
        s.FrameRect(layout.List, colours::Black);
        for (size_t i = 0; i < layout.ListItems.size(); ++i) {
            const PixelRect& item = layout.ListItems[i];
            const bool hot = static_cast<int>(i) == view.ChoiceHot;
            if (hot)
                s.FillRect(item, kHighlight);
            clippedText(s, item, item.Left + 3, item.Top + 1, view.Choices[i],
                        hot ? colours::White : colours::Black);
        }
    }
    s.RestoreState(keep);
}

// ---------------------------------------------------------------- status line and hints

void PaintStatusLine(Surface& s, const std::string& text, const PixelRect& bounds) {
    s.FillRect(bounds, colours::Silver);
    PixelRect panel{bounds.Left + 2, bounds.Top + 2, bounds.Right - 2, bounds.Bottom - 1};
    s.DrawEdge(panel, BDR_SUNKENOUTER, BF_RECT);
    clippedText(s, {panel.Left + 1, panel.Top, panel.Right - 1, panel.Bottom}, panel.Left + 4,
                panel.Top + (panel.Height() - font().TextHeight()) / 2, text, colours::Black);
}

void PaintHint(Surface& s, const std::string& text, TPoint at, const PixelRect& bounds) {
    const int w = font().TextWidth(text) + 6;
    const int h = font().TextHeight() + 4;
    int x = std::min(at.X, bounds.Right - w);
    int y = std::min(at.Y, bounds.Bottom - h);
    x = std::max(x, bounds.Left);
    y = std::max(y, bounds.Top);
    const PixelRect r{x, y, x + w, y + h};
    s.FillRect(r, kHintFill);
    s.FrameRect(r, colours::Black);
    font().DrawText(s, x + 3, y + 2, text, colours::Black);
}

} // namespace host
