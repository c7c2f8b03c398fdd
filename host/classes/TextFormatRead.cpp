// Reading the text form: the parser over the tokens of TextFormatLexer.h.
#include "host/classes/TextFormat.h"

#include "host/classes/FormSink.h"
#include "host/classes/TextFormatLexer.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <type_traits>

namespace host {

namespace {

using Tok = TextTokenKind;

// The value of a hex digit the lexer has let through.
int HexValue(char c) {
    return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
}

class TextReader {
public:
    TextReader(std::string_view text, const std::string& fileName, FormSink& sink)
        : FText(text), FFileName(fileName), FLexer(text), FSink(sink) {}

    void Read() {
        try {
            FLexer.Start();
            if (!IsObjectKeyword())
                Fail(Token(), "'object', 'inherited' or 'inline' expected but " +
                                  DescribeToken(Token()) + " found");
            ReadObject(1);
            if (Token().Kind != Tok::Eof)
                Fail(Token(), "end of file expected after the form's final 'end' but " +
                                  DescribeToken(Token()) + " found");
        } catch (const TextLexError& e) {
            // The path is still the one of the object or property being read.
            Fail(e.Offset(), e.what());
        }
    }

private:
    // --- errors ---

    [[noreturn]] void Fail(size_t offset, const std::string& detail) const {
        int line = 0, column = 0;
        TextLineColumn(FText, offset, line, column);
        std::string path;
        for (const std::string& part : FPath) {
            if (!path.empty())
                path += '.';
            path += part;
        }
        throw EFormFileError(FFileName, line, column, path, detail);
    }
    [[noreturn]] void Fail(const TextToken& token, const std::string& detail) const {
        Fail(token.Start, detail);
    }

    const TextToken& Token() const { return FLexer.Token(); }
    void Next() { FLexer.Next(); }

    // --- parser ---

    bool IsKeyword(const char* word) const {
        return Token().Kind == Tok::Ident && SameText(Token().Text, word);
    }
    bool IsSymbol(char c) const { return Token().Kind == Tok::Symbol && Token().Text[0] == c; }
    bool IsObjectKeyword() const {
        return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline");
    }

    // The current Ident token as a name of that kind; a name the binary form could not hold the
    // same way (a dotted object name or set member, a property "end") is refused.
    std::string_view Name(FormNameKind kind) const {
        std::string_view name = Token().Text;
        if (!IsValidFormName(name, kind))
            Fail(Token(),
                 std::string("invalid ") + FormNameKindText(kind) + " " + DescribeToken(Token()));
        return name;
    }

    void Expect(char c) {
        if (!IsSymbol(c))
            Fail(Token(),
                 std::string("'") + c + "' expected but " + DescribeToken(Token()) + " found");
        Next();
    }

    void Enter(int depth) const {
        if (depth > kMaxFormNesting)
            Fail(Token(), "nesting deeper than " + std::to_string(kMaxFormNesting) + " levels");
    }

    void Count(size_t count, const char* what) const {
        if (count >= kMaxFormItems)
            Fail(Token(), std::string("more than ") + std::to_string(kMaxFormItems) +
                              " values in one " + what);
    }

    int64_t ParseInteger(const TextToken& token) const {
        std::string_view t = token.Text;
        uint64_t value = 0;
        if (t[0] == '$') {
            if (t.size() > 17)
                Fail(token, "integer " + std::string(t) + " out of range");
            for (char c : t.substr(1))
                value = value * 16 + HexValue(c);
            // Up to 8 digits the value is 32 bits wide, as on the original platform: $FFFFFFFF
            // is -1.
            if (t.size() <= 9)
                return static_cast<int32_t>(static_cast<uint32_t>(value));
            return static_cast<int64_t>(value);
        }
        bool negative = t[0] == '-';
        uint64_t limit = negative ? uint64_t(1) << 63 : (uint64_t(1) << 63) - 1;
        for (char c : t.substr(negative ? 1 : 0)) {
            unsigned digit = c - '0';
            if (value > (limit - digit) / 10)
                Fail(token, "integer " + std::string(t) + " out of range");
            value = value * 10 + digit;
        }
        return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
    }

    int32_t ParseSmallInteger(const char* what) {
        if (Token().Kind != Tok::Integer)
            Fail(Token(), std::string(what) + " expected but " + DescribeToken(Token()) + " found");
        int64_t value = ParseInteger(Token());
        if (value < std::numeric_limits<int32_t>::min() ||
            value > std::numeric_limits<int32_t>::max())
            Fail(Token(), std::string(what) + " " + std::string(Token().Text) + " out of range");
        Next();
        return static_cast<int32_t>(value);
    }

    template <typename T> T ParseFloatAs(const TextToken& token) const {
        T value{};
        const char* begin = token.Text.data();
        const char* end = begin + token.Text.size();
        auto [stop, ec] = std::from_chars(begin, end, value);
        if (ec == std::errc::result_out_of_range && stop == end) {
            // The library refuses subnormal numbers (4E-4951) although they are values the
            // writer writes: the C library reads them, in the C locale whatever the program's.
            value = ParseSubnormal<T>(token.Text);
            if (std::isfinite(value) && value != 0)
                return value;
        }
        if (ec != std::errc() || stop != end)
            Fail(token, "float " + std::string(token.Text) + " out of range");
        return value;
    }

