// Construction, published properties, loading, notifications and the life cycle of a bar.
#include "stowbar/Stowbar.h"

#include "host/vcl/Dialogs.h"
#include "host/vcl/Forms.h"
#include "host/win32/Windows.h"

namespace stow {

using namespace host;

HOST_IMPLEMENT_CLASS_PROPS(TStowbar, TCustomControl)

const TEnumInfo AttachSideInfo{"TAttachSide", {"asLeft", "asTop", "asNone"}};

namespace {

constexpr char kVersionInfo[] = "2.1 (Delphi 3)";

// The message shown when a bar is dropped on a data module, cut at 255 characters.
std::string dataModuleGuardText(const std::string& className) {
    const std::string cr = "\r";
    std::string text =
        "Stowbar can be used in your TDataModule after you have changed the Class of the "
        "DataModule unit:" +
        cr + cr + "FROM THIS:" + cr + "   " + className + " = class(TDataModule)" + cr +
        "TO THIS:" + cr + "   " + className + " = class(TForm)" + cr + cr +
        "Close and re-open the module then drop a Stowbar. Thank you!";
    if (text.size() > 255)
        text.resize(255);
    return text;
}

} // namespace

void TStowbar::DeclareProperties(PropList& p) {
    TPropInfo version = StrProp<TStowbar>(
        "VersionInfo", [](const TStowbar& b) { return b.VersionInfo(); },
        [](TStowbar& b, const std::string& v) { b.SetVersionInfo(v); });
    version.Stored = false;
    p.push_back(version);
    p.push_back(BoolProp<TStowbar>(
        "AutoHide", [](const TStowbar& b) { return b.AutoHide(); },
        [](TStowbar& b, int64_t v) { b.SetAutoHide(v != 0); }, true));
    p.push_back(EnumProp<TStowbar>(
        "AttachSide", AttachSideInfo,
        [](const TStowbar& b) { return static_cast<int64_t>(b.AttachSide()); },
        [](TStowbar& b, int64_t v) { b.SetAttachSide(static_cast<TAttachSide>(v)); },
        static_cast<int64_t>(asTop)));
    p.push_back(IntProp<TStowbar>(
        "ButtonWidth", [](const TStowbar& b) { return b.ButtonWidth(); },
        [](TStowbar& b, int64_t v) { b.SetButtonWidth(static_cast<int>(v)); }, 130));
    p.push_back(IntProp<TStowbar>(
        "HiddenBarWidth", [](const TStowbar& b) { return b.HiddenBarWidth(); },
        [](TStowbar& b, int64_t v) { b.SetHiddenBarWidth(static_cast<int>(v)); }, 3));
    TPropInfo font = ObjProp<TStowbar>("Font", TFont::StaticClass(), [](const TStowbar& b) {
        return const_cast<TFont*>(&b.Font());
    });
    font.IsStored = [](const TObject& o) { return static_cast<const TStowbar&>(o).IsFontStored(); };
    p.push_back(font);
    p.push_back(EnumProp<TStowbar>(
        "Layout", ButtonLayoutInfo,
        [](const TStowbar& b) { return static_cast<int64_t>(b.Layout()); },
        [](TStowbar& b, int64_t v) { b.SetButtonLayout(static_cast<TButtonLayout>(v)); },
        static_cast<int64_t>(blGlyphLeft)));
    p.push_back(IntProp<TStowbar>(
        "Margin", [](const TStowbar& b) { return b.Margin(); },
        [](TStowbar& b, int64_t v) { b.SetMargin(static_cast<int>(v)); }, 2));
    p.push_back(IntProp<TStowbar>(
        "ScrollTime", [](const TStowbar& b) { return b.ScrollTime(); },
        [](TStowbar& b, int64_t v) { b.SetScrollTime(static_cast<int>(v)); }, 400));
    p.push_back(BoolProp<TStowbar>(
        "ShowTitles", [](const TStowbar& b) { return b.ShowTitles(); },
        [](TStowbar& b, int64_t v) { b.SetShowTitles(v != 0); }, true));
    p.push_back(BoolProp<TStowbar>(
        "ShowPicture", [](const TStowbar& b) { return b.ShowPicture(); },
        [](TStowbar& b, int64_t v) { b.SetShowPicture(v != 0); }, true));
    p.push_back(IntProp<TStowbar>(
        "Spacing", [](const TStowbar& b) { return b.Spacing(); },
        [](TStowbar& b, int64_t v) { b.SetSpacing(static_cast<int>(v)); }, 2));
    // The declared default is 27, but the constructor gives 28: a bar whose ButtonHeight is left
    // out of the file keeps 28. So that a ButtonHeight of exactly 27 survives saving and
    // reading, ButtonHeight is always written (what the host writes for a property that has no
    // default); every other value is written as before.
    p.push_back(IntProp<TStowbar>(
        "ButtonHeight", [](const TStowbar& b) { return b.ButtonHeight(); },
        [](TStowbar& b, int64_t v) { b.SetButtonHeight(static_cast<int>(v)); }));
}

void TStowbar::Create(TComponent* owner) {
    // A data module cannot hold a bar: say how to change it, then abandon silently.
    if (owner && owner->Is<TDataModule>()) {
        ShowMessage(dataModuleGuardText(owner->ClassName()));
        Abort();
    }
    // The bar places itself on its owner: anything but a form is refused before anything is
    // built.
    if (!owner)
        throw EComponentError("A TStowbar needs a form as its owner");
    auto* parent = dyn<TCustomForm>(owner);
    if (!parent)
        throw EComponentError("A TStowbar cannot be placed on a " + owner->ClassName() +
                              ": its owner must be a form");

    inherited::Create(owner);
    FVersionInfo = kVersionInfo;
    FScrollTime = 400;
    ControlStyle().include(csDesignInteractive);
    ControlStyle().include(csOpaque);
    FForm = owner;
    SetParent(parent);
    SetBounds(0, 0, 0, 0);

    FTabSet = New<TTabSet>(nullptr);
    FTabSet->SetParent(this);
    FTabSet->SetDitherBackground(false);
    FTabSet->SetHeight(17);
    FTabSet->SetAlign(alBottom);
    FTabSet->OnMouseMove = [this](TObject* s, TShiftState shift, int x, int y) {
        TabMouseMove(s, shift, x, y);
    };
    FTabSet->OnChange = [this](TObject* s, int newTab, bool& allow) {
        TabChange(s, newTab, allow);
    };

    FMargin = 2;
    FSpacing = 2;
    CreateVerbMenu();

    FAutoHide = true;
    FHidden = true;
    FAttachSide = asTop;
    // A bar already docked on the same side passes its AutoHide on; the last one decides, and a
    // shown start, once chosen, stays.
    for (TStowbar* other : formBars()) {
        if (other == this || other->AttachSide() != FAttachSide)
            continue;
        FAutoHide = other->AutoHide();
        if (!FAutoHide)
            FHidden = false;
    }

    FHiddenBarWidth = 3;
    FShowTitles = true;
    FShowPicture = true;
    FButtonHeight = GetButtonHeight();
    FButtonWidth = 130;
    FDesigning = ComponentState().contains(csDesigning);
    if (auto* form = dyn<TCustomForm>(FForm))
        FDesigner = dynamic_cast<TFormDesigner*>(form->Designer());
    if (!FDesigning)
        SetVisible(false);
}

void TStowbar::Destroy() {
    // Deleted alone (not with its whole form): the entries go to the first other bar, or the
    // icons come back onto the design surface. A bar that never got its owner does neither.
    if (FForm && !ComponentState().contains(csDestroying)) {
        TStowbar* heir = nullptr;
        for (TStowbar* other : formBars())
            if (other != this) {
                heir = other;
                break;
            }
        if (heir) {
            int moved = FNVCs.HandOverAll([heir](const TNVCRecord& e) { heir->TakeOver(e); });
            if (moved > 0)
                ShowMessage("Collected components of \"" + Name() + "\" has been moved to \"" +
                            heir->Name() + "\", due to Delete action");
        } else {
            ShowComponents(true);
        }
    }
    FreeAndNil(FTabSet);
    FreeAndNil(FVerbMenu);
    FreeAndNil(FEditor);
    FreeNVCs();
    inherited::Destroy();
}

void TStowbar::Loaded() {
    inherited::Loaded();
    if (!FDesigning)
        return;
    // A docked bar waits at its hidden place, 3 pixels in view, until the first tick.
    if (FAttachSide == asLeft)
        SetLeft(HideOffset(3, extentAcrossSide()));
    else if (FAttachSide == asTop)
        SetTop(HideOffset(3, extentAcrossSide()));
}

void TStowbar::Notification(TComponent* component, TOperation operation) {
    if (!component || component->Name() == Name())
        return;
    // An entry never keeps a reference to a component that is going away; the next pass
    // resolves it again by name or drops the entry.
    if (operation == opRemove)
        FNVCs.Forget(component);
    if (ComponentState() == TComponentState{csDesigning})
        requestCollect();
    inherited::Notification(component, operation);
}

void TStowbar::CreateParams(TCreateParams& params) {
    inherited::CreateParams(params);
}

void TStowbar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case WM_TIMER:
        WMTimer(m);
        return;
    case WM_CREATE:
        WMCreate(m);
        return;
    case WM_DESTROY:
        WMDestroy(m);
        return;
    case CM_COLLECT:
        CMCollect(m);
        return;
    case CM_AUTOHIDE:
        CMAutoHide(m);
        return;
    default:
        inherited::WndProc(m);
    }
}

