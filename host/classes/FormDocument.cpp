#include "host/classes/FormDocument.h"

#include "host/classes/BinaryFormat.h"

#include <algorithm>

namespace host {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsLineEnd(char c) {
    return c == '\n' || c == '\r';
}

void ScanLineEnds(FormDocument& doc) {
    size_t counts[3] = {0, 0, 0}; // CR LF, LF, CR
    const std::string& b = doc.bytes;
    for (size_t i = 0; i < b.size(); ++i) {
        if (b[i] == '\n') {
            ++counts[1];
        } else if (b[i] == '\r') {
            if (i + 1 < b.size() && b[i + 1] == '\n') {
                ++counts[0];
                ++i;
            } else {
                ++counts[2];
            }
        }
    }
    size_t kinds = (counts[0] > 0) + (counts[1] > 0) + (counts[2] > 0);
    doc.mixedLineEnds = kinds > 1;
    if (kinds == 0) // one line: the dialect's own
        doc.lineEnd = doc.dialect == TextDialect::Lazarus ? LineEnd::Lf : LineEnd::CrLf;
    else if (counts[0] >= counts[1] && counts[0] >= counts[2])
        doc.lineEnd = LineEnd::CrLf;
    else
        doc.lineEnd = counts[1] >= counts[2] ? LineEnd::Lf : LineEnd::Cr;
    doc.finalNewline = !b.empty() && IsLineEnd(b.back());
}

bool SameHeader(const FormObject& a, const FormObject& b) {
    return a.isInherited == b.isInherited && a.isInline == b.isInline &&
           a.childPosition == b.childPosition && a.className == b.className && a.name == b.name;
}

// Writes a tree back into its document's format, keeping the original bytes of every node whose
// span leads to an equal original.
class DocumentWriter {
public:
    DocumentWriter(const FormDocument& doc, std::string& out)
        : FDoc(doc), FBytes(doc.bytes), FOut(out), FLayout(doc.Layout()) {
        Index(doc.root);
    }

    void Text(const FormObject& root) {
        if (FDoc.byteOrderMark)
            FOut += kByteOrderMark;
        FLineStart = FOut.size();
        bool keptTrailer = TextObject(root, 0);
        const FormSpan& original = FDoc.root.span;
        // A file whose root's "end" closed no line keeps it so when that line is new.
        if (!keptTrailer && original.end > 0 && !IsLineEnd(FBytes[original.end - 1]))
            while (FOut.size() > FLineStart && IsLineEnd(FOut.back()))
                FOut.pop_back();
        FOut.append(FBytes.substr(std::min<size_t>(original.end, FBytes.size())));
    }

    void Binary(const FormObject& root) {
        bool header = FDoc.resourceHeader;
        if (header && root.className == FDoc.root.className)
            FOut.append(FBytes.substr(0, FDoc.streamBegin));
        else if (header)
            AppendResourceHeader(FOut, root.className, 0);
        size_t streamStart = FOut.size();
        FOut += FBytes.substr(FDoc.streamBegin, 4); // "TPF0"
        BinaryObject(root);
        if (header)
            SetResourceSize(FOut, streamStart);
    }

private:
    // The original nodes by where they start, in file order (a walk in pre-order is sorted).
    void Index(const FormObject& object) {
        FObjects.push_back(&object);
        for (const FormProperty& property : object.properties)
            FProperties.push_back(&property);
        for (const FormObject& child : object.children)
            Index(child);
    }

    template <typename Node>
    static const Node* Find(const std::vector<const Node*>& nodes, const FormSpan& span) {
        if (span.empty())
            return nullptr;
        auto it = std::lower_bound(nodes.begin(), nodes.end(), span.begin,
                                   [](const Node* n, uint64_t at) { return n->span.begin < at; });
        return it != nodes.end() && (*it)->span == span ? *it : nullptr;
    }

    void Copy(uint64_t begin, uint64_t end) { FOut.append(FBytes.substr(begin, end - begin)); }

    bool KeepProperty(const FormProperty& property) {
        const FormProperty* original = Find(FProperties, property.span);
        if (!original || !(*original == property))
            return false;
        Copy(property.span.begin, property.span.end);
        return true;
    }

