#include "host/vcl/Controls.h"

#include "host/win32/Windows.h"

#include <algorithm>

namespace host {

HOST_IMPLEMENT_ABSTRACT_CLASS_PROPS(TControl, TComponent)
HOST_IMPLEMENT_ABSTRACT_CLASS_PROPS(TWinControl, TControl)
HOST_IMPLEMENT_ABSTRACT_CLASS(TCustomControl, TWinControl)
HOST_IMPLEMENT_ABSTRACT_CLASS(TGraphicControl, TControl)

const TEnumInfo AlignInfo{"TAlign",
                          {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"}};

TShiftState KeysToShiftState(WPARAM keys) {
    TShiftState s;
    if (keys & MK_SHIFT)
        s.include(ssShift);
    if (keys & MK_CONTROL)
        s.include(ssCtrl);
    if (keys & MK_LBUTTON)
        s.include(ssLeft);
    if (keys & MK_RBUTTON)
        s.include(ssRight);
    if (keys & MK_MBUTTON)
        s.include(ssMiddle);
    return s;
}

// ---------------------------------------------------------------- TControl

namespace {
// A property a descendant publishes by name (TEdit's Color, TButton's TabOrder...).
TPropInfo unpublished(TPropInfo p) {
    p.Published = false;
    return p;
}
} // namespace

void TControl::DeclareProperties(PropList& props) {
    props.push_back(IntProp<TControl>(
        "Left", [](const TControl& c) { return c.Left(); },
        [](TControl& c, int64_t v) { c.SetLeft(static_cast<int>(v)); }));
    props.push_back(IntProp<TControl>(
        "Top", [](const TControl& c) { return c.Top(); },
        [](TControl& c, int64_t v) { c.SetTop(static_cast<int>(v)); }));
    props.push_back(IntProp<TControl>(
        "Width", [](const TControl& c) { return c.Width(); },
        [](TControl& c, int64_t v) { c.SetWidth(static_cast<int>(v)); }));
    props.back().MinValue = 0;
    props.push_back(IntProp<TControl>(
        "Height", [](const TControl& c) { return c.Height(); },
        [](TControl& c, int64_t v) { c.SetHeight(static_cast<int>(v)); }));
    props.back().MinValue = 0;
    props.push_back(IntProp<TControl>(
        "Cursor", [](const TControl& c) { return c.Cursor(); },
        [](TControl& c, int64_t v) { c.FCursor = static_cast<int>(v); }, 0));
    props.back().IdentToInt = [](std::string_view name, int64_t& value) {
        return CursorIdentToInt(name, value);
    };
    props.back().IntToIdent = [](int64_t value) { return CursorIntToIdent(value); };
    props.push_back(StrProp<TControl>(
        "Hint", [](const TControl& c) { return c.Hint(); },
        [](TControl& c, const std::string& v) { c.FHint = v; }));

    // What the controls publish by name, with the behaviour behind it.
    props.push_back(unpublished(EnumProp<TControl>(
        "Align", AlignInfo, [](const TControl& c) { return static_cast<int64_t>(c.Align()); },
        [](TControl& c, int64_t v) { c.SetAlign(static_cast<TAlign>(v)); },
        static_cast<int64_t>(alNone))));
    auto caption = [](const char* name) {
        return unpublished(StrProp<TControl>(
            name, [](const TControl& c) { return c.Caption(); },
            [](TControl& c, const std::string& v) { c.SetCaption(v); }));
    };
    props.push_back(caption("Caption"));
    props.push_back(caption("Text"));
    TPropInfo color = unpublished(IntProp<TControl>(
        "Color", [](const TControl& c) { return c.Color(); },
        [](TControl& c, int64_t v) { c.SetColor(static_cast<TColor>(v)); }, clWindow));
    color.IdentToInt = ColorIdentToInt;
    color.IntToIdent = ColorIntToIdent;
    color.IsStored = [](const TObject& o) {
        return !static_cast<const TControl&>(o).ParentColor();
    };
    props.push_back(color);
    props.push_back(unpublished(BoolProp<TControl>(
        "Enabled", [](const TControl& c) { return c.Enabled(); },
        [](TControl& c, int64_t v) { c.SetEnabled(v != 0); }, true)));
    TPropInfo font =
        unpublished(ObjProp<TControl>("Font", TFont::StaticClass(), [](const TControl& c) {
            return const_cast<TFont*>(&c.Font());
        }));
    font.IsStored = [](const TObject& o) { return static_cast<const TControl&>(o).IsFontStored(); };
    props.push_back(font);
    props.push_back(unpublished(BoolProp<TControl>(
        "ParentColor", [](const TControl& c) { return c.ParentColor(); },
        [](TControl& c, int64_t v) { c.SetParentColor(v != 0); }, true)));
    props.push_back(unpublished(BoolProp<TControl>(
        "ParentFont", [](const TControl& c) { return c.ParentFont(); },
        [](TControl& c, int64_t v) { c.SetParentFont(v != 0); }, true)));
    props.push_back(unpublished(BoolProp<TControl>(
        "Visible", [](const TControl& c) { return c.Visible(); },
        [](TControl& c, int64_t v) { c.SetVisible(v != 0); }, true)));
}

void TWinControl::DeclareProperties(PropList& props) {
    props.push_back(IntProp<TWinControl>(
        "HelpContext", [](const TWinControl& c) { return c.HelpContext(); },
        [](TWinControl& c, int64_t v) { c.FHelpContext = v; }, 0));
    TPropInfo tabOrder = unpublished(IntProp<TWinControl>(
        "TabOrder", [](const TWinControl& c) { return c.TabOrder(); },
        [](TWinControl& c, int64_t v) { c.SetTabOrder(static_cast<int>(v)); }, -1));
    tabOrder.MinValue = -1;
    tabOrder.MaxValue = 32767;
    props.push_back(tabOrder);
    props.push_back(unpublished(BoolProp<TWinControl>(
        "TabStop", [](const TWinControl& c) { return c.TabStop(); },
        [](TWinControl& c, int64_t v) { c.SetTabStop(v != 0); }, false)));
}

void TControl::Create(TComponent* owner) {
    inherited::Create(owner);
    FFont.OnChange = [this] { FontChanged(); };
}

void TControl::Destroy() {
    if (FParent)
        FParent->RemoveControl(this);
    inherited::Destroy();
}

TComponent* TControl::GetParentComponent() const {
    return FParent;
}

void TControl::SetParentComponent(TComponent* parent) {
    if (auto* w = dyn<TWinControl>(parent))
        SetParent(w);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TControl* c : std::vector<TControl*>(FControls))
        if (c->Owner() == root)
            proc(c);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent == FParent)
        return;
    if (static_cast<TControl*>(parent) == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent)
        FParent->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == FLeft && top == FTop && width == FWidth && height == FHeight)
        return;
    if (int64_t(left) + width > INT32_MAX || int64_t(top) + height > INT32_MAX)
        throw EPropertyError("invalid value: the control would reach beyond " +
                             IntToStr(INT32_MAX) + " (Left " + IntToStr(left) + ", Top " +
                             IntToStr(top) + ", Width " + IntToStr(width) + ", Height " +
                             IntToStr(height) + ")");
    if (FParent)
        FParent->Invalidate();
    FLeft = left;
    FTop = top;
    FWidth = width;
    FHeight = height;
    Invalidate();
    BoundsChanged();
    if (FParent && FAlign != alNone)
        FParent->Realign();
}

