// The binary form codec: byte layout against the independent converter's output, the resource
// header, the integer and string encodings, and malformed input.

#include "FormFileTestSupport.h"

#include "host/classes/BinaryFormat.h"
#include "host/classes/TextFormat.h"

#include <cstdlib>
#include <random>

using namespace host;
using namespace formfile_test;

namespace {

std::string B(std::initializer_list<int> bytes) {
    std::string out;
    for (int b : bytes)
        out += static_cast<char>(b);
    return out;
}

// A short string: length byte and text.
std::string S(std::string_view text) {
    return static_cast<char>(text.size()) + std::string(text);
}

// "TPF0", class TForm1, name Form1: 17 bytes; properties follow.
const std::string kHead = "TPF0" + S("TForm1") + S("Form1");

std::string Hex(std::string_view bytes) {
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
        out += ' ';
    }
    return out;
}

// --- Against the committed output of the independent converter ---------------------------------

// Samples on which the original platform and the independent converter agree: our text -> binary
// must give the very bytes of its t2b. later.dfm is left out here: it holds #233 (a byte for the
// original platform, a wide string for the converter) and the s/c/d float suffixes (codes 15, 16,
// 17 for the later IDEs we follow, always code 5 for the converter); see LaterSampleDiffers below.
class SampleBytes : public ::testing::TestWithParam<const char*> {};

TEST_P(SampleBytes, TextToBinaryMatchesReferenceConverter) {
    std::string name = GetParam();
    FormObject tree = ReadText(ReadFileBytes(SamplesDir() / (name + ".dfm")));
    std::string expected = ReadFileBytes(SamplesDir() / "expected" / (name + ".bin"));
    std::string actual = WriteBinaryForm(tree, false);
    EXPECT_EQ(Hex(actual), Hex(expected));
}

TEST_P(SampleBytes, ReferenceBinaryReadsBackToTheSameTree) {
    std::string name = GetParam();
    FormObject fromText = ReadText(ReadFileBytes(SamplesDir() / (name + ".dfm")));
    FormObject fromBinary =
        ReadBinaryForm(ReadFileBytes(SamplesDir() / "expected" / (name + ".bin")), name);
    EXPECT_EQ(fromBinary, fromText);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleBytes,
                         ::testing::Values("binary", "inherited", "nested", "nonvisual",
                                           "strings"));

TEST(FormFileBinary, LaterSampleDiffersOnlyWhereThePlatformsDiffer) {
    FormObject ours = ReadText(ReadFileBytes(SamplesDir() / "later.dfm"));
    FormObject fpc = ReadBinaryForm(ReadFileBytes(SamplesDir() / "expected/later.bin"), "later");
    ASSERT_EQ(ours.properties.size(), fpc.properties.size());
    for (size_t i = 0; i < ours.properties.size(); ++i) {
        const FormProperty& a = ours.properties[i];
        const FormProperty& b = fpc.properties[i];
        ASSERT_EQ(a.name, b.name);
        if (a.name == "Accented") {
            // 'caf'#233: one byte E9 in a code-6 string here, a wide string there.
            EXPECT_EQ(a.value, FormValue::String("caf\xE9"));
            EXPECT_EQ(b.value, FormValue::WideString(u"caf\u00E9"));
        } else if (a.name == "Sized") {
            EXPECT_EQ(a.value, FormValue::Single(1.25f));
            EXPECT_EQ(b.value, FormValue::Extended(1.25L));
        } else if (a.name == "Money") {
            EXPECT_EQ(a.value, FormValue::Currency(125000));
            EXPECT_EQ(b.value, FormValue::Extended(12.5L));
        } else if (a.name == "When") {
            EXPECT_EQ(a.value, FormValue::Date(36526.5));
            EXPECT_EQ(b.value, FormValue::Extended(36526.5L));
        } else {
            EXPECT_EQ(a.value, b.value) << a.name;
        }
    }
}

// --- The resource header ------------------------------------------------------------------------

