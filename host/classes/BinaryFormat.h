#pragma once
// The binary form format: a "TPF0" form stream, optionally preceded by the 16-bit resource header
// (FF 0A 00, the root class name in upper case, 00, flags 30 10, the stream's size) with which the
// IDE saves binary .dfm files.

#include "host/classes/FormTree.h"

#include <string>
#include <string_view>

namespace host {

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

// The pieces of WriteBinaryForm, for a writer that keeps a document's own bytes
// (FormDocument.h); each appends to out. depth: the levels of objects it lies in (the root's
// properties: 1), counted against kMaxFormNesting as a reader counts them.
void AppendBinaryObject(std::string& out, const FormObject& object, int depth = 0);
// The filer flags with the child position, the class name and the object name.
void AppendBinaryHeader(std::string& out, const FormObject& object);
void AppendBinaryProperty(std::string& out, const FormProperty& property, int depth = 0);
// The resource header for a form stream of streamSize bytes whose root is of class className.
void AppendResourceHeader(std::string& out, std::string_view className, uint64_t streamSize);
// Sets the size field of the resource header that ends at streamStart (where "TPF0" begins) to
// the number of bytes from there to the end of file.
void SetResourceSize(std::string& file, size_t streamStart);

} // namespace host
