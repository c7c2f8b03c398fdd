#include "host/classes/TextFormatLexer.h"

#include <cstring>

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
bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

} // namespace

std::string DescribeToken(const TextToken& token) {
    switch (token.Kind) {
    case TextTokenKind::Eof:
        return "end of file";
    case TextTokenKind::String:
        return "string";
    case TextTokenKind::Symbol: {
        unsigned char c = static_cast<unsigned char>(token.Text[0]);
        if (c < 32 || c == 127)
            return "character #" + std::to_string(c);
        return "'" + std::string(token.Text) + "'";
    }
    default:
        if (token.Text.size() > 40)
            return "'" + std::string(token.Text.substr(0, 40)) + "...'";
        return "'" + std::string(token.Text) + "'";
    }
}

// ---------------------------------------------------------------------------------------------
// TextString

void TextString::Clear() {
    Bytes.clear();
    Wide.clear();
    IsWide = false;
}

void TextString::Widen() {
    Wide.reserve(Bytes.size() + 8);
    for (unsigned char c : Bytes)
        Wide.push_back(c);
    Bytes.clear();
    IsWide = true;
}

void TextString::AddBytes(const char* data, size_t count) {
    if (!IsWide) {
        Bytes.append(data, count);
        return;
    }
    for (size_t i = 0; i < count; ++i)
        Wide.push_back(static_cast<unsigned char>(data[i]));
}

void TextString::AddCode(uint32_t code) {
    if (code > 255 && !IsWide)
        Widen();
    if (IsWide)
        Wide.push_back(static_cast<char16_t>(code));
    else
        Bytes.push_back(static_cast<char>(code));
}

void TextString::Append(const TextString& other) {
    if (other.IsWide && !IsWide)
        Widen();
    if (other.IsWide)
        Wide += other.Wide;
    else
        AddBytes(other.Bytes.data(), other.Bytes.size());
}

// ---------------------------------------------------------------------------------------------
// TextLexer

void TextLexer::Start() {
    if (const void* zero = std::memchr(FText.data(), 0, FText.size()))
        throw TextLexError(static_cast<const char*>(zero) - FText.data(), "zero byte in text");
    FPos = FText.starts_with("\xEF\xBB\xBF") ? 3 : 0;
    FFirst = true;
    Next();
}

void TextLexer::SkipBlanks() {
    while (FPos < FText.size() && IsBlank(FText[FPos]))
        ++FPos;
}

bool TextLexer::NextIsEquals() const {
    size_t p = FPos;
    while (p < FText.size() && IsBlank(FText[p]))
        ++p;
    return p < FText.size() && FText[p] == '=';
}

void TextLexer::Next() {
    // The rest of the previous token's line, with its line end, belongs to that token; when
    // another token follows on the same line, the blanks between are that token's.
    size_t lead = FPos;
    if (!FFirst) {
        size_t p = FPos;
        while (p < FText.size() && IsBlank(FText[p]) && FText[p] != '\r' && FText[p] != '\n')
            ++p;
        if (p < FText.size() && FText[p] == '\r')
            p += p + 1 < FText.size() && FText[p + 1] == '\n' ? 2 : 1;
        else if (p < FText.size() && FText[p] == '\n')
            ++p;
        else if (p < FText.size())
            p = FPos;
        lead = p;
    }
    FFirst = false;
    FToken.LeadStart = lead;
    SkipBlanks();
    FToken.Start = FPos;
    FToken.Suffix = 0;
    if (FPos >= FText.size()) {
        FToken.Kind = TextTokenKind::Eof;
        FToken.Text = {};
        return;
    }
    unsigned char c = static_cast<unsigned char>(FText[FPos]);
    if (IsIdentStart(c) || (c == '.' && FPos + 1 < FText.size() && IsIdentStart(FText[FPos + 1]))) {
        // A name may start with a dot: some binary files hold component references such as
        // ".Owner", and their text form must read back.
        LexIdent();
    } else if (IsDigit(c) || (c == '-' && FPos + 1 < FText.size() && IsDigit(FText[FPos + 1]))) {
        LexNumber();
    } else if (c == '$' && FPos + 1 < FText.size() && HexValue(FText[FPos + 1]) >= 0) {
        size_t p = FPos + 1;
        while (p < FText.size() && HexValue(FText[p]) >= 0)
            ++p;
        Finish(TextTokenKind::Integer, p);
    } else if (c == '\'' || c == '#') {
        LexString();
    } else {
        Finish(TextTokenKind::Symbol, FPos + 1);
    }
}

