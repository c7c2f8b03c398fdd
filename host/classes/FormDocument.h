#pragma once
// A form file as a document: its tree together with what the file held around the tree (its
// bytes, the byte-order mark, the line ends, what follows the root's end), so that writing the
// tree back keeps the file's own text wherever the tree did not change. An unchanged form saves
// back byte for byte; a changed one differs only in the lines of what changed, written in the
// file's own layout (the IDE's or Lazarus', with the file's line end).

#include "host/classes/FormTree.h"
#include "host/classes/TextFormat.h"

#include <string>
#include <string_view>

namespace host {

enum class LineEnd : uint8_t { CrLf, Lf, Cr };

struct FormDocument : FormFile {
    std::string bytes; // the file as read; root's spans point into it
    // Text only.
    bool byteOrderMark = false;
    LineEnd lineEnd = LineEnd::CrLf;            // the most frequent one: new lines get it
    bool mixedLineEnds = false;                 // more than one kind occurs
    bool finalNewline = true;                   // the file ends with a line end
    TextDialect dialect = TextDialect::Classic; // Lazarus for a .lfm file
    // Binary only: where the form stream ("TPF0") starts, after the resource header if any.
    uint64_t streamBegin = 0;

    TextLayout Layout() const;
};

// Reads a form file in either format (as ReadFormFile does) and keeps it as a document. The
// dialect follows the file name: Lazarus for ".lfm", the IDE's otherwise. Throws EFormFileError.
FormDocument ReadFormDocument(std::string bytes, const std::string& fileName);

// The form file of tree in format. Given the document the tree was read from (or derived from:
// nodes whose span is set come from it) in the same format, every node whose original is
// unchanged is written as the original bytes, and the rest fresh in the document's layout with
// the indentation of its depth; an object whose header is unchanged keeps its header and end
// lines even when its content changed. Without a document, or in the other format, the file is
// written fresh: text in the IDE's layout, binary with the resource header. sizeHint is the size
// the caller expects (the output is reserved that large). Throws EWriteError.
std::string WriteFormFile(const FormObject& tree, FormFileFormat format,
                          const FormDocument* original = nullptr, size_t sizeHint = 0);

} // namespace host
