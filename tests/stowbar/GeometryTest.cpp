// The bar's size and place, the layout of its buttons, and the style setters.
#include "support/BarFixture.h"

namespace stowtest {

using namespace host;

namespace {

class GeometryTest : public BarTest {
protected:
    // A form of the given client size with count timers and one shown bar on side.
    TStowbar* Setup(int width, int height, int count, stow::TAttachSide side) {
        NewForm(width, height);
        for (int i = 0; i < count; ++i)
            Drop<TTimer>();
        TStowbar* bar = DropBar();
        env.desktop().SendMessage(bar->Handle(), stow::CM_AUTOHIDE, 0, 0); // shown, AutoHide off
        bar->SetAttachSide(side);
        Wait(1);
        return bar;
    }
    std::vector<TPoint> ButtonPlaces(TStowbar* bar) {
        std::vector<TPoint> places;
        for (int i = 0; i < bar->EntryCount(); ++i)
            places.push_back({bar->Entry(i)->Button->Left(), bar->Entry(i)->Button->Top()});
        return places;
    }
};

TEST_F(GeometryTest, EmptyTopBarIsOneRowHigh) {
    TStowbar* bar = Setup(640, 480, 0, asTop);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 640, 55));
    EXPECT_EQ(bar->TabSet()->BoundsRect(), Bounds(0, 55 - 17, 640, 17));
}

TEST_F(GeometryTest, EmptyLeftBarIsOneColumnWideOrTwoBesideAnother) {
    TStowbar* bar = Setup(640, 480, 0, asLeft);
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, 0, 140, 480));
    TStowbar* second = DropBar();
    second->SetAttachSide(asLeft);
    Wait(200);
    EXPECT_EQ(bar->Width(), 270);
    EXPECT_EQ(second->Width(), 270);
}

TEST_F(GeometryTest, TopBarRowsFollowTheFormWidth) {
    TStowbar* bar = Setup(400, 300, 5, asTop);
    EXPECT_EQ(bar->Height(), 83);
    EXPECT_EQ(ButtonPlaces(bar),
              (std::vector<TPoint>{{2, 2}, {132, 2}, {262, 2}, {2, 30}, {132, 30}}));
}

TEST_F(GeometryTest, LayoutWrapsBeforeTheRowCountDoes) {
    TStowbar* bar = Setup(390, 300, 3, asTop);
    EXPECT_EQ(bar->Height(), 55);
    EXPECT_EQ(ButtonPlaces(bar), (std::vector<TPoint>{{2, 2}, {132, 2}, {2, 30}}));
}

TEST_F(GeometryTest, NarrowFormReservesOneRowAndStacksButtons) {
    TStowbar* bar = Setup(120, 300, 3, asTop);
    EXPECT_EQ(bar->Height(), 55);
    EXPECT_EQ(ButtonPlaces(bar), (std::vector<TPoint>{{2, 2}, {2, 30}, {2, 58}}));
}

TEST_F(GeometryTest, LeftBarColumnsFollowTheFormHeight) {
    TStowbar* bar = Setup(640, 300, 20, asLeft);
    EXPECT_EQ(bar->Width(), 270);
    auto places = ButtonPlaces(bar);
    EXPECT_EQ(places[0], (TPoint{2, 2}));
    EXPECT_EQ(places[9], (TPoint{2, 254}));
    EXPECT_EQ(places[10], (TPoint{132, 2}));
    EXPECT_EQ(places[19], (TPoint{132, 254}));
}

TEST_F(GeometryTest, LeftBarStopsAboveBottomAlignedControls) {
    TStowbar* bar = Setup(640, 300, 0, asLeft);
    Drop<TStatusBar>();
    Wait(200);
    EXPECT_EQ(bar->Height(), 281);
    // Also one the form owns that sits in a panel.
    TPanel* panel = Drop<TPanel>();
    panel->SetAlign(alNone);
    auto* inner = New<TStatusBar>(env.Root());
    inner->SetName("Inner");
    inner->SetParent(panel);
    inner->SetHeight(10);
    Wait(200);
    EXPECT_EQ(bar->Height(), 271);
}

TEST_F(GeometryTest, LowFormGivesEachButtonItsOwnColumn) {
    // Higher than a button, too low for one above the tab set.
    TStowbar* bar = Setup(640, 35, 3, asLeft);
    EXPECT_EQ(bar->Width(), 3 * 130 + 10);
    EXPECT_EQ(ButtonPlaces(bar), (std::vector<TPoint>{{2, 2}, {132, 2}, {262, 2}}));
}

TEST_F(GeometryTest, ZeroOrNegativeButtonSizesNeitherCrashNorHang) {
    TStowbar* bar = Setup(640, 480, 4, asTop);
    for (int w : {0, -5}) {
        bar->SetButtonWidth(w);
        Wait(200);
        EXPECT_GE(bar->Height(), 1);
    }
    bar->SetAttachSide(asLeft);
    for (int h : {0, -5}) {
        bar->SetButtonHeight(h);
        Wait(200);
        EXPECT_GE(bar->Width(), 0);
    }
}