void TextLexer::Finish(TextTokenKind kind, size_t end) {
    FToken.Kind = kind;
    FToken.Text = FText.substr(FPos, end - FPos);
    FPos = end;
}

void TextLexer::LexIdent() {
    size_t p = FPos;
    if (FText[p] == '.')
        ++p;
    for (;;) {
        while (p < FText.size() && IsIdentChar(FText[p]))
            ++p;
        if (p + 1 < FText.size() && FText[p] == '.' && IsIdentStart(FText[p + 1]))
            ++p;
        else
            break;
    }
    if (p - FPos > 255)
        throw TextLexError(FPos, "name longer than 255 characters");
    Finish(TextTokenKind::Ident, p);
}

void TextLexer::LexNumber() {
    size_t p = FPos;
    bool isFloat = false;
    if (FText[p] == '-')
        ++p;
    while (p < FText.size() && IsDigit(FText[p]))
        ++p;
    if (p + 1 < FText.size() && FText[p] == '.' && IsDigit(FText[p + 1])) {
        isFloat = true;
        ++p;
        while (p < FText.size() && IsDigit(FText[p]))
            ++p;
    }
    if (p < FText.size() && (FText[p] == 'e' || FText[p] == 'E')) {
        size_t q = p + 1;
        if (q < FText.size() && (FText[q] == '+' || FText[q] == '-'))
            ++q;
        if (q < FText.size() && IsDigit(FText[q])) {
            isFloat = true;
            p = q;
            while (p < FText.size() && IsDigit(FText[p]))
                ++p;
        }
    }
    size_t end = p;
    char suffix = 0;
    if (p < FText.size() && !(p + 1 < FText.size() && IsIdentChar(FText[p + 1]))) {
        char s = static_cast<char>(FText[p] | 0x20);
        if (s == 's' || s == 'c' || s == 'd') {
            suffix = s;
            isFloat = true;
            ++p;
        }
    }
    FToken.Kind = isFloat ? TextTokenKind::Float : TextTokenKind::Integer;
    FToken.Text = FText.substr(FPos, end - FPos);
    FToken.Suffix = suffix;
    FPos = p;
}

void TextLexer::LexString() {
    FString.Clear();
    size_t p = FPos;
    for (;;) {
        if (p < FText.size() && FText[p] == '\'') {
            size_t open = p++;
            for (;;) {
                size_t run = p;
                while (p < FText.size() && FText[p] != '\'' && FText[p] != '\r' && FText[p] != '\n')
                    ++p;
                FString.AddBytes(FText.data() + run, p - run);
                if (p >= FText.size() || FText[p] != '\'')
                    throw TextLexError(open, "unterminated string");
                if (p + 1 < FText.size() && FText[p + 1] == '\'') {
                    FString.AddCode('\'');
                    p += 2;
                    continue;
                }
                ++p;
                break;
            }
        } else if (p < FText.size() && FText[p] == '#') {
            size_t hash = p++;
            if (p >= FText.size() || !IsDigit(FText[p]))
                throw TextLexError(p, "character code expected after '#'");
            size_t digits = p;
            while (p < FText.size() && IsDigit(FText[p]))
                ++p;
            uint32_t code = 0;
            for (size_t i = digits; i < p && code <= 0xFFFF; ++i)
                code = code * 10 + (FText[i] - '0');
            if (code > 0xFFFF)
                throw TextLexError(hash, "character code #" +
                                             std::string(FText.substr(digits, p - digits)) +
                                             " out of range (0 to 65535)");
            FString.AddCode(code);
        } else {
            break;
        }
    }
    Finish(TextTokenKind::String, p);
}

std::string TextLexer::HexBody() {
    std::string bytes;
    int high = -1;
    size_t p = FPos;
    for (;;) {
        while (p < FText.size() && IsBlank(FText[p]))
            ++p;
        if (p >= FText.size())
            throw TextLexError(p, "'}' expected but end of file found");
        char c = FText[p];
        if (c == '}') {
            if (high >= 0)
                throw TextLexError(p, "odd number of hex digits in binary data");
            ++p;
            break;
        }
        int v = HexValue(c);
        if (v < 0) {
            TextToken bad{TextTokenKind::Symbol, p, p, FText.substr(p, 1)};
            throw TextLexError(p, "hex digit or '}' expected but " + DescribeToken(bad) + " found");
        }
        if (high < 0) {
            high = v;
        } else {
            bytes.push_back(static_cast<char>(high * 16 + v));
            high = -1;
        }
        ++p;
    }
    FPos = p;
    return bytes;
}

} // namespace host
