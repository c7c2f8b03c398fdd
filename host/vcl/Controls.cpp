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
