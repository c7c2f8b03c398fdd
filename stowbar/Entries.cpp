// The bar's entries: adding one (with its button), freeing them, taking over an entry another
// bar hands over, and moving the designer icons.
#include "stowbar/Stowbar.h"

#include "host/win32/Windows.h"

namespace stow {

using namespace host;

void TStowbar::AddComponent(const std::string& name, const std::string& title,
                            const std::string& className) {
    addComponent(name, title, className, nullptr);
}

void TStowbar::addComponent(const std::string& name, const std::string& title,
                            const std::string& className, TComponent* known) {
    if (FNVCs.Excludes(name))
        return;
    // A name another bar of the form holds is this bar's to leave alone from now on.
    for (TStowbar* other : formBars())
        if (other != this && other->FNVCs.Holds(name)) {
            FNVCs.Exclude(name);
            return;
        }
    if (FNVCs.Holds(name))
        return;

    TSpeedButton* b = New<TSpeedButton>(nullptr);
    b->SetVisible(true);
    b->SetParent(this);
    b->SetWidth(Saturated(FButtonWidth));
    b->SetHeight(Saturated(FButtonHeight));
    b->OnMouseDown = [this](TObject* s, TMouseButton button, TShiftState shift, int x, int y) {
        BtnClick(s, button, shift, x, y);
    };
    b->OnDblClick = [this](TObject* s) { BtnDblClick(s); };
    b->SetGroupIndex(1);
    b->SetLayout(FLayout);
    b->SetMargin(FMargin);
    b->SetSpacing(FSpacing);
    if (FShowTitles)
        b->SetCaption(title);
    if (FShowPicture) {
        // Nothing yet when the form is still being read; the next relayout supplies it.
        HBITMAP h = GetPaletteBitmap(known ? known : FForm->FindComponent(name));
        b->Glyph().SetHandle(h);
    }
    TNVC& entry = FNVCs.Add(name, title, className, b);
    if (known)
        FNVCs.SetComponent(entry, known);

    for (TStowbar* other : formBars())
        if (other != this && !other->FNVCs.Excludes(name))
            other->FNVCs.Exclude(name);
}

void TStowbar::FreeNVC(int index) {
    FNVCs.Free(index);
}

void TStowbar::FreeNVCs() {
    FNVCs.FreeAll();
}

void TStowbar::TakeOver(const TNVCRecord& entry) {
    FNVCs.Unexclude(entry.Name);
    AddComponent(entry.Name, entry.Title, entry.ClassName);
}

void TStowbar::ShowComponents(bool show) {
    auto* form = ownerForm();
    int formWidth = form ? form->Width() : 0;
    int x0 = show ? 0 : -10000;

    TIconSlots entries(x0, formWidth);
    for (const auto& e : FNVCs) {
        // An entry not resolved yet (one just handed over) is looked up by its name; one whose
        // component has gone (its reference was cleared on removal) has nothing to place.
        TComponent* c = e->Component;
        if (!c)
            c = FForm->FindComponent(e->Name);
        if (!c)
            continue;
        if (show) {
            c->SetDesignInfo(TDesignPos::Pack(entries.Current().X, entries.Current().Y));
            entries.Advance();
        } else {
            c->SetDesignInfo(TDesignPos::Pack(-10000, 0));
        }
    }

    if (!form)
        return;
    TIconSlots icons(x0, formWidth);
    HWND first = GetWindow(form->Handle(), GW_CHILD);
    HWND w = first ? GetWindow(first, GW_HWNDLAST) : 0;
    char className[255];
    while (w) {
        GetClassNameA(w, className, 254);
        if (std::string(className) == "TContainer") {
            TRect r;
            GetClientRect(w, &r);
            TPoint slot = icons.Current();
            if (r.Width() == 28 && r.Height() == 28) {
                SetWindowPos(w, 0, slot.X, slot.Y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
                icons.Advance();
            } else {
                SetWindowPos(w, 0, slot.X - 30, slot.Y + 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
            }
        }
        w = GetWindow(w, GW_HWNDPREV);
    }
}

} // namespace stow
