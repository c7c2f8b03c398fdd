// The heartbeat and auto-hide: the timer tick, sliding out of view and back, the shared
// AutoHide switch, and the mouse test that brings a hidden bar back.
#include "component/Stowbar.h"

#include "host/win32/Windows.h"

#include <cfenv>
#include <cmath>

namespace stow {

void TStowbar::WMTimer(TMessage& m) {
    if (m.WParam == 2) {
        KillTimer(FHandle, 2);
        // Outside the designer a bar collects nothing and watches nothing.
        if (FDesigning)
            Collect();
    }
    if (!FDesigning)
        return;

    TPoint cursor;
    GetCursorPos(&cursor);
    TRect r;
    GetWindowRect(FHandle, &r);
    InflateRect(r, 40, 40);
    if (!PtInRect(r, cursor) && !FHidden) {
        // Stay while the bar or one of its components is selected.
        bool found = false;
        {
            TComponentList selection;
            if (FDesigner)
                FDesigner->GetSelections(&selection);
            for (TComponent* c : selection) {
                if (c == this) {
                    found = true;
                    break;
                }
                for (TNVC* e : *FNVCList)
                    if (e->Component == c) {
                        found = true;
                        break;
                    }
                if (found)
                    break;
            }
        }
        if (!found)
            HideBar();
    }
    SetAttachSide(FAttachSide);
}

void TStowbar::HideBar() {
    if (FHidden || !FAutoHide)
        return;
    if (FAttachSide == asLeft)
        ScrollBar(FHiddenBarWidth - Width());
    else if (FAttachSide == asTop)
        ScrollBar(FHiddenBarWidth - Height());
    FHidden = true;
}

void TStowbar::ShowBar() {
    UpdateTabList();
    BringToFront();
    if (!FHidden)
        return;
    if (FAttachSide == asLeft)
        ScrollBar(Width() - FHiddenBarWidth);
    else if (FAttachSide == asTop)
        ScrollBar(Height() - FHiddenBarWidth);
    FHidden = false;
}

void TStowbar::ScrollBar(int delta) {
    FSlideFrames.clear();
    int left0 = Left();
    int top0 = Top();
    // The slide follows the elapsed milliseconds; counting them as a difference keeps it right
    // when the 32-bit tick count wraps around.
    uint32_t t0 = GetTickCount();
    uint32_t now = t0;
    int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    while (static_cast<int64_t>(static_cast<int32_t>(now - t0)) < FScrollTime) {
        now = GetTickCount();
        double elapsed = static_cast<int32_t>(now - t0);
        int offset = static_cast<int>(std::nearbyint(elapsed / FScrollTime * delta));
        if (FAttachSide == asLeft && left0 + offset <= 0) {
            SetLeft(left0 + offset);
            FSlideFrames.push_back(left0 + offset);
        } else if (FAttachSide == asTop && top0 + offset <= 0) {
            SetTop(top0 + offset);
            FSlideFrames.push_back(top0 + offset);
        }
        UpdateWindow(FHandle);
        if (auto* form = ownerForm())
            UpdateWindow(form->Handle());
    }
    std::fesetround(saved);
    if (FAttachSide == asLeft) {
        SetBounds(left0 + delta, Top(), Width(), Height());
        FSlideFrames.push_back(left0 + delta);
    } else if (FAttachSide == asTop) {
        SetBounds(Left(), top0 + delta, Width(), Height());
        FSlideFrames.push_back(top0 + delta);
    }
}

void TStowbar::SetAutoHide(bool value) {
    if (value == FAutoHide)
        return;
    // A copy: creating a window on demand may run code that changes the form's list.
    std::vector<TStowbar*> bars = formBars();
    for (TStowbar* bar : bars)
            SendMessageA(bar->Handle(), CM_AUTOHIDE, value ? 1 : 0, reinterpret_cast<LPARAM>(this));
    if (value)
        FHidden = false;
    else
        ShowBar();
    FAutoHide = value;
}

void TStowbar::CMAutoHide(TMessage& m) {
    if (m.LParam == reinterpret_cast<LPARAM>(this))
        return;
    if (m.WParam != 0 && m.WParam != 1)
        return;
    int saved = FScrollTime;
    FScrollTime = 0;
    if (m.WParam == 0) {
        FAutoHide = false;
        ShowBar();
    } else {
        FAutoHide = true;
        HideBar();
    }
    FScrollTime = saved;
}

void TStowbar::MouseMove(TShiftState shift, int x, int y) {
    inherited::MouseMove(shift, x, y);
    if (Parent() != static_cast<TComponent*>(Owner())) {
        // Dropped into a container of the form: back onto the form, placed and collected again.
        if (auto* form = dyn<TWinControl>(Owner())) {
            SetParent(form);
            SetAttachSide(FAttachSide);
            Collect();
        }
    }
    bool reveal = false;
    switch (FAttachSide) {
    case asTop:
        reveal = y <= 30;
        break;
    case asLeft:
        reveal = Width() - 30 <= x && x <= Width();
        break;
    case asNone:
        reveal = true;
        break;
    }
    if (reveal && FHidden && Top() < 10)
        ShowBar();
}

void TStowbar::TabMouseMove(TObject*, TShiftState shift, int x, int y) { MouseMove(shift, x, y); }

} // namespace stow
