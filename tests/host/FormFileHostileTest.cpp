// Hostile and damaged input: the readers refuse it quickly with one readable line, and whatever
// the writers write reads back to the same value.

#include "host/classes/BinaryFormat.h"
#include "host/classes/TextFormat.h"

#include "FormFileTestSupport.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>

using namespace host;
using namespace formfile_test;

namespace {

std::string Short(std::string_view s) {
    return std::string(1, static_cast<char>(s.size())) + std::string(s);
}

// A bare binary form: root of class cls named name, with properties (name and value bytes
// already encoded) and no children.
std::string Stream(std::string_view cls, std::string_view name, std::string_view properties) {
    return "TPF0" + Short(cls) + Short(name) + std::string(properties) + std::string(2, '\0');
}

// One readable line: printable ASCII only.
void ExpectOneReadableLine(const std::string& message) {
    for (char c : message)
        EXPECT_TRUE(c >= 0x20 && c < 0x7F)
            << "byte " << int(static_cast<unsigned char>(c)) << " in: " << message;
}

// --- Names ------------------------------------------------------------------------------------

struct BadName {
    const char* place;
    std::string stream;
    const char* message;
};

TEST(FormFileHostile, BinaryNamesAreCheckedWhereTheyEnter) {
    using namespace std::string_literals;
    const BadName cases[] = {
        {"class with a blank", Stream("T Form", "F", ""),
         "t.dfm: byte 4: invalid class name 'T Form'"},
        {"class with NUL", Stream("TTi\0mer"s, "F", ""),
         "t.dfm: byte 4: invalid class name 'TTi\\x00mer'"},
        {"object with a control byte", Stream("TForm", "F\x01", ""),
         "t.dfm: byte 10: invalid object name 'F\\x01'"},
        {"object starting with a digit", Stream("TForm", "1F", ""),
         "t.dfm: byte 10: invalid object name '1F'"},
        {"dotted object", Stream("TForm", "A.B", ""), "t.dfm: byte 10: invalid object name 'A.B'"},
        {"property with a blank", Stream("TForm", "F", Short("Le ft") + "\x02\x01"),
         "t.dfm: byte 12: F: invalid property name 'Le ft'"},
        {"property end", Stream("TForm", "F", Short("End") + "\x02\x01"),
         "t.dfm: byte 12: F: invalid property name 'End'"},
        {"empty identifier", Stream("TForm", "F", Short("Align") + "\x07\x00"s),
         "t.dfm: byte 19: F.Align: empty identifier"},
        {"identifier end", Stream("TForm", "F", Short("Align") + "\x07" + Short("end")),
         "t.dfm: byte 19: F.Align: invalid identifier 'end'"},
        {"identifier with a quote", Stream("TForm", "F", Short("Align") + "\x07" + Short("a'b")),
         "t.dfm: byte 19: F.Align: invalid identifier 'a'b'"},
        {"set member with a blank",
         Stream("TForm", "F", Short("Style") + "\x0B" + Short("fs Bold") + "\x00"s),
         "t.dfm: byte 19: F.Style: invalid set member 'fs Bold'"},
        {"dotted set member",
         Stream("TForm", "F", Short("Style") + "\x0B" + Short("a.b") + "\x00"s),
         "t.dfm: byte 19: F.Style: invalid set member 'a.b'"},
    };
    for (const BadName& c : cases)
        EXPECT_EQ(ErrorOf(c.stream), c.message) << c.place;
}

TEST(FormFileHostile, TextNamesFollowTheSameRules) {
    EXPECT_EQ(ErrorOf("object A.B: TForm\nend\n"), "t.dfm:1:8: invalid object name 'A.B'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  Style = [a.b]\nend\n"),
              "t.dfm:2:12: A.Style: invalid set member 'a.b'");
    EXPECT_EQ(ErrorOf("object A: TForm\n  .Left = 1\nend\n"),
              "t.dfm:2:3: A: invalid property name '.Left'");
}

TEST(FormFileHostile, ValidNamesOfEveryKindAreRead) {
    // UTF-8 names (later IDEs), dotted properties and references, a reference to the owner,
    // an unnamed object.
    std::string text = "object \xD0\xA4\xD0\xBE\xD1\x80\xD0\xBC\xD0\xB0: TForm\n"
                       "  Font.Style = [fsBold, _x1]\n"
                       "  DataSet = Form2.Table1\n"
                       "  Owner = .Owner\n"
                       "  object TEdit\n"
                       "  end\n"
                       "end\n";
    FormObject root = ReadText(text);
    EXPECT_EQ(root.name, "\xD0\xA4\xD0\xBE\xD1\x80\xD0\xBC\xD0\xB0");
    std::string binary = WriteBinaryForm(root, false);
    EXPECT_EQ(ReadBinaryForm(binary, "b"), root);
    EXPECT_EQ(WriteTextForm(ReadBinaryForm(binary, "b")), WriteTextForm(root));
}

