#pragma once
// TSpeedButton: a graphic button with a glyph and a caption; buttons of one non-zero group
// index under one parent work like radio buttons.

#include "host/vcl/Controls.h"

#include <memory>

namespace host {

enum class TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
using enum TButtonLayout;
extern const TEnumInfo ButtonLayoutInfo;

enum class TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
using enum TButtonState;

// Where a button's glyph and caption go, as the platform's button glyph places them.
struct TButtonPlacement {
    TPoint GlyphPos;  // top-left of the glyph
    TRect TextBounds; // the caption's rectangle
};
// client: the area inside the button's frame; offset: (1, 1) while pressed; glyphSize and
// textSize: (0, 0) when there is none. Margin -1 centres glyph and caption together; Spacing -1
// spreads them evenly. With Layout blGlyphLeft/Right both are centred vertically, with
// blGlyphTop/Bottom horizontally, an odd pixel going to the far side.
TButtonPlacement CalcButtonLayout(const TRect& client, TPoint offset, TPoint glyphSize,
                                  TPoint textSize, TButtonLayout layout, int margin, int spacing);

class TSpeedButton : public TGraphicControl {
    HOST_CLASS(TSpeedButton, TGraphicControl)
public:
    // What the speed button publishes (the catalogue publishes them by name).
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    void Destroy() override;

    TBitmap& Glyph() { return *FGlyph; }
    const TBitmap& Glyph() const { return *FGlyph; }
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int value);
    bool Down() const { return FDown; }
    void SetDown(bool value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool value) {
        FFlat = value;
        Invalidate();
    }
    // Drawn pressed: held down by the mouse or Down.
    TButtonState State() const { return FState; }

    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseMove(TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;
    void Click() override;
    void Paint() override;
    // A double click is handled as a press; it fires OnDblClick only on a button that is Down
    // (a grouped button the first click of the pair put down).
    void WndProc(TMessage& message) override;

private:
    void updateExclusive();
    std::unique_ptr<TBitmap> FGlyph;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FAllowAllUp = false;
    bool FFlat = false;
    bool FDragging = false;
    TButtonState FState = bsUp;
};

} // namespace host