void TControl::SetClientSize(int width, int height) {
    SetBounds(FLeft, FTop, width, height);
}

TPoint TControl::ClientOrigin() const {
    if (!FParent)
        return {FLeft, FTop};
    TPoint p = FParent->ClientOrigin();
    return {ClampToInt(int64_t(p.X) + FLeft), ClampToInt(int64_t(p.Y) + FTop)};
}

TPoint TControl::ClientToScreen(TPoint p) const {
    TPoint o = ClientOrigin();
    return {ClampToInt(int64_t(p.X) + o.X), ClampToInt(int64_t(p.Y) + o.Y)};
}

TPoint TControl::ScreenToClient(TPoint p) const {
    TPoint o = ClientOrigin();
    return {ClampToInt(int64_t(p.X) - o.X), ClampToInt(int64_t(p.Y) - o.Y)};
}

void TControl::SetAlign(TAlign value) {
    if (value == FAlign)
        return;
    FAlign = value;
    if (FParent)
        FParent->Realign();
}

void TControl::SetVisible(bool value) {
    if (value == FVisible)
        return;
    FVisible = value;
    if (FParent) {
        FParent->Invalidate();
        if (FAlign != alNone)
            FParent->Realign();
    }
}

bool TControl::Showing() const {
    bool self = FVisible || (IsDesigning() && !FControlStyle.contains(csNoDesignVisible));
    if (!self)
        return false;
    return FParent ? FParent->Showing() : true;
}

