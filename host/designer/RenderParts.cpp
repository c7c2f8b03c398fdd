// Property reading and the classic 3-D parts the control painters share.
#include "host/designer/RenderParts.h"

#include "host/classes/Collection.h"
#include "host/classes/FormTree.h"
#include "host/rtl/TypInfo.h"
#include "host/vcl/Graphics.h"
#include "host/win32/Dib.h"
#include "host/win32/Font.h"
#include "host/win32/Png.h"

#include <algorithm>

namespace host::render {

namespace {

const TPropInfo* prop(const TObject& obj, std::string_view name) {
    return GetPropInfo(obj.ClassType(), name);
}

const BitmapFont& fontFor(const TFont& font) {
    return font.Style().contains(fsBold) ? BitmapFont::SansSerifBold() : BitmapFont::SansSerif();
}

// A form file's string as the host's font draws it: bytes as they are, UTF-16 units below 256 as
// bytes, others as '?'.
std::string textOf(const FormValue& v) {
    if (v.Kind() == FormValueKind::WideString) {
        std::string out;
        for (char16_t u : v.AsWide())
            out.push_back(u < 256 ? static_cast<char>(u) : '?');
        return out;
    }
    if (v.IsStringLike() || v.Kind() == FormValueKind::Ident)
        return v.AsBytes();
    return {};
}

uint32_t le32(std::string_view d, size_t at) {
    uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<uint8_t>(d[at + static_cast<size_t>(i)]);
    return v;
}

Surface decodeImage(std::string_view bytes) {
    std::vector<uint8_t> data(bytes.begin(), bytes.end());
    if (bytes.size() >= 2 && bytes.substr(0, 2) == "BM")
        return DecodeBmpFile(data);
    if (bytes.size() >= 8 && bytes.substr(1, 3) == "PNG")
        return DecodePng(data);
    return {};
}

// Text as the font draws it: UTF-8 text (Lazarus forms, UTF-8 strings of later versions) one
// glyph per character, the font's box for anything beyond ASCII; other bytes as they are.
std::string glyphText(std::string_view text) {
    bool multi = false;
    for (size_t i = 0; i < text.size();) {
        const auto b = static_cast<uint8_t>(text[i]);
        const size_t n = b < 0x80         ? 1
                         : (b >> 5) == 6  ? 2
                         : (b >> 4) == 14 ? 3
                         : (b >> 3) == 30 ? 4
                                          : 0;
        if (n == 0 || i + n > text.size())
            return std::string(text);
        for (size_t k = 1; k < n; ++k)
            if ((static_cast<uint8_t>(text[i + k]) & 0xC0) != 0x80)
                return std::string(text);
        multi |= n > 1;
        i += n;
    }
    if (!multi)
        return std::string(text);
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<uint8_t>(text[i]);
        if (b < 0x80)
            out.push_back(static_cast<char>(b));
        else if ((b & 0xC0) != 0x80)
            out.push_back('\x7F');
    }
    return out;
}

} // namespace

int64_t Ord(const TObject& obj, std::string_view name, int64_t fallback) {
    const TPropInfo* p = prop(obj, name);
    return p && p->IsOrdinal() && p->GetOrd ? p->GetOrd(obj) : fallback;
}

bool Flag(const TObject& obj, std::string_view name, bool fallback) {
    return Ord(obj, name, fallback ? 1 : 0) != 0;
}

std::string EnumName(const TObject& obj, std::string_view name) {
    const TPropInfo* p = prop(obj, name);
    if (!p || !p->Enum || p->Kind != TTypeKind::Enumeration || !p->GetOrd)
        return {};
    const int64_t v = p->GetOrd(obj);
    return v >= 0 && v < static_cast<int64_t>(p->Enum->Names.size())
               ? p->Enum->Names[static_cast<size_t>(v)]
               : std::string();
}

std::string Str(const TObject& obj, std::string_view name) {
    const TPropInfo* p = prop(obj, name);
    return p && p->GetStr ? p->GetStr(obj) : std::string();
}

TObject* Obj(const TObject& obj, std::string_view name) {
    const TPropInfo* p = prop(obj, name);
    return p && p->GetObj ? p->GetObj(obj) : nullptr;
}

