#pragma once
// The binary form format: a "TPF0" form stream, optionally preceded by the 16-bit resource header
// (FF 0A 00, the root class name in upper case, 00, flags 30 10, the stream's size) with which the
// IDE saves binary .dfm files.

#include "host/classes/FormTree.h"

#include <string>
#include <string_view>

namespace host {

// Objects, lists and collections may nest this deep; deeper input is refused.
inline constexpr int kMaxFormNesting = 1000;

// True when the data starts like a binary form: "TPF0" or the resource header's FF 0A 00.
bool LooksLikeBinaryForm(std::string_view data);

// Reads a binary form, with or without the resource header (reported through
// hadResourceHeader). Throws EFormFileError naming fileName and the byte offset in data.
FormObject ReadBinaryForm(std::string_view data, const std::string& fileName,
                          bool* hadResourceHeader = nullptr);

// Writes the form stream, preceded by the resource header when asked. Integers take the smallest
// code (8, 16, 32 bits, then 64); strings of up to 255 bytes are short strings, longer ones long
// strings. Throws EWriteError for what the format cannot hold (a name over 255 bytes, an empty
// class name, a class name of 240 bytes or more).
std::string WriteBinaryForm(const FormObject& root, bool withResourceHeader = true);

} // namespace host
