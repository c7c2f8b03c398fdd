#include "host/vcl/Buttons.h"

namespace host {

HOST_IMPLEMENT_CLASS(TSpeedButton, TGraphicControl)

const TEnumInfo ButtonLayoutInfo{"TButtonLayout",
                                 {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"}};

void TSpeedButton::Create(TComponent* owner) {
    inherited::Create(owner);
    FGlyph = new TBitmap();
    FGlyph->OnChange = [this] { Invalidate(); };
    FWidth = 23;
    FHeight = 22;
    FControlStyle = {csCaptureMouse, csDoubleClicks};
}

void TSpeedButton::Destroy() {
    inherited::Destroy();
    delete FGlyph;
    FGlyph = nullptr;
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

void TSpeedButton::Click() { inherited::Click(); }

void TSpeedButton::Paint() {
    // Face and frame; the renderer draws glyph and caption through the canvas.
    FCanvas.Brush.Color = clBtnFace;
    TRect r = ClientRect();
    FCanvas.FillRect(r);
    bool pressed = FState == bsDown || FState == bsExclusive;
    if (pressed) {
        DrawEdge(FCanvas.Handle(), &r, EDGE_SUNKEN, BF_RECT);
    } else {
        DrawEdge(FCanvas.Handle(), &r, EDGE_RAISED, BF_RECT);
    }
    int glyphW = FGlyph->Width();
    int glyphH = FGlyph->Height();
    int textW = FCaption.empty() ? 0 : FCanvas.TextWidth(FCaption);
    int textH = FCaption.empty() ? 0 : FCanvas.TextHeight(FCaption);
    int shift = pressed ? 1 : 0;
    // Place glyph and caption as the button's layout, margin and spacing say.
    bool horizontal = FLayout == blGlyphLeft || FLayout == blGlyphRight;
    int total = horizontal ? r.Width() : r.Height();
    int spacing = (glyphW > 0 && textW > 0) ? FSpacing : 0;
    int glyphSize = horizontal ? glyphW : glyphH;
    int textSize = horizontal ? textW : textH;
    int margin = FMargin;
    if (margin < 0) {
        margin = (total - (glyphSize + spacing + textSize)) / 2;
    }
    int glyphPos = 0;
    int textPos = 0;
    if (FLayout == blGlyphLeft || FLayout == blGlyphTop) {
        glyphPos = margin;
        textPos = margin + glyphSize + spacing;
    } else {
        glyphPos = total - margin - glyphSize;
        textPos = glyphPos - spacing - textSize;
    }
    int gx, gy, tx, ty;
    if (horizontal) {
        gx = glyphPos;
        gy = (r.Height() - glyphH) / 2;
        tx = textPos;
        ty = (r.Height() - textH) / 2;
    } else {
        gy = glyphPos;
        gx = (r.Width() - glyphW) / 2;
        ty = textPos;
        tx = (r.Width() - textW) / 2;
    }
    if (glyphW > 0)
        FCanvas.Draw(gx + shift, gy + shift, *FGlyph, true);
    if (textW > 0) {
        FCanvas.Font().SetColor(Enabled() ? clBtnText : clGrayText);
        FCanvas.TextOut(tx + shift, ty + shift, FCaption);
    }
}

} // namespace host
