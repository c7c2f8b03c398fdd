// The button menu: a press on a button selects the collected component and prepares its editor;
// the right button builds the menu of the editor's verbs and the bar's commands and pops it up;
// the chosen item runs its command.
#include "stowbar/Stowbar.h"

#include "host/vcl/Dialogs.h"
#include "host/vcl/Forms.h"

#include <algorithm>

namespace stow {

using namespace host;

// ---------------------------------------------------------------- building the menu

void TStowbar::CreateVerbMenu() {
    FVerbMenu = New<TPopupMenu>(this);
    for (TMenuCommand command : FixedCommands) {
        auto* item = New<TMenuItem>(this);
        item->SetCaption("");
        item->SetTag(TagOf(command));
        item->OnClick = [this](TObject* s) { PopupVerbMenuClick(s); };
        FVerbMenu->Items()->Add(item);
    }
}

TMenuItem* TStowbar::fixedItem(TMenuCommand command) const {
    // The fixed items follow the verbs and the separator, in the order of FixedCommands.
    TMenuItem* items = FVerbMenu->Items();
    auto position = std::find(FixedCommands.begin(), FixedCommands.end(), command);
    return items->Items(items->Count() - static_cast<int>(FixedCommands.end() - position));
}

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

    BuildVerbMenu(*entry, idx);
    auto* b = static_cast<TSpeedButton*>(sender);
    b->SetDown(true);
    TPoint p = b->ClientToScreen({x, y});
    FVerbMenu->Popup(p.X, p.Y);
}

void TStowbar::BtnDblClick(TObject*) {
    if (FDesigning && FEditor)
        FEditor->Edit();
}

void TStowbar::BuildVerbMenu(const TNVC& entry, int idx) {
    TMenuItem* items = FVerbMenu->Items();
    // The verbs and separator of the previous popup go; the six fixed items stay. Nothing
    // refers to the items taken out, so they are freed at once rather than kept for the life
    // of the bar (a command still queued for one of them is dropped with it).
    while (items->Count() > static_cast<int>(FixedCommands.size())) {
        TMenuItem* old = items->Items(0);
        items->Remove(old);
        old->Free();
    }
    const bool left = FAttachSide == asLeft;
    TMenuItem* about = fixedItem(mcAbout);
    about->SetCaption(Format("About \"%s\"", {entry.Title}));
    about->SetEnabled(true);
    TMenuItem* moveTo = fixedItem(mcMoveToMenu);
    moveTo->OnClick = nullptr;
    moveTo->SetCaption("Move To");
    InsertGroupList(moveTo);
    moveTo->SetEnabled(moveTo->Count() > 0);
    TMenuItem* changeTitle = fixedItem(mcChangeTitle);
    changeTitle->SetCaption(Format("Change Title of \"%s\"", {entry.Name}));
    changeTitle->SetEnabled(true);
    TMenuItem* del = fixedItem(mcDelete);
    del->SetCaption(Format("Delete \"%s\"", {entry.Name}));
    del->SetEnabled(true);
    TMenuItem* towardsStart = fixedItem(mcMoveTowardsStart);
    towardsStart->SetCaption(Format("MOVE %s", {left ? "UP" : "LEFT"}));
    towardsStart->SetEnabled(idx != 0);
    TMenuItem* towardsEnd = fixedItem(mcMoveTowardsEnd);
    towardsEnd->SetCaption(Format("MOVE %s", {left ? "DOWN" : "RIGHT"}));
    towardsEnd->SetEnabled(idx != FNVCs.Count() - 1);

    int n = FEditor->GetVerbCount();
    if (n > 0) {
        auto* separator = New<TMenuItem>(this);
        separator->SetCaption("-");
        items->Insert(0, separator);
    }
    for (int i = 0; i < n; ++i) {
        auto* verb = New<TMenuItem>(this);
        verb->SetCaption(FEditor->GetVerb(i));
        verb->SetTag(TagOf(mcVerb, i));
        verb->OnClick = [this](TObject* s) { PopupVerbMenuClick(s); };
        items->Insert(i, verb);
    }
}