TEST_F(GeometryTest, UndockedBarKeepsItsOwnBounds) {
    TStowbar* bar = Setup(640, 480, 3, asNone);
    bar->SetBounds(50, 60, 300, 100);
    Wait(200);
    EXPECT_EQ(bar->BoundsRect(), Bounds(50, 60, 300, 100));
    EXPECT_EQ(ButtonPlaces(bar), (std::vector<TPoint>{{2, 2}, {132, 2}, {2, 30}}));
}

TEST_F(GeometryTest, HiddenTopBarKeepsHiddenBarWidthInView) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(1);
    EXPECT_TRUE(bar->Hidden());
    EXPECT_EQ(bar->BoundsRect(), Bounds(0, -52, 640, 55));
    bar->SetHiddenBarWidth(10);
    Wait(200);
    EXPECT_EQ(bar->Top(), -45);
}

TEST_F(GeometryTest, ShowPictureSetsTheButtonHeight) {
    TStowbar* bar = Setup(640, 480, 2, asTop);
    bar->SetButtonHeight(33);
    bar->SetShowPicture(false);
    EXPECT_EQ(bar->ButtonHeight(), 20);
    EXPECT_EQ(bar->Entry(0)->Button->Height(), 20);
    bar->SetButtonLayout(blGlyphTop);
    EXPECT_EQ(bar->ButtonHeight(), 20);
    bar->SetShowPicture(true);
    EXPECT_EQ(bar->ButtonHeight(), 46);
    EXPECT_EQ(bar->Entry(1)->Button->Layout(), blGlyphTop);
}

TEST_F(GeometryTest, SettingAStylePropertyToItsValueDoesNothing) {
    TStowbar* bar = Setup(640, 480, 2, asTop);
    Wait(200);
    int paints = bar->Canvas().Operations;
    int buttonInvalidates = bar->Entry(0)->Button->InvalidateCount();
    int barInvalidates = bar->InvalidateCount();
    bar->SetButtonWidth(130);
    bar->SetButtonHeight(28);
    bar->SetMargin(2);
    bar->SetSpacing(2);
    bar->SetShowTitles(true);
    bar->SetShowPicture(true);
    bar->SetButtonLayout(blGlyphLeft);
    Wait(200); // a tick that changes nothing
    EXPECT_EQ(bar->Canvas().Operations, paints);
    EXPECT_EQ(bar->Entry(0)->Button->InvalidateCount(), buttonInvalidates);
    EXPECT_EQ(bar->InvalidateCount(), barInvalidates);
}

TEST_F(GeometryTest, StyleSettersReachEveryButton) {
    TStowbar* bar = Setup(640, 480, 2, asTop);
    bar->SetShowTitles(false);
    bar->SetMargin(4);
    bar->SetSpacing(6);
    bar->SetButtonWidth(100);
    for (int i = 0; i < 2; ++i) {
        TSpeedButton* b = bar->Entry(i)->Button;
        EXPECT_EQ(b->Caption(), "");
        EXPECT_EQ(b->Margin(), 4);
        EXPECT_EQ(b->Spacing(), 6);
        EXPECT_EQ(b->Width(), 100);
    }
    EXPECT_EQ(bar->Entry(1)->Button->Left(), 102);
    bar->SetShowTitles(true);
    EXPECT_EQ(bar->Entry(1)->Button->Caption(), bar->Entry(1)->Title);
}

TEST_F(GeometryTest, PaintFillsTheFaceAndDrawsTwoRaisedInnerEdges) {
    struct Recorder : IPaintTarget {
        std::vector<std::pair<UINT, UINT>> edges;
        std::vector<uint32_t> fills;
        void FillRect(const TRect&, uint32_t rgb) override { fills.push_back(rgb); }
        void DrawEdge(const TRect& r, UINT edge, UINT flags) override {
            edges.push_back({edge, flags});
        }
        void TextOut(int, int, const std::string&, const TFont&, uint32_t) override {}
        void Draw(int, int, const GdiBitmap&, bool) override {}
        int TextWidth(const std::string&, const TFont&) override { return 0; }
        int TextHeight(const std::string&, const TFont&) override { return 0; }
        void Line(int, int, int, int, uint32_t) override {}
    } recorder;
    TStowbar* bar = Setup(640, 480, 0, asTop);
    bar->PaintTo(&recorder);
    EXPECT_EQ(recorder.fills, std::vector<uint32_t>{0xC0C0C0});
    EXPECT_EQ(recorder.edges,
              (std::vector<std::pair<UINT, UINT>>{{BDR_RAISEDINNER, BF_LEFT | BF_TOP},
                                                  {BDR_RAISEDINNER, BF_RIGHT | BF_BOTTOM}}));
}

} // namespace
} // namespace stowtest
