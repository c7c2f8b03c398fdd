// Form files written back through their document: an unchanged file comes back byte for byte,
// a changed one differs only in what changed, written in the file's own layout and line end.

#include "host/classes/FormDocument.h"
#include "host/classes/BinaryFormat.h"
#include "host/classes/FormSink.h"

#include "FormFileTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using namespace host;
using namespace formfile_test;

namespace {

FormObject* Child(FormObject& object, std::string_view name) {
    for (FormObject& child : object.children)
        if (SameText(child.name, name))
            return &child;
    return nullptr;
}

FormProperty* Property(FormObject& object, std::string_view name) {
    for (FormProperty& property : object.properties)
        if (SameText(property.name, name))
            return &property;
    return nullptr;
}

std::string Replaced(std::string text, std::string_view from, std::string_view to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

std::string Saved(const FormObject& tree, const FormDocument& doc) {
    return WriteFormFile(tree, doc.format, &doc);
}

// --- The corpus: every real file saves back as it was read ----------------------------------

std::vector<std::string> CorpusFiles() {
    std::vector<std::string> names;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir(), ec)) {
        std::string name = entry.path().filename().string();
        if (name.ends_with(".dfm") || name.ends_with(".lfm"))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CorpusSavesBack : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusSavesBack, ByteForByte) {
    std::string bytes = ReadFileBytes(CorpusDir() / GetParam());
    FormDocument doc = ReadFormDocument(bytes, GetParam());
    EXPECT_EQ(Saved(doc.root, doc), bytes);
    // A copy of the tree, as a designer makes when it saves, keeps the spans.
    FormObject copy = doc.root;
    EXPECT_EQ(Saved(copy, doc), bytes);
}

// Converting while reading gives what writing the tree read gives, in both directions.
TEST_P(CorpusSavesBack, ConvertsWithoutATreeAsWithOne) {
    std::string bytes = ReadFileBytes(CorpusDir() / GetParam());
    FormObject tree = ReadFormFile(bytes, GetParam()).root;
    for (FormFileFormat format : {FormFileFormat::Text, FormFileFormat::Binary}) {
        std::string converted;
        try {
            converted = ConvertForm(bytes, GetParam(), format);
        } catch (const EWriteError& e) {
            EXPECT_THROW(WriteFormFile(tree, format), EWriteError) << e.what();
            continue;
        }
        EXPECT_EQ(converted, WriteFormFile(tree, format));
    }
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusSavesBack, ::testing::ValuesIn(CorpusFiles()),
                         [](const auto& info) {
                             std::string name = info.param.substr(0, 3);
                             return "File" + name;
                         });

// Every property of a corpus file changed one at a time: the file differs in that property's
// bytes only, and reads back to the changed tree.
TEST(FormDocument, ChangingAnyPropertyRewritesOnlyThatProperty) {
    for (const char* name :
         {"040-winscp-winscp-CopyParams.dfm", "013-project-jedi-jvcl-JvChartDemoFm.dfm",
          "062-doublecmd-doublecmd-feditor.lfm"}) {
        std::string bytes = ReadFileBytes(CorpusDir() / name);
        FormDocument doc = ReadFormDocument(bytes, name);
        for (size_t i = 0; i < doc.root.properties.size(); ++i) {
            FormObject tree = doc.root;
            FormProperty& property = tree.properties[i];
            property.value = FormValue::Integer(12345);
            std::string saved = Saved(tree, doc);
            FormDocument again = ReadFormDocument(saved, name);
            EXPECT_EQ(again.root, tree) << name << " " << property.name;
            const FormSpan& span = doc.root.properties[i].span;
            size_t from = doc.streamBegin; // a resource header's size may change
            EXPECT_EQ(saved.substr(from, span.begin - from), bytes.substr(from, span.begin - from))
                << name;
            size_t tail = bytes.size() - span.end;
            EXPECT_EQ(saved.substr(saved.size() - tail), bytes.substr(span.end)) << name;
        }
    }
}

// --- Changes to a text file -------------------------------------------------------------------

constexpr std::string_view kForm = "object Form1: TForm1\r\n"
                                   "  Left = 10\r\n"
                                   "  Caption =   'Old'   \r\n"
                                   "\r\n"
                                   "  object Timer1: TTimer\r\n"
                                   "    Interval = 500\r\n"
                                   "    Left = 8\r\n"
                                   "  end\r\n"
                                   "  object Label1: TLabel\r\n"
                                   "    Caption = 'x'\r\n"
                                   "  end\r\n"
                                   "end\r\n";

TEST(FormDocument, ChangedValueRewritesOnlyItsLine) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    FormObject tree = doc.root;
    Property(tree, "Caption")->value = FormValue::String("New");
    EXPECT_EQ(Saved(tree, doc),
              Replaced(std::string(kForm), "  Caption =   'Old'   \r\n", "  Caption = 'New'\r\n"));
}

