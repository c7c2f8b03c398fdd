#pragma once
// A form file as a tree, independent of its on-disk format: the root object, its properties and
// its child objects. The text codec (TextFormat.h) and the binary codec (BinaryFormat.h) read and
// write this tree; ReadFormFile / WriteText / WriteBinary below are the short way to use them.

#include "host/rtl/SysUtils.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace host {

// Objects, lists and collections together may nest this deep; deeper input is refused, and a
// deeper tree made in memory is not written.
inline constexpr int kMaxFormNesting = 1000;
// A writer's count of the levels it is in: each one entered takes a guard, which throws
// EWriteError past kMaxFormNesting, so that nothing is written that a reader would refuse.
class FormWriteDepth {
public:
    explicit FormWriteDepth(int& depth);
    ~FormWriteDepth() { --FDepth; }
    FormWriteDepth(const FormWriteDepth&) = delete;
    FormWriteDepth& operator=(const FormWriteDepth&) = delete;

private:
    int& FDepth;
};

// A list, a collection or a set holds at most this many values; more is refused as hostile.
inline constexpr size_t kMaxFormItems = 250000;

// The kinds of values a form file can hold. The binary value-type code of each is noted; Integer
// covers codes 2, 3, 4 and 19 (the writer picks the smallest that holds the value).
enum class FormValueKind : uint8_t {
    List,       // 1: values up to an end marker
    Integer,    // 2, 3, 4, 19
    Extended,   // 5: 80-bit float, kept as its 10 bytes
    String,     // 6, 12: bytes (ANSI); the writer picks 6 up to 255 bytes, else 12
    Ident,      // 7: identifier, dotted allowed
    False,      // 8
    True,       // 9
    Binary,     // 10: raw bytes
    Set,        // 11: member names
    Nil,        // 13
    Collection, // 14: items of properties
    Single,     // 15: IEEE single
    Currency,   // 16: value x 10000 as a 64-bit integer
    Date,       // 17: IEEE double, days since 1899-12-30
    WideString, // 18: UTF-16 code units
    Utf8String, // 20: UTF-8 bytes
    Double,     // 21: IEEE double
};

// The 10 bytes of an x87 80-bit extended number, little-endian, exactly as stored in a binary
// form. Conversions go through long double, which is this very format on x86.
struct Extended80 {
    std::array<uint8_t, 10> bytes{};

    static Extended80 FromLongDouble(long double value);
    long double ToLongDouble() const;
    bool operator==(const Extended80&) const = default;
};

// Where a node was read from: the bytes [begin, end) of its file. A text node's span takes in the
// blanks and line breaks before it and the rest of its last line with the line end, so that the
// spans of a file's nodes with the bytes between them make up the whole file; a binary node's
// span is its own bytes. Nodes made in memory have an empty span; a copy keeps its node's span,
// which is how a writer given the original document (FormDocument.h) knows what it may keep.
struct FormSpan {
    uint64_t begin = 0;
    uint64_t end = 0;
    bool empty() const { return end <= begin; }
    bool operator==(const FormSpan&) const = default;
};

class FormValue;
struct FormProperty;
struct FormCollectionItem;
using FormValueList = std::vector<FormValue>;
using FormNameList = std::vector<std::string>;
using FormItemList = std::vector<FormCollectionItem>;

class FormValue {
public:
    // Nil. Defined with the factories: an inline constructor would need FormCollectionItem
    // complete here (clang instantiates the variant's members on the spot).
    FormValue();

    static FormValue Integer(int64_t value);
    static FormValue Extended(Extended80 value);
    static FormValue Extended(long double value);
    static FormValue String(std::string bytes);
    static FormValue WideString(std::u16string units);
    static FormValue Utf8String(std::string bytes);
    static FormValue Ident(std::string name);
    static FormValue Boolean(bool value);
    static FormValue Nil();
    static FormValue Binary(std::string bytes);
    static FormValue Set(FormNameList members);
    static FormValue List(FormValueList values);
    static FormValue Collection(FormItemList items);
    static FormValue Single(float value);
    // Currency is stored scaled: 12.5 is 125000.
    static FormValue Currency(int64_t scaled);
    static FormValue Date(double days);
    static FormValue Double(double value);

    FormValueKind Kind() const { return FKind; }
    bool IsStringLike() const {
        return FKind == FormValueKind::String || FKind == FormValueKind::WideString ||
               FKind == FormValueKind::Utf8String;
    }

    // Accessors; each requires the matching kind (std::bad_variant_access otherwise).
    int64_t AsInteger() const { return std::get<int64_t>(FData); } // Integer, Currency (scaled)
    const Extended80& AsExtended() const { return std::get<Extended80>(FData); }
    float AsSingle() const { return std::get<float>(FData); }
    double AsDouble() const { return std::get<double>(FData); } // Date, Double
    // String, Utf8String, Ident and Binary hold bytes.
    const std::string& AsBytes() const { return std::get<std::string>(FData); }
    const std::u16string& AsWide() const { return std::get<std::u16string>(FData); }
    const FormNameList& AsSet() const { return std::get<FormNameList>(FData); }
    const FormValueList& AsList() const { return std::get<FormValueList>(FData); }
    FormValueList& AsList() { return std::get<FormValueList>(FData); }
    const FormItemList& AsCollection() const { return std::get<FormItemList>(FData); }
    FormItemList& AsCollection() { return std::get<FormItemList>(FData); }

    // Where the value starts in the file it was read from (text: a byte offset into the text,
    // binary: from the start of the file), and for lists and collections where their end marker
    // is; 0 for values made in memory. Not part of the value: == ignores them.
    uint64_t Offset() const { return FOffset; }
    uint64_t EndOffset() const { return FEndOffset; }
    FormValue& At(uint64_t offset, uint64_t endOffset = 0) {
        FOffset = offset;
        FEndOffset = endOffset;
        return *this;
    }

