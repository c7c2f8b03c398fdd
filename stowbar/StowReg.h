#pragma once
// The registration unit: Register puts TStowbar on the palette page "Varnowe" and binds
// TStowbarEditor to it. The editor offers no verbs, so a bar's context menu gains no commands
// and a double click on a bar does nothing. The editor is the package's own: not exported.

#include "host/designer/ComponentEditors.h"

namespace stow {

class __attribute__((visibility("hidden"))) TStowbarEditor : public host::TComponentEditor {
    HOST_CLASS(TStowbarEditor, host::TComponentEditor)
public:
    void Create(host::TComponent* component, host::TFormDesigner* designer) override;
    // Runs the first verb when there is one: none, so nothing.
    void Edit() override;
    void ExecuteVerb(int index) override;
    std::string GetVerb(int index) override;
    int GetVerbCount() override;
    void Copy() override;
};

// Exported under the host's names, as the designer looks them up.
void Register() __asm__("StowReg.Register$v");
void StowRegInitialization() __asm__("StowReg.Initialization$v");
void StowRegFinalization() __asm__("StowReg.Finalization$v");

} // namespace stow