void TStowbar::InsertGroupList(TMenuItem* item) {
    // The items of the previous popup are not used again: they go now, so that a long design
    // session does not pile them up.
    FMoveToTargets.Clear();
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
        sub->SetTag(TagOf(mcMoveTo, k));
        sub->OnClick = [this](TObject* s) { PopupVerbMenuClick(s); };
        item->Add(sub);
        FMoveToTargets.Add(sub, bar);
        ++k;
    }
}

// ---------------------------------------------------------------- the commands

void TStowbar::PopupVerbMenuClick(TObject* sender) {
    if (!FDesigning)
        return;
    auto* item = dyn<TMenuItem>(sender);
    if (!item)
        return;
    // The entry of the designer's selection: the one whose button opened the menu.
    int idx = -1;
    {
        TComponentList selection;
        if (FDesigner)
            FDesigner->GetSelections(&selection);
        if (selection.Count() > 0)
            idx = FNVCs.IndexOfComponent(selection[0]);
    }
    const TMenuTag command = CommandOfTag(item->Tag());
    if (command.Command == mcVerb) {
        DoVerb(command.Index);
        return;
    }
    // The other commands act on the entry of the selected component: without one they do
    // nothing. Delete too: the item named this entry, and pressing Delete on a selection that
    // is not it would delete components the developer never chose.
    if (idx < 0)
        return;
    switch (command.Command) {
    case mcAbout:
        DoAbout(*FNVCs.Items(idx));
        break;
    case mcChangeTitle:
        DoChangeTitle(*FNVCs.Items(idx));
        break;
    case mcDelete:
        DoDelete(*FNVCs.Items(idx));
        break;
    case mcMoveTowardsStart:
        DoMoveTowardsStart(idx);
        break;
    case mcMoveTowardsEnd:
        DoMoveTowardsEnd(idx);
        break;
    case mcMoveTo:
        DoMoveTo(idx, asStowbar(FMoveToTargets.TargetOf(item)));
        break;
    case mcNone:
    case mcVerb:
    case mcMoveToMenu:
        break;
    }
}

void TStowbar::DoVerb(int index) {
    // The verb of the editor prepared by the press that opened the menu.
    if (FEditor && index < FEditor->GetVerbCount())
        FEditor->ExecuteVerb(index);
}

void TStowbar::DoAbout(const TNVC& e) {
    std::string parentClass;
    if (e.Component && e.Component->ClassType()->ClassParent())
        parentClass = e.Component->ClassType()->ClassParent()->ClassName();
    ShowMessage("Title: " + e.Title + "\r" + "Name:  " + e.Name + "\r" + "Class: " + e.ClassName +
                "\r" + "Inherited Class: " + parentClass);
}

void TStowbar::DoChangeTitle(TNVC& e) {
    for (;;) {
        std::string value = e.Title;
        InputQuery("Title of " + e.Name, "Title", value);
        if (value == e.Title)
            return;
        bool refused = false;
        for (const auto& other : FNVCs)
            if (other->Title == value) {
                MessageDlg(value + " is allready assigned to " + other->Name +
                               ", please enter another title",
                           mtError, {TMsgDlgBtn::mbOK}, 0);
                value = e.Title;
                refused = true;
                break;
            }
        if (value != e.Title) {
            if (FDesigner)
                FDesigner->Modified();
            FNVCs.SetTitle(e, value);
        }
        if (!refused)
            return;
    }
}

void TStowbar::DoDelete(const TNVC& e) {
    // Only the entry's component goes, even when more was selected since the press.
    if (auto* form = ownerForm()) {
        if (FDesigner)
            FDesigner->SelectComponent(e.Component);
        form->Perform(WM_KEYDOWN, VK_DELETE, 0);
    }
}

void TStowbar::DoMoveTowardsStart(int idx) {
    if (idx > 0)
        FNVCs.Exchange(idx - 1, idx);
}

void TStowbar::DoMoveTowardsEnd(int idx) {
    if (idx < FNVCs.Count() - 1)
        FNVCs.Exchange(idx, idx + 1);
}

void TStowbar::DoMoveTo(int idx, TStowbar* target) {
    // The target is checked first, so that a bar that has gone since the popup loses nothing.
    if (!target || target == this)
        return;
    TNVCRecord kept = FNVCs.HandOver(idx);
    FNVCs.Exclude(kept.Name);
    ComponentRefUpd();
    target->TakeOver(kept);
    target->ComponentRefUpd();
}

} // namespace stow
