// Round trips between the text and the binary form on the converter's samples and on the corpus
// of real form files: text -> binary -> text is stable, binary -> text -> binary gives the same
// bytes except where the text form has no notation for a value's binary code.

#include "FormFileTestSupport.h"

#include "host/classes/BinaryFormat.h"
#include "host/classes/TextFormat.h"

#include <algorithm>
#include <map>

using namespace host;
using namespace formfile_test;

namespace {

// What a value becomes after a trip through text, for the value codes the text form cannot name:
// a wide string without a character above 255 and a UTF-8 string read back as bytes (or as a wide
// string when a character is above 255), a double as an extended, a True/False/nil identifier as
// the boolean or nil, and an object both inline and inherited as inline only.
// Independent of the codec: UTF-8 to UTF-16 for well-formed input; other bytes one unit each.
std::u16string DecodeUtf8(const std::string& bytes) {
    std::u16string units;
    for (size_t i = 0; i < bytes.size();) {
        unsigned char c = bytes[i];
        int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
        uint32_t code = extra ? c & (0x3F >> extra) : c;
        if (i + extra >= bytes.size() + (extra ? 0 : 1))
            extra = 0, code = c;
        for (int k = 1; k <= extra; ++k)
            code = (code << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        if (code >= 0x10000) {
            units.push_back(static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10)));
            units.push_back(static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF)));
        } else {
            units.push_back(static_cast<char16_t>(code));
        }
        i += extra + 1;
    }
    return units;
}

FormValue AfterText(const FormValue& value);

void AfterText(std::vector<FormProperty>& properties) {
    for (FormProperty& property : properties)
        property.value = AfterText(property.value);
}

FormValue Narrow(const std::u16string& units) {
    if (std::any_of(units.begin(), units.end(), [](char16_t u) { return u > 255; }))
        return FormValue::WideString(units);
    std::string bytes;
    for (char16_t u : units)
        bytes += static_cast<char>(u);
    return FormValue::String(bytes);
}

FormValue AfterText(const FormValue& value) {
    switch (value.Kind()) {
    case FormValueKind::WideString:
        return Narrow(value.AsWide());
    case FormValueKind::Utf8String: {
        return Narrow(DecodeUtf8(value.AsBytes()));
    }
    case FormValueKind::Double:
        return FormValue::Extended(static_cast<long double>(value.AsDouble()));
    case FormValueKind::Ident: {
        const std::string& name = value.AsBytes();
        if (SameText(name, "True") || SameText(name, "False"))
            return FormValue::Boolean(SameText(name, "True"));
        if (SameText(name, "nil"))
            return FormValue::Nil();
        return value;
    }
    case FormValueKind::List: {
        FormValueList list;
        for (const FormValue& item : value.AsList())
            list.push_back(AfterText(item));
        return FormValue::List(std::move(list));
    }
    case FormValueKind::Collection: {
        FormItemList items = value.AsCollection();
        for (FormCollectionItem& item : items)
            AfterText(item.properties);
        return FormValue::Collection(std::move(items));
    }
    default:
        return value;
    }
}

FormObject AfterText(FormObject object) {
    if (object.isInline)
        object.isInherited = false;
    AfterText(object.properties);
    for (FormObject& child : object.children)
        child = AfterText(std::move(child));
    return object;
}

std::vector<std::string> FilesIn(const std::filesystem::path& dir,
                                 std::initializer_list<const char*> extensions) {
    std::vector<std::string> names;
    if (!std::filesystem::is_directory(dir))
        return names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        for (const char* extension : extensions)
            if (entry.path().extension() == extension)
                names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info) {
    std::string name;
    for (char c : info.param)
        name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
    return name;
}