    // New text starts on a line of its own.
    void StartLine() {
        if (FOut.size() > FLineStart && !IsLineEnd(FOut.back()))
            FOut += FLayout.lineEnd;
    }

    // Returns whether the object's trailer ("end" line) is the original one.
    bool TextObject(const FormObject& object, int depth) {
        FormWriteDepth guard(FDepth);
        size_t indent = static_cast<size_t>(depth) * 2;
        const FormObject* original = Find(FObjects, object.span);
        bool keep = original && SameHeader(*original, object);
        if (keep && *original == object) {
            Copy(object.span.begin, object.span.end);
            return true;
        }
        if (keep) {
            Copy(original->span.begin, original->headerEnd);
        } else {
            StartLine();
            AppendTextHeader(FOut, object, indent, FLayout);
        }
        for (const FormProperty& property : object.properties)
            if (!KeepProperty(property)) {
                StartLine();
                AppendTextProperty(FOut, property, indent + 2, FLayout);
            }
        for (const FormObject& child : object.children)
            TextObject(child, depth + 1);
        if (keep) {
            Copy(original->trailerBegin, original->span.end);
        } else {
            StartLine();
            AppendTextEnd(FOut, indent, FLayout);
        }
        return keep;
    }

    void BinaryObject(const FormObject& object) {
        FormWriteDepth guard(FDepth);
        const FormObject* original = Find(FObjects, object.span);
        bool keep = original && SameHeader(*original, object);
        if (keep && *original == object) {
            Copy(object.span.begin, object.span.end);
            return;
        }
        if (keep)
            Copy(original->span.begin, original->headerEnd);
        else
            AppendBinaryHeader(FOut, object);
        for (const FormProperty& property : object.properties)
            if (!KeepProperty(property))
                AppendBinaryProperty(FOut, property, FDepth);
        FOut += '\0';
        for (const FormObject& child : object.children)
            BinaryObject(child);
        FOut += '\0';
    }

    const FormDocument& FDoc;
    std::string_view FBytes;
    std::string& FOut;
    TextLayout FLayout;
    size_t FLineStart = 0;
    int FDepth = 0;
    std::vector<const FormObject*> FObjects;
    std::vector<const FormProperty*> FProperties;
};

} // namespace

TextLayout FormDocument::Layout() const {
    TextLayout layout;
    layout.dialect = dialect;
    layout.lineEnd = lineEnd == LineEnd::CrLf ? "\r\n" : lineEnd == LineEnd::Lf ? "\n" : "\r";
    return layout;
}

FormDocument ReadFormDocument(std::string bytes, const std::string& fileName) {
    FormDocument doc;
    doc.bytes = std::move(bytes);
    static_cast<FormFile&>(doc) = ReadFormFile(doc.bytes, fileName);
    if (doc.format == FormFileFormat::Binary) {
        // The reader checked the header: its name ends with a zero byte, then flags and size.
        doc.streamBegin = doc.resourceHeader ? doc.bytes.find('\0', 3) + 7 : 0;
        return doc;
    }
    doc.byteOrderMark = doc.bytes.starts_with(kByteOrderMark);
    std::string_view name = fileName;
    doc.dialect = name.size() >= 4 && SameText(name.substr(name.size() - 4), ".lfm")
                      ? TextDialect::Lazarus
                      : TextDialect::Classic;
    ScanLineEnds(doc);
    return doc;
}

std::string WriteFormFile(const FormObject& tree, FormFileFormat format,
                          const FormDocument* original, size_t sizeHint) {
    std::string out;
    if (!original || original->format != format) {
        out.reserve(sizeHint);
        if (format == FormFileFormat::Text) {
            AppendTextObject(out, tree, 0, TextLayout{});
        } else {
            AppendResourceHeader(out, tree.className, 0);
            size_t streamStart = out.size();
            out += "TPF0";
            AppendBinaryObject(out, tree);
            SetResourceSize(out, streamStart);
        }
        return out;
    }
    out.reserve(std::max(sizeHint, original->bytes.size() + original->bytes.size() / 8));
    DocumentWriter writer(*original, out);
    if (format == FormFileFormat::Text)
        writer.Text(tree);
    else
        writer.Binary(tree);
    return out;
}

} // namespace host
