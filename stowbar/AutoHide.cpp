// The heartbeat and auto-hide: the timer tick, sliding out of view and back, the shared
// AutoHide switch, and the mouse test that brings a hidden bar back.
#include "stowbar/Stowbar.h"

#include "host/win32/Windows.h"

namespace stow {

using namespace host;

namespace {

// How far the cursor may stray from a shown bar's window before a tick hides it.
constexpr int kHideDistance = 40;
// How near the edge of a hidden bar the mouse reveals it, and how far down a bar may sit and
// still be revealed.
constexpr int kRevealDistance = 30;
constexpr int kRevealMaxTop = 10;

} // namespace

void TStowbar::WMTimer(TMessage& m) {
    if (m.WParam == 2) {
        // One shot: the first collection pass after the window exists.
        KillTimer(FHandle, 2);
        if (FDesigning)
            Collect();
    }
    // Outside the designer a bar is invisible, collects nothing and watches nothing: its tick
    // reads no cursor, moves nothing and lays nothing out.
    if (!FDesigning)
        return;

    TPoint cursor;
    GetCursorPos(&cursor);
    TRect r;
    GetWindowRect(FHandle, &r);
    InflateRect(r, kHideDistance, kHideDistance);
    if (!PtInRect(r, cursor) && !FHidden && !selectionHoldsBar())
        HideBar();
    SetAttachSide(FAttachSide);
}

bool TStowbar::selectionHoldsBar() {
    // The list is the bar's own, kept between ticks so that a tick allocates nothing; it holds
    // the selection only during this walk and is emptied on every way out.
    struct Emptied {
        TComponentList& list;
        ~Emptied() { list.Clear(); }
    } emptied{FSelectionList};
    if (FDesigner)
        FDesigner->GetSelections(&FSelectionList);
    for (TComponent* c : FSelectionList) {
        if (c == this)
            return true;
        if (FNVCs.HoldsComponent(c))
            return true;
    }
    return false;
}

void TStowbar::HideBar() {
    if (FHidden || !FAutoHide)
        return;
    if (FAttachSide != asNone)
        ScrollBar(HideOffset(FHiddenBarWidth, extentAcrossSide()));
    FHidden = true;
}

void TStowbar::ShowBar() {
    UpdateTabList();
    BringToFront();
    if (!FHidden)
        return;
    if (FAttachSide != asNone)
        ScrollBar(-HideOffset(FHiddenBarWidth, extentAcrossSide()));
    FHidden = false;
}

void TStowbar::ScrollBar(int delta) {
    // Only the edge against the form moves: Left on the left side, Top on the top.
    const bool left = FAttachSide == asLeft;
    std::function<void(int)> moveEdge;
    if (FAttachSide != asNone)
        moveEdge = [this, left](int edge) { left ? SetLeft(edge) : SetTop(edge); };
    FSlide.Run(left ? Left() : Top(), delta, FScrollTime, GetTickCount, moveEdge, [this] {
        // No message is dispatched during the slide: only these forced repaints.
        UpdateWindow(FHandle);
        if (auto* form = ownerForm())
            UpdateWindow(form->Handle());
    });
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
    // The bar jumps: ScrollTime is 0 for this call only, also when the call raises.
    struct Restored {
        int& field;
        int saved;
        ~Restored() { field = saved; }
    } restored{FScrollTime, FScrollTime};
    FScrollTime = 0;
    if (m.WParam == 0) {
        FAutoHide = false;
        ShowBar();
    } else {
        FAutoHide = true;
        HideBar();
    }
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
        reveal = y <= kRevealDistance;
        break;
    case asLeft:
        reveal = Width() - kRevealDistance <= x && x <= Width();
        break;
    case asNone:
        reveal = true;
        break;
    }
    if (reveal && FHidden && Top() < kRevealMaxTop)
        ShowBar();
}

} // namespace stow
