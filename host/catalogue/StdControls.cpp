#include "host/catalogue/StdControls.h"

#include "host/catalogue/Catalogue.h"

namespace host {

HOST_IMPLEMENT_CLASS(TStdWinControl, TCustomControl)
HOST_IMPLEMENT_CLASS(TStdScrollingControl, TScrollingWinControl)
HOST_IMPLEMENT_CLASS(TStdGraphicControl, TGraphicControl)
HOST_IMPLEMENT_CLASS(TStdPersistent, TPersistent)

namespace {

// A new control of a catalogue class: the size and the C++-held values its row gives.
void start(TControl& control) {
    const TClassStart* s = CatalogueStart(control.ClassType());
    if (!s)
        return;
    for (const auto& [prop, value] : s->Ordinals)
        if (prop->GetOrd(control) != value)
            prop->SetOrd(control, value);
    if (s->Width + s->Height > 0)
        control.SetBounds(control.Left(), control.Top(), s->Width, s->Height);
}

} // namespace

void TStdWinControl::Create(TComponent* owner) {
    inherited::Create(owner);
    start(*this);
}

void TStdWinControl::Paint() {
    TRect r = ClientRect();
    FCanvas.Brush.Color = FColor;
    FCanvas.FillRect(r);
    DrawEdge(FCanvas.Handle(), &r, EDGE_SUNKEN, BF_RECT);
    FCanvas.TextOut(4, 4, FCaption);
}

void TStdScrollingControl::Create(TComponent* owner) {
    inherited::Create(owner);
    FControlStyle.include(csAcceptsControls);
    start(*this);
}

void TStdGraphicControl::Create(TComponent* owner) {
    inherited::Create(owner);
    start(*this);
}

void TStdGraphicControl::Paint() {
    FCanvas.TextOut(0, 0, FCaption);
}

} // namespace host
