#include "app/FormFiles.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace app {

namespace fs = std::filesystem;
using namespace host;

std::string ReadFileBytes(const fs::path& path, const std::string& name) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw EReadError("cannot read " + name + ": it is a folder");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EReadError("cannot read " + name + ": " + std::strerror(errno));
    std::stringstream ss;
    ss << in.rdbuf();
    if (in.bad())
        throw EReadError("cannot read " + name);
    return ss.str();
}

void WriteFileReplacing(const fs::path& path, const std::string& bytes, const std::string& name) {
    std::error_code ec;
    fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    // The folder as the user named it.
    std::string shown = fs::path(name).parent_path().string();
    if (shown.empty())
        shown = ".";
    if (!fs::exists(folder, ec))
        throw EWriteError("cannot save " + name + ": the folder " + shown + " does not exist");
    if (!fs::is_directory(folder, ec))
        throw EWriteError("cannot save " + name + ": " + shown + " is not a folder");
    if (fs::is_directory(path, ec))
        throw EWriteError("cannot save " + name + ": it is a folder");
    fs::path tmp =
        folder / ("." + path.filename().string() + "." + std::to_string(getpid()) + ".tmp");
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out)
            throw EWriteError("cannot save " + name + ": cannot write in the folder " + shown +
                              " (" + std::strerror(errno) + ")");
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(tmp, ec);
            throw EWriteError("cannot save " + name + ": writing failed");
        }
    }
    fs::rename(tmp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        throw EWriteError("cannot save " + name + ": " + ec.message());
    }
}

std::string FormFileBytes(const FormObject& root, FormFileFormat format) {
    return format == FormFileFormat::Text ? WriteText(root) : WriteBinary(root, true);
}

std::optional<RootKind> UnitRootKind(const fs::path& formPath, const std::string& className) {
    for (const char* extension : {".pas", ".pp", ".PAS"}) {
        fs::path unit = formPath;
        unit.replace_extension(extension);
        std::error_code ec;
        if (!fs::is_regular_file(unit, ec))
            continue;
        try {
            return RootKindFromUnit(ReadFileBytes(unit, unit.string()), className);
        } catch (const EReadError&) {
            return std::nullopt; // an unreadable unit says nothing
        }
    }
    return std::nullopt;
}

void ConvertFormFile(const fs::path& in, const fs::path& out, const FormFileFormat* to) {
    std::string bytes = ReadFileBytes(in, in.string());
    FormFile file = ReadFormFile(bytes, in.string());
    FormFileFormat format =
        to ? *to
           : (file.format == FormFileFormat::Text ? FormFileFormat::Binary : FormFileFormat::Text);
    WriteFileReplacing(out, FormFileBytes(file.root, format), out.string());
}

} // namespace app
