#pragma once
// Colours, fonts, bitmaps and the canvas controls paint on.

#include "host/classes/Classes.h"
#include "host/win32/Desktop.h"

#include <functional>
#include <optional>
#include <string>

namespace host {

using TColor = int32_t;
// System colours are stored as their index with the high bit set, as the host library does.
constexpr TColor clScrollBar = int32_t(0x80000000);
constexpr TColor clBackground = int32_t(0x80000001);
constexpr TColor clMenu = int32_t(0x80000004);
constexpr TColor clWindow = int32_t(0x80000005);
constexpr TColor clWindowText = int32_t(0x80000008);
constexpr TColor clMenuText = int32_t(0x80000007);
constexpr TColor clCaptionText = int32_t(0x80000009);
constexpr TColor clHighlight = int32_t(0x8000000D);
constexpr TColor clHighlightText = int32_t(0x8000000E);
constexpr TColor clBtnFace = int32_t(0x8000000F);
constexpr TColor clBtnShadow = int32_t(0x80000010);
constexpr TColor clGrayText = int32_t(0x80000011);
constexpr TColor clBtnText = int32_t(0x80000012);
constexpr TColor clBtnHighlight = int32_t(0x80000014);
constexpr TColor cl3DDkShadow = int32_t(0x80000015);
constexpr TColor cl3DLight = int32_t(0x80000016);
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clWhite = 0xFFFFFF;

// Named values of integer properties as the form file writes them: colours (clBtnFace),
// cursors (crHandPoint) and character sets (DEFAULT_CHARSET).
bool ColorIdentToInt(std::string_view name, int64_t& value);
std::optional<std::string> ColorIntToIdent(int64_t value);
bool CursorIdentToInt(std::string_view name, int64_t& value);
std::optional<std::string> CursorIntToIdent(int64_t value);
bool CharsetIdentToInt(std::string_view name, int64_t& value);
std::optional<std::string> CharsetIntToIdent(int64_t value);

// The colour as 0xRRGGBB, system colours resolved to the classic grey scheme.
uint32_t ColorToRGB(TColor color);
std::string ColorToString(TColor color);
bool StringToColor(const std::string& text, TColor& color);

enum class TFontPitch { fpDefault, fpVariable, fpFixed };
extern const TEnumInfo FontPitchInfo;

enum class TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using enum TFontStyle;
using TFontStyles = TSet<TFontStyle>;
extern const TEnumInfo FontStyleInfo;

class TFont : public TPersistent {
    HOST_CLASS(TFont, TPersistent)
public:
    static void DeclareProperties(PropList& props);
    const std::string& Name() const { return FName; }
    void SetName(const std::string& v);
    int Size() const { return FSize; }
    void SetSize(int v);
    int Height() const { return FHeight; }
    void SetHeight(int v);
    TColor Color() const { return FColor; }
    void SetColor(TColor v);
    TFontStyles Style() const { return FStyle; }
    int Charset() const { return FCharset; }
    void SetCharset(int v);
    TFontPitch Pitch() const { return FPitch; }
    void SetPitch(TFontPitch v);
    void SetStyle(TFontStyles v);
    void Assign(TPersistent* source) override;
    bool IsDefault() const;
    std::function<void()> OnChange;

private:
    void changed();
    std::string FName = "MS Sans Serif";
    int FSize = 8;
    int FHeight = -11;
    TColor FColor = clWindowText;
    TFontStyles FStyle;
    int FCharset = 1; // DEFAULT_CHARSET
    TFontPitch FPitch = TFontPitch::fpDefault;
};

// A picture's data as a form file holds it (Picture.Data, Glyph.Data, Icon.Data): the defined
// property Data, binary, present when there is any. The host keeps the bytes as they were read.
class TGraphic : public TPersistent {
    HOST_CLASS(TGraphic, TPersistent)
public:
    const std::string& Data() const { return FData; }
    void SetData(std::string data) { FData = std::move(data); }
    void DefineProperties(TFiler& filer) override;
    void Assign(TPersistent* source) override;

private:
    std::string FData;
};

// A bitmap object owns one GDI handle; assigning a new handle frees the old one.
class TBitmap : public TGraphic {
    HOST_CLASS(TBitmap, TGraphic)
public:
    TBitmap() = default;
    ~TBitmap() override;
    HBITMAP Handle() const { return FHandle; }
    void SetHandle(HBITMAP handle);
    // Gives up the handle without freeing it.
    HBITMAP ReleaseHandle();
    bool Empty() const { return FHandle == 0; }
    int Width() const;
    int Height() const;
    std::function<void()> OnChange;

private:
    HBITMAP FHandle = 0;
};

class TBrush {
public:
    TColor Color = clWhite;
};

class TPen {
public:
    TColor Color = clBlack;
};

// What a canvas paints on: the window surface of the control, or nothing (a canvas with no
// target paints nothing; the rendering layer supplies targets).
class IPaintTarget {
public:
    virtual ~IPaintTarget() = default;
    virtual void FillRect(const TRect& r, uint32_t rgb) = 0;
    virtual void DrawEdge(const TRect& r, UINT edge, UINT flags) = 0;
    virtual void TextOut(int x, int y, const std::string& text, const TFont& font,
                         uint32_t rgb) = 0;
    virtual void Draw(int x, int y, const GdiBitmap& bitmap, bool transparent) = 0;
    virtual int TextWidth(const std::string& text, const TFont& font) = 0;
    virtual int TextHeight(const std::string& text, const TFont& font) = 0;
    virtual void Line(int x1, int y1, int x2, int y2, uint32_t rgb) = 0;
    // Fills with the 2 by 2 checkerboard of a and b (a on even x + y), the brush pattern the
    // platform uses for a down toggle button.
    virtual void FillPattern(const TRect& r, uint32_t a, uint32_t b) { FillRect(r, a); }
};

class TCanvas;
using HDC = TCanvas*;

class TCanvas {
public:
    TCanvas();
    TBrush Brush;
    TPen Pen;
    TFont& Font() { return FFont; }
    // The device context handle, as DrawEdge takes it.
    HDC Handle() { return this; }
    void FillRect(const TRect& r);
    void TextOut(int x, int y, const std::string& text);
    int TextWidth(const std::string& text);
    int TextHeight(const std::string& text);
    void Draw(int x, int y, TBitmap& bitmap, bool transparent = false);
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Rectangle(const TRect& r);
    // Fills with the checkerboard of two colours (Brush.Bitmap = the dither pattern).
    void FillPattern(const TRect& r, TColor a, TColor b);
    // The painting target, set by the renderer while a control paints.
    IPaintTarget* Target = nullptr;
    // How many drawing calls went to this canvas (for tests of what was painted).
    int Operations = 0;

private:
    TFont FFont;
    TPoint FPenPos;
};

bool DrawEdge(HDC dc, TRect* rect, UINT edge, UINT flags);

} // namespace host
