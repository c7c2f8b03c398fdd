#include "stowbar/StowReg.h"

#include "host/designer/Packages.h"
#include "host/rtl/Units.h"
#include "stowbar/Stowbar.h"

namespace stow {

using namespace host;

HOST_IMPLEMENT_CLASS(TStowbarEditor, TComponentEditor)

void TStowbarEditor::Create(TComponent* component, TFormDesigner* designer) {
    inherited::Create(component, designer);
}

void TStowbarEditor::Edit() {
    if (GetVerbCount() > 0)
        ExecuteVerb(0);
}

void TStowbarEditor::ExecuteVerb(int) {}

std::string TStowbarEditor::GetVerb(int) {
    return {};
}

int TStowbarEditor::GetVerbCount() {
    return 0;
}

void TStowbarEditor::Copy() {}

void Register() {
    RegisterComponents("Varnowe", {TStowbar::StaticClass()});
    RegisterComponentEditor(TStowbar::StaticClass(), TStowbarEditor::StaticClass());
}

namespace {
TUnitCounter counter;
} // namespace

// The registration unit has no start-up work; its procedures only count and report.
void StowRegInitialization() {
    if (counter.Enter())
        NotifyUnit("StowReg", true);
}

void StowRegFinalization() {
    if (counter.Leave())
        NotifyUnit("StowReg", false);
}

} // namespace stow
