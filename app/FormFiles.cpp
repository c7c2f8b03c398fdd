#include "app/FormFiles.h"

#include "host/rtl/Files.h"
#include "host/classes/BinaryFormat.h"
#include "host/classes/FormDocument.h"
#include "host/classes/FormSink.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <fcntl.h>
#include <malloc.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace app {

namespace fs = std::filesystem;
using namespace host;

std::string ReadFileBytes(const fs::path& path, const std::string& name) {
    return host::ReadFileBytes(path, name, kMaxFormFileSize);
}

void WriteFileReplacing(const fs::path& path, const std::string& bytes, const std::string& name) {
    WriteFileAtomic(path, bytes, name, "save");
}

namespace {

// A large conversion spent much of its time in the kernel handing out fresh 4 KB pages one
// fault at a time. Before reading, the heap is grown once by what the conversion will need (the
// output and the values of one property at a time), in huge pages where the system offers
// them, and large buffers are taken from it too. Nothing changes but speed: where this is not
// glibc's allocator (the sanitizers' builds) or huge pages are off, it does nothing.
void PrepareHeapFor(uint64_t inputBytes) {
#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
    constexpr uint64_t kHugePage = 2 << 20;
    uint64_t need = std::min<uint64_t>(inputBytes * 3, uint64_t(2) << 30);
    if (need < 4 * kHugePage)
        return;
    // glibc takes at most 32 MB as the threshold above which blocks are mapped on their own.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TOP_PAD, static_cast<int>(std::min<uint64_t>(need, INT32_MAX)));
    auto* before = static_cast<char*>(sbrk(0));
    // volatile: the compiler would otherwise drop a block that is only freed.
    void* volatile probe = malloc(kHugePage / 2);
    auto* after = static_cast<char*>(sbrk(0));
    auto first = (reinterpret_cast<uintptr_t>(before) + kHugePage - 1) & ~(kHugePage - 1);
    if (before != reinterpret_cast<char*>(-1) && reinterpret_cast<uintptr_t>(after) > first)
        madvise(reinterpret_cast<void*>(first), reinterpret_cast<uintptr_t>(after) - first,
                MADV_HUGEPAGE);
    free(probe);
#else
    (void)inputBytes;
#endif
}

// A regular file mapped into memory, read-only and read in at once: the conversion reads it in
// place, without copying or clearing a buffer first. Empty when the file cannot be mapped (the
// caller then reads it the ordinary way, which reports the error).
class MappedFile {
public:
    explicit MappedFile(const fs::path& path) {
        int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd < 0)
            return;
        struct stat info {};
        if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
            static_cast<uint64_t>(info.st_size) <= kMaxFormFileSize) {
            size_t size = static_cast<size_t>(info.st_size);
            void* data = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE | MAP_POPULATE, fd, 0);
            if (data != MAP_FAILED) {
                FData = static_cast<const char*>(data);
                FSize = size;
            }
        }
        ::close(fd);
    }
    ~MappedFile() {
        if (FData)
            ::munmap(const_cast<char*>(FData), FSize);
    }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool Mapped() const { return FData != nullptr; }
    std::string_view View() const { return {FData, FSize}; }

private:
    const char* FData = nullptr;
    size_t FSize = 0;
};

} // namespace

void ConvertFormFile(const fs::path& in, const fs::path& out, const FormFileFormat* to) {
    std::error_code ec;
    uint64_t size = fs::file_size(in, ec);
    if (!ec)
        PrepareHeapFor(size);
    MappedFile mapped(in);
    std::string read;
    if (!mapped.Mapped())
        read = ReadFileBytes(in, in.string());
    std::string_view bytes = mapped.Mapped() ? mapped.View() : std::string_view(read);
    FormFileFormat from =
        LooksLikeBinaryForm(bytes) ? FormFileFormat::Binary : FormFileFormat::Text;
    FormFileFormat format =
        to ? *to : (from == FormFileFormat::Text ? FormFileFormat::Binary : FormFileFormat::Text);
    std::string written;
    if (format == from) {
        // Into its own format: the file as it is (the document keeps every byte).
        FormDocument doc = ReadFormDocument(std::string(bytes), in.string());
        written = WriteFormFile(doc.root, format, &doc);
    } else {
        // Text is about a third longer than the binary form of the same tree.
        size_t expected = format == FormFileFormat::Text ? bytes.size() * 3 / 2 : bytes.size();
        written = ConvertForm(bytes, in.string(), format, expected);
    }
    WriteFileReplacing(out, written, out.string());
}

} // namespace app
