#pragma once
// Design-time packages and the component palette.
//
// A package is a loadable module (dlopen) that exports its entry points under plain names:
//   Initialize           starts the package's units, first to last
//   Finalize             stops them, last to first
//   GetPackageInfoTable  its unit table (TPackageUnitTable)
//   GetResourceTable     its resources (TResourceTable): palette bitmaps, PACKAGEINFO...
// and its units' procedures under the host's naming, "Unit.Procedure$Signature" ("v": no
// parameters), for instance "StowReg.Register$v". After loading, the designer starts the units
// and then calls the Register procedure of every unit that PACKAGEINFO says the package
// contains. What Register registers (palette classes, component editors) is recorded, so that
// unloading takes it all back.

#include "host/rtl/Object.h"
#include "host/rtl/Units.h"
#include "host/win32/Desktop.h"
#include "host/win32/Resources.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace host {

class EPackageError : public Exception {
    using Exception::Exception;
};

// ---------------------------------------------------------------- package information

// PACKAGEINFO flags.
constexpr uint32_t pfNeverBuild = 0x00000001;
constexpr uint32_t pfDesignOnly = 0x00000002;
constexpr uint32_t pfRunOnly = 0x00000004;
constexpr uint32_t pfModuleTypeMask = 0xC0000000;
constexpr uint32_t pfExeModule = 0x00000000;
constexpr uint32_t pfPackageModule = 0x40000000;
// Flags of a contained unit.
constexpr uint8_t ufMainUnit = 0x01;
constexpr uint8_t ufPackageUnit = 0x02;
constexpr uint8_t ufWeakUnit = 0x04;
constexpr uint8_t ufOrgWeakUnit = 0x08;
constexpr uint8_t ufImplicitUnit = 0x10;

struct TPackageInfo {
    struct TContainedUnit {
        std::string Name;
        uint8_t Flags = 0;
    };
    uint32_t Flags = 0;
    std::vector<std::string> Requires;
    std::vector<TContainedUnit> Contains;
};

// The PACKAGEINFO record: Flags (4 bytes), RequiresCount (4), each required package as a hash
// byte and its null-terminated name, ContainsCount (4), each contained unit as a flags byte, a
// hash byte and its null-terminated name. Little-endian.
std::vector<uint8_t> BuildPackageInfo(const TPackageInfo& info);
TPackageInfo ParsePackageInfo(std::span<const uint8_t> bytes);
// The hash byte of a package or unit name (letter case ignored).
uint8_t PackageNameHash(std::string_view name);
// "design-time only package module" and the like.
std::string PackageFlagsText(uint32_t flags);

// ---------------------------------------------------------------- the component palette

struct TPalettePage {
    std::string Name;
    std::vector<const TClass*> Classes;
};

// Puts the classes on the palette page (made when new), in order, and registers them for the
// reader and for drops (RegisterClass). A class already on the page stays where it is.
void RegisterComponents(const std::string& page, const std::vector<const TClass*>& classes);
// Takes a class off the palette (an emptied page goes) and out of the class registry.
void UnregisterComponent(const TClass* cls);
const std::vector<TPalettePage>& PalettePages();
const TPalettePage* FindPalettePage(std::string_view name);
// The palette picture of a class: a new bitmap loaded from the first module of the current
// desktop's module list that has a bitmap named after the class, else after its nearest
// ancestor that has one (the class is the outer loop, the module the inner one); 0 for none.
HBITMAP PaletteBitmapOf(const TClass* cls);

// ---------------------------------------------------------------- packages

class TPackage {
public:
    // Loads the module at path, starts its units, adds it to the current desktop's module list
    // and runs its units' Register procedures. Raises EPackageError with a readable reason.
    static std::unique_ptr<TPackage> Load(const std::string& path);
    // Unloads the package if it is still loaded.
    ~TPackage();
    TPackage(const TPackage&) = delete;
    TPackage& operator=(const TPackage&) = delete;

    // Takes back what Register registered, removes the module from the module list, stops the
    // units and closes the module. The caller makes sure no instance of its classes is alive.
    void Unload();
    bool Loaded() const { return FHandle != nullptr; }

    const std::string& Name() const { return FName; }
    const std::string& Path() const { return FPath; }
    const TPackageInfo& Info() const { return FInfo; }
    std::string Description() const;
    const std::vector<TResource>& Resources() const { return FResources; }
    const TResource* FindResource(uint16_t type, const TResId& name) const;
    // The unit table's names, in initialization order.
    const std::vector<std::string>& UnitNames() const { return FUnitNames; }
    // What Register registered: palette classes with their pages, and component editors.
    struct TRegistration {
        std::string Page;
        const TClass* Class;
    };
    const std::vector<TRegistration>& Components() const { return FComponents; }
    const std::vector<std::pair<const TClass*, const TClass*>>& Editors() const { return FEditors; }
    TLibModule* Module() const { return FModule; }
    // Whether cls is, or derives from, one of the classes the package registered.
    bool Defines(const TClass* cls) const;

    // Called by the registration procedures while this package's Register runs.
    void RecordComponent(const std::string& page, const TClass* cls);
    void RecordEditor(const TClass* componentClass, const TClass* editorClass);

private:
    TPackage() = default;
    // Reads the resources, PACKAGEINFO and the unit names; returns what is wrong, or nothing.
    std::string readSelf(const TResourceTable* resources, const TPackageUnitTable* units);
    void takeBack();

    void* FHandle = nullptr;
    std::string FPath;
    std::string FName;
    TPackageInfo FInfo;
    std::vector<TResource> FResources;
    std::vector<std::string> FUnitNames;
    std::vector<TRegistration> FComponents;
    std::vector<std::pair<const TClass*, const TClass*>> FEditors;
    TLibModule* FModule = nullptr;
    Desktop* FDesktop = nullptr;
    void (*FFinalize)() = nullptr;
};

// The package whose Register procedures are running, or null.
TPackage* RegisteringPackage();
// The names of the packages loaded in this process.
std::vector<std::string> LoadedPackageNames();

} // namespace host
