// The real form files users have (the shared corpus, one case each): each opens with a plain
// open, gives back the tree it was read from, and takes a bar as its kind of root allows.
#include "host/FormFileTestSupport.h"
#include "host/classes/FormDocument.h"
#include "support/BarFixture.h"

#include <algorithm>
#include <filesystem>

namespace {

using namespace host;
using namespace stowtest;
using formfile_test::CorpusDir;

std::vector<std::string> corpusFiles() {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
        std::string name = entry.path().filename().string();
        if (name.ends_with(".dfm") || name.ends_with(".lfm"))
            names.push_back(name);
    }
    std::sort(names.begin(), names.end());
    return names;
}

class CorpusTest : public BarTest, public ::testing::WithParamInterface<std::string> {
protected:
    void OpenCorpusFile() {
        doc = ReadFormDocument(formfile_test::ReadFileBytes(CorpusDir() / GetParam()), GetParam());
        FormReadOptions options;
        options.unknown = UnknownPolicy::Keep;
        env.Open(doc.root, {GetParam(), doc.format, doc.bytes}, options);
    }
    // What a bar collects, by the file: the objects at the root's level (those nested in another
    // object are its sub-components or a control's children) that are not controls, in the
    // file's order.
    std::vector<std::string> Collectable() {
        std::vector<std::string> names;
        for (const FormObject& child : doc.root.children) {
            TComponent* c = env.Root()->FindComponent(child.name);
            EXPECT_NE(c, nullptr) << child.name;
            if (c && !c->Is<TControl>())
                names.push_back(child.name);
        }
        return names;
    }

    FormDocument doc;
};

TEST_P(CorpusTest, OpensAndSavesBackTheTreeAndTheBytesItWasReadFrom) {
    ASSERT_NO_THROW(OpenCorpusFile());
    ASSERT_NE(env.Root(), nullptr);
    const FormObject written = env.Save();
    EXPECT_TRUE(written == doc.root) << GetParam() << "\n" << WriteText(written);
    // The nodes written back are the ones read, places in the file included: the file's own
    // bytes come back.
    EXPECT_TRUE(WriteFormFile(written, doc.format, &doc) == doc.bytes) << GetParam();
}

TEST_P(CorpusTest, TakesABarAsItsKindOfRootAllows) {
    ASSERT_NO_THROW(OpenCorpusFile());
    ASSERT_NE(env.Root(), nullptr);
    const size_t before = env.Root()->ComponentList().size();
    switch (env.Kind()) {
    case RootKind::DataModule:
        // The design's guard message, a silent abort, and nothing made.
        EXPECT_THROW(DropBar("Bar1"), EAbort);
        ASSERT_EQ(Dialogs().size(), 1u);
        EXPECT_NE(Dialogs()[0].Text.find("= class(TDataModule)"), std::string::npos);
        EXPECT_EQ(env.Root()->ComponentList().size(), before);
        return;
    case RootKind::Frame:
        EXPECT_THROW(DropBar("Bar1"), EComponentError);
        EXPECT_EQ(env.Root()->ComponentList().size(), before);
        return;
    case RootKind::Form:
        break;
    }
    const std::vector<std::string> expected = Collectable();
    TStowbar* bar = DropBar("StowbarOfTheTest");
    ASSERT_NE(bar, nullptr);
    Wait(1); // the first pass
    EXPECT_EQ(EntryNames(bar), expected);
    for (int i = 0; i < bar->EntryCount(); ++i) {
        const TNVC* entry = bar->Entry(i);
        ASSERT_NE(entry->Component, nullptr) << entry->Name;
        // Its icon is out of sight.
        TPoint icon = Pos(entry->Component);
        EXPECT_TRUE(icon.X < 0 || icon.Y < 0) << entry->Name;
    }
    // The entries and their titles survive saving and opening again.
    if (bar->EntryCount() > 0)
        bar->Entry(0)->Title = "A title of the test's own";
    std::vector<std::pair<std::string, std::string>> titles;
    for (int i = 0; i < bar->EntryCount(); ++i)
        titles.push_back({bar->Entry(i)->Name, bar->Entry(i)->Title});
    const std::string saved = WriteBinary(env.Save());
    FormFile again = ReadFormFile(saved, "saved.dfm");
    FormReadOptions options;
    options.unknown = UnknownPolicy::Keep;
    env.Open(again.root, {"saved.dfm", again.format, saved}, options, RootKind::Form);
    auto* reopened = dyn<TStowbar>(env.Root()->FindComponent("StowbarOfTheTest"));
    ASSERT_NE(reopened, nullptr);
    std::vector<std::pair<std::string, std::string>> read;
    for (int i = 0; i < reopened->EntryCount(); ++i)
        read.push_back({reopened->Entry(i)->Name, reopened->Entry(i)->Title});
    EXPECT_EQ(read, titles);
}

INSTANTIATE_TEST_SUITE_P(Files, CorpusTest, ::testing::ValuesIn(corpusFiles()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = info.param.substr(0, info.param.find('.'));
                             std::replace_if(
                                 name.begin(), name.end(),
                                 [](char c) {
                                     return !std::isalnum(static_cast<unsigned char>(c));
                                 },
                                 '_');
                             return "F" + name;
                         });

} // namespace
