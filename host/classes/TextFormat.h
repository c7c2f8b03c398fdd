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

// How fresh text is laid out. Classic is the IDE's layout: strings of bytes with bytes 32 to 255
// quoted (a quote as #39) and split into pieces of 64 characters, a list's ")" after its last
// value, "end>", "}" after the last hex digit, "TLabel [1]". Lazarus keeps strings on one line
// (a quote doubled), closes lists and binary data on a line of their own, follows "<" and each
// item's "end" but the last with the property's indentation, and writes "TLabel[1]". Both write
// two blanks per level and floats with 18 decimals.
enum class TextDialect : uint8_t { Classic, Lazarus };

struct TextLayout {
    TextDialect dialect = TextDialect::Classic;
    std::string_view lineEnd = "\r\n";
};

// Writes the text form in a layout (by default the IDE's, with CR LF line ends). Wide and UTF-8
// strings are written with #n codes for every character outside 32..126. Throws EWriteError for
// a float that has no text form (NaN, infinity) and for a tree nested deeper than a reader
// accepts (kMaxFormNesting).
std::string WriteTextForm(const FormObject& root, const TextLayout& layout = {});

// The pieces of WriteTextForm, for a writer that keeps a document's own text (FormDocument.h):
// each appends its lines to out, `indent` blanks deep, each line closed by the layout's line end.
// What is written `indent` deep counts as indent / 2 levels in against kMaxFormNesting.
void AppendTextObject(std::string& out, const FormObject& object, size_t indent,
                      const TextLayout& layout);
// "object Name: Class [n]"
void AppendTextHeader(std::string& out, const FormObject& object, size_t indent,
                      const TextLayout& layout);
void AppendTextProperty(std::string& out, const FormProperty& property, size_t indent,
                        const TextLayout& layout);
// "end"
void AppendTextEnd(std::string& out, size_t indent, const TextLayout& layout);

} // namespace host