std::vector<std::string> Lines(const TObject& obj, std::string_view name) {
    std::vector<std::string> out;
    if (auto* strings = dyn<TStrings>(Obj(obj, name)))
        for (int i = 0; i < strings->List().Count(); ++i)
            out.push_back(strings->List()[i]);
    return out;
}

std::vector<CollectionItem> Items(const TObject& obj, std::string_view name) {
    std::vector<CollectionItem> out;
    auto* collection = dyn<TCollection>(Obj(obj, name));
    if (!collection || collection->Items().Kind() != FormValueKind::Collection)
        return out;
    for (const FormCollectionItem& item : collection->Items().AsCollection()) {
        CollectionItem entry;
        for (const FormProperty& p : item.properties) {
            if (p.name == "Text" || p.name == "Caption" || p.name == "Title.Caption")
                entry.Text = textOf(p.value);
            else if (p.name == "FieldName" && entry.Text.empty())
                entry.Text = textOf(p.value);
            else if (p.name == "Width" && p.value.Kind() == FormValueKind::Integer)
                entry.Width = static_cast<int>(std::clamp<int64_t>(p.value.AsInteger(), 0, 10000));
        }
        out.push_back(std::move(entry));
    }
    return out;
}

Surface DecodeGraphicData(std::string_view data, bool withClass) {
    try {
        if (withClass) {
            // A short string with the graphic's class name, then that class's own data.
            if (data.empty() || static_cast<uint8_t>(data[0]) + 1u > data.size())
                return {};
            const size_t n = static_cast<uint8_t>(data[0]);
            const std::string_view cls = data.substr(1, n);
            data.remove_prefix(n + 1);
            if (cls != "TBitmap" && cls != "TPortableNetworkGraphic" && cls != "TPngImage" &&
                cls != "TPNGObject" && cls != "TPNGGraphic")
                return {}; // icons, metafiles, JPEGs: not decoded
        }
        // A bitmap's data: its size in four bytes, then the .bmp or .png file; some writers leave
        // the size out.
        if (data.size() >= 4 && data.substr(0, 2) != "BM" && data.substr(1, 3) != "PNG") {
            const uint32_t size = le32(data, 0);
            data.remove_prefix(4);
            if (size < data.size())
                data = data.substr(0, size);
        }
        return decodeImage(data);
    } catch (const Exception&) {
        return {}; // a damaged picture is drawn as an empty one
    }
}

Surface PictureOf(const TObject& obj, std::string_view name) {
    auto* graphic = dyn<TGraphic>(Obj(obj, name));
    if (!graphic || graphic->Data().empty())
        return {};
    return DecodeGraphicData(graphic->Data(), !graphic->Is<TBitmap>() &&
                                                  graphic->ClassType()->ClassName() != "TBitmap");
}

Colour Rgb(TColor colour) {
    return ColorToRGB(colour);
}

Colour Face(const TControl& c) {
    return ColorToRGB(c.Color());
}

int Text(Surface& s, int x, int y, std::string_view original, const TFont& font, bool enabled,
         bool prefix) {
    const std::string shown = glyphText(original);
    const std::string_view text = shown;
    const BitmapFont& f = fontFor(font);
    if (!enabled) {
        f.DrawDisabledText(s, x, y, text, prefix);
        return x + f.TextWidth(text, prefix);
    }
    const Colour colour = ColorToRGB(font.Color());
    const int end = f.DrawText(s, x, y, text, colour, prefix);
    if (font.Style().contains(fsUnderline))
        s.HLine(x, end, y + f.Ascent() + 1, colour);
    if (font.Style().contains(fsStrikeOut))
        s.HLine(x, end, y + f.Ascent() - 3, colour);
    return end;
}

int TextWidth(std::string_view text, const TFont& font, bool prefix) {
    return fontFor(font).TextWidth(glyphText(text), prefix);
}

