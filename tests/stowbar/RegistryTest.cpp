// The entry registry: AddComponent's rules between bars, the new button, and moving the
// designer icons.
#include "support/BarFixture.h"

namespace stowtest {

using namespace host;

namespace {

class RegistryTest : public BarTest {
protected:
    // Bars that have not collected anything yet: their first pass is not run.
    TStowbar* QuietBar(const std::string& name = {}) { return DropBar(name); }
};

TEST_F(RegistryTest, NameHeldTwiceMakesOneEntry) {
    NewForm();
    Drop<TTimer>("Timer1");
    TStowbar* bar = QuietBar();
    bar->AddComponent("Timer1", "Timer1", "TTimer");
    bar->AddComponent("Timer1", "Other", "TTimer");
    EXPECT_EQ(EntryNames(bar), std::vector<std::string>{"Timer1"});
    EXPECT_EQ(bar->Entry(0)->Title, "Timer1");
}

TEST_F(RegistryTest, NameHeldByAnotherBarIsExcludedAndStaysRefused) {
    NewForm();
    Drop<TTimer>("Timer1");
    TStowbar* a = QuietBar("A");
    TStowbar* b = QuietBar("B");
    a->AddComponent("Timer1", "Timer1", "TTimer");
    EXPECT_EQ(Excluded(b), std::vector<std::string>{"Timer1"}); // step 7 told B
    b->AddComponent("Timer1", "Timer1", "TTimer");
    EXPECT_EQ(b->EntryCount(), 0);

    TStowbar* c = QuietBar("C");
    c->AddComponent("Timer1", "Timer1", "TTimer");
    EXPECT_EQ(c->EntryCount(), 0);
    EXPECT_EQ(Excluded(c), std::vector<std::string>{"Timer1"});
    // A drops its entry: C still refuses the name, at the first step.
    a->FreeNVCs();
    c->AddComponent("Timer1", "Timer1", "TTimer");
    EXPECT_EQ(c->EntryCount(), 0);
}

TEST_F(RegistryTest, ExcludedNamesIgnoreLetterCase) {
    NewForm();
    Drop<TTimer>("Timer1");
    TStowbar* a = QuietBar("A");
    TStowbar* b = QuietBar("B");
    a->AddComponent("timer1", "x", "TTimer");
    b->AddComponent("TIMER1", "x", "TTimer");
    EXPECT_EQ(b->EntryCount(), 0);
}

TEST_F(RegistryTest, AddingTellsEveryOtherBarOnce) {
    NewForm();
    TStowbar* a = QuietBar("A");
    TStowbar* b = QuietBar("B");
    TStowbar* c = QuietBar("C");
    a->AddComponent("Timer1", "Timer1", "TTimer");
    a->AddComponent("Timer2", "Timer2", "TTimer");
    EXPECT_EQ(Excluded(b), (std::vector<std::string>{"Timer1", "Timer2"}));
    EXPECT_EQ(Excluded(c), (std::vector<std::string>{"Timer1", "Timer2"}));
    EXPECT_TRUE(Excluded(a).empty());
}

TEST_F(RegistryTest, NewButtonTakesTheBarsSettings) {
    NewForm();
    Drop<TTimer>("Timer1");
    TStowbar* bar = QuietBar();
    bar->SetMargin(5);
    bar->SetSpacing(7);
    bar->SetButtonWidth(90);
    bar->AddComponent("Timer1", "Tick", "TTimer");
    TSpeedButton* b = bar->Entry(0)->Button;
    EXPECT_EQ(b->Parent(), bar);
    EXPECT_EQ(b->Owner(), nullptr);
    EXPECT_TRUE(b->Visible());
    EXPECT_EQ(b->Width(), 90);
    EXPECT_EQ(b->Height(), 28);
    EXPECT_EQ(b->GroupIndex(), 1);
    EXPECT_EQ(b->Layout(), blGlyphLeft);
    EXPECT_EQ(b->Margin(), 5);
    EXPECT_EQ(b->Spacing(), 7);
    EXPECT_EQ(b->Caption(), "Tick");
    EXPECT_EQ(b->Left(), 0); // the bar's corner until the next relayout
    EXPECT_EQ(b->Top(), 0);
    EXPECT_TRUE(static_cast<bool>(b->OnMouseDown));
    EXPECT_TRUE(static_cast<bool>(b->OnDblClick));
    EXPECT_EQ(bar->Entry(0)->Component, nullptr);
    EXPECT_EQ(bar->Entry(0)->ClassName, "TTimer");
}

TEST_F(RegistryTest, WithoutTitlesTheCaptionIsEmpty) {
    NewForm();
    TStowbar* bar = QuietBar();
    bar->SetShowTitles(false);
    bar->SetShowPicture(false);
    bar->AddComponent("Timer1", "Tick", "TTimer");
    EXPECT_EQ(bar->Entry(0)->Button->Caption(), "");
    EXPECT_TRUE(bar->Entry(0)->Button->Glyph().Empty());
}

TEST_F(RegistryTest, FreeNVCsEmptiesTheListAndFreesButtons) {
    NewForm();
    TStowbar* bar = QuietBar();
    bar->FreeNVCs();
    EXPECT_EQ(bar->EntryCount(), 0);
    bar->AddComponent("Timer1", "Timer1", "TTimer");
    bar->AddComponent("Timer2", "Timer2", "TTimer");
    int controls = bar->ControlCount();
    bar->FreeNVCs();
    EXPECT_EQ(bar->EntryCount(), 0);
    EXPECT_EQ(bar->ControlCount(), controls - 2);
}

class ShowComponentsTest : public BarTest {
protected:
    // A bar holding entries for the given timers, resolved, without running a pass.
    TStowbar* BarWith(int count) {
        TStowbar* bar = DropBar();
        for (int i = 1; i <= count; ++i) {
            std::string name = "Timer" + std::to_string(i);
            bar->AddComponent(name, name, "TTimer");
        }
        bar->ComponentRefUpd();
        return bar;
    }
};

TEST_F(ShowComponentsTest, ShowingLaysEntriesOutInRowsThatWrapAfterTheEdge) {
    TCustomForm* form = NewForm(100 - 8, 300);
    ASSERT_EQ(form->Width(), 100);
    for (int i = 0; i < 5; ++i)
        Drop<TTimer>();
    TStowbar* bar = BarWith(5);
    bar->ShowComponents(true);
    std::vector<TPoint> expected{{0, 0}, {30, 0}, {60, 0}, {90, 0}, {0, 30}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(Pos(bar->Entry(i)->Component), expected[static_cast<size_t>(i)]) << i;
}

TEST_F(ShowComponentsTest, HidingPutsEveryEntryAtTheSamePlace) {
    NewForm();
    for (int i = 0; i < 40; ++i)
        Drop<TTimer>();
    TStowbar* bar = BarWith(40);
    bar->ShowComponents(false);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(Pos(bar->Entry(i)->Component), (TPoint{-10000, 0}));
}

TEST_F(ShowComponentsTest, IconWindowsAreWalkedFromTheBottomOfTheZOrder) {
    TCustomForm* form = NewForm(100 - 8, 300);
    TTimer* t1 = Drop<TTimer>("", 200, 200);
    TTimer* t2 = Drop<TTimer>("", 200, 200);
    TTimer* t3 = Drop<TTimer>("", 200, 200);
    TStowbar* bar = DropBar();
    bar->ShowComponents(true);
    Desktop& d = env.desktop();
    // Created later, sits higher: the first created gets the first slot.
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t1)).Left, 0);
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t2)).Left, 30);
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t3)).Left, 60);
    bar->ShowComponents(false);
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t1)).Left, -10000);
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t2)).Left, -9970);
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t3)).Left, -9940);
    (void)form;
}

