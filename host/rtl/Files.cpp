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

std::string ReadFileBytes(const fs::path& path, const std::string& name) {
    std::error_code ec;
    if (fs::is_directory(path, ec))
        throw EReadError("cannot read " + name + ": it is a folder");
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw EReadError("cannot read " + name + ": " + reason(errno));
    std::string bytes;
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        bytes.reserve(static_cast<size_t>(st.st_size));
    char buffer[65536];
    for (;;) {
        ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            int err = errno;
            ::close(fd);
            throw EReadError("cannot read " + name + ": " + reason(err));
        }
        if (n == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
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