TEST(FormFileHostile, WritersRefuseNamesTheReadersWouldRefuse) {
    FormObject root;
    root.className = "TForm";
    root.name = "F";
    root.properties.push_back({"Align", FormValue::Ident("al Top")});
    EXPECT_THROW(WriteTextForm(root), EWriteError);
    EXPECT_THROW(WriteBinaryForm(root), EWriteError);
    root.properties.clear();
    root.name = std::string("a\0b", 3);
    try {
        WriteTextForm(root);
        FAIL() << "no error";
    } catch (const EWriteError& e) {
        EXPECT_STREQ(e.what(), "cannot write the invalid object name 'a\\x00b'");
    }
}

// --- What the writer writes, the reader reads --------------------------------------------------

TEST(FormFileHostile, ExtremeValuesSurviveTextAndBinary) {
    long double subnormal = std::numeric_limits<long double>::denorm_min();
    const FormValue values[] = {
        FormValue::Extended(subnormal),
        FormValue::Extended(-std::numeric_limits<long double>::denorm_min() * 12345),
        FormValue::Extended(std::numeric_limits<long double>::min()),
        FormValue::Extended(std::numeric_limits<long double>::max()),
        FormValue::Single(std::numeric_limits<float>::denorm_min()),
        FormValue::Date(std::numeric_limits<double>::denorm_min()),
        FormValue::Currency(std::numeric_limits<int64_t>::min()),
        FormValue::Currency(std::numeric_limits<int64_t>::max()),
        FormValue::Integer(std::numeric_limits<int64_t>::max()),
        FormValue::Integer(std::numeric_limits<int64_t>::min()),
        FormValue::Integer(int64_t(1) << 40),
    };
    for (const FormValue& value : values) {
        FormObject root;
        root.className = "TForm";
        root.properties.push_back({"Value", value});
        std::string text = WriteTextForm(root);
        SCOPED_TRACE(text);
        FormObject back;
        ASSERT_NO_THROW(back = ReadText(text));
        EXPECT_EQ(back, root);
        // text -> binary -> text gives the first text again.
        EXPECT_EQ(WriteTextForm(ReadBinaryForm(WriteBinaryForm(back), "b")), text);
    }
}

TEST(FormFileHostile, SixtyFourBitIntegersAreNeverCut) {
    std::string text = "object F: TForm\r\n  Left = 9223372036854775807\r\n"
                       "  Top = -9223372036854775808\r\nend\r\n";
    std::string binary = WriteBinaryForm(ReadText(text));
    EXPECT_EQ(WriteTextForm(ReadBinaryForm(binary, "b")), text);
}

// --- Messages -----------------------------------------------------------------------------------

TEST(FormFileHostile, MessagesAreOneReadableLineWithTheFileNamedOnce) {
    using namespace std::string_literals;
    std::string damaged = Stream("T" + std::string(200, '\x01'), "F", "");
    std::string message = ErrorOf(damaged, "damaged.dfm");
    ExpectOneReadableLine(message);
    EXPECT_LT(message.size(), 250u) << message;
    EXPECT_NE(message.find("T\\x01\\x01"), std::string::npos) << message;
    EXPECT_NE(message.find("..."), std::string::npos);
    EXPECT_EQ(message.find("damaged.dfm"), message.rfind("damaged.dfm"));

    // A raw byte in a text token, and a file name with a line break.
    message = ErrorOf("object F: TForm\n  \xC3\xA9\nend\n", "a\nb.dfm");
    ExpectOneReadableLine(message);
    EXPECT_EQ(message, "a\\x0Ab.dfm:3:1: F.\\xC3\\xA9: '=' expected but 'end' found");
}

TEST(FormFileHostile, PrintableEscapesAndCuts) {
    EXPECT_EQ(Printable("abc"), "abc");
    EXPECT_EQ(Printable(std::string("a\0\x7F\xFF", 4)), "a\\x00\\x7F\\xFF");
    EXPECT_EQ(Printable("abcdef", 3), "abc...");
    EXPECT_EQ(Printable("tab\there"), "tab\\x09here");
}

// --- Hostile sizes fail fast
// ----------------------------------------------------------------------

