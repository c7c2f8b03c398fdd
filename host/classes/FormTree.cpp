#include "host/classes/FormTree.h"

#include "host/classes/BinaryFormat.h"
#include "host/classes/TextFormat.h"

#include <cstring>
#include <limits>

namespace host {

static_assert(std::numeric_limits<long double>::digits == 64,
              "long double must be the x87 80-bit extended format");

Extended80 Extended80::FromLongDouble(long double value) {
    Extended80 result;
    std::memcpy(result.bytes.data(), &value, result.bytes.size());
    return result;
}

long double Extended80::ToLongDouble() const {
    long double value = 0;
    std::memcpy(&value, bytes.data(), bytes.size());
    return value;
}

FormWriteDepth::FormWriteDepth(int& depth) : FDepth(depth) {
    if (FDepth >= kMaxFormNesting)
        throw EWriteError("form nested deeper than " + std::to_string(kMaxFormNesting) +
                          " levels cannot be written");
    ++FDepth;
}

FormValue::FormValue() : FKind(FormValueKind::Nil) {}

template <typename T>
FormValue::FormValue(FormValueKind kind, T&& data) : FKind(kind), FData(std::forward<T>(data)) {}

FormValue FormValue::Integer(int64_t value) {
    return {FormValueKind::Integer, value};
}
FormValue FormValue::Extended(Extended80 value) {
    return {FormValueKind::Extended, value};
}
FormValue FormValue::Extended(long double value) {
    return Extended(Extended80::FromLongDouble(value));
}
FormValue FormValue::String(std::string bytes) {
    return {FormValueKind::String, std::move(bytes)};
}
FormValue FormValue::WideString(std::u16string units) {
    return {FormValueKind::WideString, std::move(units)};
}
FormValue FormValue::Utf8String(std::string bytes) {
    return {FormValueKind::Utf8String, std::move(bytes)};
}
FormValue FormValue::Ident(std::string name) {
    return {FormValueKind::Ident, std::move(name)};
}
FormValue FormValue::Boolean(bool value) {
    return {value ? FormValueKind::True : FormValueKind::False, std::monostate{}};
}
FormValue FormValue::Nil() {
    return {};
}
FormValue FormValue::Binary(std::string bytes) {
    return {FormValueKind::Binary, std::move(bytes)};
}
FormValue FormValue::Set(FormNameList members) {
    return {FormValueKind::Set, std::move(members)};
}
FormValue FormValue::List(FormValueList values) {
    return {FormValueKind::List, std::move(values)};
}
FormValue FormValue::Collection(FormItemList items) {
    return {FormValueKind::Collection, std::move(items)};
}
FormValue FormValue::Single(float value) {
    return {FormValueKind::Single, value};
}
FormValue FormValue::Currency(int64_t scaled) {
    return {FormValueKind::Currency, scaled};
}
FormValue FormValue::Date(double days) {
    return {FormValueKind::Date, days};
}
FormValue FormValue::Double(double value) {
    return {FormValueKind::Double, value};
}

bool FormValue::operator==(const FormValue& other) const {
    if (FKind != other.FKind)
        return false;
    // Floats compare by their bits, so that a NaN equals itself and -0 differs from 0.
    if (FKind == FormValueKind::Single)
        return std::memcmp(&std::get<float>(FData), &std::get<float>(other.FData), sizeof(float)) ==
               0;
    if (FKind == FormValueKind::Date || FKind == FormValueKind::Double)
        return std::memcmp(&std::get<double>(FData), &std::get<double>(other.FData),
                           sizeof(double)) == 0;
    return FData == other.FData;
}

const FormProperty* FormObject::FindProperty(std::string_view propertyName) const {
    for (const FormProperty& property : properties)
        if (SameText(property.name, propertyName))
            return &property;
    return nullptr;
}

const FormObject* FormObject::FindChild(std::string_view objectName) const {
    for (const FormObject& child : children)
        if (SameText(child.name, objectName))
            return &child;
    return nullptr;
}

namespace {

std::string ShownFileName(const std::string& fileName) {
    return fileName.empty() ? std::string("(form)") : Printable(fileName, 200);
}

std::string WithPath(const std::string& path, const std::string& detail) {
    std::string shown = Printable(detail, 300);
    return path.empty() ? shown : Printable(path, 200) + ": " + shown;
}

// Bytes by what they may be in a name: 1 may start one, 2 may follow (digits), 0 neither.
constexpr std::array<uint8_t, 256> kNameBytes = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c) {
        bool start = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
        table[c] = start ? 1 : (c >= '0' && c <= '9') ? 2 : 0;
    }
    return table;
}();

