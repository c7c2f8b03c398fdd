// The collection pass: what qualifies, follow-ups after drops, deletes and renames, and the
// deferred trigger.
#include "support/BarFixture.h"

namespace stowtest {

using namespace host;

namespace {

// Classes named like the excluded table rows in another letter case, and descendants of the
// excluded ones.
class Tfield : public TComponent {
    HOST_CLASS(Tfield, TComponent)
};
HOST_IMPLEMENT_CLASS(Tfield, TComponent)
class TMyMenuItem : public TMenuItem {
    HOST_CLASS(TMyMenuItem, TMenuItem)
};
HOST_IMPLEMENT_CLASS(TMyMenuItem, TMenuItem)

class CollectTest : public BarTest {};

TEST_F(CollectTest, CollectsQualifyingComponentsInFormOrder) {
    NewForm();
    Drop<TTimer>("Timer1");
    Drop<TTable>("Table1");
    Drop<TStringField>("Table1Name");
    Drop<TMainMenu>("MainMenu1");
    Drop<TMenuItem>("MenuItem1");
    Drop<TButton>("Button1");
    Drop<TPanel>("Panel1");
    Drop<TDataSource>("DataSource1");
    NewComponent(TTimer::StaticClass(), env.Root()); // no name
    NewComponent(Tfield::StaticClass(), env.Root())->SetName("Lower1");
    NewComponent(TMyMenuItem::StaticClass(), env.Root())->SetName("MyItem1");
    NewComponent(TNestedTable::StaticClass(), env.Root())->SetName("Nested1");
    TStowbar* other = DropBar("Other");
    TStowbar* bar = DropBar();
    Wait(1);
    std::vector<std::string> all = EntryNames(other);
    for (const auto& n : EntryNames(bar))
        all.push_back(n);
    std::sort(all.begin(), all.end());
    EXPECT_EQ(all, (std::vector<std::string>{"DataSource1", "Lower1", "MainMenu1", "Nested1",
                                             "Table1", "Timer1"}));
    // The first bar's pass ran first and took everything; the other excludes them.
    EXPECT_EQ(EntryNames(other), (std::vector<std::string>{"Timer1", "Table1", "MainMenu1",
                                                           "DataSource1", "Lower1", "Nested1"}));
    EXPECT_EQ(bar->EntryCount(), 0);
    EXPECT_EQ(Excluded(bar).size(), 6u);
}

TEST_F(CollectTest, CanWeCollectComparesClassNamesThroughTheChain) {
    NewForm();
    TStowbar* bar = DropBar();
    struct Case {
        const TClass* cls;
        bool collected;
    } cases[] = {{TTimer::StaticClass(), true},         {TStringField::StaticClass(), false},
                 {TIntegerField::StaticClass(), false}, {TMenuItem::StaticClass(), false},
                 {TMyMenuItem::StaticClass(), false},   {TButton::StaticClass(), false},
                 {TLabel::StaticClass(), false},        {Tfield::StaticClass(), true},
                 {TNestedTable::StaticClass(), true}};
    EXPECT_FALSE(bar->CanWeCollect(bar));
    for (const Case& c : cases) {
        TComponent* comp = NewComponent(c.cls, nullptr);
        EXPECT_EQ(bar->CanWeCollect(comp), c.collected) << c.cls->ClassName();
        comp->Free();
    }
    EXPECT_FALSE(bar->CanWeCollect(nullptr));
}

TEST_F(CollectTest, LaterDropIsCollectedAfterThePostedMessage) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(1);
    Drop<TTimer>("Timer1");
    EXPECT_EQ(bar->EntryCount(), 0); // posted, not yet handled
    Settle();
    EXPECT_EQ(EntryNames(bar), std::vector<std::string>{"Timer1"});
    EXPECT_EQ(bar->Entry(0)->Component, env.Root()->FindComponent("Timer1"));
}

// Input that waits when the pass is due comes first, and the pass still runs: the pass's message
// goes back behind the input (behind the posted messages alone it would come first for ever, and
// a live window would stop answering).
TEST_F(CollectTest, WaitingInputComesBeforeThePassAndThePassStillRuns) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(1);
    Drop<TTimer>("Timer1");
    host::Desktop& d = env.desktop();
    d.PostInput(env.Form()->Handle(), WM_MOUSEMOVE, 0, MakeLParam(5, 5));
    std::vector<UINT> order;
    d.OnDispatch = [&](HWND, const TMessage& m) {
        if (m.Msg == WM_MOUSEMOVE || m.Msg == stow::CM_COLLECT)
            order.push_back(m.Msg);
        if (order.size() > 100)
            throw std::runtime_error("the pass's message keeps coming back before the input");
    };
    Settle();
    d.OnDispatch = nullptr;
    EXPECT_EQ(order, (std::vector<UINT>{stow::CM_COLLECT, WM_MOUSEMOVE, stow::CM_COLLECT}));
    EXPECT_EQ(EntryNames(bar), std::vector<std::string>{"Timer1"});
}