TEST(FormFileHostile, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    std::string objects;
    for (int i = 0; i < 100000; ++i)
        objects += "object A: T\n";
    EXPECT_EQ(
        ErrorOf(objects), "t.dfm:1001:1: " + [] {
            std::string path = "A";
            for (int i = 1; i < 1000; ++i)
                path += ".A";
            return Printable(path, 200);
        }() + ": nesting deeper than 1000 levels");

    std::string lists = "object A: T\n  L = " + std::string(100000, '(');
    EXPECT_NE(ErrorOf(lists).find("nesting deeper than 1000 levels"), std::string::npos);

    std::string binary = "TPF0";
    for (int i = 0; i < 100000; ++i)
        binary += Short("T") + Short("") + std::string(1, '\0');
    EXPECT_NE(ErrorOf(binary).find("nesting deeper than 1000 levels"), std::string::npos);

    std::string binaryLists =
        "TPF0" + Short("T") + Short("A") + Short("L") + std::string(100000, '\x01');
    EXPECT_NE(ErrorOf(binaryLists).find("nesting deeper than 1000 levels"), std::string::npos);
}

// A value nested `levels` deep in the root's property V: lists, each third level a collection.
FormObject Nested(int levels) {
    FormValue value = FormValue::Integer(1);
    for (int i = 1; i < levels; ++i) {
        if (i % 3 == 0 && i + 1 < levels) {
            FormCollectionItem item;
            item.properties.push_back({"V", std::move(value)});
            value = FormValue::Collection({std::move(item)});
            ++i; // an item is a level of its own
        } else {
            value = FormValue::List({std::move(value)});
        }
    }
    FormObject root;
    root.className = "TForm";
    root.properties.push_back({"V", std::move(value)});
    return root;
}

TEST(FormFileHostile, WritersStopWhereReadersStop) {
    // The root is a level, its value the next: 999 levels of value are the most.
    FormObject deepest = Nested(999);
    std::string text = WriteTextForm(deepest);
    EXPECT_EQ(ReadText(text), deepest);
    EXPECT_EQ(ReadBinaryForm(WriteBinaryForm(deepest), "b"), deepest);
    FormObject deeper = Nested(1000);
    EXPECT_THROW(WriteTextForm(deeper), EWriteError);
    EXPECT_THROW(WriteBinaryForm(deeper), EWriteError);
}

TEST(FormFileHostile, HugeLengthFieldsAndCountsAreRefused) {
    using namespace std::string_literals;
    // A long string claiming 2 GB.
    EXPECT_EQ(ErrorOf(Stream("TForm", "F",
                             Short("S") + "\x0C\x00\x00\x00\x80"
                                          "abc"s)),
              "t.dfm: byte 15: F.S: truncated: long string of 2147483648 bytes but only 5 remain");
    // A wide string claiming 4 G units.
    EXPECT_NE(ErrorOf(Stream("TForm", "F", Short("S") + "\x12\xFF\xFF\xFF\xFF")).find("truncated"),
              std::string::npos);
    // A million values in one list, in both formats.
    std::string list = Short("L") + "\x01" + std::string(1000000, '\x0D') + "\x00"s;
    EXPECT_EQ(ErrorOf(Stream("TForm", "F", list)),
              "t.dfm: byte 250015: F.L: more than 250000 values in one list");
    std::string text = "object F: TForm\n  L = (";
    for (int i = 0; i < 1000000; ++i)
        text += "0 ";
    text += ")\nend\n";
    EXPECT_EQ(ErrorOf(text), "t.dfm:2:500008: F.L: more than 250000 values in one list");
}

TEST(FormFileHostile, OverflowingNumbersAndNamesAreRefused) {
    struct Case {
        const char* value;
        const char* message;
    } cases[] = {
        {"99999999999999999999", "integer 99999999999999999999 out of range"},
        {"9223372036854775808", "integer 9223372036854775808 out of range"},
        {"-9223372036854775809", "integer -9223372036854775809 out of range"},
        {"$10000000000000000", "integer $10000000000000000 out of range"},
        {"1E5000", "float 1E5000 out of range"},
        {"1E-5000", "float 1E-5000 out of range"},
        {"922337203685477.5808c", "currency 922337203685477.5808 out of range"},
        {"-922337203685477.5809c", "currency -922337203685477.5809 out of range"},
        {"1E300s", "float 1E300 out of range"},
    };
    for (const Case& c : cases) {
        std::string message = ErrorOf("object F: TForm\n  V = " + std::string(c.value) + "\nend\n");
        EXPECT_EQ(message, "t.dfm:2:7: F.V: " + std::string(c.message)) << c.value;
    }
    std::string longName(300, 'a');
    EXPECT_EQ(ErrorOf("object F: TForm\n  V = [" + longName + "]\nend\n"),
              "t.dfm:2:8: F.V: name longer than 255 characters");
    EXPECT_EQ(ErrorOf("object F: TForm\n  V = " + longName + "\nend\n"),
              "t.dfm:2:7: F.V: name longer than 255 characters");
}

} // namespace
