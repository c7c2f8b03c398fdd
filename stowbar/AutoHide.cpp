// The heartbeat and auto-hide: the timer tick, sliding out of view and back, the shared
// AutoHide switch, and the mouse test that brings a hidden bar back.
#include "stowbar/Stowbar.h"

#include "host/win32/Windows.h"

#include <algorithm>
#include <cstdint>

namespace stow {

namespace {

// How far the cursor may stray from a shown bar's window before a tick hides it.
constexpr int kHideDistance = 40;
// How near the edge of a hidden bar the mouse reveals it, and how far down a bar may sit and
// still be revealed.
constexpr int kRevealDistance = 30;
constexpr int kRevealMaxTop = 10;

// n / d rounded to the nearest integer, a half to the even neighbour; d > 0.
int roundedQuotient(int64_t n, int64_t d) {
    int64_t q = n / d;
    int64_t twiceRest = 2 * (n % d < 0 ? -(n % d) : n % d);
    if (twiceRest > d || (twiceRest == d && q % 2 != 0))
        q += n < 0 ? -1 : 1;
    return static_cast<int>(q);
}

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
        if (FNVCs.IndexOfComponent(c) >= 0)
            return true;
    }
    return false;
}

void TStowbar::HideBar() {
    if (FHidden || !FAutoHide)
        return;
    if (FAttachSide != asNone)
        ScrollBar(HideOffset(FAttachSide, FHiddenBarWidth, Width(), Height()));
    FHidden = true;
}

void TStowbar::ShowBar() {
    UpdateTabList();
    BringToFront();
    if (!FHidden)
        return;
    if (FAttachSide != asNone)
        ScrollBar(-HideOffset(FAttachSide, FHiddenBarWidth, Width(), Height()));
    FHidden = false;
}

void TStowbar::ScrollBar(int delta) {
    FSlideFrames.clear();
    const int left0 = Left();
    const int top0 = Top();
    if (FScrollTime > 0) {
        // Timed, not stepped: the offset follows the elapsed milliseconds. They are counted as
        // the difference of two 32-bit tick counts, which stays right when the count wraps
        // around during the slide. A pass that comes late counts as the slide's end, so that
        // the bar never goes past its end position on the way.
        const uint32_t t0 = GetTickCount();
        int64_t elapsed = 0;
        while (elapsed < FScrollTime) {
            elapsed = static_cast<int32_t>(GetTickCount() - t0);
            int offset =
                roundedQuotient(std::min<int64_t>(elapsed, FScrollTime) * delta, FScrollTime);
            // An edge that would come inside the form is skipped; the end is set exactly below.
            if (FAttachSide == asLeft && left0 + offset <= 0) {
                SetLeft(left0 + offset);
                FSlideFrames.push_back(left0 + offset);
            } else if (FAttachSide == asTop && top0 + offset <= 0) {
                SetTop(top0 + offset);
                FSlideFrames.push_back(top0 + offset);
            }
            // No message is dispatched during the slide: only these forced repaints.
            UpdateWindow(FHandle);
            if (auto* form = ownerForm())
                UpdateWindow(form->Handle());
        }
    }
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

void TStowbar::TabMouseMove(TObject*, TShiftState shift, int x, int y) {
    MouseMove(shift, x, y);
}

} // namespace stow