void TStowbar::WMCreate(TMessage&) {
    SetTimer(FHandle, 2, 1);
    SetTimer(FHandle, 1, 200);
}

void TStowbar::WMDestroy(TMessage&) {
    KillTimer(FHandle, 2);
    KillTimer(FHandle, 1);
    // What was posted to the window goes with it.
    FCollectRequest.Dropped();
}

TStowbar* TStowbar::asStowbar(TComponent* c) const {
    return dyn<TStowbar>(c);
}

TCustomForm* TStowbar::ownerForm() const {
    return dyn<TCustomForm>(FForm);
}

void TStowbar::updateFormLists() const {
    if (!FForm) {
        FBars.clear();
        FControlsOfForm.clear();
        return;
    }
    if (FBarsVersion == FForm->ComponentsVersion())
        return;
    FBars.clear();
    FControlsOfForm.clear();
    for (TComponent* c : FForm->ComponentList()) {
        if (TStowbar* bar = asStowbar(c))
            FBars.push_back(bar);
        if (auto* control = dyn<TControl>(c); control && control != this)
            FControlsOfForm.push_back(control);
    }
    FBarsVersion = FForm->ComponentsVersion();
}

const std::vector<TStowbar*>& TStowbar::formBars() const {
    updateFormLists();
    return FBars;
}

const std::vector<TControl*>& TStowbar::formControls() const {
    updateFormLists();
    return FControlsOfForm;
}

} // namespace stow
