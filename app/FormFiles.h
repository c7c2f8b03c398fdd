#pragma once
// Form files on disk for the designer program: reading one, saving a form so that a failed save
// leaves the old file as it was, and converting between the text and the binary form.

#include "host/classes/FormTree.h"

#include <filesystem>
#include <string>

namespace app {

// The bytes of a file, read in one piece; raises host::EReadError "cannot read NAME: reason"
// (name as the user gave it), also for a file larger than kMaxFormFileSize.
inline constexpr uint64_t kMaxFormFileSize = uint64_t(1) << 30;
std::string ReadFileBytes(const std::filesystem::path& path, const std::string& name);

// Writes bytes to path through a temporary file in the same folder, renamed over the target
// once complete: a failed save leaves the old file untouched. Raises host::EWriteError
// "cannot save NAME: reason" (a missing folder, a folder that cannot be written, a target that
// is a folder).
void WriteFileReplacing(const std::filesystem::path& path, const std::string& bytes,
                        const std::string& name);

// Converts the form file IN into OUT, to the given format or, when none is given, to the other
// one (text in the IDE's layout, binary with the resource header); converted to its own format
// the file is copied as it is. Needs no knowledge of the classes. Raises host::EReadError
// (host::EFormFileError for a malformed input) or host::EWriteError.
// Into the other format, what is read is written at once, without building the tree.
void ConvertFormFile(const std::filesystem::path& in, const std::filesystem::path& out,
                     const host::FormFileFormat* to);

} // namespace app
