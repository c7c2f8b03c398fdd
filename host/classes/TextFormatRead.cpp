// Reading the text form.
#include "host/classes/TextFormat.h"

#include "host/classes/BinaryFormat.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace host {

namespace {

bool IsIdentStart(unsigned char c) {
    // Bytes of 128 and above are accepted in names: later IDEs write non-ASCII component names
    // as UTF-8 (in files with a byte-order mark).
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool IsIdentChar(unsigned char c) {
    return IsIdentStart(c) || (c >= '0' && c <= '9');
}
bool IsDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
int HexValue(unsigned char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// A string value being assembled: bytes until a character code above 255 makes it wide.
struct StringValue {
    std::string bytes;
    std::u16string wide;
    bool isWide = false;

    void Clear() {
        bytes.clear();
        wide.clear();
        isWide = false;
    }
    void Widen() {
        wide.reserve(bytes.size() + 8);
        for (unsigned char c : bytes)
            wide.push_back(c);
        bytes.clear();
        isWide = true;
    }
    void AddBytes(const char* data, size_t count) {
        if (!isWide) {
            bytes.append(data, count);
            return;
        }
        for (size_t i = 0; i < count; ++i)
            wide.push_back(static_cast<unsigned char>(data[i]));
    }
    void AddCode(uint32_t code) {
        if (code > 255 && !isWide)
            Widen();
        if (isWide) {
            wide.push_back(static_cast<char16_t>(code));
        } else {
            bytes.push_back(static_cast<char>(code));
        }
    }
    void Append(const StringValue& other) {
        if (other.isWide && !isWide)
            Widen();
        if (other.isWide)
            wide += other.wide;
        else
            AddBytes(other.bytes.data(), other.bytes.size());
    }
};

enum class Tok { Eof, Ident, Integer, Float, String, Symbol };

struct Token {
    Tok kind = Tok::Eof;
    size_t start = 0;
    std::string_view text; // as written (for strings: the first piece only)
    char suffix = 0;       // floats: 's', 'c', 'd' or 0
};

// ---------------------------------------------------------------------------------------------
// Reading

class TextReader {
public:
    TextReader(std::string_view text, const std::string& fileName)
        : text_(text), fileName_(fileName) {}

    FormObject Read() {
        if (const void* zero = std::memchr(text_.data(), 0, text_.size()))
            Fail(static_cast<const char*>(zero) - text_.data(), "zero byte in text");
        if (text_.starts_with("\xEF\xBB\xBF"))
            pos_ = 3;
        Next();
        if (!IsObjectKeyword())
            Fail(tok_,
                 "'object', 'inherited' or 'inline' expected but " + Describe(tok_) + " found");
        FormObject root = ReadObject(1);
        if (tok_.kind != Tok::Eof)
            Fail(tok_, "end of file expected after the form's final 'end' but " + Describe(tok_) +
                           " found");
        return root;
    }

private:
    // --- errors ---

    [[noreturn]] void Fail(size_t offset, const std::string& detail) const {
        int line = 0, column = 0;
        TextLineColumn(text_, offset, line, column);
        std::string path;
        for (const std::string& part : path_) {
            if (!path.empty())
                path += '.';
            path += part;
        }
        throw EFormFileError(fileName_, line, column, path, detail);
    }
    [[noreturn]] void Fail(const Token& token, const std::string& detail) const {
        Fail(token.start, detail);
    }

    static std::string Describe(const Token& token) {
        switch (token.kind) {
        case Tok::Eof:
            return "end of file";
        case Tok::String:
            return "string";
        case Tok::Symbol: {
            unsigned char c = static_cast<unsigned char>(token.text[0]);
            if (c < 32 || c == 127)
                return "character #" + std::to_string(c);
            return "'" + std::string(token.text) + "'";
        }
        default:
            if (token.text.size() > 40)
                return "'" + std::string(token.text.substr(0, 40)) + "...'";
            return "'" + std::string(token.text) + "'";
        }
    }

    // --- lexer ---

    void SkipBlanks() {
        // Like the IDE's parser, every control character counts as a blank.
        while (pos_ < text_.size() && static_cast<unsigned char>(text_[pos_]) <= ' ')
            ++pos_;
    }

    void Next() {
        SkipBlanks();
        tok_.start = pos_;
        tok_.suffix = 0;
        if (pos_ >= text_.size()) {
            tok_.kind = Tok::Eof;
            tok_.text = {};
            return;
        }
        unsigned char c = static_cast<unsigned char>(text_[pos_]);
        if (IsIdentStart(c) ||
            (c == '.' && pos_ + 1 < text_.size() && IsIdentStart(text_[pos_ + 1]))) {
            // A name may start with a dot: some binary files hold component references such as
            // ".Owner", and their text form must read back.
            LexIdent();
        } else if (IsDigit(c) ||
                   (c == '-' && pos_ + 1 < text_.size() && IsDigit(text_[pos_ + 1]))) {
            LexNumber();
        } else if (c == '$' && pos_ + 1 < text_.size() && HexValue(text_[pos_ + 1]) >= 0) {
            size_t p = pos_ + 1;
            while (p < text_.size() && HexValue(text_[p]) >= 0)
                ++p;
            Finish(Tok::Integer, p);
        } else if (c == '\'' || c == '#') {
            LexString();
        } else {
            Finish(Tok::Symbol, pos_ + 1);
        }
    }

    void Finish(Tok kind, size_t end) {
        tok_.kind = kind;
        tok_.text = text_.substr(pos_, end - pos_);
        pos_ = end;
    }

    void LexIdent() {
        size_t p = pos_;
        if (text_[p] == '.')
            ++p;
        for (;;) {
            while (p < text_.size() && IsIdentChar(text_[p]))
                ++p;
            if (p + 1 < text_.size() && text_[p] == '.' && IsIdentStart(text_[p + 1]))
                ++p;
            else
                break;
        }
        if (p - pos_ > 255)
            Fail(pos_, "name longer than 255 characters");
        Finish(Tok::Ident, p);
    }

    void LexNumber() {
        size_t p = pos_;
        bool isFloat = false;
        if (text_[p] == '-')
            ++p;
        while (p < text_.size() && IsDigit(text_[p]))
            ++p;
        if (p + 1 < text_.size() && text_[p] == '.' && IsDigit(text_[p + 1])) {
            isFloat = true;
            ++p;
            while (p < text_.size() && IsDigit(text_[p]))
                ++p;
        }
        if (p < text_.size() && (text_[p] == 'e' || text_[p] == 'E')) {
            size_t q = p + 1;
            if (q < text_.size() && (text_[q] == '+' || text_[q] == '-'))
                ++q;
            if (q < text_.size() && IsDigit(text_[q])) {
                isFloat = true;
                p = q;
                while (p < text_.size() && IsDigit(text_[p]))
                    ++p;
            }
        }
        size_t end = p;
        char suffix = 0;
        if (p < text_.size() && !(p + 1 < text_.size() && IsIdentChar(text_[p + 1]))) {
            char s = static_cast<char>(text_[p] | 0x20);
            if (s == 's' || s == 'c' || s == 'd') {
                suffix = s;
                isFloat = true;
                ++p;
            }
        }
        tok_.kind = isFloat ? Tok::Float : Tok::Integer;
        tok_.text = text_.substr(pos_, end - pos_);
        tok_.suffix = suffix;
        pos_ = p;
    }

    void LexString() {
        str_.Clear();
        size_t p = pos_;
        for (;;) {
            if (p < text_.size() && text_[p] == '\'') {
                size_t open = p++;
                for (;;) {
                    size_t run = p;
                    while (p < text_.size() && text_[p] != '\'' && text_[p] != '\r' &&
                           text_[p] != '\n')
                        ++p;
                    str_.AddBytes(text_.data() + run, p - run);
                    if (p >= text_.size() || text_[p] != '\'')
                        Fail(open, "unterminated string");
                    if (p + 1 < text_.size() && text_[p + 1] == '\'') {
                        str_.AddCode('\'');
                        p += 2;
                        continue;
                    }
                    ++p;
                    break;
                }
            } else if (p < text_.size() && text_[p] == '#') {
                size_t hash = p++;
                if (p >= text_.size() || !IsDigit(text_[p]))
                    Fail(p, "character code expected after '#'");
                size_t digits = p;
                while (p < text_.size() && IsDigit(text_[p]))
                    ++p;
                uint32_t code = 0;
                for (size_t i = digits; i < p && code <= 0xFFFF; ++i)
                    code = code * 10 + (text_[i] - '0');
                if (code > 0xFFFF)
                    Fail(hash, "character code #" + std::string(text_.substr(digits, p - digits)) +
                                   " out of range (0 to 65535)");
                str_.AddCode(code);
            } else {
                break;
            }
        }
        Finish(Tok::String, p);
    }

    // Reads the hex digits of binary data after '{', up to and including '}'.
    std::string LexHexBody() {
        std::string bytes;
        int high = -1;
        size_t p = pos_;
        for (;;) {
            while (p < text_.size() && static_cast<unsigned char>(text_[p]) <= ' ')
                ++p;
            if (p >= text_.size())
                Fail(p, "'}' expected but end of file found");
            char c = text_[p];
            if (c == '}') {
                if (high >= 0)
                    Fail(p, "odd number of hex digits in binary data");
                ++p;
                break;
            }
            int v = HexValue(c);
            if (v < 0) {
                Token bad;
                bad.kind = Tok::Symbol;
                bad.text = text_.substr(p, 1);
                Fail(p, "hex digit or '}' expected but " + Describe(bad) + " found");
            }
            if (high < 0) {
                high = v;
            } else {
                bytes.push_back(static_cast<char>(high * 16 + v));
                high = -1;
            }
            ++p;
        }
        pos_ = p;
        return bytes;
    }

    // --- parser ---

    bool IsKeyword(const char* word) const {
        return tok_.kind == Tok::Ident && SameText(tok_.text, word);
    }
    bool IsSymbol(char c) const { return tok_.kind == Tok::Symbol && tok_.text[0] == c; }
    bool IsObjectKeyword() const {
        return IsKeyword("object") || IsKeyword("inherited") || IsKeyword("inline");
    }
    // True when the next token is '=' (so that "Object = 1" is a property, not an object).
    bool NextIsEquals() {
        size_t saved = pos_;
        SkipBlanks();
        bool equals = pos_ < text_.size() && text_[pos_] == '=';
        pos_ = saved;
        return equals;
    }

    void Expect(char c) {
        if (!IsSymbol(c))
            Fail(tok_, std::string("'") + c + "' expected but " + Describe(tok_) + " found");
        Next();
    }

    void Enter(int depth) const {
        if (depth > kMaxFormNesting)
            Fail(tok_, "nesting deeper than " + std::to_string(kMaxFormNesting) + " levels");
    }

    int64_t ParseInteger(const Token& token) const {
        std::string_view t = token.text;
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
        if (tok_.kind != Tok::Integer)
            Fail(tok_, std::string(what) + " expected but " + Describe(tok_) + " found");
        int64_t value = ParseInteger(tok_);
        if (value < std::numeric_limits<int32_t>::min() ||
            value > std::numeric_limits<int32_t>::max())
            Fail(tok_, std::string(what) + " " + std::string(tok_.text) + " out of range");
        Next();
        return static_cast<int32_t>(value);
    }

    template <typename T> T ParseFloatAs(const Token& token) const {
        T value{};
        auto [end, ec] =
            std::from_chars(token.text.data(), token.text.data() + token.text.size(), value);
        if (ec != std::errc() || end != token.text.data() + token.text.size())
            Fail(token, "float " + std::string(token.text) + " out of range");
        return value;
    }

    // Currency is read exactly: 12.3456c is 123456 ten-thousandths.
    int64_t ParseCurrency(const Token& token) const {
        std::string_view t = token.text;
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
                Fail(token, "currency " + std::string(token.text) + " out of range");
        }
        for (size_t i = 0; i < 4; ++i)
            value = value * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
        if (fraction.size() > 4 && fraction[4] >= '5')
            ++value;
        if (value > uint64_t(std::numeric_limits<int64_t>::max()))
            Fail(token, "currency " + std::string(token.text) + " out of range");
        return negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value);
    }

    FormObject ReadObject(int depth) {
        Enter(depth);
        FormObject object;
        object.offset = tok_.start;
        object.isInherited = IsKeyword("inherited");
        object.isInline = IsKeyword("inline");
        Next();
        if (tok_.kind != Tok::Ident)
            Fail(tok_, "object name or class name expected but " + Describe(tok_) + " found");
        std::string_view first = tok_.text;
        Next();
        if (IsSymbol(':')) {
            Next();
            if (tok_.kind != Tok::Ident)
                Fail(tok_, "class name expected but " + Describe(tok_) + " found");
            object.name = first;
            object.className = tok_.text;
            Next();
        } else {
            object.className = first;
        }
        if (IsSymbol('[')) {
            Next();
            object.childPosition = ParseSmallInteger("child position");
            Expect(']');
        }
        path_.push_back(object.name.empty() ? object.className : object.name);
        for (;;) {
            if (tok_.kind == Tok::Ident) {
                if (IsKeyword("end")) {
                    Next();
                    break;
                }
                if (IsObjectKeyword() && !NextIsEquals()) {
                    object.children.push_back(ReadObject(depth + 1));
                    continue;
                }
                if (!object.children.empty())
                    Fail(tok_, "'object' or 'end' expected but " + Describe(tok_) +
                                   " found (properties come before child objects)");
                object.properties.push_back(ReadProperty(depth));
            } else if (tok_.kind == Tok::Eof) {
                Fail(tok_, "'end' expected but end of file found");
            } else {
                Fail(tok_,
                     "property name, object or 'end' expected but " + Describe(tok_) + " found");
            }
        }
        path_.pop_back();
        return object;
    }

    FormProperty ReadProperty(int depth) {
        FormProperty property;
        property.offset = tok_.start;
        property.name = tok_.text;
        path_.push_back(property.name);
        Next();
        Expect('=');
        property.value = ReadValue(depth + 1);
        path_.pop_back();
        return property;
    }

    FormValue ReadValue(int depth) {
        size_t at = tok_.start;
        FormValue value = ReadBareValue(depth);
        value.At(at, value.EndOffset());
        return value;
    }

    FormValue ReadBareValue(int depth) {
        Enter(depth);
        switch (tok_.kind) {
        case Tok::Integer: {
            int64_t value = ParseInteger(tok_);
            Next();
            return FormValue::Integer(value);
        }
        case Tok::Float: {
            FormValue value;
            switch (tok_.suffix) {
            case 's':
                value = FormValue::Single(ParseFloatAs<float>(tok_));
                break;
            case 'c':
                value = FormValue::Currency(ParseCurrency(tok_));
                break;
            case 'd':
                value = FormValue::Date(ParseFloatAs<double>(tok_));
                break;
            default:
                value = FormValue::Extended(ParseFloatAs<long double>(tok_));
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
                Fail(tok_, "value expected but " + Describe(tok_) + " found");
            else
                value = FormValue::Ident(std::string(tok_.text));
            Next();
            return value;
        }
        case Tok::Symbol:
            switch (tok_.text[0]) {
            case '[':
                return ReadSet();
            case '(':
                return ReadList(depth);
            case '<':
                return ReadCollection(depth);
            case '{': {
                std::string bytes = LexHexBody();
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
        Fail(tok_, "value expected but " + Describe(tok_) + " found");
    }

    FormValue ReadString() {
        StringValue joined = std::move(str_);
        str_ = StringValue();
        Next();
        while (IsSymbol('+')) {
            Next();
            if (tok_.kind != Tok::String)
                Fail(tok_, "string expected after '+' but " + Describe(tok_) + " found");
            joined.Append(str_);
            Next();
        }
        if (joined.isWide)
            return FormValue::WideString(std::move(joined.wide));
        return FormValue::String(std::move(joined.bytes));
    }

    FormValue ReadSet() {
        FormNameList members;
        Next();
        if (IsSymbol(']')) {
            Next();
            return FormValue::Set(std::move(members));
        }
        for (;;) {
            if (tok_.kind != Tok::Ident)
                Fail(tok_, "set member expected but " + Describe(tok_) + " found");
            members.emplace_back(tok_.text);
            Next();
            if (IsSymbol(',')) {
                Next();
                continue;
            }
            if (IsSymbol(']')) {
                Next();
                break;
            }
            Fail(tok_, "',' or ']' expected but " + Describe(tok_) + " found");
        }
        return FormValue::Set(std::move(members));
    }

    FormValue ReadList(int depth) {
        FormValueList values;
        size_t at = tok_.start;
        Next();
        while (!IsSymbol(')')) {
            if (tok_.kind == Tok::Eof)
                Fail(tok_, "value or ')' expected but end of file found");
            values.push_back(ReadValue(depth + 1));
        }
        size_t end = tok_.start;
        Next();
        return std::move(FormValue::List(std::move(values)).At(at, end));
    }

    FormValue ReadCollection(int depth) {
        FormItemList items;
        size_t at = tok_.start;
        Next();
        while (!IsSymbol('>')) {
            if (!IsKeyword("item"))
                Fail(tok_, "'item' or '>' expected but " + Describe(tok_) + " found");
            std::string& owner = path_.back();
            size_t ownerLength = owner.size();
            owner += "[" + std::to_string(items.size()) + "]";
            Next();
            FormCollectionItem item;
            if (IsSymbol('[')) {
                Next();
                item.order = ParseSmallInteger("item order");
                Expect(']');
            }
            for (;;) {
                if (IsKeyword("end")) {
                    Next();
                    break;
                }
                if (tok_.kind != Tok::Ident)
                    Fail(tok_, "property name or 'end' expected but " + Describe(tok_) + " found");
                item.properties.push_back(ReadProperty(depth + 1));
            }
            path_.back().resize(ownerLength);
            items.push_back(std::move(item));
        }
        size_t end = tok_.start;
        Next();
        return std::move(FormValue::Collection(std::move(items)).At(at, end));
    }

    std::string_view text_;
    const std::string& fileName_;
    size_t pos_ = 0;
    Token tok_;
    StringValue str_;
    std::vector<std::string> path_;
};

} // namespace

FormObject ReadTextForm(std::string_view text, const std::string& fileName) {
    return TextReader(text, fileName).Read();
}

} // namespace host
