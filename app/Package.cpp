#include "app/Package.h"

#include "host/designer/Environment.h"
#include "host/rtl/Files.h"
#include "host/rtl/Units.h"

#include <filesystem>
#include <fstream>

namespace app {

using namespace host;

namespace {

std::string unitFlags(uint8_t flags) {
    std::string s;
    auto add = [&](uint8_t bit, const char* name) {
        if (flags & bit)
            s += (s.empty() ? "" : ", ") + std::string(name);
    };
    add(ufMainUnit, "main");
    add(ufPackageUnit, "package");
    add(ufWeakUnit, "weak");
    add(ufOrgWeakUnit, "orgweak");
    add(ufImplicitUnit, "implicit");
    return s.empty() ? s : " (" + s + ")";
}

std::string versionText(const uint16_t v[4]) {
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." +
           std::to_string(v[3]);
}

void writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    WriteFileAtomic(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), path);
}

} // namespace

int ShowPackage(const std::string& path, const std::string& resOut, std::ostream& out,
                std::ostream& err) {
    try {
        DesignEnvironment env;
        TPackage& p = env.LoadPackage(path);
        const TPackageInfo& info = p.Info();
        out << "package: " << p.Name() << "\n";
        out << "description: " << p.Description() << "\n";
        out << "kind: " << PackageFlagsText(info.Flags) << "\n";
        out << "requires:";
        for (size_t i = 0; i < info.Requires.size(); ++i)
            out << (i ? ", " : " ") << info.Requires[i];
        out << "\ncontains:";
        for (size_t i = 0; i < info.Contains.size(); ++i)
            out << (i ? ", " : " ") << info.Contains[i].Name << unitFlags(info.Contains[i].Flags);
        out << "\nunits: " << p.UnitNames().size();
        for (size_t i = 0; i < p.UnitNames().size(); ++i)
            out << (i ? ", " : " (") << p.UnitNames()[i];
        out << (p.UnitNames().empty() ? "" : ")") << "\n";
        out << "resources:\n";
        for (const TResource& r : p.Resources())
            out << "  " << ResourceTypeName(r.Type) << " " << r.Name.ToString() << ": "
                << r.Data.size() << " bytes\n";
        if (const TResource* v = p.FindResource(RT_VERSION, {1, {}})) {
            TVersionInfo vi = ParseVersionInfo(v->Data);
            out << "version: file " << versionText(vi.FileVersion) << ", product "
                << versionText(vi.ProductVersion) << "\n";
            for (const auto& [key, value] : vi.Strings)
                out << "  " << key << ": " << value << "\n";
        }
        out << "palette:\n";
        for (const TPalettePage& page : PalettePages()) {
            std::string classes;
            for (const TClass* cls : page.Classes) {
                bool mine = false;
                for (const auto& reg : p.Components())
                    mine = mine || reg.Class == cls;
                if (!mine)
                    continue;
                classes += (classes.empty() ? "" : ", ") + cls->ClassName();
                HBITMAP bmp = PaletteBitmapOf(cls);
                if (const GdiBitmap* b = env.desktop().Bitmap(bmp))
                    classes += " [" + b->Resource + " from " + b->Module + ", " +
                               std::to_string(b->Width) + "x" + std::to_string(b->Height) + "]";
                if (bmp)
                    env.desktop().DeleteObject(bmp);
            }
            if (!classes.empty())
                out << "  " << page.Name << ": " << classes << "\n";
        }
        out << "editors:\n";
        for (const auto& [component, editor] : p.Editors())
            out << "  " << component->ClassName() << ": " << editor->ClassName() << "\n";
        if (!resOut.empty()) {
            writeFile(resOut, WriteResFile(p.Resources()));
            out << "wrote " << resOut << "\n";
        }
        return 0;
    } catch (const std::exception& e) {
        out.flush();
        err << "stowdesign: " << e.what() << "\n";
        return 2;
    }
}

} // namespace app