// The checks for one file, whichever its format.
void CheckRoundTrips(const std::string& bytes, const std::string& name, bool expectLossless) {
    FormFile file = ReadFormFile(bytes, name);
    const FormObject& tree = file.root;

    // Text -> binary -> text: the text we write is stable.
    std::string text = WriteTextForm(tree);
    FormObject fromText = ReadTextForm(text, name + " (text)");
    std::string binary = WriteBinaryForm(fromText, true);
    FormObject fromBinary = ReadBinaryForm(binary, name + " (binary)");
    EXPECT_EQ(fromBinary, fromText);
    EXPECT_EQ(WriteTextForm(fromBinary), text);

    if (file.format == FormFileFormat::Text) {
        // A tree read from text has nothing the text form cannot hold.
        EXPECT_EQ(fromText, tree);
        return;
    }
    // Binary -> text -> binary.
    FormObject expected = AfterText(tree);
    EXPECT_EQ(fromText, expected);
    EXPECT_EQ(expected == tree, expectLossless)
        << (expectLossless ? "lost a value code through text" : "expected a change of code");
    if (expectLossless) {
        EXPECT_TRUE(WriteBinaryForm(fromText, file.resourceHeader) == bytes)
            << "binary -> text -> binary changed the bytes";
    }
}

// --- The converter's samples, and its own outputs
// --------------------------------------------------

class SampleRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(SampleRoundTrip, TextAndBinary) {
    std::string name = GetParam();
    CheckRoundTrips(ReadFileBytes(SamplesDir() / name), name, true);
}

INSTANTIATE_TEST_SUITE_P(Samples, SampleRoundTrip,
                         ::testing::ValuesIn(FilesIn(SamplesDir(), {".dfm"})), TestName);

class ReferenceOutputRoundTrip : public ::testing::TestWithParam<std::string> {};

// Free Pascal's own text and binary outputs read and round-trip as well. Its binary of later.dfm
// holds a wide string without characters above 255 (from #233), which text turns into bytes.
TEST_P(ReferenceOutputRoundTrip, TextAndBinary) {
    std::string name = GetParam();
    CheckRoundTrips(ReadFileBytes(SamplesDir() / "expected" / name), name, name != "later.bin");
}

INSTANTIATE_TEST_SUITE_P(Samples, ReferenceOutputRoundTrip,
                         ::testing::ValuesIn(FilesIn(SamplesDir() / "expected", {".bin", ".txt"})),
                         TestName);

// --- The corpus of real form files ------------------------------------------------------------

// Binary files whose trip through text changes a value's code, and why.
const std::map<std::string, const char*> kChangedThroughText = {
    {"013-project-jedi-jvcl-JvChartDemoFm.dfm",
     "a UTF-8 string (code 20) holding only characters below 256 comes back as bytes (code 6)"},
    {"047-pyscripter-python4delphi-Unit1.dfm",
     "wide strings (code 18) holding only ASCII come back as bytes (code 6)"},
};

class CorpusRoundTrip : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusRoundTrip, TextAndBinary) {
    std::string name = GetParam();
    std::string bytes = ReadFileBytes(CorpusDir() / name);
    try {
        CheckRoundTrips(bytes, name, !kChangedThroughText.contains(name));
    } catch (const EFormFileError& e) {
        FAIL() << e.what();
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusRoundTrip,
                         ::testing::ValuesIn(FilesIn(CorpusDir(), {".dfm", ".lfm"})), TestName);

TEST(FormFileCorpus, IsPresentAndHoldsBothFormats) {
    std::vector<std::string> files = FilesIn(CorpusDir(), {".dfm", ".lfm"});
    if (files.empty())
        GTEST_SKIP() << "no corpus at " << CorpusDir();
    int binary = 0;
    for (const std::string& name : files)
        binary +=
            ReadFormFile(ReadFileBytes(CorpusDir() / name), name).format == FormFileFormat::Binary;
    EXPECT_EQ(files.size(), 65u);
    EXPECT_EQ(binary, 15);
}

// Two files of the corpus hold the same form, one binary and one text.
TEST(FormFileCorpus, BinaryAndTextTwinsGiveTheSameTree) {
    std::filesystem::path binary = CorpusDir() / "049-AmziLS-AmziProlog-pxmain.dfm";
    std::filesystem::path text = CorpusDir() / "050-AmziLS-AmziProlog-pxmain.dfm";
    if (!std::filesystem::exists(binary) || !std::filesystem::exists(text))
        GTEST_SKIP() << "corpus twins not present";
    FormFile a = ReadFormFile(ReadFileBytes(binary), binary.filename());
    FormFile b = ReadFormFile(ReadFileBytes(text), text.filename());
    EXPECT_EQ(a.format, FormFileFormat::Binary);
    EXPECT_EQ(b.format, FormFileFormat::Text);
    EXPECT_EQ(a.root, b.root);
}

} // namespace