// The small form of the format notes, whose bare stream is 120 bytes.
const char* kSmallForm = "object Form1: TForm1\r\n"
                         "  Caption = 'Demo'\r\n"
                         "  object Bar1: TStowbar\r\n"
                         "    NVCs = (\r\n"
                         "      'Timer1'\r\n"
                         "      'Tick'\r\n"
                         "      'TTimer')\r\n"
                         "  end\r\n"
                         "  object Timer1: TTimer\r\n"
                         "    Interval = 500\r\n"
                         "    Left = 8\r\n"
                         "    Top = 300\r\n"
                         "  end\r\n"
                         "end\r\n";

TEST(FormFileBinary, ResourceHeaderLayout) {
    FormObject tree = ReadText(kSmallForm);
    std::string bare = WriteBinaryForm(tree, false);
    std::string file = WriteBinaryForm(tree, true);
    ASSERT_EQ(bare.size(), 120u);
    EXPECT_EQ(Hex(file.substr(0, 16)), "FF 0A 00 54 46 4F 52 4D 31 00 30 10 78 00 00 00 ");
    EXPECT_EQ(file.substr(16), bare);
    // The header is the default, as the IDE saved binary form files.
    EXPECT_EQ(WriteBinary(tree), file);

    bool hadHeader = false;
    EXPECT_EQ(ReadBinaryForm(file, "f", &hadHeader), tree);
    EXPECT_TRUE(hadHeader);
    EXPECT_EQ(ReadBinaryForm(bare, "f", &hadHeader), tree);
    EXPECT_FALSE(hadHeader);
    FormFile read = ReadFormFile(file, "f");
    EXPECT_EQ(read.format, FormFileFormat::Binary);
    EXPECT_TRUE(read.resourceHeader);
}