TEST(FormDocument, ValueOfAnotherKindIsAChange) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    FormObject tree = doc.root;
    FormObject* timer = Child(tree, "Timer1");
    ASSERT_NE(timer, nullptr);
    Property(*timer, "Interval")->value = FormValue::Extended(500.0L);
    EXPECT_EQ(Saved(tree, doc), Replaced(std::string(kForm), "Interval = 500\r\n",
                                         "Interval = 500.000000000000000000\r\n"));
}

TEST(FormDocument, AddedPropertyAndChildTakeTheIndentationOfTheirDepth) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    FormObject tree = doc.root;
    FormObject* timer = Child(tree, "Timer1");
    ASSERT_NE(timer, nullptr);
    timer->properties.push_back({"Top", FormValue::Integer(300)});
    FormObject dialog;
    dialog.name = "Open1";
    dialog.className = "TOpenDialog";
    dialog.properties.push_back({"Left", FormValue::Integer(4)});
    tree.children.insert(tree.children.begin() + 1, dialog);
    std::string expected = Replaced(std::string(kForm), "    Left = 8\r\n  end\r\n",
                                    "    Left = 8\r\n    Top = 300\r\n  end\r\n"
                                    "  object Open1: TOpenDialog\r\n    Left = 4\r\n  end\r\n");
    EXPECT_EQ(Saved(tree, doc), expected);
}

TEST(FormDocument, DeletedObjectTakesItsLinesAlong) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    FormObject tree = doc.root;
    tree.children.erase(tree.children.begin());
    // The blank line before the timer was the timer's.
    EXPECT_EQ(Saved(tree, doc), Replaced(std::string(kForm),
                                         "\r\n  object Timer1: TTimer\r\n    Interval = 500\r\n"
                                         "    Left = 8\r\n  end\r\n",
                                         ""));
}

TEST(FormDocument, RenamedObjectGetsNewHeaderAndEndButKeepsItsProperties) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    FormObject tree = doc.root;
    Child(tree, "Label1")->name = "Title";
    EXPECT_EQ(Saved(tree, doc), Replaced(std::string(kForm), "object Label1:", "object Title:"));
}

TEST(FormDocument, PropertiesSharingALineAreSplitOnlyWhereChanged) {
    std::string text = "object A: TA\n  Left = 1 Top = 2\nend\n";
    FormDocument doc = ReadFormDocument(text, "a.dfm");
    FormObject tree = doc.root;
    Property(tree, "Top")->value = FormValue::Integer(3);
    EXPECT_EQ(Saved(tree, doc), "object A: TA\n  Left = 1\n  Top = 3\nend\n");
}

TEST(FormDocument, SpansAndGapsMakeUpTheFile) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    const FormObject& root = doc.root;
    EXPECT_EQ(root.span.begin, 0u);
    EXPECT_EQ(root.span.end, kForm.size());
    EXPECT_EQ(kForm.substr(root.span.begin, root.headerEnd), "object Form1: TForm1\r\n");
    ASSERT_EQ(root.properties.size(), 2u);
    const FormSpan& caption = root.properties[1].span;
    EXPECT_EQ(kForm.substr(caption.begin, caption.end - caption.begin),
              "  Caption =   'Old'   \r\n");
    ASSERT_EQ(root.children.size(), 2u);
    // The blank line before the timer belongs to it.
    EXPECT_EQ(root.children[0].span.begin, caption.end);
    EXPECT_EQ(kForm.substr(root.trailerBegin), "end\r\n");
}