void TControl::SetEnabled(bool value) {
    if (value != FEnabled) {
        FEnabled = value;
        Invalidate();
    }
}

void TControl::SetCaption(const std::string& value) {
    if (value != FCaption) {
        FCaption = value;
        Invalidate();
    }
}

void TControl::SetColor(TColor value) {
    FParentColor = false;
    if (value == FColor)
        return;
    FColor = value;
    Invalidate();
    if (auto* w = dyn<TWinControl>(this))
        for (TControl* c : w->FControls)
            c->ParentColorChanged();
}

void TControl::SetParentColor(bool value) {
    if (value == FParentColor)
        return;
    FParentColor = value;
    if (value)
        ParentColorChanged();
}

void TControl::ParentColorChanged() {
    if (!FParentColor || !FParent || FParent->FColor == FColor)
        return;
    FColor = FParent->FColor;
    Invalidate();
    if (auto* w = dyn<TWinControl>(this))
        for (TControl* c : w->FControls)
            c->ParentColorChanged();
}

void TControl::SetParentFont(bool value) {
    if (value == FParentFont)
        return;
    FParentFont = value;
    if (value)
        ParentFontChanged();
}

void TControl::FontChanged() {
    // A font set on the control itself is no longer the parent's.
    FParentFont = false;
    Invalidate();
}

void TControl::ParentFontChanged() {
    if (!FParentFont || !FParent)
        return;
    auto keep = FFont.OnChange;
    FFont.OnChange = nullptr;
    FFont.Assign(&FParent->Font());
    FFont.OnChange = keep;
    Invalidate();
    if (auto* w = dyn<TWinControl>(this))
        for (int i = 0; i < w->ControlCount(); ++i)
            w->Controls(i)->ParentFontChanged();
}

void TControl::BringToFront() {
    if (!FParent)
        return;
    auto& list = FParent->FControls;
    list.erase(std::remove(list.begin(), list.end(), this), list.end());
    list.push_back(this);
    Invalidate();
}

void TControl::Invalidate() {
    ++FInvalidates;
    if (Desktop* d = Desktop::CurrentOrNull())
        d->Invalidate();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage m{msg, wParam, lParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& m) {
    int x = LParamX(m.LParam);
    int y = LParamY(m.LParam);
    TShiftState shift = KeysToShiftState(m.WParam);
    switch (m.Msg) {
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        break;
    case WM_LBUTTONDOWN:
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        if (FControlStyle.contains(csClickEvents))
            DblClick();
        shift.include(ssDouble);
        MouseDown(mbLeft, shift, x, y);
        break;
    case WM_RBUTTONDBLCLK:
        shift.include(ssDouble);
        MouseDown(mbRight, shift, x, y);
        break;
    case WM_LBUTTONUP: {
        MouseUp(mbLeft, shift, x, y);
        if (FControlStyle.contains(csClickEvents) && PtInRect(ClientRect(), {x, y}))
            Click();
        break;
    }
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    default:
        break;
    }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

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

void TCustomControl::PaintTo(IPaintTarget* target) {
    FCanvas.Target = target;
    FCanvas.Font().Assign(&FFont);
    Paint();
    FCanvas.Target = nullptr;
}

void TGraphicControl::PaintTo(IPaintTarget* target) {
    FCanvas.Target = target;
    FCanvas.Font().Assign(&FFont);
    Paint();
    FCanvas.Target = nullptr;
}

} // namespace host