    template <typename T> static T ParseSubnormal(std::string_view text) {
        static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", locale_t(0));
        std::string copy(text);
        if constexpr (std::is_same_v<T, float>)
            return strtof_l(copy.c_str(), nullptr, cLocale);
        else if constexpr (std::is_same_v<T, double>)
            return strtod_l(copy.c_str(), nullptr, cLocale);
        else
            return strtold_l(copy.c_str(), nullptr, cLocale);
    }

    // Currency is read exactly: 12.3456c is 123456 ten-thousandths.
    int64_t ParseCurrency(const TextToken& token) const {
        std::string_view t = token.Text;
        if (t.find_first_of("eE") != std::string_view::npos) {
            long double value = ParseFloatAs<long double>(token) * 10000.0L;
            if (!(std::fabs(value) < 9.2e18L))
                Fail(token, "currency " + std::string(t) + " out of range");
            return std::llround(value);
        }
        bool negative = t[0] == '-';
        if (negative)
            t.remove_prefix(1);
        size_t dot = t.find('.');
        std::string_view whole = t.substr(0, dot);
        std::string_view fraction = dot == std::string_view::npos ? "" : t.substr(dot + 1);
        uint64_t value = 0;
        for (char c : whole) {
            value = value * 10 + (c - '0');
            if (value > 922337203685477ULL)
                Fail(token, "currency " + std::string(token.Text) + " out of range");
        }
        for (size_t i = 0; i < 4; ++i)
            value = value * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
        if (fraction.size() > 4 && fraction[4] >= '5')
            ++value;
        // The most negative currency has no positive counterpart: -922337203685477.5808.
        uint64_t limit = uint64_t(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0);
        if (value > limit)
            Fail(token, "currency " + std::string(token.Text) + " out of range");
        return negative ? static_cast<int64_t>(0 - value) : static_cast<int64_t>(value);
    }

    // Hands the object over: its header, its properties, its children, its end.
    void ReadObject(int depth) {
        Enter(depth);
        FormObject object;
        object.offset = Token().Start;
        object.span.begin = Token().LeadStart;
        object.isInherited = IsKeyword("inherited");
        object.isInline = IsKeyword("inline");
        Next();
        if (Token().Kind != Tok::Ident)
            Fail(Token(),
                 "object name or class name expected but " + DescribeToken(Token()) + " found");
        TextToken first = Token();
        Next();
        if (IsSymbol(':')) {
            Next();
            if (Token().Kind != Tok::Ident)
                Fail(Token(), "class name expected but " + DescribeToken(Token()) + " found");
            if (!IsValidFormName(first.Text, FormNameKind::Object))
                Fail(first, "invalid object name " + DescribeToken(first));
            object.name = first.Text;
            object.className = Name(FormNameKind::Class);
            Next();
        } else {
            if (!IsValidFormName(first.Text, FormNameKind::Class))
                Fail(first, "invalid class name " + DescribeToken(first));
            object.className = first.Text;
        }
        if (IsSymbol('[')) {
            Next();
            object.childPosition = ParseSmallInteger("child position");
            Expect(']');
        }
        object.headerEnd = Token().LeadStart;
        FPath.push_back(object.name.empty() ? object.className : object.name);
        FSink.BeginObject(std::move(object));
        bool hadChild = false;
        for (;;) {
            if (Token().Kind == Tok::Ident) {
                if (IsKeyword("end")) {
                    size_t trailerBegin = Token().LeadStart;
                    Next();
                    FSink.EndObject(trailerBegin, Token().LeadStart);
                    break;
                }
                if (IsObjectKeyword() && !FLexer.NextIsEquals()) {
                    ReadObject(depth + 1);
                    hadChild = true;
                    continue;
                }
                if (hadChild)
                    Fail(Token(), "'object' or 'end' expected but " + DescribeToken(Token()) +
                                      " found (properties come before child objects)");
                FSink.Property(ReadProperty(depth));
            } else if (Token().Kind == Tok::Eof) {
                Fail(Token(), "'end' expected but end of file found");
            } else {
                Fail(Token(), "property name, object or 'end' expected but " +
                                  DescribeToken(Token()) + " found");
            }
        }
        FPath.pop_back();
    }

    FormProperty ReadProperty(int depth) {
        FormProperty property;
        property.offset = Token().Start;
        property.span.begin = Token().LeadStart;
        property.name = Name(FormNameKind::Property);
        FPath.push_back(property.name);
        Next();
        Expect('=');
        property.value = ReadValue(depth + 1);
        property.span.end = Token().LeadStart;
        FPath.pop_back();
        return property;
    }

    FormValue ReadValue(int depth) {
        size_t at = Token().Start;
        FormValue value = ReadBareValue(depth);
        value.At(at, value.EndOffset());
        return value;
    }

