#pragma once
// The designer's world: one desktop, the application, the standard classes, the program's own
// module, and the form or data module being designed with its designer.

#include "host/catalogue/Placeholders.h"
#include "host/classes/Streaming.h"
#include "host/designer/ComponentEditors.h"
#include "host/designer/Designer.h"
#include "host/designer/Packages.h"
#include "host/designer/RootKinds.h"
#include "host/designer/StdComponents.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

class DesignEnvironment {
public:
    // The designer on the given clock: virtual time when it is null (scripts and tests), the
    // real clock for the interactive window.
    explicit DesignEnvironment(std::unique_ptr<IClock> clock = nullptr);
    ~DesignEnvironment();
    DesignEnvironment(const DesignEnvironment&) = delete;
    DesignEnvironment& operator=(const DesignEnvironment&) = delete;

    Desktop& desktop() { return *FDesktop; }
    TApplication& application() { return *FApplication; }
    RecordingDialogs& dialogs() { return FApplication->DefaultDialogs(); }
    TLibModule* programModule() const { return FProgramModule; }

    // A class made at run time, derived from parent (TForm1 from TForm); kept for the
    // environment's life.
    const TClass* MakeClass(const std::string& name, const TClass* parent);

    // A new form being designed: class "T" + name derived from TForm, client size w by h.
    TCustomForm* NewForm(const std::string& name, int width = 640, int height = 480);
    TDataModule* NewDataModule(const std::string& name);
    // Takes a root made elsewhere (a form read from a file) into the designer.
    void Adopt(TComponent* root);
    // Opens a form file's root object in the designer: a root of the file's class, made at run
    // time as a descendant of TForm, TDataModule or TFrame as kind says (when not given, as the
    // file's content says: RootKindFromContent), is designed and read (ReadComponents; under
    // UnknownPolicy::Keep, objects of unknown classes become placeholders); then the current root
    // is closed and the new one shown: its window with its controls' windows, and the designer
    // icons. The root's class is always a new class of that name: a file that names its root
    // class TWinControl or TStowbar gets a data module or form of that name, never the host's
    // class. When reading fails, what was read is freed, the current root stays open untouched,
    // and the EFormFileError propagates. Returns what was skipped under UnknownPolicy::Skip.
    std::vector<std::string> Open(const FormObject& object, const FormSource& source,
                                  const FormReadOptions& options = {},
                                  std::optional<RootKind> kind = std::nullopt);
    // The current root as a form file's tree.
    FormObject Save() const;
    // Closes the current root as closing its designer window does.
    void Close();

    // Loads a design-time package into this designer: its units start, it joins the module
    // list and registers its components and editors. Raises EPackageError.
    TPackage& LoadPackage(const std::string& path);
    // Unloads a package of this designer. Refused with EPackageError while the designed root is,
    // or owns, a component of one of the package's classes.
    void UnloadPackage(TPackage& package);
    const std::vector<std::unique_ptr<TPackage>>& Packages() const { return FPackages; }

    TComponent* Root() const { return FRoot; }
    TCustomForm* Form() const { return dyn<TCustomForm>(FRoot); }
    RootKind Kind() const;
    TFormDesigner* Designer() const { return FDesigner.get(); }

private:
    std::vector<std::string> openAs(const FormObject& object, const FormSource& source,
                                    const FormReadOptions& options, RootKind kind);
    std::unique_ptr<Desktop> FDesktop;
    std::unique_ptr<TApplication> FApplication;
    std::vector<std::unique_ptr<TClass>> FClasses;
    std::unique_ptr<TPlaceholderClasses> FPlaceholders;
    TLibModule* FProgramModule = nullptr;
    TComponent* FRoot = nullptr;
    std::unique_ptr<TFormDesigner> FDesigner;
    std::vector<std::unique_ptr<TPackage>> FPackages;
};

} // namespace host
