// The mouse on the design surface: a click selects (Shift adds or takes out), a press and drag
// moves the selected controls or the pressed icon in whole grid steps.
#include "host/designer/Designer.h"

#include <algorithm>

namespace host {

namespace {

// A distance in whole grid steps, rounded towards the nearest step.
int snapped(int delta) {
    const int step = TFormDesigner::GridStep;
    const int half = step / 2;
    return delta >= 0 ? (delta + half) / step * step : -((-delta + half) / step * step);
}

} // namespace

void TFormDesigner::MouseDown(TComponent* component, HWND window, WPARAM keys) {
    if (!component)
        return;
    const bool selected =
        std::find(FSelection.begin(), FSelection.end(), component) != FSelection.end();
    if (keys & MK_SHIFT) {
        std::vector<TComponent*> list = FSelection;
        if (selected)
            list.erase(std::remove(list.begin(), list.end(), component), list.end());
        else
            list.push_back(component);
        SetSelection(list);
        return; // Shift only changes the selection
    }
    if (!selected)
        SelectComponent(component);
    if (component == FRoot)
        return;
    Desktop& d = Desktop::Current();
    Drag drag;
    drag.Start = d.CursorPos();
    drag.Window = window;
    if (HWND icon = IconOf(component)) {
        drag.Icon = icon;
        drag.IconOf = component;
        const TRect r = d.WindowRectInParent(icon);
        drag.IconStart = {r.Left, r.Top};
    } else {
        for (TComponent* c : FSelection)
            if (auto* control = dyn<TControl>(c); control && c != FRoot)
                drag.Controls.push_back({control, {control->Left(), control->Top()}});
    }
    FDrag = drag;
    if (window)
        d.SetCapture(window);
}

bool TFormDesigner::MouseMove() {
    if (!FDrag)
        return false;
    Desktop& d = Desktop::Current();
    const TPoint cursor = d.CursorPos();
    const int dx = snapped(cursor.X - FDrag->Start.X);
    const int dy = snapped(cursor.Y - FDrag->Start.Y);
    if (FDrag->Icon) {
        if (dx || dy || FDrag->Moved) {
            d.SetWindowPos(FDrag->Icon, 0, FDrag->IconStart.X + dx, FDrag->IconStart.Y + dy, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER);
            FDrag->Moved = true;
        }
        return true;
    }
    for (auto& [control, start] : FDrag->Controls) {
        if (dx || dy || FDrag->Moved)
            control->SetBounds(start.X + dx, start.Y + dy, control->Width(), control->Height());
    }
    if (dx || dy)
        FDrag->Moved = true;
    return true;
}

bool TFormDesigner::MouseUp() {
    if (!FDrag)
        return false;
    MouseMove();
    Drag drag = *FDrag;
    FDrag.reset();
    Desktop& d = Desktop::Current();
    if (drag.Window && d.GetCapture() == drag.Window)
        d.ReleaseCapture();
    if (!drag.Moved)
        return true;
    if (drag.Icon && drag.IconOf) {
        const TRect r = d.WindowRectInParent(drag.Icon);
        drag.IconOf->SetDesignInfo(TDesignPos::Pack(r.Left, r.Top));
    }
    Modified();
    return true;
}

void TFormDesigner::forgetDragged(TComponent* component) {
    if (!FDrag)
        return;
    if (FDrag->IconOf == component) {
        FDrag->Icon = 0;
        FDrag->IconOf = nullptr;
    }
    std::erase_if(FDrag->Controls, [component](const auto& entry) {
        return static_cast<TComponent*>(entry.first) == component;
    });
}

} // namespace host
