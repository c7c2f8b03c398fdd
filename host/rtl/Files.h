#pragma once
// Files read whole and written whole or not at all.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace host {

// The bytes of a file, read in one piece of the size it has. Raises EReadError "cannot read
// NAME: REASON" (NAME as the caller gives it, usually as the user wrote it): a missing file, a
// folder, a file that cannot be read, a file larger than maxBytes.
std::string ReadFileBytes(const std::filesystem::path& path, const std::string& name,
                          uint64_t maxBytes = UINT64_MAX);

// Writes bytes to path through a temporary file in the same folder: every write, the flush to
// the disk and the close are checked, and only then is the temporary renamed over path. On any
// failure the temporary is removed, whatever path held before stays as it was, and EWriteError
// is raised: "cannot VERB NAME: REASON" (REASON as the system words it, "No space left on
// device"; a missing folder, a folder in the way and an unwritable folder are said plainly).
void WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes,
                     const std::string& name, std::string_view verb = "write");

namespace testing {
// Makes the writes of WriteFileAtomic fail with the error number err once `after` bytes have
// been written, until ClearWriteFailure: a full disk or a failing device, on demand.
void InjectWriteFailure(size_t after, int err);
void ClearWriteFailure();
} // namespace testing

} // namespace host
