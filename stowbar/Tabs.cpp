// Groups and tabs: the bars on one side of a form share a strip and switch through their tabs.
#include "stowbar/Stowbar.h"

namespace stow {

using namespace host;

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

void TStowbar::TabMouseMove(TObject*, TShiftState shift, int x, int y) {
    // The tab set is part of the bar's strip: a mouse on it reveals the bar as on the bar itself.
    MouseMove(shift, x, y);
}

} // namespace stow
