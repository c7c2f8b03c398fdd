// The bar's size, its place against the form's edge, the layout of its buttons, painting, and
// the style setters.
#include "stowbar/Stowbar.h"

#include "host/vcl/Forms.h"
#include "host/win32/Desktop.h"

namespace stow {

using namespace host;

int TStowbar::GetButtonHeight() const {
    return ButtonHeightFor(FShowPicture, FLayout);
}

int TStowbar::extentAcrossSide() const {
    return FAttachSide == asLeft ? Width() : Height();
}

TButtonGrid TStowbar::buttonGrid() const {
    return {FButtonWidth, FButtonHeight, EntryCount(), FTabSet->Height()};
}

int TStowbar::GetBarHeight() const {
    auto* form = ownerForm();
    switch (FAttachSide) {
    case asLeft: {
        int64_t bottomAligned = 0;
        for (TControl* control : formControls())
            if (control->Align() == alBottom)
                bottomAligned += control->Height();
        return LeftBarHeight(form ? form->ClientHeight() : 0, bottomAligned);
    }
    case asTop:
        return TopBarHeight(buttonGrid(), form ? form->ClientWidth() : 0);
    case asNone:
    default:
        return ClientHeight();
    }
}

int TStowbar::GetBarWidth() const {
    auto* form = ownerForm();
    switch (FAttachSide) {
    case asLeft: {
        bool otherLeftBar = false;
        for (TStowbar* other : formBars())
            if (other != this && other->FAttachSide == asLeft)
                otherLeftBar = true;
        return LeftBarWidth(buttonGrid(), form ? form->ClientHeight() : 0, otherLeftBar);
    }
    case asTop:
        return form ? form->ClientWidth() : 0;
    case asNone:
    default:
        return ClientWidth();
    }
}

void TStowbar::SetAttachSide(TAttachSide value) {
    // The hidden place follows the size the bar has on the side it leaves; only the extent
    // across the new side counts (the width on the left, the height on the top).
    TPoint place{0, 0};
    if (FHidden && value != asNone)
        place =
            HiddenPlace(value, FHiddenBarWidth, value == asLeft ? GetBarWidth() : GetBarHeight());
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
        if (place.X != Left() || place.Y != Top() || w != Width() || h != Height())
            SetBounds(place.X, place.Y, w, h);
    }
    ComponentRefUpd();
}

int TStowbar::layoutRoom() const {
    // The bar's own client width when it is not docked, else the form's client height (left) or
    // width (top).
    if (FAttachSide == asNone)
        return ClientWidth();
    auto* form = ownerForm();
    return !form ? 0 : FAttachSide == asLeft ? form->ClientHeight() : form->ClientWidth();
}

TStowbar::TLayoutInputs TStowbar::layoutInputs() const {
    TLayoutInputs in;
    in.Entries = FNVCs.Version();
    in.FormComponents = FForm ? FForm->ComponentsVersion() : 0;
    in.FormNames = FForm ? FForm->NamesVersion() : 0;
    in.Modules = Desktop::Current().ModulesVersion();
    in.Side = FAttachSide;
    in.ButtonWidth = FButtonWidth;
    in.ButtonHeight = FButtonHeight;
    in.Room = layoutRoom();
    in.TabSetHeight = FTabSet->Height();
    in.ShowPicture = FShowPicture;
    in.ShowTitles = FShowTitles;
    return in;
}

void TStowbar::layoutEntry(TNVC& e, TPoint& at) {
    ++FLayoutSteps;
    TSpeedButton* b = e.Button;
    if (FShowPicture && b->Glyph().Empty())
        b->Glyph().SetHandle(GetPaletteBitmap(e.Component));
    // Both sides are references: the relayout copies no title.
    static const std::string noCaption;
    b->SetCaption(FShowTitles ? e.Title : noCaption);
    b->SetBounds(at.X, at.Y, Saturated(FButtonWidth), Saturated(FButtonHeight));
    at = NextButtonPlace(FAttachSide, at, buttonGrid(), layoutRoom());
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

void TStowbar::SetShowPicture(bool value) {
    if (value == FShowPicture)
        return;
    for (const auto& e : FNVCs) {
        e->Button->Glyph().SetHandle(0);
        if (value && e->Component)
            e->Button->Glyph().SetHandle(GetPaletteBitmap(e->Component));
    }
    FShowPicture = value;
    SetButtonHeight(GetButtonHeight());
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
