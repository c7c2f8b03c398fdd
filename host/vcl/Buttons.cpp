#include "host/vcl/Buttons.h"

namespace host {

HOST_IMPLEMENT_CLASS_PROPS(TSpeedButton, TGraphicControl)

void TSpeedButton::DeclareProperties(PropList& props) {
    auto hidden = [&](TPropInfo p) {
        p.Published = false;
        props.push_back(std::move(p));
    };
    hidden(BoolProp<TSpeedButton>(
        "AllowAllUp", [](const TSpeedButton& b) { return b.AllowAllUp(); },
        [](TSpeedButton& b, int64_t v) { b.SetAllowAllUp(v != 0); }, false));
    hidden(IntProp<TSpeedButton>(
        "GroupIndex", [](const TSpeedButton& b) { return b.GroupIndex(); },
        [](TSpeedButton& b, int64_t v) { b.SetGroupIndex(static_cast<int>(v)); }, 0));
    hidden(BoolProp<TSpeedButton>(
        "Down", [](const TSpeedButton& b) { return b.Down(); },
        [](TSpeedButton& b, int64_t v) { b.SetDown(v != 0); }, false));
    hidden(BoolProp<TSpeedButton>(
        "Flat", [](const TSpeedButton& b) { return b.Flat(); },
        [](TSpeedButton& b, int64_t v) { b.SetFlat(v != 0); }, false));
    hidden(ObjProp<TSpeedButton>("Glyph", TBitmap::StaticClass(), [](const TSpeedButton& b) {
        return const_cast<TBitmap*>(&b.Glyph());
    }));
    hidden(EnumProp<TSpeedButton>(
        "Layout", ButtonLayoutInfo,
        [](const TSpeedButton& b) { return static_cast<int64_t>(b.Layout()); },
        [](TSpeedButton& b, int64_t v) { b.SetLayout(static_cast<TButtonLayout>(v)); },
        static_cast<int64_t>(blGlyphLeft)));
    hidden(IntProp<TSpeedButton>(
        "Margin", [](const TSpeedButton& b) { return b.Margin(); },
        [](TSpeedButton& b, int64_t v) { b.SetMargin(static_cast<int>(v)); }, -1));
    hidden(IntProp<TSpeedButton>(
        "Spacing", [](const TSpeedButton& b) { return b.Spacing(); },
        [](TSpeedButton& b, int64_t v) { b.SetSpacing(static_cast<int>(v)); }, 4));
}

const TEnumInfo ButtonLayoutInfo{"TButtonLayout",
                                 {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

void TSpeedButton::Create(TComponent* owner) {
    inherited::Create(owner);
    FGlyph = std::make_unique<TBitmap>();
    FGlyph->OnChange = [this] { Invalidate(); };
    FWidth = 23;
    FHeight = 22;
    FControlStyle = {csCaptureMouse, csDoubleClicks};
}

void TSpeedButton::Destroy() {
    inherited::Destroy();
    FGlyph.reset();
}

void TSpeedButton::SetLayout(TButtonLayout value) {
    if (value != FLayout) {
        FLayout = value;
        Invalidate();
    }
}

void TSpeedButton::SetMargin(int value) {
    if (value != FMargin && value >= -1) {
        FMargin = value;
        Invalidate();
    }
}

void TSpeedButton::SetSpacing(int value) {
    if (value != FSpacing) {
        FSpacing = value;
        Invalidate();
    }
}

void TSpeedButton::SetGroupIndex(int value) {
    if (value != FGroupIndex) {
        FGroupIndex = value;
        updateExclusive();
    }
}

void TSpeedButton::SetAllowAllUp(bool value) {
    if (value != FAllowAllUp) {
        FAllowAllUp = value;
        updateExclusive();
    }
}

void TSpeedButton::SetDown(bool value) {
    if (FGroupIndex == 0)
        value = false;
    if (value == FDown)
        return;
    // A down button of a group stays down unless the group allows all buttons up.
    if (FDown && !FAllowAllUp)
        return;
    FDown = value;
    if (value) {
        if (FState == bsUp)
            Invalidate();
        FState = bsExclusive;
    } else {
        FState = bsUp;
        Invalidate();
    }
    if (value)
        updateExclusive();
}

void TSpeedButton::updateExclusive() {
    if (FGroupIndex == 0 || !FParent)
        return;
    if (!FDown) {
        // Nothing to raise: only AllowAllUp spreads, and a group always shares one value (every
        // change spreads), so one member tells whether anything would change.
        for (int i = 0; i < FParent->ControlCount(); ++i) {
            auto* b = dyn<TSpeedButton>(FParent->Controls(i));
            if (b && b != this && b->FGroupIndex == FGroupIndex) {
                if (b->FAllowAllUp == FAllowAllUp)
                    return;
                break;
            }
        }
    }
    for (int i = 0; i < FParent->ControlCount(); ++i) {
        auto* b = dyn<TSpeedButton>(FParent->Controls(i));
        if (!b || b == this || b->FGroupIndex != FGroupIndex)
            continue;
        if (FDown && b->FDown) {
            b->FDown = false;
            b->FState = bsUp;
            b->Invalidate();
        }
        b->FAllowAllUp = FAllowAllUp;
    }
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    // The event fires for every mouse button, before the button's own handling.
    inherited::MouseDown(button, shift, x, y);
    if (button == mbLeft && Enabled()) {
        if (!FDown) {
            FState = bsDown;
            Invalidate();
        }
        FDragging = true;
    }
}

void TSpeedButton::WndProc(TMessage& m) {
    inherited::WndProc(m);
    if (m.Msg == WM_LBUTTONDBLCLK && FDown)
        DblClick();
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    inherited::MouseMove(shift, x, y);
    if (!FDragging)
        return;
    TButtonState newState = bsUp;
    if (PtInRect(ClientRect(), {x, y}))
        newState = FDown ? bsExclusive : bsDown;
    else if (FDown)
        newState = bsExclusive;
    if (newState != FState) {
        FState = newState;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    inherited::MouseUp(button, shift, x, y);
    if (!FDragging || button != mbLeft)
        return;
    FDragging = false;
    bool inside = PtInRect(ClientRect(), {x, y});
    if (FGroupIndex == 0) {
        FState = bsUp;
        Invalidate();
        if (inside)
            Click();
    } else {
        if (inside)
            SetDown(!FDown);
        else if (FState != bsExclusive)
            FState = FDown ? bsExclusive : bsUp;
        FState = FDown ? bsExclusive : bsUp;
        Invalidate();
        if (inside)
            Click();
    }
}

void TSpeedButton::Click() {
    inherited::Click();
}

TButtonPlacement CalcButtonLayout(const TRect& client, TPoint offset, TPoint glyphSize,
                                  TPoint textSize, TButtonLayout layout, int margin, int spacing) {
    const TPoint clientSize{client.Width(), client.Height()};
    const bool horizontal = layout == blGlyphLeft || layout == blGlyphRight;
    TPoint glyphPos, textPos;
    if (horizontal) {
        glyphPos.Y = (clientSize.Y - glyphSize.Y + 1) / 2;
        textPos.Y = (clientSize.Y - textSize.Y + 1) / 2;
    } else {
        glyphPos.X = (clientSize.X - glyphSize.X + 1) / 2;
        textPos.X = (clientSize.X - textSize.X + 1) / 2;
    }
    // With no caption or no glyph there is nothing to space.
    if (textSize.X == 0 || glyphSize.X == 0)
        spacing = 0;
    if (margin == -1) {
        if (spacing == -1) {
            TPoint total{glyphSize.X + textSize.X, glyphSize.Y + textSize.Y};
            margin = horizontal ? (clientSize.X - total.X) / 3 : (clientSize.Y - total.Y) / 3;
            spacing = margin;
        } else {
            TPoint total{glyphSize.X + spacing + textSize.X, glyphSize.Y + spacing + textSize.Y};
            margin =
                horizontal ? (clientSize.X - total.X + 1) / 2 : (clientSize.Y - total.Y + 1) / 2;
        }
    } else if (spacing == -1) {
        TPoint total{clientSize.X - (margin + glyphSize.X), clientSize.Y - (margin + glyphSize.Y)};
        spacing = horizontal ? (total.X - textSize.X) / 2 : (total.Y - textSize.Y) / 2;
    }
    switch (layout) {
    case blGlyphLeft:
        glyphPos.X = margin;
        textPos.X = glyphPos.X + glyphSize.X + spacing;
        break;
    case blGlyphRight:
        glyphPos.X = clientSize.X - margin - glyphSize.X;
        textPos.X = glyphPos.X - spacing - textSize.X;
        break;
    case blGlyphTop:
        glyphPos.Y = margin;
        textPos.Y = glyphPos.Y + glyphSize.Y + spacing;
        break;
    case blGlyphBottom:
        glyphPos.Y = clientSize.Y - margin - glyphSize.Y;
        textPos.Y = glyphPos.Y - spacing - textSize.Y;
        break;
    }
    TButtonPlacement p;
    p.GlyphPos = {glyphPos.X + client.Left + offset.X, glyphPos.Y + client.Top + offset.Y};
    p.TextBounds = Bounds(textPos.X + client.Left + offset.X, textPos.Y + client.Top + offset.Y,
                          textSize.X, textSize.Y);
    return p;
}

void TSpeedButton::Paint() {
    // The frame of a push button (DrawFrameControl with DFCS_ADJUSTRECT): the glyph and caption
    // are placed inside it, two pixels in from each side.
    TRect r = ClientRect();
    const bool pressed = FState == bsDown || FState == bsExclusive;
    FCanvas.Brush.Color = clBtnFace;
    FCanvas.FillRect(r);
    DrawEdge(FCanvas.Handle(), &r, pressed ? EDGE_SUNKEN : EDGE_RAISED,
             BF_RECT | BF_SOFT | BF_MIDDLE);
    TRect paintRect = r;
    InflateRect(paintRect, -2, -2);
    // A button held down by its group shows the dithered face of a checked button.
    if (FState == bsExclusive)
        FCanvas.FillPattern(paintRect, clBtnFace, clBtnHighlight);
    const TPoint offset = pressed ? TPoint{1, 1} : TPoint{0, 0};

    TPoint glyphSize{FGlyph->Width(), FGlyph->Height()};
    TPoint textSize;
    if (!FCaption.empty())
        textSize = {FCanvas.TextWidth(FCaption), FCanvas.TextHeight(FCaption)};
    TButtonPlacement place =
        CalcButtonLayout(paintRect, offset, glyphSize, textSize, FLayout, FMargin, FSpacing);
    if (glyphSize.X > 0)
        FCanvas.Draw(place.GlyphPos.X, place.GlyphPos.Y, *FGlyph, true);
    if (!FCaption.empty()) {
        TColor keep = FCanvas.Font().Color();
        if (Enabled()) {
            FCanvas.Font().SetColor(clBtnText);
            FCanvas.TextOut(place.TextBounds.Left, place.TextBounds.Top, FCaption);
        } else {
            // Disabled: embossed, the highlight one pixel down and right under the shadow.
            FCanvas.Font().SetColor(clBtnHighlight);
            FCanvas.TextOut(place.TextBounds.Left + 1, place.TextBounds.Top + 1, FCaption);
            FCanvas.Font().SetColor(clBtnShadow);
            FCanvas.TextOut(place.TextBounds.Left, place.TextBounds.Top, FCaption);
        }
        FCanvas.Font().SetColor(keep);
    }
}

} // namespace host
