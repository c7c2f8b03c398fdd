// The palette's classes, one case each: dropped on a form, a component saves, opens and saves to
// the same tree (its declared defaults and stored rules agree with what it starts with and
// reads back), and a non-visual one is collected by a bar with a picture of its own or its
// page's, never the default component's.
#include "host/catalogue/Catalogue.h"
#include "host/classes/Streaming.h"
#include "support/BarFixture.h"

#include <algorithm>

namespace stowtest {

using namespace host;

namespace {

struct PaletteClass {
    std::string Page;
    std::string Name;
};

std::vector<PaletteClass> paletteClasses() {
    // The catalogue is built by the designer's environment.
    DesignEnvironment env;
    std::vector<PaletteClass> out;
    for (const TCataloguePage& page : CataloguePages())
        for (const TClass* cls : page.Classes)
            out.push_back({page.Name, cls->ClassName()});
    return out;
}

class CatalogueTest : public BarTest, public ::testing::WithParamInterface<PaletteClass> {};

TEST_P(CatalogueTest, DropsSavesAndOpensToTheSameTree) {
    const TClass* cls = FindClass(GetParam().Name);
    ASSERT_NE(cls, nullptr) << GetParam().Name;
    NewForm();
    TComponent* c = designer().Drop(cls, "", 8, 8);
    ASSERT_NE(c, nullptr);
    const FormObject saved = env.Save();
    ASSERT_EQ(saved.children.size(), 1u);
    EXPECT_EQ(saved.children[0].className, GetParam().Name);

    const std::string text = WriteText(saved);
    FormFile file = ReadFormFile(text, "saved.dfm");
    ASSERT_NO_THROW(
        env.Open(file.root, {"saved.dfm", file.format, text}, FormReadOptions{}, RootKind::Form))
        << text;
    EXPECT_TRUE(env.Save() == saved) << text << "\n" << WriteText(env.Save());
}

TEST_P(CatalogueTest, ANonVisualOneIsCollectedWithAPictureOfItsOwnOrItsPages) {
    const TClass* cls = FindClass(GetParam().Name);
    ASSERT_NE(cls, nullptr) << GetParam().Name;
    if (cls->InheritsFrom(TControl::StaticClass()))
        return;
    NewForm();
    designer().Drop(cls, "Thing", 8, 8);
    TStowbar* bar = DropBar();
    ASSERT_NE(bar, nullptr);
    Wait(1);
    ASSERT_EQ(EntryNames(bar), std::vector<std::string>{"Thing"});
    const GdiBitmap* glyph = env.desktop().Bitmap(bar->Entry(0)->Button->Glyph().Handle());
    ASSERT_NE(glyph, nullptr);
    EXPECT_NE(glyph->Resource, "TCOMPONENT");
}

INSTANTIATE_TEST_SUITE_P(Palette, CatalogueTest, ::testing::ValuesIn(paletteClasses()),
                         [](const auto& info) {
                             std::string page = info.param.Page;
                             std::erase_if(page, [](char ch) { return !std::isalnum(ch); });
                             return page + "_" + info.param.Name;
                         });

} // namespace

} // namespace stowtest
