#include "host/vcl/Graphics.h"

#include "host/classes/Filer.h"

#include "host/win32/Font.h"
#include "host/win32/Windows.h"

#include <cstdio>

namespace host {

HOST_IMPLEMENT_CLASS_PROPS(TFont, TPersistent)
HOST_IMPLEMENT_CLASS(TGraphic, TPersistent)
HOST_IMPLEMENT_CLASS(TBitmap, TGraphic)

void TGraphic::DefineProperties(TFiler& filer) {
    filer.DefineProperty(
        "Data", [this](TReader& r) { FData = r.ReadBinary(); },
        [this](TWriter& w) { w.WriteBinary(FData); }, !FData.empty());
}

void TGraphic::Assign(TPersistent* source) {
    if (auto* other = dyn<TGraphic>(source)) {
        FData = other->FData;
        return;
    }
    inherited::Assign(source);
}

const TEnumInfo FontStyleInfo{"TFontStyle", {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"}};

uint32_t ColorToRGB(TColor color) {
    if (color < 0) {
        switch (color & 0xFF) {
        case 0x00:
            return 0xC0C0C0; // scroll bar
        case 0x01:
            return 0x008080; // desktop
        case 0x04:
            return 0xC0C0C0; // menu
        case 0x05:
            return 0xFFFFFF; // window
        case 0x07:
            return 0x000000; // menu text
        case 0x08:
            return 0x000000; // window text
        case 0x09:
            return 0xFFFFFF; // caption text
        case 0x0D:
            return 0x000080; // highlight
        case 0x0E:
            return 0xFFFFFF; // highlight text
        case 0x0F:
            return 0xC0C0C0; // button face
        case 0x10:
            return 0x808080; // button shadow
        case 0x11:
            return 0x808080; // grey text
        case 0x12:
            return 0x000000; // button text
        case 0x14:
            return 0xFFFFFF; // button highlight
        case 0x15:
            return 0x000000; // 3D dark shadow
        case 0x16:
            return 0xDFDFDF; // 3D light
        default:
            return 0xC0C0C0;
        }
    }
    // TColor stores blue in the high byte, as COLORREF does.
    uint32_t c = static_cast<uint32_t>(color);
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

namespace {
struct NamedColor {
    TColor Color;
    const char* Name;
};
const NamedColor kColors[] = {
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    // The rest of the library's named colours.
    {int32_t(0x80000002), "clActiveCaption"},
    {int32_t(0x80000003), "clInactiveCaption"},
    {int32_t(0x80000006), "clWindowFrame"},
    {int32_t(0x8000000A), "clActiveBorder"},
    {int32_t(0x8000000B), "clInactiveBorder"},
    {int32_t(0x8000000C), "clAppWorkSpace"},
    {int32_t(0x80000013), "clInactiveCaptionText"},
    {int32_t(0x80000017), "clInfoText"},
    {int32_t(0x80000018), "clInfoBk"},
    {int32_t(0x8000001A), "clHotLight"},
    {int32_t(0x8000001B), "clGradientActiveCaption"},
    {int32_t(0x8000001C), "clGradientInactiveCaption"},
    {int32_t(0x8000001D), "clMenuHighlight"},
    {int32_t(0x8000001E), "clMenuBar"},
    {0x1FFFFFFF, "clNone"},
    {0x20000000, "clDefault"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {0xC0C0C0, "clLtGray"},
    {0x808080, "clDkGray"},
};
} // namespace

std::string ColorToString(TColor color) {
    for (const auto& c : kColors)
        if (c.Color == color)
            return c.Name;
    return IntToStr(color);
}

bool StringToColor(const std::string& text, TColor& color) {
    for (const auto& c : kColors)
        if (SameText(c.Name, text)) {
            color = c.Color;
            return true;
        }
    return false;
}

namespace {
struct NamedValue {
    int64_t Value;
    const char* Name;
};
const NamedValue kCursors[] = {
    {0, "crDefault"},     {-1, "crNone"},       {-2, "crArrow"},    {-3, "crCross"},
    {-4, "crIBeam"},      {-5, "crSize"},       {-6, "crSizeNESW"}, {-7, "crSizeNS"},
    {-8, "crSizeNWSE"},   {-9, "crSizeWE"},     {-10, "crUpArrow"}, {-11, "crHourGlass"},
    {-12, "crDrag"},      {-13, "crNoDrop"},    {-14, "crHSplit"},  {-15, "crVSplit"},
    {-16, "crMultiDrag"}, {-17, "crSQLWait"},   {-18, "crNo"},      {-19, "crAppStart"},
    {-20, "crHelp"},      {-21, "crHandPoint"}, {-22, "crSizeAll"},
};
const NamedValue kCharsets[] = {
    {0, "ANSI_CHARSET"},      {1, "DEFAULT_CHARSET"},    {2, "SYMBOL_CHARSET"},
    {77, "MAC_CHARSET"},      {128, "SHIFTJIS_CHARSET"}, {129, "HANGEUL_CHARSET"},
    {130, "JOHAB_CHARSET"},   {134, "GB2312_CHARSET"},   {136, "CHINESEBIG5_CHARSET"},
    {161, "GREEK_CHARSET"},   {162, "TURKISH_CHARSET"},  {163, "VIETNAMESE_CHARSET"},
    {177, "HEBREW_CHARSET"},  {178, "ARABIC_CHARSET"},   {186, "BALTIC_CHARSET"},
    {204, "RUSSIAN_CHARSET"}, {222, "THAI_CHARSET"},     {238, "EASTEUROPE_CHARSET"},
    {255, "OEM_CHARSET"},
};
template <size_t N>
bool identToInt(const NamedValue (&table)[N], std::string_view name, int64_t& v) {
    for (const NamedValue& n : table)
        if (SameText(n.Name, name)) {
            v = n.Value;
            return true;
        }
    return false;
}
template <size_t N>
std::optional<std::string> intToIdent(const NamedValue (&table)[N], int64_t value) {
    for (const NamedValue& n : table)
        if (n.Value == value)
            return std::string(n.Name);
    return std::nullopt;
}
} // namespace

bool ColorIdentToInt(std::string_view name, int64_t& value) {
    TColor color;
    if (!StringToColor(std::string(name), color))
        return false;
    value = color;
    return true;
}
std::optional<std::string> ColorIntToIdent(int64_t value) {
    for (const auto& c : kColors)
        if (c.Color == value)
            return std::string(c.Name);
    return std::nullopt;
}
bool CursorIdentToInt(std::string_view name, int64_t& value) {
    return identToInt(kCursors, name, value);
}
std::optional<std::string> CursorIntToIdent(int64_t value) {
    return intToIdent(kCursors, value);
}
bool CharsetIdentToInt(std::string_view name, int64_t& value) {
    return identToInt(kCharsets, name, value);
}
std::optional<std::string> CharsetIntToIdent(int64_t value) {
    return intToIdent(kCharsets, value);
}

void TFont::SetCharset(int v) {
    if (v != FCharset) {
        FCharset = v;
        changed();
    }
}

const TEnumInfo FontPitchInfo{"TFontPitch", {"fpDefault", "fpVariable", "fpFixed"}};

void TFont::DeclareProperties(PropList& props) {
    TPropInfo charset = IntProp<TFont>(
        "Charset", [](const TFont& f) { return f.Charset(); },
        [](TFont& f, int64_t v) { f.SetCharset(static_cast<int>(v)); });
    charset.IdentToInt = CharsetIdentToInt;
    charset.IntToIdent = CharsetIntToIdent;
    charset.MinValue = 0; // TFontCharset is a byte
    charset.MaxValue = 255;
    props.push_back(charset);
    TPropInfo color = IntProp<TFont>(
        "Color", [](const TFont& f) { return f.Color(); },
        [](TFont& f, int64_t v) { f.SetColor(static_cast<TColor>(v)); });
    color.IdentToInt = ColorIdentToInt;
    color.IntToIdent = ColorIntToIdent;
    props.push_back(color);
    props.push_back(IntProp<TFont>(
        "Height", [](const TFont& f) { return f.Height(); },
        [](TFont& f, int64_t v) { f.SetHeight(static_cast<int>(v)); }));
    props.push_back(StrProp<TFont>(
        "Name", [](const TFont& f) { return f.Name(); },
        [](TFont& f, const std::string& v) { f.SetName(v); }));
    props.push_back(EnumProp<TFont>(
        "Pitch", FontPitchInfo, [](const TFont& f) { return static_cast<int64_t>(f.Pitch()); },
        [](TFont& f, int64_t v) { f.SetPitch(static_cast<TFontPitch>(v)); },
        static_cast<int64_t>(TFontPitch::fpDefault)));
    // The height is what is stored; the size follows from it.
    TPropInfo size = IntProp<TFont>(
        "Size", [](const TFont& f) { return f.Size(); },
        [](TFont& f, int64_t v) { f.SetSize(static_cast<int>(v)); });
    size.Stored = false;
    props.push_back(size);
    props.push_back(SetProp<TFont>(
        "Style", FontStyleInfo,
        [](const TFont& f) { return static_cast<int64_t>(f.Style().mask()); },
        [](TFont& f, int64_t v) { f.SetStyle(TFontStyles::FromMask(static_cast<uint64_t>(v))); }));
}

void TFont::changed() {
    if (OnChange)
        OnChange();
}
void TFont::SetName(const std::string& v) {
    if (v != FName) {
        FName = v;
        changed();
    }
}
void TFont::SetSize(int v) {
    if (v != FSize) {
        // The height in pixels at 96 pixels an inch, in 64 bits: a size whose height does not
        // fit the 32-bit range is refused.
        const int64_t height = -(int64_t(v) * 96 + 36) / 72;
        if (height < INT32_MIN || height > INT32_MAX)
            throw EPropertyError("invalid value for Size: " + IntToStr(v) + " is out of range");
        FSize = v;
        FHeight = static_cast<int>(height);
        changed();
    }
}
void TFont::SetHeight(int v) {
    if (v != FHeight) {
        FHeight = v;
        const int64_t h = v;
        FSize = static_cast<int>(h < 0 ? (-h * 72 + 48) / 96 : (h * 72 + 48) / 96);
        changed();
    }
}
void TFont::SetPitch(TFontPitch v) {
    if (v != FPitch) {
        FPitch = v;
        changed();
    }
}
void TFont::SetColor(TColor v) {
    if (v != FColor) {
        FColor = v;
        changed();
    }
}
void TFont::SetStyle(TFontStyles v) {
    if (!(v == FStyle)) {
        FStyle = v;
        changed();
    }
}
void TFont::Assign(TPersistent* source) {
    if (auto* f = dyn<TFont>(source)) {
        FName = f->FName;
        FSize = f->FSize;
        FHeight = f->FHeight;
        FColor = f->FColor;
        FStyle = f->FStyle;
        FCharset = f->FCharset;
        FPitch = f->FPitch;
        changed();
        return;
    }
    TPersistent::Assign(source);
}
bool TFont::IsDefault() const {
    return FName == "MS Sans Serif" && FHeight == -11 && FColor == clWindowText && FStyle.empty() &&
           FCharset == 1;
}

TBitmap::~TBitmap() {
    if (FHandle)
        if (Desktop* d = Desktop::CurrentOrNull())
            d->DeleteObject(FHandle);
}

void TBitmap::SetHandle(HBITMAP handle) {
    if (handle == FHandle)
        return;
    if (FHandle)
        DeleteObject(FHandle);
    FHandle = handle;
    if (OnChange)
        OnChange();
}

HBITMAP TBitmap::ReleaseHandle() {
    HBITMAP h = FHandle;
    FHandle = 0;
    return h;
}

int TBitmap::Width() const {
    const GdiBitmap* b = FHandle ? Desktop::Current().Bitmap(FHandle) : nullptr;
    return b ? b->Width : 0;
}

int TBitmap::Height() const {
    const GdiBitmap* b = FHandle ? Desktop::Current().Bitmap(FHandle) : nullptr;
    return b ? b->Height : 0;
}

TCanvas::TCanvas() = default;

void TCanvas::FillRect(const TRect& r) {
    ++Operations;
    if (Target)
        Target->FillRect(r, ColorToRGB(Brush.Color));
}

void TCanvas::TextOut(int x, int y, const std::string& text) {
    ++Operations;
    if (Target)
        Target->TextOut(x, y, text, FFont, ColorToRGB(FFont.Color()));
}

// Without a target the canvas measures with the host's bitmap font, so that hit tests made
// outside painting (a tab set's tab rectangles) agree with the painted pixels.
int TCanvas::TextWidth(const std::string& text) {
    if (Target)
        return Target->TextWidth(text, FFont);
    const BitmapFont& font =
        FFont.Style().contains(fsBold) ? BitmapFont::SansSerifBold() : BitmapFont::SansSerif();
    return font.TextWidth(text);
}

int TCanvas::TextHeight(const std::string& text) {
    return Target ? Target->TextHeight(text, FFont) : BitmapFont::CellHeight;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap, bool transparent) {
    ++Operations;
    if (!Target || bitmap.Empty())
        return;
    if (const GdiBitmap* b = Desktop::Current().Bitmap(bitmap.Handle()))
        Target->Draw(x, y, *b, transparent);
}

void TCanvas::FillPattern(const TRect& r, TColor a, TColor b) {
    ++Operations;
    if (Target)
        Target->FillPattern(r, ColorToRGB(a), ColorToRGB(b));
}

void TCanvas::MoveTo(int x, int y) {
    FPenPos = {x, y};
}

void TCanvas::LineTo(int x, int y) {
    ++Operations;
    if (Target)
        Target->Line(FPenPos.X, FPenPos.Y, x, y, ColorToRGB(Pen.Color));
    FPenPos = {x, y};
}

void TCanvas::Rectangle(const TRect& r) {
    FillRect(r);
    MoveTo(r.Left, r.Top);
    LineTo(r.Right - 1, r.Top);
    LineTo(r.Right - 1, r.Bottom - 1);
    LineTo(r.Left, r.Bottom - 1);
    LineTo(r.Left, r.Top);
}

bool DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags) {
    if (!dc || !rect)
        return false;
    ++dc->Operations;
    if (dc->Target)
        dc->Target->DrawEdge(*rect, edge, flags);
    if (flags & BF_ADJUST) {
        int w = ((edge & (BDR_RAISEDOUTER | BDR_SUNKENOUTER)) ? 1 : 0) +
                ((edge & (BDR_RAISEDINNER | BDR_SUNKENINNER)) ? 1 : 0);
        if (flags & BF_LEFT)
            rect->Left += w;
        if (flags & BF_TOP)
            rect->Top += w;
        if (flags & BF_RIGHT)
            rect->Right -= w;
        if (flags & BF_BOTTOM)
            rect->Bottom -= w;
    }
    return true;
}

} // namespace host
