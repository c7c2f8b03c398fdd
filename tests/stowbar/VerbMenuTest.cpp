// Button presses and the popup menu: selection, the editor prepared by each press, the items
// of the rebuilt menu, and presses that must do nothing.
#include "stowbar/MenuSupport.h"

namespace stowtest {

using namespace host;

namespace {

using Items = std::vector<std::string>;

class VerbMenuTest : public MenuTest {
protected:
    // A form with the given components (class, name) and one bar that has collected them.
    TStowbar* BarWith(const std::vector<std::pair<const TClass*, std::string>>& components) {
        NewForm();
        for (const auto& [cls, name] : components)
            designer().Drop(cls, name, 0, 0);
        TStowbar* bar = DropBar();
        Wait(250);
        return bar;
    }
};

TEST_F(VerbMenuTest, EditorWithoutVerbsGivesTheSixFixedItemsOnly) {
    TStowbar* bar = BarWith({{TTimer::StaticClass(), "Timer1"}});
    Press(bar, "Timer1", mbRight);
    EXPECT_EQ(LastMenu(), (Items{"About \"Timer1\"", "(Move To)", "Change Title of \"Timer1\"",
                                 "Delete \"Timer1\"", "(MOVE LEFT)", "(MOVE RIGHT)"}));
}

TEST_F(VerbMenuTest, TwoVerbsComeFirstAndTheMenuNeverGrows) {
    TStowbar* bar = BarWith({{TTable::StaticClass(), "Table1"}, {TTimer::StaticClass(), "Timer1"}});
    const Items nine{"Fields Editor...",  "Explore...",  "-",
                     "About \"Table1\"",  "(Move To)",   "Change Title of \"Table1\"",
                     "Delete \"Table1\"", "(MOVE LEFT)", "MOVE RIGHT"};
    Press(bar, "Table1", mbRight);
    EXPECT_EQ(LastMenu(), nine);
    int owned = bar->ComponentCount();
    for (int round = 0; round < 3; ++round) {
        Press(bar, "Table1", mbRight);
        EXPECT_EQ(LastMenu(), nine);
        EXPECT_EQ(bar->VerbMenu()->Items()->Count(), 9);
        EXPECT_EQ(bar->ComponentCount(), owned);
    }
    // A component without verbs next: the verb items and the separator are gone, and freed.
    Press(bar, "Timer1", mbRight);
    EXPECT_EQ(LastMenu().size(), 6u);
    EXPECT_EQ(bar->ComponentCount(), owned - 3);
}

TEST_F(VerbMenuTest, VerbItemsCarryTheirIndexAndTheSeparatorNoHandler) {
    TStowbar* bar = BarWith({{TTable::StaticClass(), "Table1"}});
    Press(bar, "Table1", mbRight);
    TMenuItem* items = bar->VerbMenu()->Items();
    EXPECT_EQ(items->Items(0)->Tag(), 0);
    EXPECT_EQ(items->Items(1)->Tag(), 1);
    EXPECT_EQ(items->Items(2)->Tag(), 0);
    EXPECT_FALSE(items->Items(2)->OnClick);
    EXPECT_EQ(items->Items(0)->Owner(), bar);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(items->Items(3 + i)->Tag(), -1 - i);
    EXPECT_FALSE(items->Items(4)->OnClick); // Move To
}

struct SideCase {
    TAttachSide Side;
    const char* Towards;
    const char* Away;
};

class MoveCaptionTest : public VerbMenuTest, public ::testing::WithParamInterface<SideCase> {};

TEST_P(MoveCaptionTest, MoveItemsNameTheBarsDirection) {
    TStowbar* bar = BarWith({{TTimer::StaticClass(), "Timer1"}, {TTimer::StaticClass(), "Timer2"}});
    bar->SetAttachSide(GetParam().Side);
    Wait(250);
    Press(bar, "Timer1", mbRight);
    Items menu = LastMenu();
    ASSERT_EQ(menu.size(), 6u);
    EXPECT_EQ(menu[4], std::string("(MOVE ") + GetParam().Towards + ")");
    EXPECT_EQ(menu[5], std::string("MOVE ") + GetParam().Away);
}

INSTANTIATE_TEST_SUITE_P(Sides, MoveCaptionTest,
                         ::testing::Values(SideCase{asLeft, "UP", "DOWN"},
                                           SideCase{asTop, "LEFT", "RIGHT"},
                                           SideCase{asNone, "LEFT", "RIGHT"}));

TEST_F(VerbMenuTest, FirstAndLastEntriesCannotMoveOffTheList) {
    TStowbar* bar = BarWith({{TTimer::StaticClass(), "Timer1"},
                             {TTimer::StaticClass(), "Timer2"},
                             {TTimer::StaticClass(), "Timer3"}});
    struct Case {
        const char* Name;
        bool Towards, Away;
    };
    for (Case c :
         {Case{"Timer1", false, true}, Case{"Timer2", true, true}, Case{"Timer3", true, false}}) {
        Press(bar, c.Name, mbRight);
        TMenuItem* items = bar->VerbMenu()->Items();
        EXPECT_EQ(items->Items(4)->Enabled(), c.Towards) << c.Name;
        EXPECT_EQ(items->Items(5)->Enabled(), c.Away) << c.Name;
    }
}

TEST_F(VerbMenuTest, MoveToListsTheOtherBarsOfTheForm) {
    TStowbar* a = BarWith({{TTimer::StaticClass(), "Timer1"}});
    TStowbar* b = DropBar("Other");
    TStowbar* c = DropBar("Third");
    c->SetAttachSide(asLeft);
    Wait(250);
    ASSERT_EQ(EntryNames(a), Items{"Timer1"});
    Press(a, "Timer1", mbRight);
    EXPECT_EQ(LastMenu()[1], "Move To [Other | Third]");
    TMenuItem* moveTo = a->VerbMenu()->Items()->Items(1);
    EXPECT_EQ(moveTo->Items(0)->Tag(), -100);
    EXPECT_EQ(moveTo->Items(1)->Tag(), -101);
    // The submenu is rebuilt from the bars present at each popup; old items are freed.
    int owned = a->ComponentCount();
    b->Free();
    Wait(50);
    Press(a, "Timer1", mbRight);
    EXPECT_EQ(LastMenu()[1], "Move To [Third]");
    EXPECT_EQ(a->ComponentCount(), owned - 1);
}

TEST_F(VerbMenuTest, TitleShowsInAboutAndTheNameInTheOtherItemsPercentLiterally) {
    TStowbar* bar = BarWith({{TTimer::StaticClass(), "Timer1"}});
    ASSERT_NE(EntryOf(bar, "Timer1"), nullptr);
    EntryOf(bar, "Timer1")->Title = "100% %s %d";
    Press(bar, "Timer1", mbRight);
    Items menu = LastMenu();
    EXPECT_EQ(menu[0], "About \"100% %s %d\"");
    EXPECT_EQ(menu[2], "Change Title of \"Timer1\"");
    EXPECT_EQ(menu[3], "Delete \"Timer1\"");
}

TEST_F(VerbMenuTest, LeftAndMiddleClicksSelectAndPrepareTheEditorWithoutAMenu) {
    TStowbar* bar = BarWith({{TTable::StaticClass(), "Table1"}, {TTimer::StaticClass(), "Timer1"}});
    for (TMouseButton which : {mbLeft, mbMiddle}) {
        designer().SetSelection({bar});
        Press(bar, "Table1", which);
        EXPECT_EQ(Selected(), Items{"Table1"});
        ASSERT_NE(bar->Editor(), nullptr);
        EXPECT_EQ(bar->Editor()->Component(), env.Root()->FindComponent("Table1"));
        EXPECT_EQ(bar->Editor()->GetVerbCount(), 2);
        Press(bar, "Timer1", which);
        EXPECT_EQ(bar->Editor()->Component(), env.Root()->FindComponent("Timer1"));
    }
    EXPECT_TRUE(menus.Shown.empty());
    EXPECT_TRUE(events.empty());
}

TEST_F(VerbMenuTest, RightClickLeavesTheButtonDown) {
    TStowbar* bar = BarWith({{TTimer::StaticClass(), "Timer1"}, {TTimer::StaticClass(), "Timer2"}});
    Press(bar, "Timer1");
    Press(bar, "Timer2", mbRight);
    ASSERT_NE(ButtonOf(bar, "Timer2"), nullptr);
    EXPECT_TRUE(ButtonOf(bar, "Timer2")->Down());
    ASSERT_NE(ButtonOf(bar, "Timer1"), nullptr);
    EXPECT_FALSE(ButtonOf(bar, "Timer1")->Down());
}

TEST_F(VerbMenuTest, PressOnAnEntryWhoseComponentHasJustGoneDoesNothing) {
    TStowbar* bar = BarWith({{TTable::StaticClass(), "Table1"}, {TTimer::StaticClass(), "Timer1"}});
    Press(bar, "Table1");
    ASSERT_NE(bar->Editor(), nullptr);
    // Timer1 is deleted; its entry waits for the pass its removal posted.
    designer().SetSelection({env.Root()->FindComponent("Timer1")});
    env.Form()->Perform(WM_KEYDOWN, VK_DELETE, 0);
    TSpeedButton* b = ButtonOf(bar, "Timer1");
    ASSERT_NE(b, nullptr);
    ASSERT_NE(EntryOf(bar, "Timer1"), nullptr);
    ASSERT_EQ(EntryOf(bar, "Timer1")->Component, nullptr);
    designer().SetSelection({bar});
    ASSERT_TRUE(b->OnMouseDown);
    b->OnMouseDown(b, mbRight, {}, 1, 1);
    EXPECT_EQ(bar->Editor(), nullptr); // not Table1's editor any more, and no editor of nothing
    EXPECT_EQ(Selected(), Items{bar->Name()});
    EXPECT_TRUE(menus.Shown.empty());
    ASSERT_TRUE(b->OnDblClick);
    b->OnDblClick(b);
    EXPECT_TRUE(events.empty());
    Settle();
    EXPECT_EQ(EntryNames(bar), Items{"Table1"});
}

TEST_F(VerbMenuTest, OutsideTheDesignerClicksDoNothing) {
    // A running form: nothing is designing.
    auto* form = New<TForm>(nullptr);
    form->HandleNeeded();
    auto* timer = New<TTimer>(form);
    timer->SetName("Timer1");
    auto* bar = New<TStowbar>(form);
    ASSERT_FALSE(bar->Designing());
    bar->AddComponent("Timer1", "Timer1", "TTimer");
    bar->ComponentRefUpd();
    ASSERT_EQ(bar->EntryCount(), 1);
    TSpeedButton* b = bar->Entry(0)->Button;
    for (TMouseButton which : {mbLeft, mbRight, mbMiddle})
        b->OnMouseDown(b, which, {}, 1, 1);
    b->OnDblClick(b);
    ClickItem(bar, -4);
    ClickItem(bar, -1);
    EXPECT_EQ(bar->Editor(), nullptr);
    EXPECT_TRUE(menus.Shown.empty());
    EXPECT_TRUE(events.empty());
    EXPECT_TRUE(env.dialogs().Shown().empty());
    EXPECT_EQ(form->FindComponent("Timer1"), timer);
    form->Free();
}

TEST_F(VerbMenuTest, ChosenVerbRunsTheEditorOfThePressedComponent) {
    TStowbar* bar =
        BarWith({{TTable::StaticClass(), "Table1"}, {TImageList::StaticClass(), "Images"}});
    Choose(bar, "Table1", {"Explore..."});
    Choose(bar, "Images", {"ImageList Editor..."});
    Choose(bar, "Table1", {"Fields Editor..."});
    EXPECT_EQ(events, (Items{"verb: Table1 Explore...", "verb: Images ImageList Editor...",
                             "verb: Table1 Fields Editor..."}));
}

TEST_F(VerbMenuTest, DoubleClickRunsTheEditorOfTheDoubleClickedComponent) {
    TStowbar* bar = BarWith({{TTable::StaticClass(), "Table1"}, {TTimer::StaticClass(), "Timer1"}});
    int modified = designer().ModifiedCount();
    DblClick(bar, "Table1");
    DblClick(bar, "Timer1");
    DblClick(bar, "Timer1");
    EXPECT_EQ(events, (Items{"verb: Table1 Fields Editor...", "edit: Timer1 Timer1Timer",
                             "edit: Timer1 Timer1Timer"}));
    auto* timer = static_cast<TTimer*>(env.Root()->FindComponent("Timer1"));
    EXPECT_EQ(timer->OnTimer, "Timer1Timer");
    // Making the handler changed the form once; showing it again changes nothing.
    EXPECT_EQ(designer().ModifiedCount(), modified + 1);
}

} // namespace
} // namespace stowtest
