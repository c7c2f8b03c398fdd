#pragma once
// Module resources: the table a module carries (type, name, language, memory flags, bytes), the
// standard 32-bit resource file (.res) that holds such a table, and the version-information
// block (VS_VERSIONINFO).
//
// A resource's type and name are each either a number (an ordinal, such as RT_BITMAP or the
// version block's 1) or a text. Texts are compared without regard to letter case, as the
// platform's resource look-up does.

#include "host/rtl/SysUtils.h"

#include <cstdint>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace host {

class EResourceError : public Exception {
    using Exception::Exception;
};

constexpr uint16_t RT_BITMAP = 2;
constexpr uint16_t RT_RCDATA = 10;
constexpr uint16_t RT_VERSION = 16;

// Memory flags of a resource, as resource compilers write them.
constexpr uint16_t RES_MOVEABLE = 0x0010;
constexpr uint16_t RES_PURE = 0x0020;
constexpr uint16_t RES_DISCARDABLE = 0x1000;

// One resource as a module carries it (plain data, so that a package can hold a constant table
// of them). Name null: the name is the ordinal NameId.
struct TResourceEntry {
    uint16_t Type;
    const char* Name;
    uint16_t NameId;
    uint16_t Language;
    uint16_t MemoryFlags;
    const uint8_t* Data;
    uint32_t Size;
};

// What a package's GetResourceTable returns.
struct TResourceTable {
    int32_t Count;
    const TResourceEntry* Entries;
};

// A resource identifier: an ordinal, or a text when Text is not empty.
struct TResId {
    uint16_t Id = 0;
    std::string Text;
    bool IsText() const { return !Text.empty(); }
    std::string ToString() const; // the text, or "#" + the number
};

// A resource read back or about to be written.
struct TResource {
    TResId Type;
    TResId Name;
    uint16_t Language = 0;
    uint16_t MemoryFlags = 0;
    std::vector<uint8_t> Data;
};

TResource ToResource(const TResourceEntry& entry);
// The name of a standard resource type ("BITMAP", "RCDATA", "VERSION"), or "#" + the number.
std::string ResourceTypeName(const TResId& type);

// A 32-bit resource file: the empty leading entry, then each resource with its header (data
// size, header size, type, name, DWORD padding, data version, memory flags, language, version,
// characteristics) and its data padded to 4 bytes.
std::vector<uint8_t> WriteResFile(std::span<const TResource> resources);
// Reads a 32-bit resource file back (the empty leading entry is skipped). Raises EResourceError
// on a malformed file.
std::vector<TResource> ReadResFile(std::span<const uint8_t> bytes);

// ---- version information

struct TVersionInfo {
    // VS_FIXEDFILEINFO
    uint16_t FileVersion[4] = {};
    uint16_t ProductVersion[4] = {};
    uint32_t FileFlagsMask = 0;
    uint32_t FileFlags = 0;
    uint32_t FileOS = 0;
    uint32_t FileType = 0;
    uint32_t FileSubtype = 0;
    uint32_t FileDateMS = 0;
    uint32_t FileDateLS = 0;
    // One string table: its key ("040904E4") and its strings in order.
    std::string StringTableKey;
    std::vector<std::pair<std::string, std::string>> Strings;
    // VarFileInfo\Translation: language and code page pairs.
    std::vector<std::pair<uint16_t, uint16_t>> Translations;

    const std::string* String(std::string_view key) const;
};

constexpr uint32_t VOS__WINDOWS32 = 4;
constexpr uint32_t VFT_APP = 1;
constexpr uint32_t VS_FFI_SIGNATURE = 0xFEEF04BD;
constexpr uint32_t VS_FFI_STRUCVERSION = 0x00010000;

// The VS_VERSIONINFO block: texts as UTF-16 (the texts here are ASCII), every child on a 4-byte
// boundary, each block's length covering its children.
std::vector<uint8_t> BuildVersionInfo(const TVersionInfo& info);
// Reads a VS_VERSIONINFO block; raises EResourceError when it is malformed.
TVersionInfo ParseVersionInfo(std::span<const uint8_t> block);

// ---- texts

// UTF-16LE of an ASCII or Latin-1 text, without a terminator.
std::vector<uint8_t> Utf16Le(std::string_view text);
// Latin-1 text of UTF-16LE bytes, up to the first zero character; characters above 255 become
// '?'.
std::string FromUtf16Le(std::span<const uint8_t> bytes);

} // namespace host
