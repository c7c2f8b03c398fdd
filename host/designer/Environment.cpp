#include "host/designer/Environment.h"

#include "host/catalogue/Catalogue.h"
#include "host/designer/PaletteBitmaps.h"
#include "host/designer/StdEditors.h"
#include "host/win32/Dib.h"

namespace host {

DesignEnvironment::DesignEnvironment(std::unique_ptr<IClock> clock)
    : FDesktop(std::make_unique<Desktop>(std::move(clock))),
      FApplication(std::make_unique<TApplication>()),
      FPlaceholders(std::make_unique<TPlaceholderClasses>()) {
    RegisterStandardClasses();
    RegisterCatalogue(StandardClasses());
    for (const TCataloguePage& page : CataloguePages())
        RegisterComponents(page.Name, page.Classes);
    RegisterStandardEditors();
    FProgramModule = FDesktop->AddModule("stowdesign");
    for (const std::string& name : PaletteBitmapNames())
        FProgramModule->Bitmaps[name] = PaletteBitmapDib(name);
    // The palette's classes without a picture of their own show their page's.
    for (const TCataloguePage& page : CataloguePages())
        for (const TClass* cls : page.Classes) {
            std::string name = UpperCase(cls->ClassName());
            if (!FProgramModule->Bitmaps.count(name))
                FProgramModule->Bitmaps[name] = PaletteBitmapDib(PagePictureName(page.Name));
        }
    FDesktop->DecodeDib = [](const std::vector<uint8_t>& dib, GdiBitmap& out) {
        try {
            Surface s = DecodeDib(dib);
            out.Width = s.Width();
            out.Height = s.Height();
            out.Pixels = s.Pixels();
            return true;
        } catch (const Exception&) {
            return false;
        }
    };
    FDesktop->OnException = [this](const std::exception& e) { FApplication->HandleException(e); };
}

DesignEnvironment::~DesignEnvironment() {
    Close();
    while (!FPackages.empty())
        FPackages.pop_back();
    FApplication.reset();
    FDesktop.reset();
}

const TClass* DesignEnvironment::MakeClass(const std::string& name, const TClass* parent) {
    for (const auto& c : FClasses)
        if (SameText(c->ClassName(), name) && c->ClassParent() == parent)
            return c.get();
    FClasses.push_back(std::make_unique<TClass>(name, parent, nullptr));
    return FClasses.back().get();
}

TCustomForm* DesignEnvironment::NewForm(const std::string& name, int width, int height) {
    if (!IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    Close();
    const TClass* cls = MakeClass("T" + name, TForm::StaticClass());
    auto* form = static_cast<TCustomForm*>(NewComponent(cls, nullptr));
    FRoot = form;
    FDesigner = std::make_unique<TFormDesigner>(form);
    form->SetName(name);
    form->SetCaption(name);
    form->SetClientSize(width, height);
    form->HandleNeeded();
    return form;
}

TDataModule* DesignEnvironment::NewDataModule(const std::string& name) {
    if (!IsValidIdent(name))
        throw EComponentError("'" + name + "' is not a valid component name");
    Close();
    const TClass* cls = MakeClass("T" + name, TDataModule::StaticClass());
    auto* dm = static_cast<TDataModule*>(NewComponent(cls, nullptr));
    FRoot = dm;
    FDesigner = std::make_unique<TFormDesigner>(dm);
    dm->SetName(name);
    return dm;
}

void DesignEnvironment::Adopt(TComponent* root) {
    Close();
    FRoot = root;
    FDesigner = std::make_unique<TFormDesigner>(root);
    if (auto* surface = dyn<TWinControl>(root)) {
        surface->HandleNeeded();
        FDesigner->CreateIcons();
    }
}

RootKind DesignEnvironment::Kind() const {
    if (dyn<TDataModule>(FRoot))
        return RootKind::DataModule;
    if (dyn<TCustomFrame>(FRoot))
        return RootKind::Frame;
    return RootKind::Form;
}

std::vector<std::string> DesignEnvironment::Open(const FormObject& object, const FormSource& source,
                                                 const FormReadOptions& options,
                                                 std::optional<RootKind> kind) {
    const RootKind guessed = RootKindFromContent(object);
    if (kind || guessed != RootKind::Frame)
        return openAs(object, source, options, kind.value_or(guessed));
    // A root taken for a frame from what the file holds, whose children only a form can take (a
    // form without form-only properties that holds a bar), is a form.
    try {
        return openAs(object, source, options, RootKind::Frame);
    } catch (const Exception&) {
        try {
            return openAs(object, source, options, RootKind::Form);
        } catch (const Exception&) {
        }
        throw;
    }
}

std::vector<std::string> DesignEnvironment::openAs(const FormObject& object,
                                                   const FormSource& source,
                                                   const FormReadOptions& options, RootKind kind) {
    const TClass* base = nullptr;
    switch (kind) {
    case RootKind::Form:
        base = TForm::StaticClass();
        break;
    case RootKind::DataModule:
        base = TDataModule::StaticClass();
        break;
    case RootKind::Frame:
        base = TFrame::StaticClass();
        break;
    }
    const TClass* cls = MakeClass(object.className, base);
    TComponent* root = NewComponent(cls, nullptr);
    auto designer = std::make_unique<TFormDesigner>(root);
    FormReadOptions reading = options;
    if (reading.unknown == UnknownPolicy::Keep && !reading.placeholderClass)
        reading.placeholderClass = FPlaceholders->Maker(root);
    std::vector<std::string> skipped;
    try {
        skipped = ReadComponents(object, root, source, reading);
    } catch (...) {
        designer.reset();
        root->Free();
        throw;
    }
    Close();
    FRoot = root;
    FDesigner = std::move(designer);
    if (auto* surface = dyn<TWinControl>(root)) {
        surface->HandleNeeded();
        FDesigner->CreateIcons();
    }
    return skipped;
}

FormObject DesignEnvironment::Save() const {
    if (!FRoot)
        throw EInvalidOperation("no form is open");
    return WriteComponents(FRoot);
}

TPackage& DesignEnvironment::LoadPackage(const std::string& path) {
    FPackages.push_back(TPackage::Load(path));
    return *FPackages.back();
}

void DesignEnvironment::UnloadPackage(TPackage& package) {
    if (FRoot) {
        std::vector<TComponent*> inUse;
        if (package.Defines(FRoot->ClassType()))
            inUse.push_back(FRoot);
        for (TComponent* c : FRoot->ComponentList())
            if (package.Defines(c->ClassType()))
                inUse.push_back(c);
        if (!inUse.empty())
            throw EPackageError("Cannot unload package " + package.Name() + ": " +
                                inUse.front()->Name() + " (" + inUse.front()->ClassName() +
                                ") on " + FRoot->Name() + " uses one of its classes");
    }
    for (auto it = FPackages.begin(); it != FPackages.end(); ++it)
        if (it->get() == &package) {
            FPackages.erase(it);
            return;
        }
}

void DesignEnvironment::Close() {
    if (!FRoot)
        return;
    TComponent* root = FRoot;
    FRoot = nullptr;
    FDesigner->ReleaseRoot();
    root->Free();
    FDesigner.reset();
}

} // namespace host