// With Free Pascal at hand, the header must also equal what the independent converter's t2r
// writes, for every sample.
TEST(FormFileBinary, ResourceHeaderMatchesReferenceConverter) {
    if (std::system("command -v fpc >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "fpc not installed";
    std::string dir = ::testing::TempDir() + "formfile-dfmconv";
    std::string build =
        (SharedDir() / "tools/dfmconv/build.sh").string() + " " + dir + " >/dev/null 2>&1";
    ASSERT_EQ(std::system(build.c_str()), 0);
    for (const char* name : {"binary", "inherited", "nested", "nonvisual", "strings"}) {
        std::string in = (SamplesDir() / (std::string(name) + ".dfm")).string();
        std::string out = dir + "/" + name + ".res";
        ASSERT_EQ(std::system((dir + "/dfmconv t2r " + in + " " + out).c_str()), 0);
        EXPECT_EQ(WriteBinaryForm(ReadText(ReadFileBytes(in)), true), ReadFileBytes(out)) << name;
    }
}

// --- Encodings ----------------------------------------------------------------------------------

struct IntegerCase {
    int64_t value;
    std::vector<int> bytes; // value type and payload
};

class IntegerEncoding : public ::testing::TestWithParam<IntegerCase> {};

TEST_P(IntegerEncoding, SmallestCodeAndBackAgain) {
    FormObject tree;
    tree.className = "TA";
    tree.properties.push_back({"N", FormValue::Integer(GetParam().value)});
    std::string expected = "TPF0" + S("TA") + S("") + S("N");
    for (int b : GetParam().bytes)
        expected += static_cast<char>(b);
    expected += B({0, 0});
    std::string written = WriteBinaryForm(tree, false);
    EXPECT_EQ(Hex(written), Hex(expected));
    EXPECT_EQ(ReadBinaryForm(written, "f"), tree);
}

INSTANTIATE_TEST_SUITE_P(
    Boundaries, IntegerEncoding,
    ::testing::Values(IntegerCase{127, {2, 0x7F}}, IntegerCase{-128, {2, 0x80}},
                      IntegerCase{128, {3, 0x80, 0}}, IntegerCase{-129, {3, 0x7F, 0xFF}},
                      IntegerCase{32767, {3, 0xFF, 0x7F}}, IntegerCase{32768, {4, 0, 0x80, 0, 0}},
                      IntegerCase{40000, {4, 0x40, 0x9C, 0, 0}},
                      IntegerCase{-2147483648LL, {4, 0, 0, 0, 0x80}},
                      IntegerCase{2147483648LL, {19, 0, 0, 0, 0x80, 0, 0, 0, 0}},
                      IntegerCase{-2147483649LL,
                                  {19, 0xFF, 0xFF, 0xFF, 0x7F, 0xFF, 0xFF, 0xFF, 0xFF}}));

TEST(FormFileBinary, StringsUpTo255BytesAreShortLongerOnesLong) {
    FormObject tree;
    tree.className = "TA";
    tree.properties.push_back({"A", FormValue::String(std::string(255, 'x'))});
    tree.properties.push_back({"B", FormValue::String(std::string(256, 'y'))});
    std::string written = WriteBinaryForm(tree, false);
    std::string expected = "TPF0" + S("TA") + S("") + S("A") + B({6, 255}) + std::string(255, 'x') +
                           S("B") + B({12, 0, 1, 0, 0}) + std::string(256, 'y') + B({0, 0});
    EXPECT_EQ(written, expected);
}

TEST(FormFileBinary, EveryValueKindSurvivesWriteAndRead) {
    FormObject tree;
    tree.className = "TKinds";
    tree.name = "Kinds";
    FormItemList items(2);
    items[0].order = 3;
    items[0].properties.push_back({"Width", FormValue::Integer(50)});
    auto& p = tree.properties;
    p.push_back({"List", FormValue::List({FormValue::String("a"), FormValue::List({})})});
    p.push_back({"Int64", FormValue::Integer(-9223372036854775807LL - 1)});
    p.push_back({"Ext", FormValue::Extended(-273.15L)});
    p.push_back({"Wide", FormValue::WideString(u"\u20AC\xD83D\xDE00")});
    p.push_back({"Utf8", FormValue::Utf8String("caf\xC3\xA9")});
    p.push_back({"Ident", FormValue::Ident("Form2.Table1")});
    p.push_back({"F", FormValue::Boolean(false)});
    p.push_back({"T", FormValue::Boolean(true)});
    p.push_back({"Nil", FormValue::Nil()});
    p.push_back({"Bin", FormValue::Binary(std::string("\0\1\xFF", 3))});
    p.push_back({"Set", FormValue::Set({"a", "b"})});
    p.push_back({"EmptySet", FormValue::Set({})});
    p.push_back({"Items", FormValue::Collection(items)});
    p.push_back({"Single", FormValue::Single(1.25f)});
    p.push_back({"Money", FormValue::Currency(-125000)});
    p.push_back({"When", FormValue::Date(36526.5)});
    p.push_back({"Dbl", FormValue::Double(0.1)});
    FormObject child;
    child.className = "TButton";
    child.name = "Ok";
    child.isInherited = true;
    child.childPosition = 300;
    tree.children.push_back(child);
    child.isInherited = false;
    child.isInline = true;
    child.childPosition.reset();
    tree.children.push_back(child);

    std::string written = WriteBinaryForm(tree, true);
    EXPECT_EQ(ReadBinaryForm(written, "f"), tree);
    // The child position is a typed integer after the prefix F3.
    EXPECT_NE(written.find(B({0xF3, 3, 0x2C, 1}) + S("TButton")), std::string::npos);
    EXPECT_NE(written.find(B({0xF4}) + S("TButton")), std::string::npos);
}

TEST(FormFileBinary, ReaderAcceptsWhatOtherWritersProduce) {
    // A small integer in a 32-bit code, a short string in a long-string code, a collection item
    // with an order, a child position as a 16-bit integer.
    std::string data = kHead + S("N") + B({4, 5, 0, 0, 0}) + S("L") + B({12, 2, 0, 0, 0}) + "ab" +
                       S("C") + B({14, 3, 7, 0, 1, 0, 0}) + B({0}) + B({0xF2, 3, 1, 0}) + S("TB") +
                       S("B") + B({0, 0, 0});
    FormObject tree = ReadBinaryForm(data, "f");
    EXPECT_EQ(tree.properties[0].value, FormValue::Integer(5));
    EXPECT_EQ(tree.properties[1].value, FormValue::String("ab"));
    ASSERT_EQ(tree.properties[2].value.AsCollection().size(), 1u);
    EXPECT_EQ(tree.properties[2].value.AsCollection()[0].order, 7);
    EXPECT_EQ(tree.children.at(0).childPosition, 1);
}

// --- Malformed input ----------------------------------------------------------------------------

struct BadBinary {
    const char* what;
    std::string bytes;
    std::string message;
};

std::vector<BadBinary> BadBinaries() {
    std::string nested = kHead + S("L");
    nested.append(1100, '\x01');
    std::string stream = WriteBinaryForm(ReadText("object A: TA end"), false);
    auto withHeader = [&](uint32_t size) {
        std::string h = B({0xFF, 10, 0}) + "TA" + B({0, 0x30, 0x10});
        h.append(reinterpret_cast<const char*>(&size), 4);
        return h + stream;
    };
    uint32_t realSize = static_cast<uint32_t>(stream.size());
    return {
        {"wrong signature", "TPF1" + S("TA"), "t.dfm: byte 0: signature TPF0 expected"},
        {"signature only", "TPF0",
         "t.dfm: byte 4: truncated: object needs 1 byte but only 0 remain"},
        {"empty class name", "TPF0" + B({0, 0}), "t.dfm: byte 4: empty class name"},
        {"unknown filer flags", "TPF0" + B({0xF8}) + S("TA"),
         "t.dfm: byte 4: unknown filer flags 8"},
        {"child position not an integer", "TPF0" + B({0xF2, 6, 1}) + "x",
         "t.dfm: byte 5: child position: integer expected but value type 6 found"},
        {"unknown value type", kHead + S("Interval") + B({42}),
         "t.dfm: byte 26: Form1.Interval: unknown value type 42"},
        {"value type 22 (not of this platform)", kHead + S("Q") + B({22}),
         "t.dfm: byte 19: Form1.Q: unknown value type 22"},
        {"end marker as a value", kHead + S("Left") + B({0}),
         "t.dfm: byte 22: Form1.Left: value expected but end marker 0 found"},
        {"string past the end", kHead + S("Caption") + B({6, 10}) + "abc",
         "t.dfm: byte 26: Form1.Caption: truncated: string of 10 bytes but only 3 remain"},
        {"long string length past the end", kHead + S("Text") + B({12, 0xFF, 0xFF, 0xFF, 0x7F}),
         "t.dfm: byte 23: Form1.Text: truncated: long string of 2147483647 bytes but only 0 "
         "remain"},
        {"wide string count past the end", kHead + S("Text") + B({18, 0, 0, 0, 0x80}),
         "t.dfm: byte 23: Form1.Text: truncated: wide string of 4294967296 bytes but only 0 "
         "remain"},
        {"binary length cut", kHead + S("Data") + B({10, 5, 0}),
         "t.dfm: byte 23: Form1.Data: truncated: binary data needs 4 bytes but only 2 remain"},
        {"extended cut", kHead + S("Factor") + B({5, 0, 0}),
         "t.dfm: byte 25: Form1.Factor: truncated: extended float needs 10 bytes but only 2 "
         "remain"},
        {"list ends early", kHead + S("NVCs") + B({1, 6, 1}) + "a",
         "t.dfm: byte 26: Form1.NVCs: truncated: list value or end of list needs 1 byte but only "
         "0 remain"},
        {"set ends early", kHead + S("Style") + B({11}) + S("fsBold"),
         "t.dfm: byte 31: Form1.Style: truncated: set member or end of set needs 1 byte but only "
         "0 remain"},
        {"collection ends early", kHead + S("Panels") + B({14, 1}) + S("Width") + B({2, 10}),
         "t.dfm: byte 34: Form1.Panels[0]: truncated: property name or end of properties needs 1 "
         "byte but only 0 remain"},
        {"collection item without list marker", kHead + S("Panels") + B({14, 7}),
         "t.dfm: byte 25: Form1.Panels[0]: collection item must start with list marker 1, found "
         "7"},
        {"children end missing", kHead + B({0}),
         "t.dfm: byte 18: Form1: truncated: object or end of children needs 1 byte but only 0 "
         "remain"},
        {"trailing bytes", kHead + B({0, 0}) + "xy",
         "t.dfm: byte 19: 2 bytes after the end of the form"},
        {"nesting too deep", nested, "t.dfm: byte 1018: Form1.L: nesting deeper than 1000 levels"},
        {"resource size too large", withHeader(realSize + 1),
         "t.dfm: byte 8: resource header: size " + std::to_string(realSize + 1) + " but " +
             std::to_string(realSize) + " bytes follow"},
        {"resource size too small", withHeader(realSize - 1),
         "t.dfm: byte 8: resource header: size " + std::to_string(realSize - 1) + " but " +
             std::to_string(realSize) + " bytes follow"},
        {"resource name unterminated", B({0xFF, 10, 0}) + "TFORM1",
         "t.dfm: byte 3: truncated: resource name has no terminating zero byte"},
        {"resource flags", B({0xFF, 10, 0}) + "TA" + B({0, 0x20, 0x10, 0, 0, 0, 0}),
         "t.dfm: byte 6: resource header: flags 30 10 expected"},
    };
}

void PrintTo(const BadBinary& bad, std::ostream* os) {
    *os << bad.what;
}

class BinaryErrors : public ::testing::TestWithParam<BadBinary> {};

TEST_P(BinaryErrors, ReportPlacePathAndCause) {
    try {
        ReadBinaryForm(GetParam().bytes, "t.dfm");
        ADD_FAILURE() << "no error";
    } catch (const EFormFileError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(Malformed, BinaryErrors, ::testing::ValuesIn(BadBinaries()),
                         [](const auto& info) {
                             std::string name;
                             for (char c : std::string(info.param.what))
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             return name;
                         });

TEST(FormFileBinary, ErrorCarriesItsParts) {
    try {
        ReadBinaryForm(kHead + S("Interval") + B({42}), "form.dfm");
        FAIL() << "no error";
    } catch (const EReadError& e) {
        auto* error = dynamic_cast<const EFormFileError*>(&e);
        ASSERT_NE(error, nullptr);
        EXPECT_FALSE(error->IsText());
        EXPECT_EQ(error->FileName(), "form.dfm");
        EXPECT_EQ(error->Offset(), 26u);
        EXPECT_EQ(error->Path(), "Form1.Interval");
        EXPECT_EQ(error->Detail(), "unknown value type 42");
    }
}

// Every proper prefix of a valid stream is refused as truncated or incomplete, never read as a
// form; changing any byte gives a form or an EFormFileError, never anything else, and whatever
// is accepted writes and reads back to the same tree.
TEST(FormFileBinary, DamagedStreamsFailCleanly) {
    for (const char* name : {"binary", "inherited", "nested", "nonvisual", "strings", "later"}) {
        std::string good = ReadFileBytes(SamplesDir() / "expected" / (std::string(name) + ".bin"));
        std::string wrapped = WriteBinaryForm(ReadBinaryForm(good, name), true);
        for (const std::string& data : {good, wrapped}) {
            for (size_t cut = 0; cut < data.size(); ++cut)
                EXPECT_NE(ErrorOf(data.substr(0, cut)), "no error") << name << " cut at " << cut;
            std::string damaged = data;
            for (size_t i = 0; i < data.size(); ++i) {
                for (int value : {0, 1, 0x0E, 0x7F, 0xF3, 0xFF, data[i] ^ 0x55}) {
                    damaged[i] = static_cast<char>(value);
                    try {
                        FormObject tree = ReadBinaryForm(damaged, name);
                        EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(tree, false), name), tree);
                    } catch (const EFormFileError&) {
                    }
                }
                damaged[i] = data[i];
            }
        }
    }
}

TEST(FormFileBinary, WriterRefusesWhatTheFormatCannotHold) {
    FormObject tree;
    EXPECT_THROW(WriteBinaryForm(tree, false), EWriteError); // no class name
    tree.className = std::string(240, 'T');
    EXPECT_THROW(WriteBinaryForm(tree, false), EWriteError); // collides with the flags prefix
    tree.className = "TA";
    tree.properties.push_back({std::string(256, 'P'), FormValue::Integer(1)});
    EXPECT_THROW(WriteBinaryForm(tree, false), EWriteError);
}

} // namespace