    FormValue ReadBareValue(int depth) {
        Enter(depth);
        switch (Token().Kind) {
        case Tok::Integer: {
            int64_t value = ParseInteger(Token());
            Next();
            return FormValue::Integer(value);
        }
        case Tok::Float: {
            FormValue value;
            switch (Token().Suffix) {
            case 's':
                value = FormValue::Single(ParseFloatAs<float>(Token()));
                break;
            case 'c':
                value = FormValue::Currency(ParseCurrency(Token()));
                break;
            case 'd':
                value = FormValue::Date(ParseFloatAs<double>(Token()));
                break;
            default:
                value = FormValue::Extended(ParseFloatAs<long double>(Token()));
                break;
            }
            Next();
            return value;
        }
        case Tok::String:
            return ReadString();
        case Tok::Ident: {
            FormValue value;
            if (IsKeyword("True"))
                value = FormValue::Boolean(true);
            else if (IsKeyword("False"))
                value = FormValue::Boolean(false);
            else if (IsKeyword("nil"))
                value = FormValue::Nil();
            else if (IsKeyword("end") || IsObjectKeyword())
                Fail(Token(), "value expected but " + DescribeToken(Token()) + " found");
            else
                value = FormValue::Ident(std::string(Name(FormNameKind::Ident)));
            Next();
            return value;
        }
        case Tok::Symbol:
            switch (Token().Text[0]) {
            case '[':
                return ReadSet();
            case '(':
                return ReadList(depth);
            case '<':
                return ReadCollection(depth);
            case '{': {
                std::string bytes = FLexer.HexBody();
                Next();
                return FormValue::Binary(std::move(bytes));
            }
            default:
                break;
            }
            break;
        default:
            break;
        }
        Fail(Token(), "value expected but " + DescribeToken(Token()) + " found");
    }

    FormValue ReadString() {
        TextString joined = std::move(FLexer.String());
        FLexer.String() = TextString();
        Next();
        while (IsSymbol('+')) {
            Next();
            if (Token().Kind != Tok::String)
                Fail(Token(), "string expected after '+' but " + DescribeToken(Token()) + " found");
            joined.Append(FLexer.String());
            Next();
        }
        if (joined.IsWide)
            return FormValue::WideString(std::move(joined.Wide));
        return FormValue::String(std::move(joined.Bytes));
    }

    FormValue ReadSet() {
        FormNameList members;
        Next();
        if (IsSymbol(']')) {
            Next();
            return FormValue::Set(std::move(members));
        }
        for (;;) {
            if (Token().Kind != Tok::Ident)
                Fail(Token(), "set member expected but " + DescribeToken(Token()) + " found");
            Count(members.size(), "set");
            members.emplace_back(Name(FormNameKind::SetMember));
            Next();
            if (IsSymbol(',')) {
                Next();
                continue;
            }
            if (IsSymbol(']')) {
                Next();
                break;
            }
            Fail(Token(), "',' or ']' expected but " + DescribeToken(Token()) + " found");
        }
        return FormValue::Set(std::move(members));
    }

    FormValue ReadList(int depth) {
        FormValueList values;
        size_t at = Token().Start;
        Next();
        while (!IsSymbol(')')) {
            if (Token().Kind == Tok::Eof)
                Fail(Token(), "value or ')' expected but end of file found");
            Count(values.size(), "list");
            values.push_back(ReadValue(depth + 1));
        }
        size_t end = Token().Start;
        Next();
        return std::move(FormValue::List(std::move(values)).At(at, end));
    }

    FormValue ReadCollection(int depth) {
        FormItemList items;
        size_t at = Token().Start;
        Next();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item"))
                Fail(Token(), "'item' or '>' expected but " + DescribeToken(Token()) + " found");
            Count(items.size(), "collection");
            std::string& owner = FPath.back();
            size_t ownerLength = owner.size();
            owner += "[" + std::to_string(items.size()) + "]";
            FormCollectionItem item;
            item.span.begin = Token().LeadStart;
            Next();
            if (IsSymbol('[')) {
                Next();
                item.order = ParseSmallInteger("item order");
                Expect(']');
            }
            for (;;) {
                if (IsKeyword("end")) {
                    Next();
                    item.span.end = Token().LeadStart;
                    break;
                }
                if (Token().Kind != Tok::Ident)
                    Fail(Token(), "property name or 'end' expected but " + DescribeToken(Token()) +
                                      " found");
                item.properties.push_back(ReadProperty(depth + 1));
            }
            FPath.back().resize(ownerLength);
            items.push_back(std::move(item));
        }
        size_t end = Token().Start;
        Next();
        return std::move(FormValue::Collection(std::move(items)).At(at, end));
    }

    std::string_view FText;
    const std::string& FFileName;
    TextLexer FLexer;
    FormSink& FSink;
    std::vector<std::string> FPath;
};

} // namespace

void ReadTextForm(std::string_view text, const std::string& fileName, FormSink& sink) {
    TextReader(text, fileName, sink).Read();
}

FormObject ReadTextForm(std::string_view text, const std::string& fileName) {
    FormTreeBuilder builder;
    ReadTextForm(text, fileName, builder);
    return std::move(builder.Root());
}

} // namespace host