// Identifiers, joined by single dots where dots are allowed.
bool IsDottedName(std::string_view name, bool dots) {
    bool atStart = true;
    for (char c : name) {
        uint8_t kind = kNameBytes[static_cast<unsigned char>(c)];
        if (kind == 1 || (kind == 2 && !atStart)) {
            atStart = false;
        } else if (c == '.' && dots && !atStart) {
            atStart = true;
        } else {
            return false;
        }
    }
    return !atStart;
}

} // namespace

bool IsValidFormName(std::string_view name, FormNameKind kind) {
    if (name.size() > 255)
        return false;
    switch (kind) {
    case FormNameKind::Class:
        return IsDottedName(name, true);
    case FormNameKind::Object:
        return name.empty() || IsDottedName(name, false);
    case FormNameKind::Property:
        return IsDottedName(name, true) && !SameText(name, "end");
    case FormNameKind::Ident:
        if (name.size() >= 3 && name.size() <= 9 &&
            ((name[0] | 0x20) == 'e' || (name[0] | 0x20) == 'o' || (name[0] | 0x20) == 'i'))
            for (const char* keyword : {"end", "object", "inherited", "inline"})
                if (SameText(name, keyword))
                    return false;
        return IsDottedName(name.starts_with('.') ? name.substr(1) : name, true);
    case FormNameKind::SetMember:
        return IsDottedName(name, false);
    }
    return false;
}

void CheckFormNameToWrite(std::string_view name, FormNameKind kind) {
    if (!IsValidFormName(name, kind))
        throw EWriteError(std::string("cannot write the invalid ") + FormNameKindText(kind) + " '" +
                          Printable(name, 40) + "'");
}

const char* FormNameKindText(FormNameKind kind) {
    switch (kind) {
    case FormNameKind::Class:
        return "class name";
    case FormNameKind::Object:
        return "object name";
    case FormNameKind::Property:
        return "property name";
    case FormNameKind::Ident:
        return "identifier";
    case FormNameKind::SetMember:
        return "set member";
    }
    return "name";
}

EFormFileError::EFormFileError(std::string fileName, int line, int column, std::string path,
                               std::string detail)
    : EReadError(ShownFileName(fileName) + ":" + std::to_string(line) + ":" +
                 std::to_string(column) + ": " + WithPath(path, detail)),
      FFileName(std::move(fileName)), FLine(line), FColumn(column), FPath(std::move(path)),
      FDetail(std::move(detail)) {}

EFormFileError::EFormFileError(std::string fileName, uint64_t offset, std::string path,
                               std::string detail)
    : EReadError(ShownFileName(fileName) + ": byte " + std::to_string(offset) + ": " +
                 WithPath(path, detail)),
      FFileName(std::move(fileName)), FOffset(offset), FPath(std::move(path)),
      FDetail(std::move(detail)) {}

void TextLineColumn(std::string_view text, uint64_t offset, int& line, int& column) {
    line = 1;
    size_t lineStart = 0;
    for (size_t i = 0; i < offset && i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))) {
            ++line;
            lineStart = i + 1;
        }
    }
    column = static_cast<int>(offset - lineStart + 1);
}

FormFile ReadFormFile(std::string_view bytes, const std::string& fileName) {
    FormFile file;
    if (LooksLikeBinaryForm(bytes)) {
        file.format = FormFileFormat::Binary;
        file.root = ReadBinaryForm(bytes, fileName, &file.resourceHeader);
    } else {
        file.format = FormFileFormat::Text;
        file.root = ReadTextForm(bytes, fileName);
    }
    return file;
}

std::string WriteText(const FormObject& root) {
    return WriteTextForm(root);
}

std::string WriteBinary(const FormObject& root, bool withResourceHeader) {
    return WriteBinaryForm(root, withResourceHeader);
}

} // namespace host
