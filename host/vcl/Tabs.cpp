#include "host/vcl/Tabs.h"

namespace host {

HOST_IMPLEMENT_CLASS(TTabSet, TCustomControl)

void TTabSet::Create(TComponent* owner) {
    inherited::Create(owner);
    FWidth = 185;
    FHeight = 21;
    FTabs.OnChange = [this] {
        if (FTabIndex >= FTabs.Count())
            FTabIndex = FTabs.Count() - 1;
        Invalidate();
    };
}

void TTabSet::SetTabIndex(int value) {
    if (value == FTabIndex)
        return;
    if (value < -1 || value >= FTabs.Count())
        throw EListError("Tab index out of bounds (" + IntToStr(value) + ")");
    bool allow = true;
    if (OnChange)
        OnChange(this, value, allow);
    if (allow) {
        FTabIndex = value;
        Invalidate();
    }
}

TRect TTabSet::ItemRect(int index) {
    int x = StartMargin;
    for (int i = 0; i < FTabs.Count(); ++i) {
        int w = FCanvas.TextWidth(FTabs[i]) + 10;
        if (i == index)
            return {x, 0, x + w, FHeight};
        x += w;
    }
    return {};
}

int TTabSet::ItemAtPos(TPoint p) {
    for (int i = 0; i < FTabs.Count(); ++i)
        if (PtInRect(ItemRect(i), p))
            return i;
    return -1;
}

void TTabSet::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        int i = ItemAtPos({x, y});
        if (i >= 0)
            SetTabIndex(i);
    }
    inherited::MouseDown(button, shift, x, y);
}

void TTabSet::Paint() {
    FCanvas.Brush.Color = clBtnFace;
    FCanvas.FillRect(ClientRect());
    for (int i = 0; i < FTabs.Count(); ++i) {
        TRect r = ItemRect(i);
        FCanvas.Brush.Color = i == FTabIndex ? clBtnFace : clBtnShadow;
        FCanvas.FillRect(r);
        FCanvas.TextOut(r.Left + 5, r.Top + 2, FTabs[i]);
    }
}

} // namespace host
