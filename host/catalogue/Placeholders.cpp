#include "host/catalogue/Placeholders.h"

#include <algorithm>
#include <array>
#include <string_view>

namespace host {

HOST_IMPLEMENT_CLASS(TPlaceholderComponent, TComponent)
HOST_IMPLEMENT_CLASS(TPlaceholderSubComponent, TPlaceholderComponent)
HOST_IMPLEMENT_CLASS_PROPS(TPlaceholderControl, TCustomControl)
HOST_IMPLEMENT_CLASS(TPlaceholderGraphic, TGraphicControl)

namespace {

bool has(const FormObject& object, std::string_view name) {
    return object.FindProperty(name) != nullptr;
}

// Properties only controls store (of every version of the library and of the other one's
// files), by name or by the sub-object they belong to.
bool isControlProperty(std::string_view name) {
    static constexpr std::array<std::string_view, 30> names = {"Align",
                                                               "Anchors",
                                                               "AutoSize",
                                                               "BiDiMode",
                                                               "Caption",
                                                               "Color",
                                                               "Ctl3D",
                                                               "Cursor",
                                                               "DragCursor",
                                                               "DragKind",
                                                               "DragMode",
                                                               "Enabled",
                                                               "Hint",
                                                               "ParentBiDiMode",
                                                               "ParentColor",
                                                               "ParentCtl3D",
                                                               "ParentFont",
                                                               "ParentShowHint",
                                                               "PopupMenu",
                                                               "ShowHint",
                                                               "TabOrder",
                                                               "TabStop",
                                                               "Text",
                                                               "Visible",
                                                               "AlignWithMargins",
                                                               "DoubleBuffered",
                                                               "ParentDoubleBuffered",
                                                               "ParentBackground",
                                                               "DesignSize",
                                                               "OnClick"};
    static constexpr std::array<std::string_view, 10> prefixes = {
        "Font.",    "Constraints.", "Margins.", "BorderSpacing.", "AnchorSide",
        "Explicit", "ChildSizing.", "Padding.", "OnMouse",        "OnKey"};
    for (std::string_view n : names)
        if (SameText(n, name))
            return true;
    for (std::string_view p : prefixes)
        if (name.size() > p.size() && SameText(name.substr(0, p.size()), p))
            return true;
    return false;
}

bool hasSize(const FormObject& object) {
    return has(object, "Width") || has(object, "Height");
}

// A non-visual component's icon position (Left, Top) is written after its own properties, where
// a control's place comes first (Left, Top, Width, Height; in the Lazarus layout after its anchor
// sides): a Left or Top after a property that is neither a place nor a control's is an icon's.
bool placedAsIcon(const FormObject& object) {
    auto place = [](const std::string& name) {
        return SameText(name, "Left") || SameText(name, "Top") || SameText(name, "Width") ||
               SameText(name, "Height");
    };
    bool other = false;
    for (const FormProperty& p : object.properties) {
        if ((SameText(p.name, "Left") || SameText(p.name, "Top")) && other)
            return true;
        if (!place(p.name) && !isControlProperty(p.name))
            other = true;
    }
    return false;
}

void forget(std::vector<TComponent*>& list, TComponent* c) {
    list.erase(std::remove(list.begin(), list.end(), c), list.end());
}

void adopt(std::vector<TComponent*>& list, TComponent* c) {
    if (std::find(list.begin(), list.end(), c) == list.end())
        list.push_back(c);
}

// A plain face with the component's name, so that a control of an unknown class is seen.
void paintFace(TCanvas& canvas, const TControl& control, bool edge) {
    TRect r = control.ClientRect();
    canvas.Brush.Color = control.Color();
    canvas.FillRect(r);
    if (edge)
        DrawEdge(canvas.Handle(), &r, BDR_SUNKENOUTER, BF_RECT);
    canvas.TextOut(2, 2, control.Name());
}

} // namespace

bool LooksLikeControl(const FormObject& object) {
    if (!hasSize(object) || placedAsIcon(object))
        return false;
    for (const FormProperty& p : object.properties)
        if (isControlProperty(p.name))
            return true;
    return std::any_of(object.children.begin(), object.children.end(), hasSize);
}

PlaceholderKind PlaceholderKindOf(const FormObject& object, TComponent* container,
                                  TComponent* root) {
    const bool takesControls = dyn<TWinControl>(container) != nullptr;
    if (takesControls && LooksLikeControl(object)) {
        if (has(object, "TabOrder") || has(object, "TabStop") || !object.children.empty())
            return PlaceholderKind::WinControl;
        return PlaceholderKind::GraphicControl;
    }
    return container == root ? PlaceholderKind::Component : PlaceholderKind::SubComponent;
}

// ---------------------------------------------------------------- non-visual placeholders

void TPlaceholderComponent::Destroy() {
    FNested.clear();
    inherited::Destroy();
}

void TPlaceholderComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove)
        forget(FNested, component);
    inherited::Notification(component, operation);
}

