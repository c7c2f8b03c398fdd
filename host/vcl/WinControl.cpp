// The windowed control: its window and handle, its children and their z-order, tab order,
// alignment and the messages it routes to them.
#include "host/vcl/Controls.h"

#include "host/win32/Windows.h"

#include <algorithm>

namespace host {

// ---------------------------------------------------------------- TWinControl

void TWinControl::Destroy() {
    if (FHandle)
        DestroyHandle();
    // Controls still parented here go with it.
    while (!FControls.empty()) {
        TControl* c = FControls.back();
        RemoveControl(c);
        c->Free();
    }
    inherited::Destroy();
}

HWND TWinControl::Handle() {
    HandleNeeded();
    return FHandle;
}

void TWinControl::HandleNeeded() {
    if (FHandle)
        return;
    if (FParent)
        FParent->HandleNeeded();
    if (!FHandle)
        CreateWnd();
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = FCaption;
    params.WinClassName = ClassName();
    params.X = FLeft;
    params.Y = FTop;
    params.Width = FWidth;
    params.Height = FHeight;
    params.WndParent = FParent ? FParent->FHandle : 0;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    Desktop::CreateParams cp;
    cp.ClassName = params.WinClassName;
    cp.Parent = params.WndParent;
    cp.Bounds = Bounds(params.X, params.Y, params.Width, params.Height);
    cp.ClientInset = ClientInset();
    cp.Visible = Showing();
    cp.Proc = this;
    cp.Bind = [this](HWND h) { FHandle = h; };
    Desktop::Current().CreateWindowEx(cp);
    // The windows of the children that show come next, each above the ones before it.
    for (size_t i = 0; i < FControls.size(); ++i)
        if (auto* w = dyn<TWinControl>(FControls[i]))
            if (w->Showing() && !w->FHandle)
                w->CreateWnd();
}

void TWinControl::DestroyHandle() {
    if (!FHandle || FDestroyingHandle)
        return;
    FDestroyingHandle = true;
    Desktop::Current().DestroyWindow(FHandle);
    FDestroyingHandle = false;
    FHandle = 0;
}

void TWinControl::WindowDestroyed(HWND handle) {
    if (handle == FHandle)
        FHandle = 0;
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    bool resized = width != FWidth || height != FHeight;
    TControl::SetBounds(left, top, width, height);
    if (FHandle)
        Desktop::Current().SetWindowPos(FHandle, 0, FLeft, FTop, FWidth, FHeight,
                                        SWP_NOZORDER | SWP_NOACTIVATE);
    if (resized)
        Realign();
}

void TWinControl::SetVisible(bool value) {
    if (value == FVisible)
        return;
    TControl::SetVisible(value);
    updateShowing();
}

void TWinControl::updateShowing() {
    bool show = Showing();
    if (FHandle)
        Desktop::Current().ShowWindow(FHandle, show);
    else if (show && FParent && FParent->FHandle && !ComponentState().contains(csLoading))
        HandleNeeded();
}

void TWinControl::BringToFront() {
    TControl::BringToFront();
    if (FHandle)
        Desktop::Current().SetWindowPos(FHandle, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

TPoint TWinControl::ClientOrigin() const {
    if (FHandle)
        return Desktop::Current().ClientOriginOnScreen(FHandle);
    TPoint p = TControl::ClientOrigin();
    TRect inset = ClientInset();
    return {p.X + inset.Left, p.Y + inset.Top};
}

void TWinControl::InsertControl(TControl* control) {
    FControls.push_back(control);
    control->FParent = this;
    if (control->FParentFont)
        control->ParentFontChanged();
    if (control->FParentColor)
        control->ParentColorChanged();
    if (auto* w = dyn<TWinControl>(control)) {
        FTabList.push_back(w);
        w->updateShowing();
    }
    if (control->FAlign != alNone)
        Realign();
    Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
    if (auto* w = dyn<TWinControl>(control))
        w->DestroyHandle();
    if (FMouseControl == control)
        FMouseControl = nullptr;
    // Controls are most often taken out from the end (a bar's buttons, a parent going): the
    // search starts there.
    auto it = std::find(FControls.rbegin(), FControls.rend(), control);
    if (it != FControls.rend())
        FControls.erase(std::next(it).base());
    if (auto tab = std::find(FTabList.rbegin(), FTabList.rend(), control); tab != FTabList.rend())
        FTabList.erase(std::next(tab).base());
    control->FParent = nullptr;
    Invalidate();
}

int TWinControl::TabOrder() const {
    if (!FParent)
        return -1;
    const auto& list = FParent->FTabList;
    auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<int>(it - list.begin());
}

void TWinControl::SetTabOrder(int value) {
    if (ComponentState().contains(csReading))
        FTabOrder = value;
    else
        UpdateTabOrder(value);
}

void TWinControl::UpdateTabOrder(int value) {
    int current = TabOrder();
    if (current < 0)
        return;
    auto& list = FParent->FTabList;
    const int count = static_cast<int>(list.size());
    if (value < 0 || value >= count)
        value = count - 1;
    if (value == current)
        return;
    list.erase(list.begin() + current);
    list.insert(list.begin() + value, this);
}

void TWinControl::FixupTabList() {
    // The controls whose TabOrder was read take those places, lowest first; the others keep
    // the order they came in around them.
    const size_t count = FTabList.size();
    std::vector<TWinControl*> places(count, nullptr);
    for (TWinControl* c : FTabList)
        if (c->FTabOrder >= 0 && static_cast<size_t>(c->FTabOrder) < count)
            places[static_cast<size_t>(c->FTabOrder)] = c;
    for (size_t i = 0; i < count; ++i)
        if (places[i])
            places[i]->UpdateTabOrder(static_cast<int>(i));
}

void TWinControl::Loaded() {
    inherited::Loaded();
    FixupTabList();
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    for (TControl* c : FControls)
        c->ParentFontChanged();
}

void TWinControl::Realign() {
    if (FInRealign)
        return;
    FInRealign = true;
    // The area left for the next aligned control; each edge moves by a child's size, in 64 bits
    // and never past the opposite edge, so that no sum overflows.
    TRect client = ClientRect();
    int64_t left = client.Left, top = client.Top, right = client.Right, bottom = client.Bottom;
    auto width = [&] { return ClampToInt(std::max<int64_t>(0, right - left)); };
    auto height = [&] { return ClampToInt(std::max<int64_t>(0, bottom - top)); };
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient}) {
        for (TControl* c : FControls) {
            if (c->FAlign != pass || !c->FVisible)
                continue;
            switch (pass) {
            case alTop:
                c->SetBounds(ClampToInt(left), ClampToInt(top), width(), c->FHeight);
                top = std::min(bottom, top + c->FHeight);
                break;
            case alBottom:
                c->SetBounds(ClampToInt(left), ClampToInt(bottom - c->FHeight), width(),
                             c->FHeight);
                bottom = std::max(top, bottom - c->FHeight);
                break;
            case alLeft:
                c->SetBounds(ClampToInt(left), ClampToInt(top), c->FWidth, height());
                left = std::min(right, left + c->FWidth);
                break;
            case alRight:
                c->SetBounds(ClampToInt(right - c->FWidth), ClampToInt(top), c->FWidth, height());
                right = std::max(left, right - c->FWidth);
                break;
            case alClient:
                c->SetBounds(ClampToInt(left), ClampToInt(top), width(), height());
                break;
            default:
                break;
            }
        }
    }
    FInRealign = false;
}

TControl* TWinControl::ControlAtPos(TPoint p, bool allowDisabled) const {
    for (auto it = FControls.rbegin(); it != FControls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Showing() || (!allowDisabled && !c->Enabled()))
            continue;
        if (PtInRect(c->BoundsRect(), p))
            return c;
    }
    return nullptr;
}

