// Palette glyphs: found by class name in the loaded modules, falling back to ancestors; every
// bitmap freed exactly once.
#include "support/BarFixture.h"

#include "host/designer/PaletteBitmaps.h"

namespace stowtest {

using namespace host;

namespace {

class TNoPicture : public TComponent {
    HOST_CLASS(TNoPicture, TComponent)
};
HOST_IMPLEMENT_CLASS(TNoPicture, TComponent)

class GlyphTest : public BarTest {
protected:
    const GdiBitmap* GlyphOf(TStowbar* bar, int i) {
        return env.desktop().Bitmap(bar->Entry(i)->Button->Glyph().Handle());
    }
};

TEST_F(GlyphTest, OwnPictureAncestorsPictureOrNone) {
    // Without the default component's picture, a class with none up its chain gets none.
    env.programModule()->Bitmaps.erase("TCOMPONENT");
    NewForm();
    Drop<TTimer>("Timer1");
    NewComponent(TNestedTable::StaticClass(), env.Root())->SetName("Nested1");
    NewComponent(TNoPicture::StaticClass(), env.Root())->SetName("Plain1");
    TStowbar* bar = DropBar();
    Wait(1);
    ASSERT_EQ(EntryNames(bar), (std::vector<std::string>{"Timer1", "Nested1", "Plain1"}));
    ASSERT_NE(GlyphOf(bar, 0), nullptr);
    EXPECT_EQ(GlyphOf(bar, 0)->Resource, "TTIMER");
    EXPECT_EQ(GlyphOf(bar, 0)->Module, "stowdesign");
    EXPECT_EQ(GlyphOf(bar, 0)->Width, 24);
    ASSERT_NE(GlyphOf(bar, 1), nullptr);
    EXPECT_EQ(GlyphOf(bar, 1)->Resource, "TTABLE");
    EXPECT_TRUE(bar->Entry(2)->Button->Glyph().Empty());
    // No picture keeps the button's place and size.
    EXPECT_EQ(bar->Entry(2)->Button->BoundsRect(), Bounds(262, 2, 130, 28));
}

TEST_F(GlyphTest, AClassWithNoPictureOfItsOwnShowsTheDefaultComponentsPicture) {
    NewForm();
    NewComponent(TNoPicture::StaticClass(), env.Root())->SetName("Plain1");
    TStowbar* bar = DropBar();
    Wait(1);
    ASSERT_NE(GlyphOf(bar, 0), nullptr);
    EXPECT_EQ(GlyphOf(bar, 0)->Resource, "TCOMPONENT");
    EXPECT_EQ(GlyphOf(bar, 0)->Module, "stowdesign");
}

TEST_F(GlyphTest, FirstModuleInTheListWinsForTheSameName) {
    TLibModule* extra = env.desktop().AddModule("extra");
    extra->Bitmaps["TTIMER"] = PaletteBitmapDib("TTABLE");
    extra->Bitmaps["TNOPICTURE"] = PaletteBitmapDib("TTABLE");
    NewForm();
    Drop<TTimer>("Timer1");
    NewComponent(TNoPicture::StaticClass(), env.Root())->SetName("Plain1");
    TStowbar* bar = DropBar();
    Wait(1);
    EXPECT_EQ(GlyphOf(bar, 0)->Module, "stowdesign");
    EXPECT_EQ(GlyphOf(bar, 1)->Module, "extra");
    EXPECT_EQ(GlyphOf(bar, 1)->Resource, "TNOPICTURE");
}

TEST_F(GlyphTest, ClassNameIsTriedInEveryModuleBeforeTheParentsName) {
    // The program module has TTABLE; a later module has the nested class itself.
    TLibModule* extra = env.desktop().AddModule("extra");
    extra->Bitmaps["TNESTEDTABLE"] = PaletteBitmapDib("TTIMER");
    NewForm();
    NewComponent(TNestedTable::StaticClass(), env.Root())->SetName("Nested1");
    TStowbar* bar = DropBar();
    Wait(1);
    EXPECT_EQ(GlyphOf(bar, 0)->Resource, "TNESTEDTABLE");
    EXPECT_EQ(GlyphOf(bar, 0)->Module, "extra");
}

TEST_F(GlyphTest, ShowPictureOffEmptiesAndOnRefills) {
    NewForm();
    Drop<TTimer>();
    Drop<TTable>();
    TStowbar* bar = DropBar();
    Wait(1);
    int objects = env.desktop().GdiObjectCount();
    bar->SetShowPicture(false);
    EXPECT_TRUE(bar->Entry(0)->Button->Glyph().Empty());
    EXPECT_TRUE(bar->Entry(1)->Button->Glyph().Empty());
    EXPECT_EQ(env.desktop().GdiObjectCount(), objects - 2);
    bar->SetShowPicture(true);
    EXPECT_EQ(GlyphOf(bar, 1)->Resource, "TTABLE");
    EXPECT_EQ(bar->ButtonHeight(), 28);
    EXPECT_EQ(env.desktop().GdiObjectCount(), objects);
    EXPECT_EQ(env.desktop().GdiDeleteFailures(), 0);
}

TEST_F(GlyphTest, UnresolvedEntryGetsItsPictureAtTheNextRelayout) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(1);
    bar->SetShowPicture(false);
    NewComponent(TTimer::StaticClass(), env.Root())->SetName("Timer1");
    Settle();
    bar->FreeNVCs();
    bar->AddComponent("Timer1", "Timer1", "TTimer"); // as read from a form file: unresolved
    ASSERT_EQ(bar->Entry(0)->Component, nullptr);
    // Switching pictures on skips the unresolved entry; the relayout that the new button
    // height brings resolves it and fills its glyph.
    bar->SetShowPicture(true);
    EXPECT_NE(bar->Entry(0)->Component, nullptr);
    ASSERT_NE(GlyphOf(bar, 0), nullptr);
    EXPECT_EQ(GlyphOf(bar, 0)->Resource, "TTIMER");
}

TEST_F(GlyphTest, EveryBitmapIsFreedExactlyOnce) {
    int before = 0;
    {
        NewForm();
        before = env.desktop().GdiObjectCount();
        for (int i = 0; i < 5; ++i)
            Drop<TTimer>();
        TStowbar* bar = DropBar();
        Wait(1000);
        bar->SetShowPicture(false);
        bar->SetShowPicture(true);
        designer().SelectComponent(env.Root()->FindComponent("Timer2"));
        designer().DeleteSelection();
        Settle();
        EXPECT_EQ(env.desktop().GdiObjectCount(), before + 4);
        designer().SelectComponent(bar);
        designer().DeleteSelection();
    }
    EXPECT_EQ(env.desktop().GdiObjectCount(), before);
    NewForm(); // closing the old form with bars on it
    EXPECT_EQ(env.desktop().GdiDeleteFailures(), 0);
}

TEST_F(GlyphTest, NullComponentHasNoPicture) {
    NewForm();
    TStowbar* bar = DropBar();
    EXPECT_EQ(bar->GetPaletteBitmap(nullptr), 0u);
}

} // namespace
} // namespace stowtest
