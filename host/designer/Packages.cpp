#include "host/designer/Packages.h"

#include "host/designer/ComponentEditors.h"
#include "host/rtl/Bytes.h"
#include "host/rtl/Units.h"
#include "host/win32/Windows.h"

#include <algorithm>
#include <filesystem>

#include <dlfcn.h>

namespace host {

namespace {

void putName(std::vector<uint8_t>& out, const std::string& name) {
    if (name.empty() || name.size() > 255 || name.find('\0') != std::string::npos)
        throw EPackageError("Package information: bad name '" + name + "'");
    out.push_back(PackageNameHash(name));
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

struct InfoReader {
    std::span<const uint8_t> Bytes;
    size_t Pos = 0;
    uint32_t u32() {
        if (Bytes.size() - Pos < 4 || Pos > Bytes.size())
            throw EPackageError("Package information truncated at byte " + IntToStr(int64_t(Pos)));
        Pos += 4;
        return get32(Bytes, Pos - 4);
    }
    uint8_t u8() {
        if (Pos >= Bytes.size())
            throw EPackageError("Package information truncated at byte " + IntToStr(int64_t(Pos)));
        return Bytes[Pos++];
    }
    std::string name() {
        const uint8_t hash = u8();
        std::string s;
        for (uint8_t c; (c = u8()) != 0;)
            s += static_cast<char>(c);
        if (s.empty() || PackageNameHash(s) != hash)
            throw EPackageError("Package information: bad name entry ending at byte " +
                                IntToStr(int64_t(Pos)));
        return s;
    }
};

std::vector<TPalettePage>& pages() {
    static std::vector<TPalettePage> list;
    return list;
}

std::vector<std::string>& loadedNames() {
    static std::vector<std::string> list;
    return list;
}

thread_local TPackage* registering = nullptr;

std::string dlText() {
    const char* e = dlerror();
    return e ? e : "unknown error";
}

} // namespace

// ---------------------------------------------------------------- package information

uint8_t PackageNameHash(std::string_view name) {
    uint8_t h = 0;
    for (char c : UpperCase(name))
        h = static_cast<uint8_t>(((h << 1) | (h >> 7)) ^ static_cast<uint8_t>(c));
    return h;
}

std::vector<uint8_t> BuildPackageInfo(const TPackageInfo& info) {
    std::vector<uint8_t> out;
    put32(out, info.Flags);
    put32(out, static_cast<uint32_t>(info.Requires.size()));
    for (const std::string& p : info.Requires)
        putName(out, p);
    put32(out, static_cast<uint32_t>(info.Contains.size()));
    for (const auto& u : info.Contains) {
        out.push_back(u.Flags);
        putName(out, u.Name);
    }
    return out;
}

TPackageInfo ParsePackageInfo(std::span<const uint8_t> bytes) {
    InfoReader r{bytes};
    TPackageInfo info;
    info.Flags = r.u32();
    const uint32_t required = r.u32();
    if (required > bytes.size())
        throw EPackageError("Package information: bad count of required packages");
    for (uint32_t i = 0; i < required; ++i)
        info.Requires.push_back(r.name());
    const uint32_t contains = r.u32();
    if (contains > bytes.size())
        throw EPackageError("Package information: bad count of contained units");
    for (uint32_t i = 0; i < contains; ++i) {
        const uint8_t flags = r.u8();
        info.Contains.push_back({r.name(), flags});
    }
    if (r.Pos != bytes.size())
        throw EPackageError("Package information: " + IntToStr(int64_t(bytes.size() - r.Pos)) +
                            " bytes after the contained units");
    return info;
}

std::string PackageFlagsText(uint32_t flags) {
    std::string kind;
    switch (flags & pfModuleTypeMask) {
    case pfExeModule:
        kind = "program module";
        break;
    case pfPackageModule:
        kind = "package module";
        break;
    default:
        kind = "library module";
    }
    if (flags & pfDesignOnly)
        kind += ", design-time only";
    if (flags & pfRunOnly)
        kind += ", run-time only";
    if (flags & pfNeverBuild)
        kind += ", never built";
    return kind;
}

// ---------------------------------------------------------------- palette

void RegisterComponents(const std::string& page, const std::vector<const TClass*>& classes) {
    auto it = std::find_if(pages().begin(), pages().end(),
                           [&](const TPalettePage& p) { return SameText(p.Name, page); });
    if (it == pages().end()) {
        pages().push_back({page, {}});
        it = pages().end() - 1;
    }
    for (const TClass* cls : classes) {
        if (!cls)
            throw EComponentError("RegisterComponents: no class given for page " + page);
        if (const TClass* other = FindClass(cls->ClassName()); other && other != cls)
            throw EComponentError("A class named " + cls->ClassName() + " already exists");
        if (std::find(it->Classes.begin(), it->Classes.end(), cls) == it->Classes.end())
            it->Classes.push_back(cls);
        RegisterClass(cls);
        if (registering)
            registering->RecordComponent(it->Name, cls);
    }
}

void UnregisterComponent(const TClass* cls) {
    auto& list = pages();
    for (TPalettePage& p : list)
        p.Classes.erase(std::remove(p.Classes.begin(), p.Classes.end(), cls), p.Classes.end());
    list.erase(std::remove_if(list.begin(), list.end(),
                              [](const TPalettePage& p) { return p.Classes.empty(); }),
               list.end());
    UnregisterClass(cls);
}

const std::vector<TPalettePage>& PalettePages() {
    return pages();
}

const TPalettePage* FindPalettePage(std::string_view name) {
    for (const TPalettePage& p : pages())
        if (SameText(p.Name, name))
            return &p;
    return nullptr;
}

HBITMAP PaletteBitmapOf(const TClass* cls) {
    Desktop* desktop = Desktop::CurrentOrNull();
    if (!desktop)
        return 0;
    for (const TClass* c = cls; c; c = c->ClassParent())
        for (TLibModule* m = desktop->LibModuleList(); m; m = m->Next)
            if (HBITMAP h = LoadBitmapA(m->ResInstance, c->ClassName().c_str()))
                return h;
    return 0;
}

// ---------------------------------------------------------------- packages

TPackage* RegisteringPackage() {
    return registering;
}

std::vector<std::string> LoadedPackageNames() {
    return loadedNames();
}

std::unique_ptr<TPackage> TPackage::Load(const std::string& path) {
    std::unique_ptr<TPackage> p(new TPackage());
    p->FPath = path;
    p->FName = std::filesystem::path(path).stem().string();
    for (const std::string& n : loadedNames())
        if (SameText(n, p->FName))
            throw EPackageError("A package named " + p->FName + " is already loaded");
    if (!std::filesystem::exists(path))
        throw EPackageError("Can't load package " + path + ": no such file");
    dlerror();
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        throw EPackageError("Can't load package " + path + ": " + dlText());
    auto fail = [&](const std::string& why) {
        dlclose(handle);
        throw EPackageError(path + " is not a valid package: " + why);
    };
    auto* init = reinterpret_cast<void (*)()>(dlsym(handle, "Initialize"));
    auto* fin = reinterpret_cast<void (*)()>(dlsym(handle, "Finalize"));
    auto* units =
        reinterpret_cast<const TPackageUnitTable* (*)()>(dlsym(handle, "GetPackageInfoTable"));
    auto* res = reinterpret_cast<const TResourceTable* (*)()>(dlsym(handle, "GetResourceTable"));
    if (!init || !fin || !units || !res)
        fail("it lacks the entry points Initialize, Finalize, GetPackageInfoTable and "
             "GetResourceTable");
    // What the package says of itself, read before any of its code runs.
    std::string problem;
    try {
        problem = p->readSelf(res(), units());
    } catch (const Exception& e) {
        problem = e.what();
    }
    if (!problem.empty())
        fail(problem);

    p->FHandle = handle;
    p->FFinalize = fin;
    try {
        init();
    } catch (const std::exception& e) {
        fin();
        p->FHandle = nullptr;
        dlclose(handle);
        throw EPackageError("Package " + p->FName + " failed to start: " + e.what());
    }
    loadedNames().push_back(p->FName);
    p->FDesktop = Desktop::CurrentOrNull();
    if (p->FDesktop) {
        p->FModule = p->FDesktop->AddModule(p->FName);
        for (const TResource& r : p->FResources)
            if (!r.Type.IsText() && r.Type.Id == RT_BITMAP && r.Name.IsText())
                p->FModule->Bitmaps[UpperCase(r.Name.Text)] = r.Data;
    }
    // Registration: the Register procedure of each contained unit, in the contained order.
    registering = p.get();
    try {
        for (const auto& unit : p->FInfo.Contains) {
            const std::string symbol = unit.Name + ".Register$v";
            if (auto* reg = reinterpret_cast<void (*)()>(dlsym(handle, symbol.c_str())))
                reg();
        }
    } catch (const std::exception& e) {
        registering = nullptr;
        p->Unload();
        throw EPackageError("Package " + p->FName + " failed to register: " + e.what());
    }
    registering = nullptr;
    return p;
}

std::string TPackage::readSelf(const TResourceTable* table, const TPackageUnitTable* units) {
    if (!table || table->Count < 0 || (table->Count > 0 && !table->Entries))
        return "its resource table is malformed";
    for (int i = 0; i < table->Count; ++i)
        FResources.push_back(ToResource(table->Entries[i]));
    const TResource* info = FindResource(RT_RCDATA, {0, "PACKAGEINFO"});
    if (!info)
        return "it has no PACKAGEINFO resource";
    FInfo = ParsePackageInfo(info->Data);
    if ((FInfo.Flags & pfModuleTypeMask) != pfPackageModule)
        return "it is not flagged as a package module";
    if (FInfo.Flags & pfRunOnly)
        return "it is a run-time only package, which the designer does not install";
    if (!units || units->UnitCount < 0 || (units->UnitCount > 0 && !units->Units))
        return "its unit table is malformed";
    for (int i = 0; i < units->UnitCount; ++i) {
        const TUnitEntry& u = units->Units[i];
        if (!u.Name || !u.Initialization || !u.Finalization)
            return "entry " + IntToStr(i) + " of its unit table is incomplete";
        FUnitNames.emplace_back(u.Name);
    }
    return {};
}

TPackage::~TPackage() {
    if (Loaded())
        Unload();
}

void TPackage::takeBack() {
    for (const auto& [component, editor] : FEditors)
        UnregisterComponentEditors(editor);
    for (const TRegistration& r : FComponents) {
        UnregisterComponentEditorsOf(r.Class);
        UnregisterComponent(r.Class);
    }
    FEditors.clear();
    FComponents.clear();
}

void TPackage::Unload() {
    if (!FHandle)
        return;
    takeBack();
    if (FModule && FDesktop && Desktop::CurrentOrNull() == FDesktop)
        FDesktop->RemoveModule(FModule);
    FModule = nullptr;
    FFinalize();
    dlclose(FHandle);
    FHandle = nullptr;
    auto& names = loadedNames();
    names.erase(std::find(names.begin(), names.end(), FName));
}

std::string TPackage::Description() const {
    const TResource* r = FindResource(RT_RCDATA, {0, "DESCRIPTION"});
    return r ? FromUtf16Le(r->Data) : std::string();
}

const TResource* TPackage::FindResource(uint16_t type, const TResId& name) const {
    for (const TResource& r : FResources) {
        if (r.Type.IsText() || r.Type.Id != type)
            continue;
        if (name.IsText() ? r.Name.IsText() && SameText(r.Name.Text, name.Text)
                          : !r.Name.IsText() && r.Name.Id == name.Id)
            return &r;
    }
    return nullptr;
}

bool TPackage::Defines(const TClass* cls) const {
    for (const TRegistration& r : FComponents)
        if (cls && cls->InheritsFrom(r.Class))
            return true;
    return false;
}

void TPackage::RecordComponent(const std::string& page, const TClass* cls) {
    for (const TRegistration& r : FComponents)
        if (r.Class == cls && r.Page == page)
            return;
    FComponents.push_back({page, cls});
}

void TPackage::RecordEditor(const TClass* componentClass, const TClass* editorClass) {
    FEditors.emplace_back(componentClass, editorClass);
}

} // namespace host