void TWinControl::WindowProc(TMessage& message) {
    WndProc(message);
}

void TWinControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_CAPTURECHANGED:
        // A popup menu or a dialog took the mouse: no release will come for the press.
        FMouseControl = nullptr;
        return;
    case WM_WINDOWPOSCHANGED:
        if (FHandle) {
            // Moved by the windowing system: take the window's place as the control's bounds.
            TRect r = Desktop::Current().WindowRectInParent(FHandle);
            FLeft = r.Left;
            FTop = r.Top;
            FWidth = r.Width();
            FHeight = r.Height();
        }
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
        // A graphic control under the cursor (or holding the mouse since a press) gets the
        // message in its own coordinates, and this control's own handling does not run.
        TPoint p{LParamX(m.LParam), LParamY(m.LParam)};
        TControl* target = FMouseControl;
        if (!target) {
            TControl* c = ControlAtPos(p);
            if (c && !dyn<TWinControl>(c))
                target = c;
        }
        if (target) {
            bool down = m.Msg == WM_LBUTTONDOWN || m.Msg == WM_RBUTTONDOWN ||
                        m.Msg == WM_MBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK;
            bool up = m.Msg == WM_LBUTTONUP || m.Msg == WM_RBUTTONUP || m.Msg == WM_MBUTTONUP;
            TMessage child = m;
            child.LParam = MakeLParam(p.X - target->Left(), p.Y - target->Top());
            // The window holds the mouse for the graphic control from the press to the release.
            if (down) {
                FMouseControl = target;
                if (FHandle)
                    Desktop::Current().SetCapture(FHandle);
            }
            if (up)
                FMouseControl = nullptr;
            const HWND self = FHandle; // the handler may free this control
            target->WndProc(child);
            m.Result = child.Result;
            if (up && self && Desktop::Current().GetCapture() == self)
                Desktop::Current().ReleaseCapture();
            return;
        }
        if (ComponentState().contains(csDesigning) && FParent) {
            TWinControl* top = FParent;
            while (top->Parent())
                top = top->Parent();
            if (top->DesignMessage(this, m))
                return;
        }
        break;
    }
    default:
        break;
    }
    TControl::WndProc(m);
}

// ---------------------------------------------------------------- painting

} // namespace host