TEST_F(ShowComponentsTest, OddSizedContainerGoesBelowAndLeftWithoutTakingASlot) {
    TCustomForm* form = NewForm();
    TTimer* t1 = Drop<TTimer>();
    // A foreign "TContainer" window that is not 28 by 28, between two icons.
    Desktop::CreateParams cp;
    cp.ClassName = "TContainer";
    cp.Parent = form->Handle();
    cp.Bounds = Bounds(300, 300, 40, 20);
    HWND odd = env.desktop().CreateWindowEx(cp);
    TTimer* t2 = Drop<TTimer>();
    TStowbar* bar = DropBar();
    bar->ShowComponents(true);
    Desktop& d = env.desktop();
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t1)), Bounds(0, 0, 28, 28));
    EXPECT_EQ(d.WindowRectInParent(odd), Bounds(0, 30, 40, 20));
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t2)), Bounds(30, 0, 28, 28));
}

TEST_F(ShowComponentsTest, EntriesWithoutAComponentAreSkipped) {
    TCustomForm* form = NewForm();
    (void)form;
    TTimer* t1 = Drop<TTimer>("Timer1");
    TStowbar* bar = DropBar();
    bar->AddComponent("Ghost", "Ghost", "TTimer"); // never resolved
    bar->AddComponent("Timer1", "Timer1", "TTimer");
    bar->Entry(1)->Component = t1;
    bar->ShowComponents(true);
    EXPECT_EQ(Pos(t1), (TPoint{0, 0}));
    // A component deleted from the form leaves its entry without a reference.
    t1->SetDesignInfo(12345);
    designer().SelectComponent(t1);
    designer().DeleteSelection();
    EXPECT_EQ(bar->Entry(1)->Component, nullptr);
    bar->ShowComponents(false); // must not touch the freed timer
}

} // namespace
} // namespace stowtest
