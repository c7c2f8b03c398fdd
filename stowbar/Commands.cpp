// The commands of the button menu: the editor's verbs, About, Change Title, Delete, the two
// moves and Move To.
#include "stowbar/Stowbar.h"

#include "host/vcl/Dialogs.h"
#include "host/vcl/Forms.h"

namespace stow {

void TStowbar::PopupVerbMenuClick(TObject* sender) {
    if (!FDesigning)
        return;
    auto* item = dyn<TMenuItem>(sender);
    if (!item)
        return;
    int idx = -1;
    {
        TComponentList selection;
        if (FDesigner)
            FDesigner->GetSelections(&selection);
        if (selection.Count() > 0)
            idx = FNVCs.IndexOfComponent(selection[0]);
    }
    int64_t tag = item->Tag();

    if (tag >= 0 && tag <= 999) {
        // The verb of the editor prepared by the press that opened the menu.
        if (FEditor && tag < FEditor->GetVerbCount())
            FEditor->ExecuteVerb(static_cast<int>(tag));
        return;
    }
    // The other commands act on the entry of the selected component: without one they do
    // nothing. Delete too: the item named this entry, and pressing Delete on a selection that
    // is not it would delete components the developer never chose.
    if (idx < 0)
        return;
    TNVC* e = FNVCs.Items(idx);

    if (tag == -4) {
        // Only the entry's component goes, even when more was selected since the press.
        if (auto* form = ownerForm()) {
            if (FDesigner)
                FDesigner->SelectComponent(e->Component);
            form->Perform(WM_KEYDOWN, VK_DELETE, 0);
        }
    } else if (tag == -1) {
        std::string parentClass;
        if (e->Component && e->Component->ClassType()->ClassParent())
            parentClass = e->Component->ClassType()->ClassParent()->ClassName();
        ShowMessage("Title: " + e->Title + "\r" + "Name:  " + e->Name + "\r" +
                    "Class: " + e->ClassName + "\r" + "Inherited Class: " + parentClass);
    } else if (tag == -3) {
        for (;;) {
            std::string value = e->Title;
            InputQuery("Title of " + e->Name, "Title", value);
            if (value == e->Title)
                return;
            bool refused = false;
            for (const auto& other : FNVCs)
                if (other->Title == value) {
                    MessageDlg(value + " is allready assigned to " + other->Name +
                                   ", please enter another title",
                               mtError, {TMsgDlgBtn::mbOK}, 0);
                    value = e->Title;
                    refused = true;
                    break;
                }
            if (value != e->Title) {
                if (FDesigner)
                    FDesigner->Modified();
                e->Title = value;
            }
            if (!refused)
                return;
        }
    } else if (tag == -5) {
        if (idx > 0)
            FNVCs.Exchange(idx - 1, idx);
    } else if (tag == -6) {
        if (idx < FNVCs.Count() - 1)
            FNVCs.Exchange(idx, idx + 1);
    } else if (tag <= -100 && tag >= -199) {
        // The target is found and checked first, so that a caption that no longer names a bar
        // of the form loses nothing.
        TStowbar* target = asStowbar(FForm->FindComponent(item->Caption()));
        if (!target || target == this)
            return;
        TNVCRecord kept = FNVCs.HandOver(idx);
        FNVCs.Exclude(kept.Name);
        ComponentRefUpd();
        target->TakeOver(kept);
        target->ComponentRefUpd();
    }
}

} // namespace stow