void TPlaceholderComponent::GetChildren(const std::function<void(TComponent*)>& proc,
                                        TComponent* root) {
    for (TComponent* c : std::vector<TComponent*>(FNested))
        proc(c);
}

void TPlaceholderComponent::AdoptNested(TComponent* child) {
    adopt(FNested, child);
    FreeNotification(child);
}

void TPlaceholderSubComponent::Destroy() {
    FParent = nullptr;
    inherited::Destroy();
}

void TPlaceholderSubComponent::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove && component == FParent)
        FParent = nullptr;
    inherited::Notification(component, operation);
}

void TPlaceholderSubComponent::SetParentComponent(TComponent* parent) {
    FParent = parent;
    if (!parent)
        return;
    FreeNotification(parent);
    if (auto* holder = dynamic_cast<INestingHolder*>(parent))
        holder->AdoptNested(this);
}

// ---------------------------------------------------------------- placeholder controls

void TPlaceholderControl::DeclareProperties(PropList& props) {
    // Every windowed control stores its place in the tab order.
    TPropInfo tabOrder = *FindDeclaredProp(TWinControl::StaticClass(), "TabOrder");
    tabOrder.Published = true;
    props.push_back(std::move(tabOrder));
}

void TPlaceholderControl::Create(TComponent* owner) {
    inherited::Create(owner);
    FControlStyle.include(csAcceptsControls);
}

void TPlaceholderControl::Destroy() {
    FNested.clear();
    inherited::Destroy();
}

void TPlaceholderControl::Notification(TComponent* component, TOperation operation) {
    if (operation == opRemove)
        forget(FNested, component);
    inherited::Notification(component, operation);
}

void TPlaceholderControl::GetChildren(const std::function<void(TComponent*)>& proc,
                                      TComponent* root) {
    inherited::GetChildren(proc, root);
    for (TComponent* c : std::vector<TComponent*>(FNested))
        proc(c);
}

void TPlaceholderControl::AdoptNested(TComponent* child) {
    if (dyn<TControl>(child))
        return; // a control is a child through its parent
    adopt(FNested, child);
    FreeNotification(child);
}

void TPlaceholderControl::Paint() {
    paintFace(FCanvas, *this, true);
}

void TPlaceholderGraphic::Paint() {
    paintFace(FCanvas, *this, false);
}

// ---------------------------------------------------------------- their classes

struct TPlaceholderClasses::Entry {
    PlaceholderKind Kind;
    TClass Class;
};

TPlaceholderClasses::TPlaceholderClasses() = default;
TPlaceholderClasses::~TPlaceholderClasses() = default;

const TClass* TPlaceholderClasses::ClassFor(const std::string& name, PlaceholderKind kind) {
    for (const auto& e : FClasses)
        if (e->Kind == kind && e->Class.ClassName() == name)
            return &e->Class;
    const TClass* base = nullptr;
    switch (kind) {
    case PlaceholderKind::Component:
        base = TPlaceholderComponent::StaticClass();
        break;
    case PlaceholderKind::SubComponent:
        base = TPlaceholderSubComponent::StaticClass();
        break;
    case PlaceholderKind::WinControl:
        base = TPlaceholderControl::StaticClass();
        break;
    case PlaceholderKind::GraphicControl:
        base = TPlaceholderGraphic::StaticClass();
        break;
    }
    FClasses.push_back(std::unique_ptr<Entry>(new Entry{kind, TClass(name, base, nullptr)}));
    return &FClasses.back()->Class;
}

PlaceholderClassFn TPlaceholderClasses::Maker(TComponent* root) {
    return [this, root](const FormObject& object, TComponent* container) {
        return ClassFor(object.className, PlaceholderKindOf(object, container, root));
    };
}

} // namespace host
