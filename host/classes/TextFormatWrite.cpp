// Writing the text form in the IDE's layout.
#include "host/classes/TextFormat.h"

#include "host/classes/FormSink.h"

#include "host/classes/BinaryFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>
#include <type_traits>

namespace host {

namespace {

bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

// ---------------------------------------------------------------------------------------------
// Writing

constexpr size_t kPieceLength = 64; // characters of a string value per line
constexpr size_t kHexBytesPerLine = 32;

// Floats are written as the IDE writes them, in fixed notation with 18 decimals, using the
// fewest significant digits that read back to the very same value (1.5 gives
// 1.500000000000000000, not the 19 or more digits of its exact binary value). A value that 18
// decimals cannot hold (very small or 1e15 and above) is written in exponent notation.
template <typename T> std::string FormatFloat(T value) {
    if (!std::isfinite(value))
        throw EWriteError("a float that is not a finite number cannot be written as text");
    char buffer[160];
    // Shortest round-trip digits, as "d.dddde+XX".
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific);
    std::string_view sci(buffer, result.ptr - buffer);
    size_t e = sci.find('e');
    int exponent = 0;
    size_t exponentAt = e + 1 + (sci[e + 1] == '+' ? 1 : 0);
    std::from_chars(sci.data() + exponentAt, sci.data() + sci.size(), exponent);
    bool negative = sci[0] == '-';
    std::string digits;
    for (char c : sci.substr(0, e))
        if (IsDigit(c))
            digits += c;
    bool isZero = digits.find_first_not_of('0') == std::string::npos;
    if (isZero || (exponent < 15 && exponent >= -18 &&
                   static_cast<int>(digits.size()) - exponent - 1 <= 18)) {
        std::string text = negative ? "-" : "";
        if (isZero) {
            text += "0.";
            text.append(18, '0');
            return text;
        }
        if (exponent >= 0) {
            digits.resize(std::max<size_t>(digits.size(), exponent + 1), '0');
            text.append(digits, 0, exponent + 1);
            digits.erase(0, exponent + 1);
        } else {
            text += '0';
            digits.insert(0, -exponent - 1, '0');
        }
        text += '.';
        text += digits;
        text.append(18 - digits.size(), '0');
        return text;
    }
    std::string text(sci);
    text[e] = 'E';
    return text;
}

// Decodes UTF-8 into UTF-16 units; false when the bytes are not valid UTF-8.
bool DecodeUtf8(const std::string& bytes, std::u16string& units) {
    size_t i = 0;
    while (i < bytes.size()) {
        unsigned char c = bytes[i];
        uint32_t code;
        size_t extra;
        if (c < 0x80) {
            code = c;
            extra = 0;
        } else if ((c & 0xE0) == 0xC0) {
            code = c & 0x1F;
            extra = 1;
        } else if ((c & 0xF0) == 0xE0) {
            code = c & 0x0F;
            extra = 2;
        } else if ((c & 0xF8) == 0xF0) {
            code = c & 0x07;
            extra = 3;
        } else {
            return false;
        }
        if (i + extra >= bytes.size())
            return false;
        for (size_t k = 1; k <= extra; ++k) {
            unsigned char d = bytes[i + k];
            if ((d & 0xC0) != 0x80)
                return false;
            code = (code << 6) | (d & 0x3F);
        }
        static constexpr uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
            return false;
        if (code >= 0x10000) {
            code -= 0x10000;
            units.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return true;
}

class TextWriter {
public:
    // checkNames: false when a reader has checked them already.
    // depth: the levels the first thing written lies in (its reader counts them all).
    TextWriter(std::string& out, const TextLayout& layout, bool checkNames = true, int depth = 0)
        : FOut(out), FLineEnd(layout.lineEnd), FLazarus(layout.dialect == TextDialect::Lazarus),
          FCheckNames(checkNames), FDepth(depth) {}

    void Object(const FormObject& object, size_t indent) {
        FormWriteDepth guard(FDepth);
        Header(object, indent);
        Properties(object.properties, indent + 2);
        for (const FormObject& child : object.children)
            Object(child, indent + 2);
        End(indent);
    }

    void Header(const FormObject& object, size_t indent) {
        Indent(indent);
        CheckName(object.className, FormNameKind::Class);
        CheckName(object.name, FormNameKind::Object);
        FOut += object.isInline ? "inline " : object.isInherited ? "inherited " : "object ";
        if (!object.name.empty()) {
            FOut += object.name;
            FOut += ": ";
        }
        FOut += object.className;
        if (object.childPosition) {
            // The IDE puts a blank before the bracket, Lazarus none.
            FOut += FLazarus ? "[" : " [";
            FOut += std::to_string(*object.childPosition);
            FOut += ']';
        }
        FOut += FLineEnd;
    }

    void End(size_t indent) {
        Indent(indent);
        FOut += "end";
        FOut += FLineEnd;
    }

    void Property(const FormProperty& property, size_t indent) {
        CheckName(property.name, FormNameKind::Property);
        Indent(indent);
        FOut += property.name;
        FOut += " = ";
        Value(property.value, indent);
        FOut += FLineEnd;
    }

private:
    void CheckName(std::string_view name, FormNameKind kind) const {
        if (FCheckNames)
            CheckFormNameToWrite(name, kind);
    }

    void Indent(size_t count) { FOut.append(count, ' '); }
    void NewLine(size_t indent) {
        FOut += FLineEnd;
        Indent(indent);
    }

    void Properties(const std::vector<FormProperty>& properties, size_t indent) {
        for (const FormProperty& property : properties)
            Property(property, indent);
    }

    // Writes a value that starts on a line indented by `indent`; continuation lines go deeper.
    void Value(const FormValue& value, size_t indent) {
        FormWriteDepth guard(FDepth);
        switch (value.Kind()) {
        case FormValueKind::List:
            FOut += '(';
            for (const FormValue& item : value.AsList()) {
                NewLine(indent + 2);
                Value(item, indent + 2);
            }
            // Lazarus closes a list on a line of its own, the IDE after the last value.
            if (FLazarus)
                NewLine(indent);
            FOut += ')';
            break;
        case FormValueKind::Integer:
            FOut += std::to_string(value.AsInteger());
            break;
        case FormValueKind::Extended:
            FOut += FormatFloat(value.AsExtended().ToLongDouble());
            break;
        case FormValueKind::String:
            ByteString(value.AsBytes(), indent);
            break;
        case FormValueKind::WideString:
            WideString(value.AsWide(), indent);
            break;
        case FormValueKind::Utf8String: {
            std::u16string units;
            if (DecodeUtf8(value.AsBytes(), units))
                WideString(units, indent);
            else
                ByteString(value.AsBytes(), indent);
            break;
        }
        case FormValueKind::Ident:
            CheckName(value.AsBytes(), FormNameKind::Ident);
            FOut += value.AsBytes();
            break;
        case FormValueKind::False:
            FOut += "False";
            break;
        case FormValueKind::True:
            FOut += "True";
            break;
        case FormValueKind::Nil:
            FOut += "nil";
            break;
        case FormValueKind::Binary:
            Binary(value.AsBytes(), indent);
            break;
        case FormValueKind::Set: {
            FOut += '[';
            bool first = true;
            for (const std::string& member : value.AsSet()) {
                CheckName(member, FormNameKind::SetMember);
                if (!first)
                    FOut += ", ";
                FOut += member;
                first = false;
            }
            FOut += ']';
            break;
        }
        case FormValueKind::Collection:
            Collection(value.AsCollection(), indent);
            break;
        case FormValueKind::Single:
            FOut += FormatFloat(value.AsSingle());
            FOut += 's';
            break;
        case FormValueKind::Currency:
            Currency(value.AsInteger());
            break;
        case FormValueKind::Date:
            FOut += FormatFloat(value.AsDouble());
            FOut += 'd';
            break;
        case FormValueKind::Double:
            // The text form has no notation for a double: it is written like an extended value
            // (which holds every double exactly) and reads back as one.
            FOut += FormatFloat(static_cast<long double>(value.AsDouble()));
            break;
        }
    }

    void Collection(const FormItemList& items, size_t indent) {
        FOut += '<';
        // Lazarus follows "<" and every "end" but the last with the property's indentation.
        if (FLazarus && !items.empty())
            Indent(indent);
        for (size_t i = 0; i < items.size(); ++i) {
            const FormCollectionItem& item = items[i];
            FormWriteDepth guard(FDepth); // readers count an item as a level
            if (i > 0 && FLazarus)
                Indent(indent);
            NewLine(indent + 2);
            FOut += "item";
            if (item.order) {
                FOut += FLazarus ? "[" : " [";
                FOut += std::to_string(*item.order);
                FOut += ']';
            }
            FOut += FLineEnd;
            Properties(item.properties, indent + 4);
            Indent(indent + 2);
            FOut += "end";
        }
        FOut += '>';
    }

    void Currency(int64_t scaled) {
        uint64_t magnitude = scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : scaled;
        if (scaled < 0)
            FOut += '-';
        FOut += std::to_string(magnitude / 10000);
        FOut += '.';
        std::string fraction = std::to_string(magnitude % 10000);
        FOut.append(4 - fraction.size(), '0');
        FOut += fraction;
        FOut.append(14, '0');
        FOut += 'c';
    }

    // Writes units [begin, end) of a string: quotable characters inside quotes, the others as #n.
    template <typename Units, typename Quotable>
    void Piece(const Units& units, size_t begin, size_t end, Quotable quotable) {
        bool inQuotes = false;
        for (size_t i = begin; i < end; ++i) {
            uint32_t unit = static_cast<std::make_unsigned_t<typename Units::value_type>>(units[i]);
            if constexpr (std::is_same_v<Units, std::string>) {
                // A run of bytes that go inside the quotes as they are, in one piece.
                size_t run = i;
                while (run < end && unit != '\'' && quotable(unit)) {
                    if (++run < end)
                        unit = static_cast<unsigned char>(units[run]);
                }
                if (run > i) {
                    if (!inQuotes) {
                        FOut += '\'';
                        inQuotes = true;
                    }
                    FOut.append(units, i, run - i);
                    i = run - 1;
                    continue;
                }
            }
            if (quotable(unit)) {
                if (!inQuotes) {
                    FOut += '\'';
                    inQuotes = true;
                }
                FOut += static_cast<char>(unit);
                if (unit == '\'')
                    FOut += '\'';
            } else {
                if (inQuotes) {
                    FOut += '\'';
                    inQuotes = false;
                }
                FOut += '#';
                FOut += std::to_string(unit);
            }
        }
        if (inQuotes)
            FOut += '\'';
    }

    // Strings of up to 64 characters stay on the line; longer ones start on the next line, two
    // blanks deeper, in pieces of 64 characters joined by " +".
    template <typename Units, typename Quotable>
    void String(const Units& units, size_t indent, Quotable quotable) {
        if (units.empty()) {
            FOut += "''";
            return;
        }
        if (units.size() <= kPieceLength || FLazarus) {
            Piece(units, 0, units.size(), quotable);
            return;
        }
        for (size_t begin = 0; begin < units.size(); begin += kPieceLength) {
            if (begin > 0)
                FOut += " +";
            NewLine(indent + 2);
            Piece(units, begin, std::min(units.size(), begin + kPieceLength), quotable);
        }
    }

    void ByteString(const std::string& bytes, size_t indent) {
        // Bytes are written as they are, as the IDE of an ANSI platform does; only control
        // characters and the quote become codes.
        // Lazarus writes a quote doubled inside the quotes, the IDE as #39.
        if (FLazarus)
            String(bytes, indent, [](uint32_t c) { return c >= 32; });
        else
            String(bytes, indent, [](uint32_t c) { return c >= 32 && c != '\''; });
    }

    // A wide string is written with #n codes for everything outside 32..126, so that its
    // characters above 255 make it wide again when read. One without such characters reads back
    // as bytes whatever we write, so it is written as those bytes, the text stays the same on
    // the next round.
    void WideString(const std::u16string& units, size_t indent) {
        if (std::all_of(units.begin(), units.end(), [](char16_t u) { return u <= 255; })) {
            std::string bytes(units.begin(), units.end());
            ByteString(bytes, indent);
            return;
        }
        if (FLazarus)
            String(units, indent, [](uint32_t c) { return c >= 32 && c < 127; });
        else
            String(units, indent, [](uint32_t c) { return c >= 32 && c < 127 && c != '\''; });
    }

    void Binary(const std::string& bytes, size_t indent) {
        static constexpr char kHex[] = "0123456789ABCDEF";
        // Like the IDE: less than a line of data stays on the property's line; Lazarus always
        // starts on the next line and closes on a line of its own.
        bool multiLine = bytes.size() >= kHexBytesPerLine || FLazarus;
        FOut += '{';
        for (size_t i = 0; i < bytes.size(); ++i) {
            if (multiLine && i % kHexBytesPerLine == 0)
                NewLine(indent + 2);
            unsigned char b = bytes[i];
            FOut += kHex[b >> 4];
            FOut += kHex[b & 15];
        }
        if (FLazarus)
            NewLine(indent);
        FOut += '}';
    }

    std::string& FOut;
    std::string_view FLineEnd;
    bool FLazarus;
    bool FCheckNames;
    int FDepth;
};

// Writes each part as it is handed over.
class TextSink : public FormSink {
public:
    TextSink(std::string& out, const TextLayout& layout) : FWriter(out, layout, false) {}
    void BeginObject(FormObject&& header) override {
        FWriter.Header(header, FIndent);
        FIndent += 2;
    }
    void Property(FormProperty&& property) override { FWriter.Property(property, FIndent); }
    void EndObject(uint64_t, uint64_t) override {
        FIndent -= 2;
        FWriter.End(FIndent);
    }

private:
    TextWriter FWriter;
    size_t FIndent = 0;
};

} // namespace

std::unique_ptr<FormSink> MakeTextFormSink(std::string& out, const TextLayout& layout) {
    return std::make_unique<TextSink>(out, layout);
}

std::string WriteTextForm(const FormObject& root, const TextLayout& layout) {
    std::string out;
    TextWriter(out, layout).Object(root, 0);
    return out;
}

void AppendTextObject(std::string& out, const FormObject& object, size_t indent,
                      const TextLayout& layout) {
    // Two blanks a level: what lies `indent` deep is that many levels in.
    TextWriter(out, layout, true, static_cast<int>(indent / 2)).Object(object, indent);
}

void AppendTextHeader(std::string& out, const FormObject& object, size_t indent,
                      const TextLayout& layout) {
    // Two blanks a level: what lies `indent` deep is that many levels in.
    TextWriter(out, layout, true, static_cast<int>(indent / 2)).Header(object, indent);
}

void AppendTextProperty(std::string& out, const FormProperty& property, size_t indent,
                        const TextLayout& layout) {
    // Two blanks a level: what lies `indent` deep is that many levels in.
    TextWriter(out, layout, true, static_cast<int>(indent / 2)).Property(property, indent);
}

void AppendTextEnd(std::string& out, size_t indent, const TextLayout& layout) {
    TextWriter(out, layout).End(indent);
}

} // namespace host