TEST(FormDocument, NodesMadeInMemoryAndStaleSpansAreWrittenFresh) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    FormObject tree = doc.root;
    // A span that points into the middle of something else is not trusted.
    Property(tree, "Left")->span = {3, 9};
    Property(tree, "Left")->value = FormValue::Integer(11);
    Property(tree, "Caption")->span = {};
    EXPECT_EQ(Saved(tree, doc), Replaced(Replaced(std::string(kForm), "  Caption =   'Old'   \r\n",
                                                  "  Caption = 'Old'\r\n"),
                                         "Left = 10", "Left = 11"));
    // An object equal to its original is its original's bytes, however its parts were made.
    Property(tree, "Left")->value = FormValue::Integer(10);
    EXPECT_EQ(Saved(tree, doc), kForm);
}

// --- What the file holds around its tree -------------------------------------------------------

TEST(FormDocument, MixedLineEndsKeepTheirsAndNewLinesTakeTheMostFrequent) {
    std::string name = "040-winscp-winscp-CopyParams.dfm";
    std::string bytes = ReadFileBytes(CorpusDir() / name);
    FormDocument doc = ReadFormDocument(bytes, name);
    EXPECT_TRUE(doc.mixedLineEnds);
    EXPECT_EQ(doc.lineEnd, LineEnd::CrLf);
    FormObject tree = doc.root;
    tree.properties.insert(tree.properties.begin() + 1, {"Tag", FormValue::Integer(7)});
    EXPECT_EQ(Saved(tree, doc), Replaced(bytes, "  Left = 0\r\n", "  Left = 0\r\n  Tag = 7\r\n"));
}

TEST(FormDocument, FileWithoutFinalNewlineStaysWithoutOne) {
    for (const char* name :
         {"050-AmziLS-AmziProlog-pxmain.dfm", "063-doublecmd-doublecmd-fmultirename.lfm"}) {
        std::string bytes = ReadFileBytes(CorpusDir() / name);
        FormDocument doc = ReadFormDocument(bytes, name);
        EXPECT_FALSE(doc.finalNewline);
        EXPECT_EQ(doc.lineEnd, LineEnd::Lf);
        // A new root header rewrites the root's header and end lines.
        FormObject tree = doc.root;
        tree.name = "Renamed";
        std::string saved = Saved(tree, doc);
        EXPECT_TRUE(saved.ends_with("\nend")) << name;
        EXPECT_EQ(saved, Replaced(bytes, "object " + doc.root.name + ":", "object Renamed:"));
    }
}

TEST(FormDocument, ByteOrderMarkAndUtf8NamesAreKept) {
    std::string name = "057-rustkas-dephi_do-DataModule2Unit.dfm";
    std::string bytes = ReadFileBytes(CorpusDir() / name);
    FormDocument doc = ReadFormDocument(bytes, name);
    EXPECT_TRUE(doc.byteOrderMark);
    EXPECT_EQ(doc.root.span.begin, 3u);
    FormObject tree = doc.root;
    Property(tree, "Height")->value = FormValue::Integer(400);
    EXPECT_EQ(Saved(tree, doc), Replaced(bytes, "  Height = 313\n", "  Height = 400\n"));
    tree.name = "DM";
    EXPECT_TRUE(Saved(tree, doc).starts_with("\xEF\xBB\xBFobject DM: TDataModule1\n"));
}

