// Button clicks: a press selects the collected component and prepares its editor; the right
// button builds and pops up the menu of the editor's verbs and the bar's commands.
#include "stowbar/Stowbar.h"

#include <algorithm>

namespace stow {

void TStowbar::BtnClick(TObject* sender, TMouseButton button, TShiftState, int x, int y) {
    if (!FDesigning || FNVCs.Count() == 0)
        return;
    int idx = std::max(FNVCs.IndexOfButton(sender), 0);
    TNVC* entry = FNVCs.Items(idx);
    TComponent* c = entry->Component;
    FreeAndNil(FEditor);
    // An entry not resolved (its component is being read, or has just gone) has nothing to
    // select or edit: no editor, no selection change, no menu. The previous editor is gone
    // too, so that a double click cannot run another component's editor.
    if (!c)
        return;
    FEditor = GetComponentEditor(c, FDesigner);
    if (FDesigner)
        FDesigner->SelectComponent(c);
    if (button != mbRight)
        return;

    TMenuItem* items = FVerbMenu->Items();
    // The verbs and separator of the previous popup go; the six fixed items stay. Nothing
    // refers to the items taken out, so they are freed at once rather than kept for the life
    // of the bar (a command still queued for one of them is dropped with it).
    while (items->Count() > 6) {
        TMenuItem* old = items->Items(0);
        items->Remove(old);
        old->Free();
    }
    bool left = FAttachSide == asLeft;
    items->Items(0)->SetCaption(Format("About \"%s\"", {entry->Title}));
    items->Items(0)->SetEnabled(true);
    TMenuItem* moveTo = items->Items(1);
    moveTo->OnClick = nullptr;
    moveTo->SetCaption("Move To");
    InsertGroupList(moveTo);
    moveTo->SetEnabled(moveTo->Count() > 0);
    items->Items(2)->SetCaption(Format("Change Title of \"%s\"", {entry->Name}));
    items->Items(2)->SetEnabled(true);
    items->Items(3)->SetCaption(Format("Delete \"%s\"", {entry->Name}));
    items->Items(3)->SetEnabled(true);
    items->Items(4)->SetCaption(Format("MOVE %s", {left ? "UP" : "LEFT"}));
    items->Items(4)->SetEnabled(idx != 0);
    items->Items(5)->SetCaption(Format("MOVE %s", {left ? "DOWN" : "RIGHT"}));
    items->Items(5)->SetEnabled(idx != FNVCs.Count() - 1);

    int n = FEditor->GetVerbCount();
    if (n > 0) {
        auto* separator = New<TMenuItem>(this);
        separator->SetCaption("-");
        separator->SetTag(0);
        items->Insert(0, separator);
    }
    for (int i = 0; i < n; ++i) {
        auto* verb = New<TMenuItem>(this);
        verb->SetCaption(FEditor->GetVerb(i));
        verb->SetTag(i);
        verb->OnClick = [this](TObject* s) { PopupVerbMenuClick(s); };
        items->Insert(i, verb);
    }

    auto* b = static_cast<TSpeedButton*>(sender);
    b->SetDown(true);
    TPoint p = b->ClientToScreen({x, y});
    FVerbMenu->Popup(p.X, p.Y);
}

void TStowbar::BtnDblClick(TObject*) {
    if (FDesigning && FEditor)
        FEditor->Edit();
}

} // namespace stow
