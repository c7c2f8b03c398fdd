#include "app/FormFiles.h"

#include "host/classes/BinaryFormat.h"
#include "host/classes/FormDocument.h"

#include <cerrno>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace fs = std::filesystem;
using namespace host;

std::string ReadFileBytes(const fs::path& path, const std::string& name) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw EReadError("cannot read " + name + ": it is a folder");
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EReadError("cannot read " + name + ": " + std::strerror(errno));
    struct stat info {};
    std::string bytes;
    bool ok = ::fstat(fd, &info) == 0;
    if (ok && static_cast<uint64_t>(info.st_size) > kMaxFormFileSize) {
        ::close(fd);
        throw EReadError("cannot read " + name + ": " + std::to_string(info.st_size) +
                         " bytes, more than a form file may hold (" +
                         std::to_string(kMaxFormFileSize) + ")");
    }
    // One read of the size the file has; a file that grows meanwhile (or a pipe, which has no
    // size) is read on to its end.
    size_t size = ok && S_ISREG(info.st_mode) ? static_cast<size_t>(info.st_size) : 0;
    bytes.resize(size > 0 ? size + 1 : 65536);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() >= kMaxFormFileSize) {
                ::close(fd);
                throw EReadError("cannot read " + name + ": more than a form file may hold (" +
                                 std::to_string(kMaxFormFileSize) + " bytes)");
            }
            bytes.resize(bytes.size() * 2);
        }
        ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            int error = errno;
            ::close(fd);
            throw EReadError("cannot read " + name + ": " + std::strerror(error));
        }
        if (got == 0)
            break;
        filled += static_cast<size_t>(got);
    }
    ::close(fd);
    bytes.resize(filled);
    return bytes;
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

void ConvertFormFile(const fs::path& in, const fs::path& out, const FormFileFormat* to) {
    std::string bytes = ReadFileBytes(in, in.string());
    FormFileFormat from =
        LooksLikeBinaryForm(bytes) ? FormFileFormat::Binary : FormFileFormat::Text;
    FormFileFormat format =
        to ? *to : (from == FormFileFormat::Text ? FormFileFormat::Binary : FormFileFormat::Text);
    std::string written;
    if (format == from) {
        FormDocument doc = ReadFormDocument(std::move(bytes), in.string());
        written = WriteFormFile(doc.root, format, &doc);
    } else {
        written = WriteFormFile(ReadFormFile(bytes, in.string()).root, format);
    }
    WriteFileReplacing(out, written, out.string());
}

} // namespace app
