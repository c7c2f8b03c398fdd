#include "host/vcl/Tabs.h"

#include <algorithm>

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
    int x = StartMargin + Slant;
    for (int i = 0; i < FTabs.Count(); ++i) {
        int w = FCanvas.TextWidth(FTabs[i]) + 2 * Slant + 8;
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

// One tab hanging from the top edge: a trapezoid whose slanted sides reach Slant pixels into
// its neighbours at the top and come in by Slant at the bottom. The selected tab takes the
// colour of the page above and has no top line, so it merges with it.
void TTabSet::paintTab(int index, bool selected) {
    const TRect item = ItemRect(index);
    const int bottom = std::max(2, FHeight - 2); // the tab's bottom line
    auto edgeAt = [&](int y, bool left) {
        int in = (2 * Slant * y) / bottom - Slant; // -Slant at the top, +Slant at the bottom
        return left ? item.Left + in : item.Right - 1 - in;
    };
    FCanvas.Brush.Color = selected ? clBtnFace : clWindow;
    for (int y = selected ? 0 : 1; y < bottom; ++y)
        FCanvas.FillRect({edgeAt(y, true) + 1, y, edgeAt(y, false), y + 1});
    FCanvas.Pen.Color = clBlack;
    for (int y = 0; y < bottom; ++y) {
        FCanvas.MoveTo(edgeAt(y, true), y);
        FCanvas.LineTo(edgeAt(y, true) + 1, y);
        FCanvas.MoveTo(edgeAt(y, false), y);
        FCanvas.LineTo(edgeAt(y, false) + 1, y);
    }
    FCanvas.MoveTo(edgeAt(bottom, true), bottom);
    FCanvas.LineTo(edgeAt(bottom, false) + 1, bottom);
    if (selected) {
        // The highlight down the left slant, as a raised face shows it.
        FCanvas.Pen.Color = clBtnHighlight;
        for (int y = 0; y < bottom; ++y) {
            FCanvas.MoveTo(edgeAt(y, true) + 1, y);
            FCanvas.LineTo(edgeAt(y, true) + 2, y);
        }
    }
    const std::string& text = FTabs[index];
    int tw = FCanvas.TextWidth(text);
    FCanvas.Font().SetColor(clBtnText);
    FCanvas.TextOut(item.Left + (item.Width() - tw) / 2, std::max(0, (bottom - 12) / 2), text);
}

void TTabSet::Paint() {
    FCanvas.Brush.Color = clBtnFace;
    FCanvas.FillRect(ClientRect());
    // The edge of the page above the tabs.
    FCanvas.Pen.Color = clBlack;
    FCanvas.MoveTo(0, 0);
    FCanvas.LineTo(FWidth, 0);
    // The other tabs lie behind the selected one, the left ones over the right ones.
    for (int i = FTabs.Count() - 1; i >= 0; --i)
        if (i != FTabIndex)
            paintTab(i, false);
    if (FTabIndex >= 0 && FTabIndex < FTabs.Count())
        paintTab(FTabIndex, true);
}

} // namespace host