    bool operator==(const FormValue& other) const;

private:
    using Data = std::variant<std::monostate, int64_t, Extended80, float, double, std::string,
                              std::u16string, FormNameList, FormValueList, FormItemList>;
    // Defined with the factories, where every alternative's type is complete.
    template <typename T> FormValue(FormValueKind kind, T&& data);

    FormValueKind FKind;
    Data FData;
    uint64_t FOffset = 0;
    uint64_t FEndOffset = 0;
};

struct FormProperty {
    std::string name; // dotted: "Font.Name", "Lines.Strings"
    FormValue value;
    uint64_t offset = 0; // where the name starts in the file read (see FormValue::Offset)
    FormSpan span{};     // not part of the property: == ignores it
    bool operator==(const FormProperty& other) const {
        return name == other.name && value == other.value;
    }
};

struct FormCollectionItem {
    std::optional<int32_t> order; // the optional order in front of an item; rarely present
    std::vector<FormProperty> properties;
    FormSpan span{}; // not part of the item: == ignores it
    bool operator==(const FormCollectionItem& other) const {
        return order == other.order && properties == other.properties;
    }
};

struct FormObject {
    bool isInherited = false;             // "inherited": filer flag 1
    bool isInline = false;                // "inline": filer flag 4
    std::optional<int32_t> childPosition; // "[n]": filer flag 2 and its index
    std::string className;
    std::string name; // may be empty
    std::vector<FormProperty> properties;
    std::vector<FormObject> children;
    uint64_t offset = 0; // where the object starts in the file read (see FormValue::Offset)
    // Where it was read from (== ignores these): the whole object; its header runs from
    // span.begin to headerEnd (text: the "object" line; binary: flags, class and name); its
    // trailer from trailerBegin to span.end (text: the "end" line; binary: the end marker of its
    // children). Properties and children lie between.
    FormSpan span{};
    uint64_t headerEnd = 0;
    uint64_t trailerBegin = 0;

    // The first property of that name (letter case ignored), or nullptr.
    const FormProperty* FindProperty(std::string_view propertyName) const;
    // The first direct child of that name (letter case ignored), or nullptr.
    const FormObject* FindChild(std::string_view objectName) const;
    bool operator==(const FormObject& other) const {
        return isInherited == other.isInherited && isInline == other.isInline &&
               childPosition == other.childPosition && className == other.className &&
               name == other.name && properties == other.properties && children == other.children;
    }
};

// A malformed form file. Text errors carry a 1-based line and column, binary errors a byte offset
// from the start of the file; both carry the property path (object names from the root, then the
// property name; collection items as "Panels[1]") and the bare message.
//   text:   "form.dfm:12:5: Form1.Stowbar1.NVCs: string expected but ')' found"
//   binary: "form.dfm: byte 143: Form1.Timer1.Interval: unknown value type 42"
class EFormFileError : public EReadError {
public:
    EFormFileError(std::string fileName, int line, int column, std::string path,
                   std::string detail);
    EFormFileError(std::string fileName, uint64_t offset, std::string path, std::string detail);

    const std::string& FileName() const { return FFileName; }
    bool IsText() const { return FLine > 0; }
    int Line() const { return FLine; }          // text only; 0 for binary
    int Column() const { return FColumn; }      // text only; 0 for binary
    uint64_t Offset() const { return FOffset; } // binary only
    const std::string& Path() const { return FPath; }
    const std::string& Detail() const { return FDetail; }

private:
    std::string FFileName;
    int FLine = 0;
    int FColumn = 0;
    uint64_t FOffset = 0;
    std::string FPath;
    std::string FDetail;
};

enum class FormFileFormat { Text, Binary };

// The places where a form file holds a name, and what each may be. A name is an identifier: a
// letter, '_' or a byte of 128 and above (UTF-8 names of the Unicode-era IDEs and Lazarus), then
// also digits; at most 255 bytes.
enum class FormNameKind : uint8_t {
    Class,     // identifiers joined by dots
    Object,    // an identifier, or empty for an unnamed object
    Property,  // identifiers joined by dots ("Font.Name"), but not "end"
    Ident,     // an identifier value: joined by dots, may start with one (".Owner"); not a
               // keyword the text form cannot hold as a value (end, object, inherited, inline)
    SetMember, // an identifier
};
bool IsValidFormName(std::string_view name, FormNameKind kind);
// How messages call the place: "class name", "object name", ...
const char* FormNameKindText(FormNameKind kind);
// For the writers: throws EWriteError when name is not valid in its place, so that nothing is
// written that a reader would refuse.
void CheckFormNameToWrite(std::string_view name, FormNameKind kind);

// The 1-based line and column (columns count bytes) of a byte offset in a text form, counted as
// the text reader counts them in its errors.
void TextLineColumn(std::string_view text, uint64_t offset, int& line, int& column);

struct FormFile {
    FormObject root;
    FormFileFormat format = FormFileFormat::Text;
    bool resourceHeader = false; // binary: the file started with the 16-bit resource header
};

// Reads a form file in either format: binary when it starts with "TPF0" or with the resource
// header's FF 0A 00, text otherwise. Throws EFormFileError.
FormFile ReadFormFile(std::string_view bytes, const std::string& fileName);
// The text form in the IDE's layout (CR LF line ends).
std::string WriteText(const FormObject& root);
// The binary form; with the resource header it is what the IDE saves as a binary .dfm file.
std::string WriteBinary(const FormObject& root, bool withResourceHeader = true);

} // namespace host