void TextIn(Surface& s, const PixelRect& r, std::string_view text, const TFont& font, HAlign align,
            bool vcentre, bool enabled, bool prefix) {
    const int w = TextWidth(text, font, prefix);
    int x = r.Left;
    if (align == HAlign::Centre)
        x = r.Left + (r.Width() - w) / 2;
    else if (align == HAlign::Right)
        x = r.Right - w;
    const int y = vcentre ? r.Top + (r.Height() - kTextHeight) / 2 : r.Top;
    Surface::State keep = s.SaveState();
    s.IntersectClipRect(r);
    Text(s, x, y, text, font, enabled, prefix);
    s.RestoreState(keep);
}

std::vector<std::string> WrapWords(std::string_view text, const TFont& font, int width) {
    std::vector<std::string> lines;
    std::string line;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '\r' || text[i] == '\n') {
            lines.push_back(std::move(line));
            line.clear();
            i += (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
            continue;
        }
        size_t end = text.find_first_of(" \r\n", i);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view word = text.substr(i, end - i);
        const std::string candidate =
            line.empty() ? std::string(word) : line + " " + std::string(word);
        if (!line.empty() && TextWidth(candidate, font, true) > width) {
            lines.push_back(std::move(line));
            line = std::string(word);
        } else {
            line = candidate;
        }
        i = end < text.size() && text[end] == ' ' ? end + 1 : end;
    }
    if (!line.empty() || lines.empty())
        lines.push_back(std::move(line));
    return lines;
}

HAlign AlignmentOf(const TObject& obj, HAlign fallback) {
    const std::string a = EnumName(obj, "Alignment");
    if (a == "taRightJustify")
        return HAlign::Right;
    if (a == "taCenter")
        return HAlign::Centre;
    if (a == "taLeftJustify")
        return HAlign::Left;
    return fallback;
}

