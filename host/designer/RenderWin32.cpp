// Painters of the Win32 page's controls: tabs and pages, bars, views and the small common
// controls.
#include "host/designer/RenderParts.h"

#include "host/rtl/TypInfo.h"
#include "host/vcl/Graphics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace host::render {

namespace {

constexpr int kTabHeight = 20;

bool isTabSheet(const TControl& c) {
    for (const TClass* cls = c.ClassType(); cls; cls = cls->ClassParent())
        if (cls->ClassName() == "TTabSheet")
            return true;
    return false;
}

// The sheets of a page control that have a tab, in order, and the index of the active one.
std::vector<TControl*> tabbedSheets(const TControl& pageControl) {
    std::vector<TControl*> sheets;
    if (auto* parent = dynamic_cast<const TWinControl*>(&pageControl))
        for (int i = 0; i < parent->ControlCount(); ++i)
            if (TControl* c = parent->Controls(i); isTabSheet(*c) && Flag(*c, "TabVisible", true))
                sheets.push_back(c);
    return sheets;
}

void paintPageControl(Surface& s, TControl& c) {
    const std::vector<TControl*> sheets = tabbedSheets(c);
    std::vector<std::string> captions;
    int selected = sheets.empty() ? -1 : 0;
    TObject* active = Obj(c, "ActivePage");
    for (size_t i = 0; i < sheets.size(); ++i) {
        captions.push_back(sheets[i]->Caption());
        if (sheets[i] == active)
            selected = static_cast<int>(i);
    }
    PaintTabs(s, c, captions, selected);
}

void paintTabControl(Surface& s, TControl& c) {
    PaintTabs(s, c, Lines(c, "Tabs"), static_cast<int>(Ord(c, "TabIndex", -1)));
}

void paintTabSheet(Surface& s, TControl& c) {
    s.FillRect(Whole(c), Face(c));
}

void paintStatusBar(Surface& s, TControl& c) {
    const int w = c.Width(), h = c.Height();
    s.FillRect(Whole(c), Face(c));
    const bool grip = Flag(c, "SizeGrip", true);
    constexpr int gripSize = 12;
    if (Flag(c, "SimplePanel")) {
        PixelRect panel{0, 2, w - gripSize - 2, h};
        s.DrawEdge(panel, BDR_SUNKENOUTER, BF_RECT);
        Text(s, panel.Left + 3, panel.Top + (panel.Height() - kTextHeight) / 2,
             Str(c, "SimpleText"), c.Font());
    } else {
        const std::vector<CollectionItem> panels = Items(c, "Panels");
        int x = 0;
        for (size_t i = 0; i < panels.size(); ++i) {
            const bool last = i + 1 == panels.size();
            const int right = last ? std::max(x, w - (grip ? gripSize + 2 : 0))
                                   : x + std::max(0, panels[i].Width < 0 ? 50 : panels[i].Width);
            PixelRect panel{x, 2, right, h};
            s.DrawEdge(panel, BDR_SUNKENOUTER, BF_RECT);
            TextIn(s, {panel.Left + 3, panel.Top, panel.Right - 2, panel.Bottom}, panels[i].Text,
                   c.Font(), HAlign::Left, true);
            x = right + 2;
        }
    }
    if (!grip)
        return;
    // The size grip: three pairs of diagonal lines, highlight above shadow.
    for (int i = 0; i < 3; ++i) {
        const int d = 4 * i + 1;
        for (int k = 0; k < 2; ++k)
            s.Line(w - 1, h - 1 - d - k, w - 1 - d - k, h - 1, colours::Gray);
        s.Line(w - 1, h - 1 - d - 2, w - 1 - d - 2, h - 1, colours::White);
    }
}

void paintToolBar(Surface& s, TControl& c) {
    s.FillRect(Whole(c), Face(c));
    // EdgeBorders, a set: bit 0 ebLeft, 1 ebTop, 2 ebRight, 3 ebBottom; each an etched line.
    const int64_t edges = Ord(c, "EdgeBorders", 2);
    const int w = c.Width(), h = c.Height();
    if (edges & 1) {
        s.VLine(0, 0, h, colours::Gray);
        s.VLine(1, 0, h, colours::White);
    }
    if (edges & 2) {
        s.HLine(0, w, 0, colours::Gray);
        s.HLine(0, w, 1, colours::White);
    }
    if (edges & 4) {
        s.VLine(w - 2, 0, h, colours::Gray);
        s.VLine(w - 1, 0, h, colours::White);
    }
    if (edges & 8) {
        s.HLine(0, w, h - 2, colours::Gray);
        s.HLine(0, w, h - 1, colours::White);
    }
}

void paintToolButton(Surface& s, TControl& c) {
    const std::string style = EnumName(c, "Style");
    s.FillRect(Whole(c), Face(c));
    if (style == "tbsSeparator" || style == "tbsDivider") {
        const int x = c.Width() / 2 - 1;
        s.VLine(x, 2, c.Height() - 2, colours::Gray);
        s.VLine(x + 1, 2, c.Height() - 2, colours::White);
        return;
    }
    const bool down = Flag(c, "Down");
    // Tool bars of the era are flat: a button shows its edge only while down; in the designer
    // every button shows a thin raised frame so that it can be seen.
    PixelRect r = Whole(c);
    s.DrawEdge(r, down ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    if (style == "tbsDropDown") {
        s.VLine(c.Width() - 13, 2, c.Height() - 2, colours::Gray);
        Arrow(s, {c.Width() - 12, 0, c.Width(), c.Height()}, Dir::Down);
    }
    if (!c.Caption().empty() && c.Parent() && Flag(*c.Parent(), "ShowCaptions"))
        TextIn(s, {2, c.Height() - kTextHeight - 2, c.Width() - 2, c.Height() - 2}, c.Caption(),
               c.Font(), HAlign::Centre, false, c.Enabled(), true);
    else
        s.FrameRect({c.Width() / 2 - 5, c.Height() / 2 - 5, c.Width() / 2 + 5, c.Height() / 2 + 5},
                    colours::Gray); // where its image goes
}

void paintCoolBar(Surface& s, TControl& c) {
    PixelRect r = Whole(c);
    s.FillRect(r, Face(c));
    s.DrawEdge(r, EDGE_ETCHED, BF_RECT);
}

void paintTrackBar(Surface& s, TControl& c) {
    s.FillRect(Whole(c), Face(c));
    const bool vertical = EnumName(c, "Orientation") == "trVertical";
    const int length = vertical ? c.Height() : c.Width();
    const int64_t lo = Ord(c, "Min", 0), hi = Ord(c, "Max", 10);
    const int64_t pos = std::clamp(Ord(c, "Position", 0), std::min(lo, hi), std::max(lo, hi));
    const int start = 12, end = length - 12;
    // The channel, sunken, and the thumb: a raised block pointing at the tick marks.
    PixelRect channel =
        vertical ? PixelRect{8, start - 4, 12, end + 4} : PixelRect{start - 4, 8, end + 4, 12};
    s.DrawEdge(channel, EDGE_SUNKEN, BF_RECT);
    const int at =
        hi > lo ? start + static_cast<int>((pos - lo) * (end - start) / (hi - lo)) : start;
    PixelRect thumb =
        vertical ? PixelRect{2, at - 5, 20, at + 6} : PixelRect{at - 5, 2, at + 6, 20};
    ButtonFace(s, thumb);
    // Tick marks below (or beside) the channel, one every Frequency steps.
    const int64_t frequency = std::max<int64_t>(1, Ord(c, "Frequency", 1));
    const int64_t ticks = hi > lo ? std::min<int64_t>((hi - lo) / frequency, 200) : 0;
    for (int64_t i = 0; i <= ticks; ++i) {
        const int t = start + static_cast<int>(ticks ? i * (end - start) / ticks : 0);
        if (vertical)
            s.HLine(23, 26, t, colours::Black);
        else
            s.VLine(t, 23, 26, colours::Black);
    }
}

void paintProgressBar(Surface& s, TControl& c) {
    PixelRect r = Whole(c);
    s.FillRect(r, colours::Silver);
    s.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
    const int64_t lo = Ord(c, "Min", 0), hi = Ord(c, "Max", 100);
    const int64_t pos = std::clamp(Ord(c, "Position", 0), std::min(lo, hi), std::max(lo, hi));
    if (hi <= lo)
        return;
    const bool vertical = EnumName(c, "Orientation") == "pbVertical";
    const int length = vertical ? r.Height() : r.Width();
    const int filled = static_cast<int>((pos - lo) * length / (hi - lo));
    // Blocks of the highlight colour, as the era's progress bars fill.
    const int block = vertical ? std::max(2, r.Width() * 2 / 3) : std::max(2, r.Height() * 2 / 3);
    for (int at = 1; at < filled; at += block + 2) {
        const int e = std::min(at + block, filled);
        s.FillRect(vertical ? PixelRect{r.Left + 1, r.Bottom - e, r.Right - 1, r.Bottom - at}
                            : PixelRect{r.Left + at, r.Top + 1, r.Left + e, r.Bottom - 1},
                   colours::Navy);
    }
}

void paintUpDown(Surface& s, TControl& c) {
    const bool horizontal = EnumName(c, "Orientation") == "udHorizontal";
    const int w = c.Width(), h = c.Height();
    if (horizontal) {
        ArrowButton(s, {0, 0, w / 2, h}, Dir::Left);
        ArrowButton(s, {w / 2, 0, w, h}, Dir::Right);
    } else {
        ArrowButton(s, {0, 0, w, h / 2}, Dir::Up);
        ArrowButton(s, {0, h / 2, w, h}, Dir::Down);
    }
}

void paintHotKey(Surface& s, TControl& c) {
    const PixelRect inside = EditBox(s, c, colours::White);
    TextIn(s, {inside.Left + 1, inside.Top + 1, inside.Right, inside.Bottom}, "Alt + A", c.Font(),
           HAlign::Left, false);
}

// A date of the host's float form (days since 30 December 1899) as the short format shows it.
std::string dateText(double days) {
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return {};
    // Civil date from a day count (days since 1970-01-01 is days - 25569).
    int64_t z = static_cast<int64_t>(std::floor(days)) - 25569 + 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    const int64_t d = doy - (153 * mp + 2) / 5 + 1;
    const int64_t m = mp < 10 ? mp + 3 : mp - 9;
    const int64_t y = yoe + era * 400 + (m <= 2);
    char out[32];
    std::snprintf(out, sizeof out, "%02d/%02d/%04d", static_cast<int>(d), static_cast<int>(m),
                  static_cast<int>(y));
    return out;
}

std::string timeText(double days) {
    if (!std::isfinite(days))
        return {};
    const double fraction = days - std::floor(days);
    const int seconds = static_cast<int>(std::lround(fraction * 86400)) % 86400;
    char out[16];
    std::snprintf(out, sizeof out, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
    return out;
}

double floatProp(const TControl& c, std::string_view name) {
    const TPropInfo* p = GetPropInfo(c.ClassType(), name);
    return p && p->GetFloat ? p->GetFloat(c) : 0;
}

void paintDateTimePicker(Surface& s, TControl& c) {
    const PixelRect inside = EditBox(s, c, Face(c));
    const bool time = EnumName(c, "Kind") == "dtkTime";
    const int b = time ? 0 : std::min(16, inside.Width());
    if (time) {
        ArrowButton(s,
                    {inside.Right - 16, inside.Top, inside.Right, inside.Top + inside.Height() / 2},
                    Dir::Up);
        ArrowButton(
            s, {inside.Right - 16, inside.Top + inside.Height() / 2, inside.Right, inside.Bottom},
            Dir::Down);
    } else {
        ArrowButton(s, {inside.Right - b, inside.Top, inside.Right, inside.Bottom}, Dir::Down);
    }
    const std::string text = time ? timeText(floatProp(c, "Time")) : dateText(floatProp(c, "Date"));
    TextIn(s, {inside.Left + 2, inside.Top, inside.Right - 16, inside.Bottom}, text, c.Font(),
           HAlign::Left, true, c.Enabled());
}

// A white box with a sunken edge: views the designer shows empty (tree views, calendars).
void paintWhiteBox(Surface& s, TControl& c) {
    EditBox(s, c, Face(c));
}

void paintAnimate(Surface& s, TControl& c) {
    if (!Flag(c, "Transparent", true))
        s.FillRect(Whole(c), Face(c));
    DashedFrame(s, Whole(c));
}

// Header sections across the top of r, each a raised button face with its text; the last one
// reaches the right edge.
void headerSections(Surface& s, const PixelRect& r, const std::vector<CollectionItem>& sections,
                    const TFont& font) {
    int x = r.Left;
    for (size_t i = 0; i < sections.size() && x < r.Right; ++i) {
        const int right = i + 1 == sections.size()
                              ? r.Right
                              : x + std::max(0, sections[i].Width < 0 ? 50 : sections[i].Width);
        ButtonFace(s, {x, r.Top, right, r.Bottom});
        TextIn(s, {x + 4, r.Top, right - 2, r.Bottom}, sections[i].Text, font, HAlign::Left, true);
        x = right;
    }
    if (x < r.Right)
        ButtonFace(s, {x, r.Top, r.Right, r.Bottom});
}

void paintListView(Surface& s, TControl& c) {
    const PixelRect inside = EditBox(s, c, Face(c));
    if (EnumName(c, "ViewStyle") == "vsReport" && Flag(c, "ShowColumnHeaders", true))
        headerSections(s, {inside.Left, inside.Top, inside.Right, inside.Top + 17},
                       Items(c, "Columns"), c.Font());
}

void paintHeaderControl(Surface& s, TControl& c) {
    s.FillRect(Whole(c), Face(c));
    headerSections(s, Whole(c), Items(c, "Sections"), c.Font());
}

const PainterRow kRows[] = {
    {"TPageControl", paintPageControl},
    {"TCustomTabControl", paintTabControl},
    {"TTabSheet", paintTabSheet},
    {"TStatusBar", paintStatusBar},
    {"TToolBar", paintToolBar},
    {"TToolButton", paintToolButton},
    {"TCoolBar", paintCoolBar},
    {"TTrackBar", paintTrackBar},
    {"TProgressBar", paintProgressBar},
    {"TUpDown", paintUpDown},
    {"THotKey", paintHotKey},
    {"TDateTimePicker", paintDateTimePicker},
    {"TMonthCalendar", paintWhiteBox},
    {"TCustomTreeView", paintWhiteBox},
    {"TAnimate", paintAnimate},
    {"TListView", paintListView},
    {"THeaderControl", paintHeaderControl},
};

} // namespace

std::span<const PainterRow> Win32Painters() {
    return kRows;
}

PixelRect PageDisplayRect(const TControl& pageControl) {
    return {4, kTabHeight + 4, std::max(4, pageControl.Width() - 4),
            std::max(kTabHeight + 4, pageControl.Height() - 4)};
}

PixelRect PaintTabs(Surface& s, const TControl& c, const std::vector<std::string>& tabs,
                    int selected) {
    const int w = c.Width(), h = c.Height();
    s.FillRect(Whole(c), Face(c));
    // The body: a raised frame under the tabs.
    PixelRect body{0, kTabHeight, w, h};
    s.DrawEdge(body, EDGE_RAISED, BF_RECT | BF_SOFT);
    int x = 2;
    int selLeft = -1, selRight = -1;
    std::vector<PixelRect> places;
    for (const std::string& tab : tabs) {
        const int tw = TextWidth(tab, c.Font(), true) + 12;
        places.push_back({x, 2, x + tw, kTabHeight});
        x += tw;
    }
    // The others first, the selected one last: it overlaps its neighbours.
    std::vector<size_t> order;
    for (size_t i = 0; i < places.size(); ++i)
        if (static_cast<int>(i) != selected)
            order.push_back(i);
    if (selected >= 0 && selected < static_cast<int>(places.size()))
        order.push_back(static_cast<size_t>(selected));
    for (size_t i : order) {
        PixelRect t = places[i];
        if (static_cast<int>(i) == selected) {
            t = {t.Left - 2, 0, t.Right + 2, kTabHeight + 1};
            selLeft = t.Left;
            selRight = t.Right;
        }
        s.FillRect(t, Face(c));
        // Left and top edges light, right edge dark, corners cut.
        s.VLine(t.Left, t.Top + 2, t.Bottom, colours::White);
        s.HLine(t.Left + 2, t.Right - 2, t.Top, colours::White);
        s.SetPixel(t.Left + 1, t.Top + 1, colours::White);
        s.VLine(t.Right - 2, t.Top + 2, t.Bottom, colours::Gray);
        s.VLine(t.Right - 1, t.Top + 2, t.Bottom, colours::Black);
        s.SetPixel(t.Right - 2, t.Top + 1, colours::Black);
        TextIn(s, {t.Left + 2, t.Top + 2, t.Right - 2, t.Top + kTabHeight - 2}, tabs[i], c.Font(),
               HAlign::Centre, true, c.Enabled(), true);
    }
    // The selected tab opens into the body.
    if (selLeft >= 0)
        s.HLine(selLeft + 1, selRight - 2, kTabHeight, Face(c));
    return {body.Left + 2, body.Top + 2, body.Right - 2, body.Bottom - 2};
}

} // namespace host::render