TEST(FormDocument, LazarusFileGetsLazarusLayoutForNewValues) {
    std::string text = "object Form1: TForm1\n  Left = 1\nend\n";
    FormDocument doc = ReadFormDocument(text, "unit1.lfm");
    EXPECT_EQ(doc.dialect, TextDialect::Lazarus);
    FormObject tree = doc.root;
    std::string longText(70, 'a');
    longText += "'s";
    tree.properties.push_back({"Hint", FormValue::String(longText)});
    tree.properties.push_back(
        {"Lines.Strings", FormValue::List({FormValue::String("one"), FormValue::String("two")})});
    FormCollectionItem item;
    item.properties.push_back({"Width", FormValue::Integer(50)});
    tree.properties.push_back({"Panels", FormValue::Collection({item, item})});
    tree.properties.push_back({"Data", FormValue::Binary("\x01\x02")});
    FormObject label;
    label.name = "Label1";
    label.className = "TLabel";
    label.childPosition = 0;
    tree.children.push_back(label);
    EXPECT_EQ(Saved(tree, doc), "object Form1: TForm1\n"
                                "  Left = 1\n"
                                "  Hint = '" +
                                    std::string(70, 'a') +
                                    "''s'\n"
                                    "  Lines.Strings = (\n"
                                    "    'one'\n"
                                    "    'two'\n"
                                    "  )\n"
                                    "  Panels = <  \n"
                                    "    item\n"
                                    "      Width = 50\n"
                                    "    end  \n"
                                    "    item\n"
                                    "      Width = 50\n"
                                    "    end>\n"
                                    "  Data = {\n"
                                    "    0102\n"
                                    "  }\n"
                                    "  object Label1: TLabel[0]\n"
                                    "  end\n"
                                    "end\n");
    // The same changes in a .dfm take the IDE's layout.
    FormDocument dfm = ReadFormDocument(text, "unit1.dfm");
    std::string classic = Saved(tree, dfm);
    EXPECT_NE(classic.find("  Hint = \n    'aaaa"), std::string::npos) << classic;
    EXPECT_NE(classic.find("    'two')\n"), std::string::npos) << classic;
    EXPECT_NE(classic.find("TLabel [0]"), std::string::npos) << classic;
}

// --- Binary files ------------------------------------------------------------------------------

TEST(FormDocument, BinaryKeepsItsOwnEncodingsAndRecomputesTheResourceSize) {
    // 5 stored as a 32-bit integer, which a fresh writer would shorten.
    FormObject root;
    root.name = "Form1";
    root.className = "TForm1";
    root.properties.push_back({"Left", FormValue::Integer(5)});
    root.properties.push_back({"Top", FormValue::Integer(6)});
    for (bool header : {true, false}) {
        std::string bytes = WriteBinaryForm(root, header);
        std::string wide = std::string("\x04Left\x04\x05\x00\x00\x00", 10);
        bytes = Replaced(bytes, std::string("\x04Left\x02\x05", 7), wide);
        if (header)
            SetResourceSize(bytes, bytes.find("TPF0"));
        FormDocument doc = ReadFormDocument(bytes, "f.dfm");
        EXPECT_EQ(doc.resourceHeader, header);
        EXPECT_EQ(Saved(doc.root, doc), bytes);
        FormObject tree = doc.root;
        Property(tree, "Top")->value = FormValue::String("far");
        std::string saved = Saved(tree, doc);
        EXPECT_NE(saved.find(wide), std::string::npos);
        FormDocument again = ReadFormDocument(saved, "f.dfm");
        EXPECT_EQ(again.root, tree);
        EXPECT_EQ(again.resourceHeader, header);
    }
}

TEST(FormDocument, BinaryCorpusFileWithAChangedChild) {
    std::string name = "049-AmziLS-AmziProlog-pxmain.dfm";
    std::string bytes = ReadFileBytes(CorpusDir() / name);
    FormDocument doc = ReadFormDocument(bytes, name);
    ASSERT_FALSE(doc.root.children.empty());
    FormObject tree = doc.root;
    tree.children.back().properties.push_back({"Tag", FormValue::Integer(1)});
    tree.children.erase(tree.children.begin());
    std::string saved = Saved(tree, doc);
    EXPECT_EQ(ReadFormDocument(saved, name).root, tree);
    size_t from = doc.streamBegin;
    EXPECT_EQ(saved.substr(from, doc.root.headerEnd - from),
              bytes.substr(from, doc.root.headerEnd - from));
}

TEST(FormDocument, OtherFormatOrNoDocumentWritesFresh) {
    FormDocument doc = ReadFormDocument(std::string(kForm), "f.dfm");
    EXPECT_EQ(WriteFormFile(doc.root, FormFileFormat::Binary, &doc),
              WriteBinaryForm(doc.root, true));
    EXPECT_EQ(WriteFormFile(doc.root, FormFileFormat::Text), WriteTextForm(doc.root));
}

} // namespace
