#include "app/FormFiles.h"

#include "host/rtl/Files.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace app {

namespace fs = std::filesystem;
using namespace host;

std::string ReadFileBytes(const fs::path& path, const std::string& name) {
    return host::ReadFileBytes(path, name);
}

void WriteFileReplacing(const fs::path& path, const std::string& bytes, const std::string& name) {
    WriteFileAtomic(path, bytes, name, "save");
}

std::string FormFileBytes(const FormObject& root, FormFileFormat format) {
    return format == FormFileFormat::Text ? WriteText(root) : WriteBinary(root, true);
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
