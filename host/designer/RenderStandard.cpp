// Painters of the Standard and Additional pages' controls in the classic 3-D look.
#include "host/designer/RenderParts.h"

#include "host/vcl/Graphics.h"

#include <algorithm>
#include <cmath>

namespace host::render {

namespace {

// Lines of text from the top of r, one every step pixels, cut at r's bottom.
void textLines(Surface& s, const PixelRect& r, const std::vector<std::string>& lines,
               const TFont& font, HAlign align, int step) {
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(r);
    int y = r.Top;
    for (const std::string& line : lines) {
        if (y >= r.Bottom)
            break;
        TextIn(s, {r.Left, y, r.Right, y + step}, line, font, align, true);
        y += step;
    }
    s.RestoreState(keep);
}

// What an edit shows of its text: the password character for each letter, when there is one.
std::string shownText(const TControl& c) {
    const int64_t password = Ord(c, "PasswordChar", 0);
    if (password > 0 && password < 256)
        return std::string(c.Caption().size(), static_cast<char>(password));
    return c.Caption();
}

void paintEdit(Surface& s, TControl& c) {
    const PixelRect inside = EditBox(s, c, Face(c));
    TextIn(s, {inside.Left + 1, inside.Top + 1, inside.Right - 1, inside.Bottom}, shownText(c),
           c.Font(), AlignmentOf(c), false, c.Enabled());
}

void paintMemo(Surface& s, TControl& c) {
    PixelRect inside = ScrollBarsIn(s, c, EditBox(s, c, Face(c)));
    inside = {inside.Left + 1, inside.Top + 1, inside.Right - 1, inside.Bottom};
    std::vector<std::string> lines = Lines(c, "Lines");
    if (Flag(c, "WordWrap", true) &&
        EnumName(c, "ScrollBars").find("Horizontal") == std::string::npos &&
        EnumName(c, "ScrollBars") != "ssBoth") {
        std::vector<std::string> wrapped;
        for (const std::string& line : lines)
            for (std::string& part : WrapWords(line, c.Font(), inside.Width()))
                wrapped.push_back(std::move(part));
        lines = std::move(wrapped);
    }
    textLines(s, inside, lines, c.Font(), AlignmentOf(c), kTextHeight);
}

// A check box or radio button: the mark at the left (or the right with Alignment
// taLeftJustify) and the caption beside it.
void paintCheckLike(Surface& s, TControl& c, bool radio) {
    s.FillRect(Whole(c), Face(c));
    const bool markRight = EnumName(c, "Alignment") == "taLeftJustify";
    const int markX = markRight ? c.Width() - 13 : 0;
    const int markY = (c.Height() - 13) / 2;
    if (radio) {
        RadioMark(s, markX, markY, Flag(c, "Checked"), c.Enabled());
    } else {
        const std::string state = EnumName(c, "State");
        const int st = state == "cbGrayed"                            ? 2
                       : (state == "cbChecked" || Flag(c, "Checked")) ? 1
                                                                      : 0;
        CheckMark(s, markX, markY, st, c.Enabled());
    }
    const PixelRect text = markRight ? PixelRect{0, 0, c.Width() - 17, c.Height()}
                                     : PixelRect{17, 0, c.Width(), c.Height()};
    TextIn(s, text, c.Caption(), c.Font(), HAlign::Left, true, c.Enabled(), true);
}

void paintCheckBox(Surface& s, TControl& c) {
    paintCheckLike(s, c, false);
}
void paintRadioButton(Surface& s, TControl& c) {
    paintCheckLike(s, c, true);
}

// The items of a list, one every ItemHeight pixels, with a vertical scroll bar when they do not
// fit; checks draws a check box before each (check list boxes).
void paintList(Surface& s, TControl& c, bool checks) {
    PixelRect inside = EditBox(s, c, Face(c));
    const std::vector<std::string> items = Lines(c, "Items");
    const int step = static_cast<int>(std::clamp<int64_t>(Ord(c, "ItemHeight", 16), 8, 64));
    if (static_cast<int64_t>(items.size()) * step > inside.Height()) {
        ScrollBar(s, {inside.Right - 16, inside.Top, inside.Right, inside.Bottom}, true);
        inside.Right -= 16;
    }
    if (!checks) {
        textLines(s, {inside.Left + 2, inside.Top, inside.Right, inside.Bottom}, items, c.Font(),
                  HAlign::Left, step);
        return;
    }
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(inside);
    for (size_t i = 0; i < items.size(); ++i) {
        const int y = inside.Top + static_cast<int>(i) * step;
        if (y >= inside.Bottom)
            break;
        CheckMark(s, inside.Left + 2, y + (step - 13) / 2, 0, c.Enabled());
        TextIn(s, {inside.Left + 18, y, inside.Right, y + step}, items[i], c.Font(), HAlign::Left,
               true, c.Enabled());
    }
    s.RestoreState(keep);
}

void paintListBox(Surface& s, TControl& c) {
    paintList(s, c, false);
}
void paintCheckListBox(Surface& s, TControl& c) {
    paintList(s, c, true);
}

void paintComboBox(Surface& s, TControl& c) {
    const PixelRect inside = EditBox(s, c, Face(c));
    const int b = std::min(16, inside.Width());
    ArrowButton(s, {inside.Right - b, inside.Top, inside.Right, inside.Bottom}, Dir::Down);
    std::string text = c.Caption();
    const int64_t index = Ord(c, "ItemIndex", -1);
    const std::vector<std::string> items = Lines(c, "Items");
    if (text.empty() && index >= 0 && index < static_cast<int64_t>(items.size()))
        text = items[static_cast<size_t>(index)];
    TextIn(s, {inside.Left + 2, inside.Top, inside.Right - b, inside.Bottom}, text, c.Font(),
           HAlign::Left, true, c.Enabled());
}

void paintScrollBar(Surface& s, TControl& c) {
    const bool vertical = EnumName(c, "Kind") == "sbVertical";
    const PixelRect all = Whole(c);
    ScrollBar(s, all, vertical);
    // The thumb, placed by Position between Min and Max.
    const int64_t lo = Ord(c, "Min", 0), hi = Ord(c, "Max", 100);
    const int64_t pos = std::clamp(Ord(c, "Position", 0), std::min(lo, hi), std::max(lo, hi));
    const int length = vertical ? all.Height() : all.Width();
    const int thick = vertical ? all.Width() : all.Height();
    const int track = length - 3 * thick;
    if (track < 0 || hi <= lo)
        return;
    const int at = thick + static_cast<int>((pos - lo) * track / (hi - lo));
    ButtonFace(s, vertical ? PixelRect{0, at, all.Right, at + thick}
                           : PixelRect{at, 0, at + thick, all.Bottom});
}

void paintGroupBox(Surface& s, TControl& c) {
    GroupFrame(s, c);
}

void paintRadioGroup(Surface& s, TControl& c) {
    const PixelRect inside = GroupFrame(s, c);
    const std::vector<std::string> items = Lines(c, "Items");
    if (items.empty())
        return;
    const int columns = static_cast<int>(std::clamp<int64_t>(Ord(c, "Columns", 1), 1, 16));
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    const int colWidth = std::max(1, (inside.Width() - 6) / columns);
    const int rowHeight = std::max(1, inside.Height() / rows);
    const int64_t checked = Ord(c, "ItemIndex", -1);
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(inside);
    for (size_t i = 0; i < items.size(); ++i) {
        const int col = static_cast<int>(i) / rows, row = static_cast<int>(i) % rows;
        const int x = inside.Left + 6 + col * colWidth;
        const int y = inside.Top + row * rowHeight + (rowHeight - 13) / 2;
        RadioMark(s, x, y, static_cast<int64_t>(i) == checked, c.Enabled());
        TextIn(s, {x + 17, y, x + colWidth, y + 13}, items[i], c.Font(), HAlign::Left, true,
               c.Enabled(), true);
    }
    s.RestoreState(keep);
}

// A panel bevel (bvLowered, bvRaised, bvSpace) of BevelWidth pixels inside r.
void panelBevel(Surface& s, PixelRect& r, const std::string& cut, int width) {
    for (int i = 0; i < width && !r.IsEmpty(); ++i) {
        if (cut == "bvRaised")
            s.DrawEdge(r, BDR_RAISEDINNER, BF_RECT);
        else if (cut == "bvLowered")
            s.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
        else if (cut != "bvSpace")
            return;
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
}

void paintPanel(Surface& s, TControl& c) {
    PixelRect r = Whole(c);
    s.FillRect(r, Face(c));
    if (EnumName(c, "BorderStyle") == "bsSingle") {
        s.FrameRect(r, colours::Black);
        r = {r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
    }
    const int width = static_cast<int>(std::clamp<int64_t>(Ord(c, "BevelWidth", 1), 1, 64));
    panelBevel(s, r, EnumName(c, "BevelOuter"), width);
    const int border = static_cast<int>(std::clamp<int64_t>(Ord(c, "BorderWidth", 0), 0, 64));
    r = {r.Left + border, r.Top + border, r.Right - border, r.Bottom - border};
    panelBevel(s, r, EnumName(c, "BevelInner"), width);
    if (!c.Caption().empty())
        TextIn(s, Whole(c), c.Caption(), c.Font(), AlignmentOf(c, HAlign::Centre), true,
               c.Enabled());
}

// Labels and data-aware text: opaque unless Transparent, aligned, laid out and wrapped.
void paintLabelText(Surface& s, TControl& c, const std::string& text) {
    const PixelRect all = Whole(c);
    if (!Flag(c, "Transparent"))
        s.FillRect(all, Face(c));
    const bool prefix = Flag(c, "ShowAccelChar", true);
    std::vector<std::string> lines = Flag(c, "WordWrap") ? WrapWords(text, c.Font(), c.Width())
                                                         : WrapWords(text, c.Font(), 1 << 30);
    const int height = static_cast<int>(lines.size()) * kTextHeight;
    const std::string layout = EnumName(c, "Layout");
    int y = layout == "tlCenter"   ? (c.Height() - height) / 2
            : layout == "tlBottom" ? c.Height() - height
                                   : 0;
    for (const std::string& line : lines) {
        TextIn(s, {0, y, c.Width(), y + kTextHeight}, line, c.Font(), AlignmentOf(c), false,
               c.Enabled(), prefix);
        y += kTextHeight;
    }
}

void paintLabel(Surface& s, TControl& c) {
    paintLabelText(s, c, c.Caption());
}

// A data-aware label shows its name in the designer when it has no caption of its own.
void paintDBText(Surface& s, TControl& c) {
    paintLabelText(s, c, c.Caption().empty() ? c.Name() : c.Caption());
}

void paintStaticText(Surface& s, TControl& c) {
    PixelRect r = Whole(c);
    s.FillRect(r, Face(c));
    const std::string border = EnumName(c, "BorderStyle");
    if (border == "sbsSingle")
        s.FrameRect(r, colours::Black);
    else if (border == "sbsSunken")
        s.DrawEdge(r, BDR_SUNKENOUTER, BF_RECT);
    // A static text breaks its caption at line ends and between words, as the control does.
    int y = 1;
    for (const std::string& line : WrapWords(c.Caption(), c.Font(), c.Width() - 2)) {
        TextIn(s, {1, y, r.Right - 1, std::min(y + kTextHeight, r.Bottom - 1)}, line, c.Font(),
               AlignmentOf(c), false, c.Enabled(), Flag(c, "ShowAccelChar", true));
        y += kTextHeight;
    }
}

void paintBevel(Surface& s, TControl& c) {
    const bool raised = EnumName(c, "Style") == "bsRaised";
    const Colour a = raised ? colours::White : colours::Gray;
    const Colour b = raised ? colours::Gray : colours::White;
    const int w = c.Width(), h = c.Height();
    const std::string shape = EnumName(c, "Shape");
    auto frame = [&](const PixelRect& r, Colour tl, Colour br) {
        s.HLine(r.Left, r.Right, r.Top, tl);
        s.VLine(r.Left, r.Top, r.Bottom, tl);
        s.HLine(r.Left, r.Right, r.Bottom - 1, br);
        s.VLine(r.Right - 1, r.Top, r.Bottom, br);
    };
    if (shape == "bsBox" || shape.empty()) {
        frame({0, 0, w, h}, a, b);
    } else if (shape == "bsFrame") {
        frame({1, 1, w, h}, b, b);
        frame({0, 0, w - 1, h - 1}, a, a);
    } else if (shape == "bsTopLine") {
        s.HLine(0, w, 0, a);
        s.HLine(0, w, 1, b);
    } else if (shape == "bsBottomLine") {
        s.HLine(0, w, h - 2, a);
        s.HLine(0, w, h - 1, b);
    } else if (shape == "bsLeftLine") {
        s.VLine(0, 0, h, a);
        s.VLine(1, 0, h, b);
    } else if (shape == "bsRightLine") {
        s.VLine(w - 2, 0, h, a);
        s.VLine(w - 1, 0, h, b);
    }
}

// The points of an ellipse inscribed in r.
std::vector<std::pair<int, int>> ellipse(const PixelRect& r) {
    std::vector<std::pair<int, int>> points;
    const double cx = (r.Left + r.Right - 1) / 2.0, cy = (r.Top + r.Bottom - 1) / 2.0;
    const double rx = (r.Width() - 1) / 2.0, ry = (r.Height() - 1) / 2.0;
    constexpr int n = 48;
    for (int i = 0; i < n; ++i) {
        const double a = 2 * 3.14159265358979 * i / n;
        points.emplace_back(static_cast<int>(std::lround(cx + rx * std::cos(a))),
                            static_cast<int>(std::lround(cy + ry * std::sin(a))));
    }
    return points;
}

void paintShape(Surface& s, TControl& c) {
    TObject* brush = Obj(c, "Brush");
    TObject* pen = Obj(c, "Pen");
    const Colour fill = Rgb(static_cast<TColor>(brush ? Ord(*brush, "Color", clWhite) : clWhite));
    const bool filled = !brush || EnumName(*brush, "Style") != "bsClear";
    const Colour line = Rgb(static_cast<TColor>(pen ? Ord(*pen, "Color", clBlack) : clBlack));
    const bool outlined = !pen || EnumName(*pen, "Style") != "psClear";
    PixelRect r = Whole(c);
    const std::string shape = EnumName(c, "Shape");
    if (shape == "stSquare" || shape == "stRoundSquare" || shape == "stCircle") {
        const int side = std::min(r.Width(), r.Height());
        r = {(r.Width() - side) / 2, (r.Height() - side) / 2, 0, 0};
        r.Right = r.Left + side;
        r.Bottom = r.Top + side;
    }
    if (shape == "stEllipse" || shape == "stCircle") {
        const auto points = ellipse(r);
        if (filled)
            s.FillPolygon(points, fill);
        if (outlined)
            for (size_t i = 0; i < points.size(); ++i) {
                const auto& [x1, y1] = points[i];
                const auto& [x2, y2] = points[(i + 1) % points.size()];
                s.Line(x1, y1, x2, y2, line);
            }
        return;
    }
    if (filled)
        s.FillRect(r, fill);
    if (outlined)
        s.FrameRect(r, line);
}

// A decoded picture drawn as the control asks (centred, stretched), its bottom-left colour
// transparent when Transparent.
void drawPicture(Surface& s, const TControl& c, const Surface& picture) {
    const bool transparent = Flag(c, "Transparent");
    const std::optional<Colour> clear =
        transparent ? std::optional<Colour>(picture.RawPixel(0, picture.Height() - 1))
                    : std::nullopt;
    if (Flag(c, "Stretch") && picture.Width() > 0 && picture.Height() > 0) {
        const int w = std::max(1, c.Width()), h = std::max(1, c.Height());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Colour p =
                    picture.RawPixel(static_cast<int>(int64_t(x) * picture.Width() / w),
                                     static_cast<int>(int64_t(y) * picture.Height() / h));
                if (!clear || p != *clear)
                    s.SetPixel(x, y, p);
            }
        return;
    }
    const bool centre = Flag(c, "Center");
    const int x = centre ? (c.Width() - picture.Width()) / 2 : 0;
    const int y = centre ? (c.Height() - picture.Height()) / 2 : 0;
    s.Draw(x, y, picture, clear);
}

void paintImage(Surface& s, TControl& c) {
    const Surface picture = PictureOf(c, "Picture");
    if (picture.Width() > 0)
        drawPicture(s, c, picture);
    else
        DashedFrame(s, Whole(c));
}

void paintPaintBox(Surface& s, TControl& c) {
    DashedFrame(s, Whole(c));
}

void paintScrollBox(Surface& s, TControl& c) {
    PixelRect r = Whole(c);
    s.FillRect(r, Face(c));
    if (EnumName(c, "BorderStyle") != "bsNone")
        s.DrawEdge(r, EDGE_SUNKEN, BF_RECT);
}

void paintSplitter(Surface& s, TControl& c) {
    s.FillRect(Whole(c), Face(c));
}

const PainterRow kRows[] = {
    {"TCustomEdit", paintEdit},
    {"TCustomMemo", paintMemo},
    {"TCustomCheckBox", paintCheckBox},
    {"TRadioButton", paintRadioButton},
    {"TCustomListBox", paintListBox},
    {"TCheckListBox", paintCheckListBox},
    {"TCustomComboBox", paintComboBox},
    {"TScrollBar", paintScrollBar},
    {"TGroupBox", paintGroupBox},
    {"TRadioGroup", paintRadioGroup},
    {"TPanel", paintPanel},
    {"TLabel", paintLabel},
    {"TStaticText", paintStaticText},
    {"TBevel", paintBevel},
    {"TShape", paintShape},
    {"TImage", paintImage},
    {"TPaintBox", paintPaintBox},
    {"TScrollBox", paintScrollBox},
    {"TSplitter", paintSplitter},
    // The data-aware controls that look like their plain kin.
    {"TDBRadioGroup", paintRadioGroup},
    {"TDBLookupListBox", paintListBox},
    {"TDBLookupComboBox", paintComboBox},
    {"TDBText", paintDBText},
};

} // namespace

std::span<const PainterRow> StandardPainters() {
    return kRows;
}

} // namespace host::render
