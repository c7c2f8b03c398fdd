// The bar's size, its place against the form's edge, the layout of its buttons, painting, and
// the style setters.
#include "stowbar/Stowbar.h"

#include "host/vcl/Forms.h"

#include <algorithm>

namespace stow {

namespace {
constexpr int kNoPictureHeight = 20;
constexpr int kPictureExtra = 8;
constexpr int kGlyphAboveExtra = 18;
constexpr int kFirstButton = 2;
constexpr int kBarExtra = 10;

// Buttons of zero or negative size would divide by zero: the formulas count them as one pixel.
int atLeastOne(int v) {
    return std::max(v, 1);
}

// n / d rounded up, for positive d.
int ceilDiv(int n, int d) {
    return n / d + (n % d != 0 ? 1 : 0);
}
} // namespace

int TStowbar::GetButtonHeight() const {
    int h = kNoPictureHeight;
    if (FShowPicture) {
        h += kPictureExtra;
        if (FLayout == blGlyphTop || FLayout == blGlyphBottom)
            h += kGlyphAboveExtra;
    }
    return h;
}

int TStowbar::GetBarHeight() const {
    auto* form = ownerForm();
    switch (FAttachSide) {
    case asLeft: {
        int h = form ? form->ClientHeight() : 0;
        for (TComponent* c : FForm->ComponentList()) {
            auto* control = dyn<TControl>(c);
            if (control && control != this && control->Align() == alBottom)
                h -= control->Height();
        }
        return std::max(h, 0);
    }
    case asTop: {
        int clientWidth = form ? form->ClientWidth() : 0;
        int rows = 1;
        if (clientWidth > FButtonWidth) {
            int perRow = clientWidth / atLeastOne(FButtonWidth);
            rows = ceilDiv(EntryCount(), perRow);
        }
        if (rows == 0)
            rows = 1;
        return rows * FButtonHeight + kBarExtra + FTabSet->Height();
    }
    case asNone:
    default:
        return ClientHeight();
    }
}

int TStowbar::GetBarWidth() const {
    auto* form = ownerForm();
    switch (FAttachSide) {
    case asLeft: {
        int clientHeight = form ? form->ClientHeight() : 0;
        int columns = 1;
        if (clientHeight > FButtonHeight) {
            int perColumn = (clientHeight - (FTabSet->Height() + 2)) / atLeastOne(FButtonHeight);
            // Too low for one button above the tab set: the layout puts one button in each
            // column, and so many columns are made.
            columns = perColumn > 0 ? ceilDiv(EntryCount(), perColumn) : EntryCount();
        }
        if (columns == 0)
            columns = 1;
        if (columns == 1)
            for (TStowbar* other : formBars())
                if (other != this && other->FAttachSide == asLeft) {
                    columns = 2;
                    break;
                }
        return columns * FButtonWidth + kBarExtra;
    }
    case asTop:
        return form ? form->ClientWidth() : 0;
    case asNone:
    default:
        return ClientWidth();
    }
}

void TStowbar::SetAttachSide(TAttachSide value) {
    int left = 0, top = 0;
    if (FHidden) {
        if (value == asLeft)
            left = FHiddenBarWidth - GetBarWidth();
        else if (value == asTop)
            top = FHiddenBarWidth - GetBarHeight();
    }
    if (value != FAttachSide) {
        // An undocked bar comes into view. While the form is being read it stays exactly where
        // the file put it: sliding it by its height there would move it on every reopening.
        if (value == asNone && ComponentState().contains(csLoading))
            FHidden = false;
        else if (value == asNone)
            ShowBar();
        FAttachSide = value;
        if (ComponentState() == TComponentState{csDesigning})
            UpdateTabList();
    }
    if (value == asLeft || value == asTop) {
        int w = GetBarWidth();
        int h = GetBarHeight();
        if (left != Left() || top != Top() || w != Width() || h != Height())
            SetBounds(left, top, w, h);
    }
    ComponentRefUpd();
}

void TStowbar::layoutEntry(TNVC* e, int& x, int& y) {
    TSpeedButton* b = e->Button;
    if (FShowPicture && b->Glyph().Empty())
        b->Glyph().SetHandle(GetPaletteBitmap(e->Component));
    // Both sides are references: the tick lays every button out and copies no title.
    static const std::string noCaption;
    b->SetCaption(FShowTitles ? e->Title : noCaption);
    b->SetBounds(x, y, FButtonWidth, FButtonHeight);
    auto* form = ownerForm();
    switch (FAttachSide) {
    case asLeft:
        y += FButtonHeight;
        if ((form ? form->ClientHeight() : 0) < y + FButtonHeight + FTabSet->Height()) {
            y = kFirstButton;
            x += FButtonWidth;
        }
        break;
    case asTop:
        x += FButtonWidth;
        if ((form ? form->ClientWidth() : 0) < x + FButtonWidth) {
            x = kFirstButton;
            y += FButtonHeight;
        }
        break;
    case asNone:
        x += FButtonWidth;
        if (ClientWidth() < x + FButtonWidth) {
            x = kFirstButton;
            y += FButtonHeight;
        }
        break;
    }
}

void TStowbar::Paint() {
    TCanvas& canvas = Canvas();
    canvas.Brush.Color = clBtnFace;
    TRect r = ClientRect();
    canvas.FillRect(r);
    DrawEdge(canvas.Handle(), &r, BDR_RAISEDINNER, BF_LEFT | BF_TOP);
    DrawEdge(canvas.Handle(), &r, BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM);
}

void TStowbar::SetShowTitles(bool value) {
    if (value == FShowTitles)
        return;
    for (const auto& e : FNVCs)
        e->Button->SetCaption(value ? e->Title : std::string());
    FShowTitles = value;
}

void TStowbar::SetMargin(int value) {
    if (value == FMargin)
        return;
    for (const auto& e : FNVCs)
        e->Button->SetMargin(value);
    FMargin = value;
}

void TStowbar::SetSpacing(int value) {
    if (value == FSpacing)
        return;
    for (const auto& e : FNVCs)
        e->Button->SetSpacing(value);
    FSpacing = value;
}

void TStowbar::SetButtonLayout(TButtonLayout value) {
    if (value == FLayout)
        return;
    for (const auto& e : FNVCs)
        e->Button->SetLayout(value);
    FLayout = value;
    SetButtonHeight(GetButtonHeight());
}

void TStowbar::SetButtonWidth(int value) {
    if (value == FButtonWidth)
        return;
    FButtonWidth = value;
    ComponentRefUpd();
    Paint();
}

void TStowbar::SetButtonHeight(int value) {
    if (value == FButtonHeight)
        return;
    FButtonHeight = value;
    ComponentRefUpd();
    Paint();
}

} // namespace stow
