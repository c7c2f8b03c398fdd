#include "host/designer/Designer.h"

#include "host/designer/ComponentEditors.h"

#include "host/win32/Windows.h"

#include <algorithm>

namespace host {

// ---------------------------------------------------------------- icons

TDesignerIcon::TDesignerIcon(TFormDesigner& designer, TComponent* component)
    : FDesigner(designer), FComponent(component) {
    Desktop::CreateParams cp;
    cp.ClassName = "TContainer";
    cp.Parent = designer.Surface()->Handle();
    TDesignPos pos = TDesignPos::Unpack(component->DesignInfo());
    cp.Bounds = Bounds(pos.Left, pos.Top, Size, Size);
    cp.Proc = this;
    cp.Bind = [this](HWND h) { FHandle = h; };
    Desktop::Current().CreateWindowEx(cp);
}

TDesignerIcon::~TDesignerIcon() {
    if (FHandle)
        if (Desktop* d = Desktop::CurrentOrNull()) {
            HWND h = FHandle;
            FHandle = 0;
            d->DestroyWindow(h);
        }
}

void TDesignerIcon::WindowProc(TMessage& m) {
    // A click on an icon selects its component (Shift adds it) and may drag the icon; a right
    // click pops the designer's menu for it, a double click runs its editor.
    switch (m.Msg) {
    case WM_LBUTTONDOWN:
        FDesigner.MouseDown(FComponent, FHandle, m.WParam);
        break;
    case WM_MOUSEMOVE:
        FDesigner.MouseMove();
        break;
    case WM_LBUTTONUP:
        FDesigner.MouseUp();
        break;
    case WM_RBUTTONDOWN:
        FDesigner.SelectComponent(FComponent);
        break;
    case WM_RBUTTONUP:
        FDesigner.ContextMenu(FComponent, Desktop::Current().CursorPos());
        break;
    case WM_LBUTTONDBLCLK:
        FDesigner.EditComponent(FComponent);
        break;
    default:
        break;
    }
}

void TDesignerIcon::WindowDestroyed(HWND handle) {
    if (handle == FHandle)
        FHandle = 0;
}

// ---------------------------------------------------------------- designer

TFormDesigner::TFormDesigner(TComponent* root) : FRoot(root) {
    root->SetDesigning(true);
    if (auto* form = dyn<TCustomForm>(root))
        form->SetDesigner(this);
    else if (auto* dm = dyn<TDataModule>(root))
        dm->SetDesigner(this);
    else if (auto* frame = dyn<TCustomFrame>(root))
        frame->SetDesigner(this);
    else
        root->SetDesignerHook(this);
}

TFormDesigner::~TFormDesigner() {
    // The icons go in a fixed order (their components' addresses), not the table's.
    std::vector<std::pair<const TComponent*, TDesignerIcon*>> icons;
    FIcons.ForEach([&](TDesignerIcon* icon) { icons.emplace_back(icon->Component(), icon); });
    std::sort(icons.begin(), icons.end());
    for (auto& [component, icon] : icons)
        removeIcon(component);
    ReleaseRoot();
}

TDesignerIcon* TFormDesigner::iconOf(const TComponent* component) const {
    return FIcons.Find(HashPointer(component),
                       [&](const TDesignerIcon* icon) { return icon->Component() == component; });
}

void TFormDesigner::addIcon(TComponent* component) {
    auto icon = std::make_unique<TDesignerIcon>(*this, component);
    FIcons.Add(HashPointer(component), icon.get());
    icon.release();
}

void TFormDesigner::removeIcon(const TComponent* component) {
    if (TDesignerIcon* icon = iconOf(component)) {
        FIcons.Remove(HashPointer(component), icon);
        delete icon;
    }
}

void TFormDesigner::ReleaseRoot() {
    FSelection.clear();
    if (FRoot && FRoot->DesignerHook() == this) {
        if (auto* form = dyn<TCustomForm>(FRoot))
            form->SetDesigner(nullptr);
        else if (auto* dm = dyn<TDataModule>(FRoot))
            dm->SetDesigner(nullptr);
        else if (auto* frame = dyn<TCustomFrame>(FRoot))
            frame->SetDesigner(nullptr);
        else
            FRoot->SetDesignerHook(nullptr);
    }
    FRoot = nullptr;
}

void TFormDesigner::Modified() {
    ++FModifiedCount;
}

void TFormDesigner::GetSelections(TComponentList* list) const {
    if (!list)
        return;
    list->Clear();
    for (TComponent* c : FSelection)
        list->Add(c);
}

void TFormDesigner::SelectComponent(TComponent* component) {
    Desktop::Current().Invalidate(); // the grab handles move
    FSelection.clear();
    if (component)
        FSelection.push_back(component);
}

void TFormDesigner::SetSelection(const std::vector<TComponent*>& components) {
    Desktop::Current().Invalidate();
    FSelection.clear();
    // Each once, in the order given; a pasted burst selects thousands.
    TFlatIndex<const TComponent*> seen;
    for (TComponent* c : components)
        if (c && !seen.Contains(HashPointer(c), c)) {
            seen.Add(HashPointer(c), c);
            FSelection.push_back(c);
        }
}

bool TFormDesigner::ShowsIcon(const TComponent* component) {
    return component && !component->Is<TControl>() && !component->HasParent();
}

HWND TFormDesigner::IconOf(const TComponent* component) const {
    TDesignerIcon* icon = iconOf(component);
    return icon ? icon->Handle() : 0;
}

void TFormDesigner::Notification(TComponent* component, TOperation operation) {
    if (!component || component->Owner() != FRoot)
        return;
    if (operation == opInsert) {
        if (ShowsIcon(component) && Surface() && !iconOf(component) &&
            !FRoot->ComponentState().contains(csLoading))
            addIcon(component);
    } else {
        FSelection.erase(std::remove(FSelection.begin(), FSelection.end(), component),
                         FSelection.end());
        forgetDragged(component);
        removeIcon(component);
    }
}

void TFormDesigner::CreateIcons() {
    if (!Surface())
        return;
    for (TComponent* c : FRoot->ComponentList())
        if (ShowsIcon(c) && !iconOf(c))
            addIcon(c);
}

void TFormDesigner::PlaceIcon(TComponent* component) {
    HWND h = IconOf(component);
    if (!h)
        return;
    TDesignPos pos = TDesignPos::Unpack(component->DesignInfo());
    Desktop::Current().SetWindowPos(h, 0, pos.Left, pos.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

std::string TFormDesigner::UniqueName(const TClass* cls) const {
    std::string base = cls->ClassName();
    if (base.size() > 1 && (base[0] == 'T' || base[0] == 't'))
        base = base.substr(1);
    for (int i = 1;; ++i) {
        std::string name = base + IntToStr(i);
        if (!FRoot->FindComponent(name) && !SameText(FRoot->Name(), name))
            return name;
    }
}

TComponent* TFormDesigner::Drop(const TClass* cls, const std::string& name, int x, int y) {
    TComponent* c = NewComponent(cls, FRoot);
    try {
        c->SetName(name.empty() ? UniqueName(cls) : name);
        if (auto* control = dyn<TControl>(c)) {
            if (auto* surface = Surface()) {
                control->SetBounds(x, y, control->Width(), control->Height());
                if (!control->Parent())
                    control->SetParent(surface);
            }
        } else {
            c->SetDesignInfo(TDesignPos::Pack(x, y));
            PlaceIcon(c);
        }
    } catch (...) {
        c->Free();
        throw;
    }
    SelectComponent(c);
    Modified();
    return c;
}

std::vector<TComponent*>
TFormDesigner::Paste(const std::vector<std::pair<const TClass*, std::string>>& items) {
    std::vector<TComponent*> made;
    TComponentList alive;
    for (const auto& [cls, name] : items) {
        TComponent* c = NewComponent(cls, FRoot);
        alive.Add(c);
        try {
            c->SetName(name.empty() ? UniqueName(cls) : name);
        } catch (...) {
            c->Free();
            throw;
        }
        if (auto* control = dyn<TControl>(c))
            if (auto* surface = Surface(); surface && !control->Parent())
                control->SetParent(surface);
    }
    for (TComponent* c : alive)
        made.push_back(c);
    SetSelection(made);
    Modified();
    return made;
}

void TFormDesigner::DeleteSelection() {
    if (FDeleting)
        return;
    FDeleting = true;
    TComponentList doomed;
    for (TComponent* c : FSelection)
        if (c != FRoot)
            doomed.Add(c);
    FSelection.clear();
    while (doomed.Count() > 0) {
        TComponent* c = doomed[0];
        doomed.Remove(c);
        c->Free();
    }
    FDeleting = false;
    Modified();
}

void TFormDesigner::Rename(TComponent* component, const std::string& newName) {
    component->SetName(newName);
    Modified();
}

bool TFormDesigner::IsDesignMsg(TControl* sender, TMessage& m) {
    if (m.Msg == WM_KEYDOWN && m.WParam == VK_DELETE) {
        DeleteSelection();
        return true;
    }
    if (m.Msg == WM_MOUSEMOVE)
        return MouseMove();
    if (m.Msg == WM_LBUTTONUP)
        return MouseUp();
    if (m.Msg != WM_RBUTTONUP && m.Msg != WM_LBUTTONDBLCLK && m.Msg != WM_LBUTTONDOWN)
        return false;
    TControl* hit = sender;
    TPoint p{LParamX(m.LParam), LParamY(m.LParam)};
    // On the form itself, a graphic control under the cursor is what was clicked.
    if (auto* w = dyn<TWinControl>(sender))
        if (TControl* c = w->ControlAtPos(p); c && !dyn<TWinControl>(c)) {
            hit = c;
            p = {p.X - c->Left(), p.Y - c->Top()};
        }
    if (m.Msg == WM_LBUTTONDOWN) {
        // Only the designed components take the press: the parts of a control (a bar's tab set)
        // keep their own mouse.
        if (hit != FRoot && hit->Owner() != FRoot)
            return false;
        auto* window = dyn<TWinControl>(sender);
        MouseDown(hit, window ? window->Handle() : 0, m.WParam);
        return true;
    }
    TComponent* target = DesignedComponentOf(hit);
    if (!target)
        return false;
    if (m.Msg == WM_RBUTTONUP)
        ContextMenu(target, hit->ClientToScreen(p));
    else
        EditComponent(target);
    return true;
}

TComponent* TFormDesigner::DesignedComponentOf(TControl* control) const {
    for (TControl* c = control; c; c = c->Parent())
        if (c == FRoot || c->Owner() == FRoot)
            return c;
    return nullptr;
}

void TFormDesigner::ContextMenu(TComponent* component, TPoint screen) {
    SelectComponent(component);
    IMenuService* service = Application().MenuService();
    if (!service)
        return;
    FreePtr<TComponentEditor> editor(GetComponentEditor(component, this));
    FreePtr<TPopupMenu> menu(New<TPopupMenu>(nullptr));
    auto add = [&](const std::string& caption, int64_t tag, bool enabled) {
        auto* item = New<TMenuItem>(nullptr);
        item->SetCaption(caption);
        item->SetTag(tag);
        item->SetEnabled(enabled);
        menu->Items()->Add(item);
    };
    const int verbs = editor->GetVerbCount();
    for (int i = 0; i < verbs; ++i)
        add(editor->GetVerb(i), i, true);
    if (verbs > 0)
        add("-", -1, true);
    auto* control = dyn<TControl>(component);
    add("Bring To Front", -2, control && component != FRoot);
    add("Delete", -3, component != FRoot);
    TMenuItem* chosen = service->TrackPopupMenu(menu.get(), screen);
    const int64_t tag = chosen && chosen->Enabled() && !chosen->IsLine() ? chosen->Tag() : -1;
    menu.reset();
    if (tag >= 0)
        editor->ExecuteVerb(static_cast<int>(tag));
    else if (tag == -2)
        control->BringToFront();
    else if (tag == -3)
        DeleteSelection();
}

void TFormDesigner::EditComponent(TComponent* component) {
    FreePtr<TComponentEditor> editor(GetComponentEditor(component, this));
    editor->Edit();
}

} // namespace host
