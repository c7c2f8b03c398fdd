#include "host/rtl/Files.h"

#include "host/rtl/SysUtils.h"

#include <cerrno>
#include <cstring>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace host {

namespace fs = std::filesystem;

namespace {

struct InjectedFailure {
    size_t After = 0;
    int Error = 0;
};
std::optional<InjectedFailure> injected;

std::string reason(int err) {
    return std::strerror(err);
}

// Writes all of bytes to fd; returns 0 or the error number.
int writeAll(int fd, std::string_view bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        size_t chunk = bytes.size() - done;
        if (injected) {
            if (done >= injected->After)
                return injected->Error;
            chunk = std::min(chunk, injected->After - done);
        }
        ssize_t n = ::write(fd, bytes.data() + done, chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        done += static_cast<size_t>(n);
    }
    if (injected && done >= injected->After && injected->After < bytes.size())
        return injected->Error;
    return 0;
}

} // namespace

std::string ReadFileBytes(const fs::path& path, const std::string& name, uint64_t maxBytes) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw EReadError("cannot read " + name + ": it is a folder");
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EReadError("cannot read " + name + ": " + reason(errno));
    auto fail = [&](const std::string& why) {
        ::close(fd);
        throw EReadError("cannot read " + name + ": " + why);
    };
    const std::string tooLarge =
        "more than the " + std::to_string(maxBytes) + " bytes a file may hold here";
    struct stat info {};
    const bool sized = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    if (sized && static_cast<uint64_t>(info.st_size) > maxBytes)
        fail(std::to_string(info.st_size) + " bytes, " + tooLarge);
    // One read of the size the file has; a file that grows meanwhile (or a pipe, which has no
    // size) is read on to its end.
    std::string bytes;
    bytes.resize(sized && info.st_size > 0 ? static_cast<size_t>(info.st_size) + 1 : 65536);
    size_t filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (bytes.size() >= maxBytes)
                fail(tooLarge);
            bytes.resize(bytes.size() * 2);
        }
        ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            fail(reason(errno));
        if (got == 0)
            break;
        filled += static_cast<size_t>(got);
    }
    ::close(fd);
    if (filled > maxBytes)
        throw EReadError("cannot read " + name + ": " + tooLarge);
    bytes.resize(filled);
    return bytes;
}

void WriteFileAtomic(const fs::path& path, std::string_view bytes, const std::string& name,
                     std::string_view verb) {
    const std::string what = "cannot " + std::string(verb) + " " + name + ": ";
    std::error_code ec;
    const fs::path folder = path.parent_path().empty() ? fs::path(".") : path.parent_path();
    // The folder as the user named it.
    std::string shown = fs::path(name).parent_path().string();
    if (shown.empty())
        shown = ".";
    if (!fs::exists(folder, ec))
        throw EWriteError(what + "the folder " + shown + " does not exist");
    if (!fs::is_directory(folder, ec))
        throw EWriteError(what + shown + " is not a folder");
    if (fs::is_directory(path, ec))
        throw EWriteError(what + "it is a folder");

    std::string tmpl = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    int fd = ::mkstemp(tmpl.data());
    if (fd < 0)
        throw EWriteError(what + "cannot write in the folder " + shown + " (" + reason(errno) +
                          ")");
    const fs::path tmp(tmpl);
    auto fail = [&](int err) {
        std::error_code ignored;
        fs::remove(tmp, ignored);
        throw EWriteError(what + reason(err));
    };
    int err = writeAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err != 0)
        fail(err);
    // mkstemp makes the file for its owner alone; a saved file gets the usual permissions.
    mode_t mask = ::umask(0);
    ::umask(mask);
    ::chmod(tmp.c_str(), 0666 & ~mask);
    if (::rename(tmp.c_str(), path.c_str()) != 0)
        fail(errno);
}

namespace testing {
void InjectWriteFailure(size_t after, int err) {
    injected = InjectedFailure{after, err};
}
void ClearWriteFailure() {
    injected.reset();
}
} // namespace testing

} // namespace host
