#include "host/vcl/Menus.h"

#include "host/vcl/Forms.h"

#include <algorithm>

namespace host {

HOST_IMPLEMENT_CLASS_PROPS(TMenuItem, TComponent)
HOST_IMPLEMENT_ABSTRACT_CLASS(TMenu, TComponent)
HOST_IMPLEMENT_CLASS(TMainMenu, TMenu)
HOST_IMPLEMENT_CLASS_PROPS(TPopupMenu, TMenu)

void TMenuItem::DeclareProperties(PropList& props) {
    props.push_back(StrProp<TMenuItem>(
        "Caption", [](const TMenuItem& m) { return m.Caption(); },
        [](TMenuItem& m, const std::string& v) { m.SetCaption(v); }));
    props.push_back(BoolProp<TMenuItem>(
        "Checked", [](const TMenuItem& m) { return m.Checked(); },
        [](TMenuItem& m, int64_t v) { m.SetChecked(v != 0); }, false));
    props.push_back(BoolProp<TMenuItem>(
        "Enabled", [](const TMenuItem& m) { return m.Enabled(); },
        [](TMenuItem& m, int64_t v) { m.SetEnabled(v != 0); }, true));
    props.push_back(BoolProp<TMenuItem>(
        "Visible", [](const TMenuItem& m) { return m.Visible(); },
        [](TMenuItem& m, int64_t v) { m.SetVisible(v != 0); }, true));
    props.push_back(EventProp<TMenuItem>("OnClick", &TMenuItem::OnClickName));
}

void TMenuItem::Destroy() {
    if (FParent)
        FParent->Remove(this);
    while (!FItems.empty()) {
        TMenuItem* item = FItems.front();
        item->Free();
    }
    inherited::Destroy();
}

TMenuItem* TMenuItem::Items(int i) const {
    if (i < 0 || i >= Count())
        throw EListError("Menu index out of range");
    return FItems[static_cast<size_t>(i)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto it = std::find(FItems.begin(), FItems.end(), item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item)
        return;
    if (item->FParent)
        throw EInvalidOperation("Menu inserted twice");
    index = std::clamp(index, 0, Count());
    FItems.insert(FItems.begin() + index, item);
    item->FParent = this;
}

void TMenuItem::Remove(TMenuItem* item) {
    int i = IndexOf(item);
    if (i < 0)
        throw EInvalidOperation("Sub-menu is not in menu");
    Delete(i);
}

void TMenuItem::Delete(int index) {
    TMenuItem* item = Items(index);
    FItems.erase(FItems.begin() + index);
    item->FParent = nullptr;
}

void TMenuItem::Clear() {
    while (!FItems.empty())
        FItems.back()->Free();
}

TComponent* TMenuItem::GetParentComponent() const {
    if (FParent && FParent->FMenu)
        return FParent->FMenu;
    return FParent;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
    if (FParent)
        return;
    if (auto* menu = dyn<TMenu>(parent))
        menu->Items()->Add(this);
    else if (auto* item = dyn<TMenuItem>(parent); item && item != this)
        item->Add(this);
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TMenuItem* item : std::vector<TMenuItem*>(FItems))
        if (item->Owner() == root)
            proc(item);
}

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    FItems->GetChildren(proc, root);
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* m = this;
    while (m->FParent)
        m = m->FParent;
    return m->FMenu;
}

void TMenuItem::Click() {
    if (FEnabled && OnClick)
        OnClick(this);
}

void TMenu::Create(TComponent* owner) {
    inherited::Create(owner);
    FItems.reset(New<TMenuItem>(nullptr));
    FItems->FMenu = this;
}

void TMenu::Destroy() {
    FItems.reset();
    inherited::Destroy();
}

void TPopupMenu::DeclareProperties(PropList& props) {
    props.push_back(BoolProp<TPopupMenu>(
        "AutoPopup", [](const TPopupMenu& m) { return m.FAutoPopup; },
        [](TPopupMenu& m, int64_t v) { m.FAutoPopup = v != 0; }, true));
}

void TPopupMenu::Popup(int x, int y) {
    IMenuService* service = Application().MenuService();
    if (!service)
        return;
    TMenuItem* chosen = service->TrackPopupMenu(this, {x, y});
    if (chosen && chosen->Enabled() && !chosen->IsLine())
        Application().PostCommand(chosen);
}

} // namespace host
