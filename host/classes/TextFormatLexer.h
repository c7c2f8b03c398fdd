#pragma once
// The tokens of the text form: names (dotted, or starting with a dot), integers (decimal or $hex),
// floats with their optional s/c/d suffix, strings (quoted pieces and #n codes run together) and
// one-character symbols, each with the byte offset where it starts. The parser is in
// TextFormatRead.cpp.

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace host {

enum class TextTokenKind { Eof, Ident, Integer, Float, String, Symbol };

struct TextToken {
    TextTokenKind Kind = TextTokenKind::Eof;
    size_t Start = 0; // byte offset into the text
    // Where the blanks before the token start: after the line end that closed the previous
    // token's line, or right after the previous token when this one shares its line. The
    // parser's spans (FormSpan) run from one such place to another.
    size_t LeadStart = 0;
    std::string_view Text; // as written; a float without its suffix
    char Suffix = 0;       // floats: 's', 'c', 'd' or 0
};

// How an error message names a token: 'Width', string, end of file, character #9...
std::string DescribeToken(const TextToken& token);

// A string's value: bytes until a character code above 255 makes it wide (UTF-16).
struct TextString {
    std::string Bytes;
    std::u16string Wide;
    bool IsWide = false;

    void Clear();
    void AddBytes(const char* data, size_t count);
    void AddCode(uint32_t code);
    void Append(const TextString& other);

private:
    void Widen();
};

// Malformed text found by the lexer: the byte offset and the bare message. The reader turns it
// into an EFormFileError with the file, line, column and property path.
class TextLexError : public std::runtime_error {
public:
    TextLexError(size_t offset, const std::string& detail)
        : std::runtime_error(detail), FOffset(offset) {}
    size_t Offset() const { return FOffset; }

private:
    size_t FOffset;
};

class TextLexer {
public:
    // The text is not copied: it must outlive the lexer.
    explicit TextLexer(std::string_view text) : FText(text) {}

    // Refuses a zero byte anywhere, skips a UTF-8 byte-order mark and reads the first token.
    void Start();
    // Reads the next token. Every control character counts as a blank, as in the IDE's parser.
    void Next();
    const TextToken& Token() const { return FToken; }
    // The value of the current String token; the parser may take it (std::move).
    TextString& String() { return FString; }
    // True when the next character after blanks is '=' (so that "Object = 1" is a property).
    bool NextIsEquals() const;
    // After a '{' token: the bytes of the hex digits (blanks allowed) up to the closing '}',
    // which it consumes. Next() then reads the token after it.
    std::string HexBody();

private:
    void SkipBlanks();
    void Finish(TextTokenKind kind, size_t end);
    void LexIdent();
    void LexNumber();
    void LexString();

    std::string_view FText;
    size_t FPos = 0;
    bool FFirst = true; // no token read yet: the blanks before the first one are all its own
    TextToken FToken;
    TextString FString;
};

} // namespace host
