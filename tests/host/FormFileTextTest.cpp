// The text form codec: what the reader accepts, the IDE's layout of the writer, and malformed
// text.

#include "FormFileTestSupport.h"

#include "host/classes/BinaryFormat.h"
#include "host/classes/TextFormat.h"

#include <random>

using namespace host;
using namespace formfile_test;

namespace {

FormValue ValueOf(const std::string& valueText) {
    FormObject tree = ReadText("object A: TA\n  P = " + valueText + "\nend\n");
    return tree.properties.at(0).value;
}

// --- Reading ------------------------------------------------------------------------------------

struct ReadCase {
    const char* text;
    FormValue expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) {
    *os << c.text;
}

class ValueReading : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ValueReading, GivesTheValue) {
    EXPECT_EQ(ValueOf(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ValueReading,
    ::testing::Values(
        ReadCase{"-40000", FormValue::Integer(-40000)}, ReadCase{"$7F", FormValue::Integer(127)},
        // Up to 8 hex digits the value is 32 bits wide, as on the original platform.
        ReadCase{"$FFFFFFFF", FormValue::Integer(-1)},
        ReadCase{"$100000000", FormValue::Integer(4294967296LL)},
        ReadCase{"-9223372036854775808", FormValue::Integer(INT64_MIN)},
        ReadCase{"1.5", FormValue::Extended(1.5L)},
        ReadCase{"2.5E-5", FormValue::Extended(2.5E-5L)},
        ReadCase{"1E3", FormValue::Extended(1000.0L)},
        // Free Pascal's layout of floats reads back exactly.
        ReadCase{" 1.50000000000000000000E+0000", FormValue::Extended(1.5L)},
        ReadCase{"1.25s", FormValue::Single(1.25f)}, ReadCase{"12.5c", FormValue::Currency(125000)},
        ReadCase{"-0.00015c", FormValue::Currency(-2)},
        ReadCase{"36526.5d", FormValue::Date(36526.5)},
        ReadCase{"'It''s'", FormValue::String("It's")},
        ReadCase{"#39'x'#39", FormValue::String("'x'")},
        ReadCase{"'a'#13#10'b'", FormValue::String("a\r\nb")},
        ReadCase{"''", FormValue::String("")},
        ReadCase{"'ab' +\r\n    'cd' + #39 + ''", FormValue::String("abcd'")},
        // #128..#255 is one byte, as the original platform stores it.
        ReadCase{"'caf'#233", FormValue::String("caf\xE9")},
        ReadCase{"'caf\xC3\xA9'", FormValue::String("caf\xC3\xA9")},
        // A code above 255 makes the string wide; the pieces before it are widened too.
        ReadCase{"'a'#233 + #8364", FormValue::WideString(u"a\u00E9\u20AC")},
        ReadCase{"#55357#56832", FormValue::WideString(u"\xD83D\xDE00")},
        ReadCase{"clBtnFace", FormValue::Ident("clBtnFace")},
        ReadCase{"Form1.Button1", FormValue::Ident("Form1.Button1")},
        ReadCase{".Owner", FormValue::Ident(".Owner")}, ReadCase{"TRUE", FormValue::Boolean(true)},
        ReadCase{"false", FormValue::Boolean(false)}, ReadCase{"Nil", FormValue::Nil()},
        ReadCase{"[]", FormValue::Set({})},
        ReadCase{"[fsBold,fsItalic ]", FormValue::Set({"fsBold", "fsItalic"})},
        ReadCase{"()", FormValue::List({})},
        ReadCase{"(\n 1 'a' (b) )", FormValue::List({FormValue::Integer(1), FormValue::String("a"),
                                                     FormValue::List({FormValue::Ident("b")})})},
        ReadCase{"{}", FormValue::Binary("")},
        ReadCase{"{\n  0a0B\n  ff }", FormValue::Binary("\x0A\x0B\xFF")},
        ReadCase{"<>", FormValue::Collection({})},
        ReadCase{"<item [5] Width = 10 end item end>",
                 FormValue::Collection({FormCollectionItem{5, {{"Width", FormValue::Integer(10)}}},
                                        FormCollectionItem{}})}));

TEST(FormFileText, HeadersFlagsAndChildPositions) {
    FormObject tree = ReadText("\xEF\xBB\xBFinherited Form2: TForm2\r\n"
                               "  inherited OkButton: TButton [1]\r\n  end\r\n"
                               "  object Hint: TLabel[0]\r  end\r"
                               "  inline Frame1: TFrame1\n  end\n"
                               "  object TEdit\n  end\n"
                               "  object Object: TObj\n    Object = 1\n  end\n"
                               "end");
    EXPECT_TRUE(tree.isInherited);
    ASSERT_EQ(tree.children.size(), 5u);
    EXPECT_TRUE(tree.children[0].isInherited);
    EXPECT_EQ(tree.children[0].childPosition, 1);
    EXPECT_EQ(tree.children[1].childPosition, 0);
    EXPECT_FALSE(tree.children[1].isInherited);
    EXPECT_TRUE(tree.children[2].isInline);
    EXPECT_EQ(tree.children[3].className, "TEdit");
    EXPECT_EQ(tree.children[3].name, "");
    // "Object = 1" is a property, not the start of an object.
    EXPECT_EQ(tree.children[4].properties.at(0).name, "Object");
}

// --- Writing in the IDE's layout ----------------------------------------------------------------

struct LayoutCase {
    const char* what;
    FormValue value;
    std::string text; // what follows "  P = ", up to the end of the property
};

void PrintTo(const LayoutCase& c, std::ostream* os) {
    *os << c.what;
}

class IdeLayout : public ::testing::TestWithParam<LayoutCase> {};

TEST_P(IdeLayout, WritesTheValueAndReadsItBack) {
    FormObject tree;
    tree.className = "TA";
    tree.name = "A";
    tree.properties.push_back({"P", GetParam().value});
    std::string text = WriteTextForm(tree);
    EXPECT_EQ(text, std::string("object A: TA\r\n  P = ") + GetParam().text + "\r\nend\r\n");
    if (GetParam().value.Kind() == FormValueKind::Utf8String) {
        // Text has no notation for UTF-8 strings: the characters come back as a wide string.
        EXPECT_EQ(ReadText(text).properties[0].value.Kind(), FormValueKind::WideString);
    } else if (GetParam().value.Kind() == FormValueKind::WideString &&
               text.find('#') == std::string::npos) {
        // Nor for a wide string without characters above 255: it comes back as bytes.
        EXPECT_EQ(ReadText(text).properties[0].value.Kind(), FormValueKind::String);
    } else {
        EXPECT_EQ(ReadText(text), tree);
    }
}

const std::string k64(64, 'x');

std::string Repeat(std::string_view piece, size_t count) {
    std::string out;
    for (size_t i = 0; i < count; ++i)
        out += piece;
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Values, IdeLayout,
    ::testing::Values(
        LayoutCase{"int", FormValue::Integer(-129), "-129"},
        LayoutCase{"int64", FormValue::Integer(4294967296LL), "4294967296"},
        LayoutCase{"quote as #39", FormValue::String("Don't"), "'Don'#39't'"},
        LayoutCase{"controls as codes", FormValue::String("a\r\nb\t"), "'a'#13#10'b'#9"},
        LayoutCase{"bytes above 127 as they are", FormValue::String("caf\xE9\x7F"),
                   "'caf\xE9\x7F'"},
        LayoutCase{"empty string", FormValue::String(""), "''"},
        LayoutCase{"64 characters on the line", FormValue::String(k64), "'" + k64 + "'"},
        LayoutCase{"65 characters split", FormValue::String(k64 + "y"),
                   "\r\n    '" + k64 + "' +\r\n    'y'"},
        LayoutCase{"a #39 counts as one character", FormValue::String(std::string(63, 'x') + "'z"),
                   "\r\n    '" + std::string(63, 'x') + "'#39 +\r\n    'z'"},
        LayoutCase{"wide: non-ASCII as codes", FormValue::WideString(u"\u20AC 5\u00E9"),
                   "#8364' 5'#233"},
        LayoutCase{"wide without characters above 255: as bytes",
                   FormValue::WideString(u"caf\u00E9"), "'caf\xE9'"},
        LayoutCase{"UTF-8: decoded characters as codes", FormValue::Utf8String("\xE2\x82\xAC"),
                   "#8364"},
        LayoutCase{"identifier", FormValue::Ident("Form2.Table1"), "Form2.Table1"},
        LayoutCase{"booleans and nil",
                   FormValue::List({FormValue::Boolean(true), FormValue::Boolean(false),
                                    FormValue::Nil()}),
                   "(\r\n    True\r\n    False\r\n    nil)"},
        LayoutCase{"set", FormValue::Set({"akLeft", "akTop"}), "[akLeft, akTop]"},
        LayoutCase{"empty set", FormValue::Set({}), "[]"},
        LayoutCase{"list: ')' after the last value",
                   FormValue::List({FormValue::String("first"), FormValue::String("second")}),
                   "(\r\n    'first'\r\n    'second')"},
        LayoutCase{"empty list", FormValue::List({}), "()"},
        LayoutCase{"long list item", FormValue::List({FormValue::String(k64 + "y")}),
                   "(\r\n    \r\n      '" + k64 + "' +\r\n      'y')"},
        LayoutCase{"collection: end>",
                   FormValue::Collection(
                       {FormCollectionItem{std::nullopt, {{"Width", FormValue::Integer(50)}}},
                        FormCollectionItem{2, {{"Text", FormValue::String("Ready")}}}}),
                   "<\r\n    item\r\n      Width = 50\r\n    end\r\n    item [2]\r\n"
                   "      Text = 'Ready'\r\n    end>"},
        LayoutCase{"empty collection", FormValue::Collection({}), "<>"},
        LayoutCase{"short binary on the line", FormValue::Binary("\x0A\xFF"), "{0AFF}"},
        LayoutCase{"binary: 32 bytes a line, '}' after the last digit",
                   FormValue::Binary(std::string(33, '\xAB')),
                   "{\r\n    " + Repeat("AB", 32) + "\r\n    AB}"},
        LayoutCase{"empty binary", FormValue::Binary(""), "{}"},
        LayoutCase{"float: 18 decimals", FormValue::Extended(1.5L), "1.500000000000000000"},
        LayoutCase{"float: fewest exact digits", FormValue::Extended(-273.15L),
                   "-273.150000000000000000"},
        LayoutCase{"float: zero", FormValue::Extended(0.0L), "0.000000000000000000"},
        LayoutCase{"float: small", FormValue::Extended(2.5E-5L), "0.000025000000000000"},
        LayoutCase{"float: tiny in exponent form", FormValue::Extended(1E-30L), "1E-30"},
        LayoutCase{"float: huge in exponent form", FormValue::Extended(6.02214076E23L),
                   "6.02214076E+23"},
        LayoutCase{"single", FormValue::Single(1.25f), "1.250000000000000000s"},
        LayoutCase{"currency", FormValue::Currency(-125001), "-12.500100000000000000c"},
        LayoutCase{"date", FormValue::Date(36526.5), "36526.500000000000000000d"}));

TEST(FormFileText, ObjectHeaders) {
    FormObject tree = ReadText("inherited Form2: TForm2\n"
                               "  inherited Label1: TLabel [2]\n  end\n"
                               "  inline Frame1: TFrame1\n  end\n"
                               "  object TEdit [0]\n    Text = 'x'\n  end\n"
                               "end\n");
    EXPECT_EQ(WriteTextForm(tree), "inherited Form2: TForm2\r\n"
                                   "  inherited Label1: TLabel [2]\r\n  end\r\n"
                                   "  inline Frame1: TFrame1\r\n  end\r\n"
                                   "  object TEdit [0]\r\n    Text = 'x'\r\n  end\r\n"
                                   "end\r\n");
}

// The formats have no text notation for a double (code 21): it is written like an extended
// value, which holds it exactly, and reads back as one.
TEST(FormFileText, DoubleReadsBackAsTheSameNumberInExtended) {
    FormObject tree;
    tree.className = "TA";
    tree.properties.push_back({"D", FormValue::Double(0.1)});
    FormValue back = ReadText(WriteTextForm(tree)).properties.at(0).value;
    ASSERT_EQ(back.Kind(), FormValueKind::Extended);
    EXPECT_EQ(back.AsExtended().ToLongDouble(), static_cast<long double>(0.1));
}

TEST(FormFileText, FloatsThatHaveNoTextFormAreRefused) {
    FormObject tree;
    tree.className = "TA";
    tree.properties.push_back({"D", FormValue::Double(std::numeric_limits<double>::quiet_NaN())});
    EXPECT_THROW(WriteTextForm(tree), EWriteError);
}

// --- Malformed text -----------------------------------------------------------------------------

struct BadText {
    const char* what;
    std::string text;
    std::string message;
};

void PrintTo(const BadText& c, std::ostream* os) {
    *os << c.what;
}

std::vector<BadText> BadTexts() {
    std::string deep = "object A: TA\n  P = ";
    deep.append(1001, '(');
    std::string longName = "object A: TA\n  " + std::string(256, 'N') + " = 1\nend\n";
    return {
        {"not a form", "hello",
         "t.dfm:1:1: 'object', 'inherited' or 'inline' expected but "
         "'hello' found"},
        {"empty file", "",
         "t.dfm:1:1: 'object', 'inherited' or 'inline' expected but end of "
         "file found"},
        {"zero byte", std::string("object A: TA\n  X = 1\0\nend\n", 24),
         "t.dfm:2:8: zero byte in text"},
        {"missing end", "object A: TA\n  Caption = 'fine'\n  object B: TB\n  end\n",
         "t.dfm:5:1: A: 'end' expected but end of file found"},
        {"text after the form", "object A: TA\nend\nobject B: TB\nend\n",
         "t.dfm:3:1: end of file expected after the form's final 'end' but 'object' found"},
        {"missing class", "object A: \nend", "t.dfm:2:4: A: 'end' expected but end of file found"},
        {"missing '='", "object A: TA\n  Width 10\nend\n",
         "t.dfm:2:9: A.Width: '=' expected but '10' found"},
        {"missing value", "object A: TA\n  Width =\nend\n",
         "t.dfm:3:1: A.Width: value expected but 'end' found"},
        {"stray character", "object A: TA\n  % = 1\nend\n",
         "t.dfm:2:3: A: property name, object or 'end' expected but '%' found"},
        {"property after a child", "object A: TA\n  object B: TB\n  end\n  X = 1\nend\n",
         "t.dfm:4:3: A: 'object' or 'end' expected but 'X' found (properties come before child "
         "objects)"},
        {"list ends early",
         "object Form1: TForm1\n  object Stowbar1: TStowbar\n    NVCs = (\n      'Timer1'\n",
         "t.dfm:5:1: Form1.Stowbar1.NVCs: value or ')' expected but end of file found"},
        {"unterminated string", "object A: TA\n  Caption = 'no closing quote\nend\n",
         "t.dfm:2:13: A.Caption: unterminated string"},
        {"'+' without a string", "object A: TA\n  Caption = 'a' +\nend\n",
         "t.dfm:3:1: A.Caption: string expected after '+' but 'end' found"},
        {"'#' without a code", "object A: TA\n  Caption = 'a'#x\nend\n",
         "t.dfm:2:17: A.Caption: character code expected after '#'"},
        {"character code too large", "object A: TA\n  Caption = #70000\nend\n",
         "t.dfm:2:13: A.Caption: character code #70000 out of range (0 to 65535)"},
        {"integer too large", "object A: TA\n  Width = 99999999999999999999\nend\n",
         "t.dfm:2:11: A.Width: integer 99999999999999999999 out of range"},
        {"float too large", "object A: TA\n  F = 1E99999\nend\n",
         "t.dfm:2:7: A.F: float 1E99999 out of range"},
        {"set without comma", "object A: TA\n  Style = [fsBold fsItalic]\nend\n",
         "t.dfm:2:19: A.Style: ',' or ']' expected but 'fsItalic' found"},
        {"set with a number", "object A: TA\n  Style = [1]\nend\n",
         "t.dfm:2:12: A.Style: set member expected but '1' found"},
        {"odd hex digits", "object A: TA\n  Data = {\n    0A0B0}\nend\n",
         "t.dfm:3:10: A.Data: odd number of hex digits in binary data"},
        {"bad hex digit", "object A: TA\n  Data = {0G}\nend\n",
         "t.dfm:2:12: A.Data: hex digit or '}' expected but 'G' found"},
        {"binary ends early", "object A: TA\n  Data = {00",
         "t.dfm:2:13: A.Data: '}' expected but end of file found"},
        {"collection without item", "object A: TA\n  Panels = <\n    Width = 1\n  >\nend\n",
         "t.dfm:3:5: A.Panels: 'item' or '>' expected but 'Width' found"},
        {"collection item not ended",
         "object A: TA\n  Panels = <\n    item\n    end\n    item\n"
         "      Width = 1\n  >\nend\n",
         "t.dfm:7:3: A.Panels[1]: property name or 'end' expected but '>' found"},
        {"bad child position", "object A: TA\n  object B: TB [x]\n  end\nend\n",
         "t.dfm:2:17: A: child position expected but 'x' found"},
        {"name too long", longName, "t.dfm:2:3: name longer than 255 characters"},
        {"nesting too deep", deep, "t.dfm:2:1006: A.P: nesting deeper than 1000 levels"},
    };
}

class TextErrors : public ::testing::TestWithParam<BadText> {};

TEST_P(TextErrors, ReportLineColumnPathAndCause) {
    EXPECT_EQ(ErrorOf(GetParam().text), GetParam().message);
}

INSTANTIATE_TEST_SUITE_P(Malformed, TextErrors, ::testing::ValuesIn(BadTexts()),
                         [](const auto& info) {
                             std::string name;
                             for (char c : std::string(info.param.what))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

// The malformed samples of the independent converter are refused too, except the item order,
// which real files may carry and this reader accepts.
TEST(FormFileText, ReferenceConverterBadSamples) {
    for (const auto& entry : std::filesystem::directory_iterator(SamplesDir() / "bad")) {
        std::string name = entry.path().filename().string();
        std::string error = ErrorOf(ReadFileBytes(entry.path()), name);
        if (name == "item-index.dfm")
            EXPECT_EQ(error, "no error");
        else
            EXPECT_TRUE(error.starts_with(name + ":")) << name << ": " << error;
    }
}

TEST(FormFileText, ErrorCarriesItsParts) {
    try {
        ReadTextForm("object Form1: TForm1\n  object Stowbar1: TStowbar\n    NVCs = (\n"
                     "      'a' +)\n  end\nend\n",
                     "form.dfm");
        FAIL() << "no error";
    } catch (const EReadError& e) {
        auto* error = dynamic_cast<const EFormFileError*>(&e);
        ASSERT_NE(error, nullptr);
        EXPECT_TRUE(error->IsText());
        EXPECT_EQ(error->FileName(), "form.dfm");
        EXPECT_EQ(error->Line(), 4);
        EXPECT_EQ(error->Column(), 12);
        EXPECT_EQ(error->Path(), "Form1.Stowbar1.NVCs");
        EXPECT_EQ(std::string(e.what()),
                  "form.dfm:4:12: Form1.Stowbar1.NVCs: string expected after '+' but ')' found");
    }
}

// Random damage to the samples, and every cut, gives a form or an EFormFileError, nothing else.
TEST(FormFileText, DamagedTextFailsCleanly) {
    std::mt19937 random(20240229);
    for (const char* name : {"binary", "inherited", "nested", "nonvisual", "strings", "later"}) {
        std::string good = ReadFileBytes(SamplesDir() / (std::string(name) + ".dfm"));
        // Any cut before the final "end" is complete.
        size_t complete = good.find_last_not_of("\r\n ") + 1;
        for (size_t cut = 0; cut < complete; ++cut)
            EXPECT_NE(ErrorOf(good.substr(0, cut)), "no error") << name << " cut at " << cut;
        static const char kNasty[] = "'#+()<>[]{}=:.$-0123456789eE\r\n \0\x80\xFF";
        for (int round = 0; round < 3000; ++round) {
            std::string damaged = good;
            for (int k = 0; k < 3; ++k)
                damaged[random() % damaged.size()] = kNasty[random() % (sizeof kNasty - 1)];
            try {
                FormObject tree = ReadTextForm(damaged, name);
                // Whatever is accepted converts to binary and back.
                try {
                    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(tree, true), name), tree);
                } catch (const EWriteError&) {
                }
            } catch (const EFormFileError&) {
            }
        }
    }
}

} // namespace