PixelRect EditBox(Surface& s, const TControl& c, Colour fill) {
    PixelRect r = Whole(c);
    s.FillRect(r, fill);
    if (EnumName(c, "BorderStyle") != "bsNone")
        s.DrawEdge(r, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    return r;
}

void ButtonFace(Surface& s, const PixelRect& r, bool pressed) {
    PixelRect face = r;
    s.FillRect(face, colours::Silver);
    if (pressed)
        s.DrawEdge(face, EDGE_SUNKEN, BF_RECT);
    else
        s.DrawEdge(face, EDGE_RAISED, BF_RECT | BF_SOFT);
}

void Arrow(Surface& s, const PixelRect& r, Dir dir, Colour colour) {
    const int cx = r.Left + (r.Width() - 1) / 2;
    const int cy = r.Top + (r.Height() - 1) / 2;
    const int n = std::clamp(std::min(r.Width(), r.Height()) / 4, 1, 4);
    for (int i = 0; i < n; ++i) {
        switch (dir) {
        case Dir::Down:
            s.HLine(cx - (n - 1) + i, cx + n - i, cy - n / 2 + i, colour);
            break;
        case Dir::Up:
            s.HLine(cx - i, cx + i + 1, cy - n / 2 + i, colour);
            break;
        case Dir::Right:
            s.VLine(cx - n / 2 + i, cy - (n - 1) + i, cy + n - i, colour);
            break;
        case Dir::Left:
            s.VLine(cx - n / 2 + i, cy - i, cy + i + 1, colour);
            break;
        }
    }
}

void ArrowButton(Surface& s, const PixelRect& r, Dir dir) {
    ButtonFace(s, r);
    Arrow(s, r, dir);
}

void ScrollBar(Surface& s, const PixelRect& r, bool vertical) {
    if (r.IsEmpty())
        return;
    // The track: the dithered white and silver of the era's scroll bars.
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            s.SetPixel(x, y, ((x + y) & 1) ? colours::White : colours::Silver);
    if (vertical) {
        const int b = std::min(r.Width(), r.Height() / 2);
        ArrowButton(s, {r.Left, r.Top, r.Right, r.Top + b}, Dir::Up);
        ArrowButton(s, {r.Left, r.Bottom - b, r.Right, r.Bottom}, Dir::Down);
    } else {
        const int b = std::min(r.Height(), r.Width() / 2);
        ArrowButton(s, {r.Left, r.Top, r.Left + b, r.Bottom}, Dir::Left);
        ArrowButton(s, {r.Right - b, r.Top, r.Right, r.Bottom}, Dir::Right);
    }
}

void CheckMark(Surface& s, int x, int y, int state, bool enabled) {
    PixelRect box{x, y, x + 13, y + 13};
    s.FillRect(box, state == 2 || !enabled ? colours::Silver : colours::White);
    s.DrawEdge(box, EDGE_SUNKEN, BF_RECT);
    if (state == 0)
        return;
    const Colour ink = state == 2 || !enabled ? colours::Gray : colours::Black;
    // The tick: three pixels thick, down from the left then up to the right.
    for (int i = 0; i < 7; ++i) {
        const int px = x + 3 + i;
        const int py = i < 3 ? y + 5 + i : y + 9 - (i - 2);
        s.VLine(px, py, py + 3, ink);
    }
}

void RadioMark(Surface& s, int x, int y, bool checked, bool enabled) {
    // The circle as the era drew it: grey and black arcs above-left, white and silver below-right.
    static const char* const rows[12] = {
        "....GGGG....", "..GGKKKKGG..", ".GKKWWWWKKW.", ".GKWWWWWWLW.",
        "GKWWWWWWWWLW", "GKWWWWWWWWLW", "GKWWWWWWWWLW", "GKWWWWWWWWLW",
        ".GKWWWWWWLW.", ".GLLWWWWLLW.", "..WWLLLLWW..", "....WWWW....",
    };
    for (int row = 0; row < 12; ++row)
        for (int col = 0; col < 12; ++col) {
            Colour c;
            switch (rows[row][col]) {
            case 'G':
                c = colours::Gray;
                break;
            case 'K':
                c = colours::Black;
                break;
            case 'W':
                c = enabled ? colours::White : colours::Silver;
                break;
            case 'L':
                c = 0xDFDFDF;
                break;
            default:
                continue;
            }
            s.SetPixel(x + col, y + row, c);
        }
    if (checked)
        s.FillRect({x + 4, y + 4, x + 8, y + 8}, enabled ? colours::Black : colours::Gray);
}

PixelRect GroupFrame(Surface& s, const TControl& c) {
    const PixelRect all = Whole(c);
    s.FillRect(all, Face(c));
    PixelRect frame{0, kTextHeight / 2, c.Width(), c.Height()};
    s.DrawEdge(frame, EDGE_ETCHED, BF_RECT);
    if (!c.Caption().empty()) {
        const int w = TextWidth(c.Caption(), c.Font(), true);
        s.FillRect({6, 0, 8 + w + 2, kTextHeight}, Face(c));
        Text(s, 8, 0, c.Caption(), c.Font(), c.Enabled(), true);
    }
    return {2, kTextHeight + 2, c.Width() - 2, c.Height() - 2};
}

void DashedFrame(Surface& s, const PixelRect& r, Colour colour) {
    for (int x = r.Left; x < r.Right; ++x)
        if (((x - r.Left) / 2) % 2 == 0) {
            s.SetPixel(x, r.Top, colour);
            s.SetPixel(x, r.Bottom - 1, colour);
        }
    for (int y = r.Top; y < r.Bottom; ++y)
        if (((y - r.Top) / 2) % 2 == 0) {
            s.SetPixel(r.Left, y, colour);
            s.SetPixel(r.Right - 1, y, colour);
        }
}

PixelRect ScrollBarsIn(Surface& s, const TControl& c, PixelRect inside) {
    const std::string bars = EnumName(c, "ScrollBars");
    const bool v = bars == "ssVertical" || bars == "ssBoth";
    const bool h = bars == "ssHorizontal" || bars == "ssBoth";
    constexpr int size = 16;
    if (v)
        ScrollBar(s,
                  {inside.Right - size, inside.Top, inside.Right, inside.Bottom - (h ? size : 0)},
                  true);
    if (h)
        ScrollBar(s,
                  {inside.Left, inside.Bottom - size, inside.Right - (v ? size : 0), inside.Bottom},
                  false);
    if (v && h)
        s.FillRect({inside.Right - size, inside.Bottom - size, inside.Right, inside.Bottom},
                   colours::Silver);
    if (v)
        inside.Right -= size;
    if (h)
        inside.Bottom -= size;
    return inside;
}

} // namespace host::render
