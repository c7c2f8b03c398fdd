#pragma once
// The text form format ("object Form1: TForm1 ... end"): a reader for what the IDEs and Free
// Pascal write, and a writer in the IDE's own layout. docs/formfiles.md has the details.

#include "host/classes/FormTree.h"

#include <string>
#include <string_view>

namespace host {

// Reads a text form. A UTF-8 byte-order mark at the start is skipped. Throws EFormFileError
// naming fileName with the line and column (1-based, columns count bytes).
FormObject ReadTextForm(std::string_view text, const std::string& fileName);

// Writes the text form in the IDE's layout: CR LF line ends, two blanks per level, strings of
// bytes with bytes 32 to 255 quoted (a quote as #39) and split into pieces of 64 characters,
// floats with 18 decimals. Wide and UTF-8 strings are written with #n codes for every character
// outside 32..126. Throws EWriteError for a float that has no text form (NaN, infinity).
std::string WriteTextForm(const FormObject& root);

} // namespace host