TEST_F(CollectTest, DeletedComponentLeavesAndTheGapCloses) {
    NewForm();
    Drop<TTimer>("Timer1");
    Drop<TTimer>("Timer2");
    Drop<TTimer>("Timer3");
    TStowbar* bar = DropBar();
    Wait(1);
    int controls = bar->ControlCount();
    designer().SelectComponent(env.Root()->FindComponent("Timer2"));
    designer().DeleteSelection();
    // Until the pass runs, the entry no longer refers to the freed component.
    ASSERT_EQ(bar->EntryCount(), 3);
    EXPECT_EQ(bar->Entry(1)->Component, nullptr);
    Settle();
    EXPECT_EQ(EntryNames(bar), (std::vector<std::string>{"Timer1", "Timer3"}));
    EXPECT_EQ(bar->ControlCount(), controls - 1);
    EXPECT_EQ(bar->Entry(1)->Button->Left(), 132);
}

TEST_F(CollectTest, RenameKeepsUserTitleAndFollowsNameTitle) {
    NewForm();
    Drop<TTimer>("Timer1");
    Drop<TTimer>("Timer2");
    TStowbar* bar = DropBar();
    Wait(1);
    bar->Entry(1)->Title = "Heartbeat";
    designer().Rename(env.Root()->FindComponent("Timer1"), "Clock");
    designer().Rename(env.Root()->FindComponent("Timer2"), "Ticker");
    Wait(200); // the next tick's relayout
    EXPECT_EQ(EntryNames(bar), (std::vector<std::string>{"Clock", "Ticker"}));
    EXPECT_EQ(bar->Entry(0)->Title, "Clock");
    EXPECT_EQ(bar->Entry(1)->Title, "Heartbeat");
    EXPECT_EQ(bar->Entry(0)->Button->Left(), 2);
    EXPECT_EQ(bar->Entry(1)->Button->Caption(), "Heartbeat");
}

TEST_F(CollectTest, RenameThenPassBeforeTickDropsAndRecollectsAtTheEnd) {
    NewForm();
    Drop<TTimer>("Timer1");
    Drop<TTimer>("Timer2");
    TStowbar* bar = DropBar();
    Wait(1);
    bar->Entry(0)->Title = "Mine";
    designer().Rename(env.Root()->FindComponent("Timer1"), "Clock");
    bar->Collect(); // before any tick: the old name is gone from the form
    EXPECT_EQ(EntryNames(bar), (std::vector<std::string>{"Timer2", "Clock"}));
    EXPECT_EQ(bar->Entry(1)->Title, "Clock");
}

TEST_F(CollectTest, CollectMessageForAnotherBarChangesNothing) {
    NewForm();
    TStowbar* bar = DropBar();
    TStowbar* other = DropBar();
    Wait(1);
    NewComponent(TTimer::StaticClass(), env.Root())->SetName("Late");
    // Handle what the insertion posted, then hand the bar a message naming the other bar.
    while (env.desktop().PendingCount() > 0)
        env.desktop().ProcessMessages();
    bar->FreeNVCs();
    env.desktop().SendMessage(bar->Handle(), stow::CM_COLLECT, 0, reinterpret_cast<LPARAM>(other));
    EXPECT_EQ(bar->EntryCount(), 0);
    env.desktop().SendMessage(bar->Handle(), stow::CM_COLLECT, 0, reinterpret_cast<LPARAM>(bar));
    EXPECT_EQ(bar->EntryCount(), 0); // the other bar holds Late
}

TEST_F(CollectTest, NotificationsPostOnlyInTheExactDesigningState) {
    NewForm();
    TStowbar* bar = DropBar();
    Wait(1);
    ASSERT_EQ(env.desktop().PendingCount(), 0u);
    bar->IncludeState(csLoading);
    Drop<TTimer>();
    EXPECT_EQ(env.desktop().PendingCount(), 0u);
    bar->ExcludeState(csLoading);
    bar->IncludeState(csDestroying);
    Drop<TTimer>();
    EXPECT_EQ(env.desktop().PendingCount(), 0u);
    bar->ExcludeState(csDestroying);
    Drop<TTimer>();
    EXPECT_EQ(env.desktop().PendingCount(), 1u);
    // About itself or about nothing: nothing posted.
    Settle();
    bar->Notification(bar, opInsert);
    bar->Notification(nullptr, opInsert);
    EXPECT_EQ(env.desktop().PendingCount(), 0u);
}

TEST_F(CollectTest, TwoBarsAndANewComponentOneTakesIt) {
    NewForm();
    TStowbar* a = DropBar();
    TStowbar* b = DropBar();
    Wait(1);
    Drop<TTimer>("Timer1");
    Settle();
    EXPECT_EQ(a->EntryCount() + b->EntryCount(), 1);
}

TEST_F(CollectTest, SecondPassChangesNothing) {
    NewForm();
    Drop<TTimer>();
    Drop<TTable>();
    TStowbar* bar = DropBar();
    Wait(1);
    auto names = EntryNames(bar);
    std::vector<int> lefts;
    for (int i = 0; i < bar->EntryCount(); ++i)
        lefts.push_back(bar->Entry(i)->Button->Left());
    bar->Collect();
    EXPECT_EQ(EntryNames(bar), names);
    for (int i = 0; i < bar->EntryCount(); ++i)
        EXPECT_EQ(bar->Entry(i)->Button->Left(), lefts[static_cast<size_t>(i)]);
}

TEST_F(CollectTest, IconsGoOutOfSightAfterThePass) {
    NewForm();
    TTimer* t = Drop<TTimer>("Timer1", 100, 100);
    DropBar();
    Wait(1);
    EXPECT_EQ(Pos(t), (TPoint{-10000, 0}));
    EXPECT_EQ(env.desktop().WindowRectInParent(designer().IconOf(t)).Left, -10000);
}

} // namespace
} // namespace stowtest
