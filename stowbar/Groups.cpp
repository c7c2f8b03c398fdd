// Groups and tabs: the bars on one side of a form share a strip and switch through their tabs;
// the Move To submenu lists the other bars.
#include "stowbar/Stowbar.h"

namespace stow {

void TStowbar::UpdateTabList() {
    FTabSet->Tabs().Clear();
    for (TStowbar* bar : formBars()) {
        if (bar->FAttachSide != FAttachSide)
            continue;
        int index = FTabSet->Tabs().Add(bar->Name());
        if (bar == this)
            FTabSet->SetTabIndex(index);
    }
}

void TStowbar::TabChange(TObject*, int newTab, bool& allowChange) {
    if (!FDesigning || FTabSet->TabIndex() == -1)
        return;
    if (newTab < 0 || newTab >= FTabSet->Tabs().Count())
        return;
    // A tab whose bar was renamed, deleted or replaced since the list was built changes nothing.
    TStowbar* target = asStowbar(FForm->FindComponent(FTabSet->Tabs()[newTab]));
    if (!target) {
        allowChange = false;
        return;
    }
    HideBar();
    target->ShowBar();
    if (FDesigner)
        FDesigner->SelectComponent(target);
    for (const auto& e : FNVCs)
        if (e->Button->Down()) {
            e->Button->SetAllowAllUp(true);
            e->Button->SetDown(false);
            e->Button->SetAllowAllUp(false);
            break;
        }
    allowChange = false;
}

void TStowbar::InsertGroupList(TMenuItem* item) {
    // The items of the previous popup are not used again: they go now, so that a long design
    // session does not pile them up.
    for (int i = item->Count() - 1; i >= 0; --i) {
        TMenuItem* old = item->Items(i);
        item->Remove(old);
        old->Free();
    }
    int k = 0;
    for (int i = 0; i < FForm->ComponentCount(); ++i) {
        TStowbar* bar = asStowbar(FForm->Components(i));
        if (!bar || bar == this)
            continue;
        auto* sub = New<TMenuItem>(this);
        sub->SetCaption(bar->Name());
        sub->SetTag(-100 - k);
        sub->OnClick = [this](TObject* s) { PopupVerbMenuClick(s); };
        item->Add(sub);
        ++k;
    }
}

} // namespace stow
