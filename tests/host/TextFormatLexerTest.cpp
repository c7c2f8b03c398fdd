// The text form's lexer on its own: which token each piece of text is, where it starts, what a
// string means, and where malformed text is reported.
#include "host/classes/TextFormatLexer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using namespace host;

// Every token up to the end as "kind@start text" (a float's suffix after a blank).
std::vector<std::string> Tokens(std::string_view text) {
    static const char* const kinds[] = {"eof", "ident", "integer", "float", "string", "symbol"};
    TextLexer lexer(text);
    lexer.Start();
    std::vector<std::string> list;
    for (;;) {
        const TextToken& t = lexer.Token();
        std::string shown = std::string(kinds[static_cast<int>(t.Kind)]) + "@" +
                            std::to_string(t.Start) + " " + std::string(t.Text);
        if (t.Suffix)
            shown += std::string(" ") + t.Suffix;
        list.push_back(shown);
        if (t.Kind == TextTokenKind::Eof)
            return list;
        lexer.Next();
    }
}

struct TokenCase {
    const char* what;
    std::string text;
    std::vector<std::string> tokens;
};

void PrintTo(const TokenCase& c, std::ostream* os) {
    *os << c.what;
}

class LexerTokens : public ::testing::TestWithParam<TokenCase> {};

TEST_P(LexerTokens, AreTheseAtTheseOffsets) {
    EXPECT_EQ(Tokens(GetParam().text), GetParam().tokens);
}

INSTANTIATE_TEST_SUITE_P(
    Text, LexerTokens,
    ::testing::Values(
        TokenCase{"object header",
                  "object Form1: TForm1 [2]",
                  {"ident@0 object", "ident@7 Form1", "symbol@12 :", "ident@14 TForm1",
                   "symbol@21 [", "integer@22 2", "symbol@23 ]", "eof@24 "}},
        TokenCase{"byte-order mark and control characters as blanks",
                  "\xEF\xBB\xBF\x01\tend\x7F",
                  {"ident@5 end", "symbol@8 \x7F", "eof@9 "}},
        TokenCase{"dotted names, a leading dot, a dot before a digit",
                  "Font.Name .Owner a.1 b. c",
                  {"ident@0 Font.Name", "ident@10 .Owner", "ident@17 a", "symbol@18 .",
                   "integer@19 1", "ident@21 b", "symbol@22 .", "ident@24 c", "eof@25 "}},
        TokenCase{"integers: negative, hex, a lone $ and a lone minus",
                  "-12 $1f $G - 3",
                  {"integer@0 -12", "integer@4 $1f", "symbol@8 $", "ident@9 G", "symbol@11 -",
                   "integer@13 3", "eof@14 "}},
        TokenCase{"floats and their suffixes",
                  "1.5 2E3 4e+2 1.25s 12.5C 3d 1. 5e",
                  {"float@0 1.5", "float@4 2E3", "float@8 4e+2", "float@13 1.25 s",
                   "float@19 12.5 c", "float@25 3 d", "integer@28 1", "symbol@29 .", "integer@31 5",
                   "ident@32 e", "eof@33 "}},
        TokenCase{"a suffix letter that starts a name is not a suffix",
                  "7sx 8s)",
                  {"integer@0 7", "ident@1 sx", "float@4 8 s", "symbol@6 )", "eof@7 "}},
        TokenCase{"quoted pieces and codes run together into one string",
                  "'a'#13#10'b' + ''''",
                  {"string@0 'a'#13#10'b'", "symbol@13 +", "string@15 ''''", "eof@19 "}}));

struct StringCase {
    std::string text;
    std::string bytes;
    std::u16string wide; // expected when not empty
};

class LexerStrings : public ::testing::TestWithParam<StringCase> {};

TEST_P(LexerStrings, MeanTheseCharacters) {
    TextLexer lexer(GetParam().text);
    lexer.Start();
    ASSERT_EQ(lexer.Token().Kind, TextTokenKind::String);
    const TextString& s = lexer.String();
    EXPECT_EQ(s.IsWide, !GetParam().wide.empty());
    if (s.IsWide)
        EXPECT_EQ(s.Wide, GetParam().wide);
    else
        EXPECT_EQ(s.Bytes, GetParam().bytes);
}

INSTANTIATE_TEST_SUITE_P(Text, LexerStrings,
                         ::testing::Values(StringCase{"'It''s'", "It's", {}},
                                           StringCase{"''", "", {}},
                                           StringCase{"#39'x'#39", "'x'", {}},
                                           StringCase{"'caf'#233", "caf\xE9", {}},
                                           // a code above 255 widens what came before it
                                           StringCase{"'\xE9'#8364'x'", "", u"\u00E9\u20ACx"}));

struct ErrorCase {
    std::string text;
    bool hexBody; // the error comes from the binary data after the first token, '{'
    size_t offset;
    std::string detail;
};

class LexerErrors : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(LexerErrors, SayWhereAndWhat) {
    TextLexer lexer(GetParam().text);
    try {
        lexer.Start();
        while (lexer.Token().Kind != TextTokenKind::Eof) {
            if (GetParam().hexBody)
                lexer.HexBody();
            lexer.Next();
        }
        FAIL() << "no error";
    } catch (const TextLexError& e) {
        EXPECT_EQ(e.Offset(), GetParam().offset);
        EXPECT_EQ(std::string(e.what()), GetParam().detail);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Malformed, LexerErrors,
    ::testing::Values(
        ErrorCase{std::string("end\0", 4), false, 3, "zero byte in text"},
        ErrorCase{"x 'abc", false, 2, "unterminated string"},
        ErrorCase{"'a\r\nb'", false, 0, "unterminated string"},
        ErrorCase{"'a'#x", false, 4, "character code expected after '#'"},
        ErrorCase{"x #65536", false, 2, "character code #65536 out of range (0 to 65535)"},
        ErrorCase{" " + std::string(256, 'n'), false, 1, "name longer than 255 characters"},
        ErrorCase{"{ 0a 0G}", true, 6, "hex digit or '}' expected but 'G' found"},
        ErrorCase{"{0\t}", true, 3, "odd number of hex digits in binary data"},
        ErrorCase{"{00 ", true, 4, "'}' expected but end of file found"}));

TEST(TextLexer, HexBodyEndsAfterTheBraceAndNextIsEqualsOnlyPeeks) {
    TextLexer lexer("{0A ff} Object = 1");
    lexer.Start();
    EXPECT_EQ(lexer.HexBody(), "\x0A\xFF");
    lexer.Next();
    EXPECT_EQ(lexer.Token().Text, "Object");
    EXPECT_TRUE(lexer.NextIsEquals());
    lexer.Next();
    EXPECT_EQ(lexer.Token().Text, "=");
    EXPECT_FALSE(lexer.NextIsEquals());
}

} // namespace
