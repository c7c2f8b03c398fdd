// Groups and tabs: the tab list of each side, switching bars by tab, and the Move To submenu.
#include "support/HeartbeatFixture.h"

namespace stowtest {

using namespace host;

namespace {

class GroupsTest : public HeartbeatTest {
protected:
    // Bars A and B on top and C on the left; A holds Timer1 and is in view, B and C hidden.
    void ThreeBars() {
        NewForm();
        a = DropBar("A");
        Drop<TTimer>();
        Wait(10);
        b = DropBar("B");
        c = DropBar("C");
        c->SetAttachSide(asLeft);
        Wait(200);
        ASSERT_EQ(EntryNames(a), std::vector<std::string>{"Timer1"});
        ShowAlone(a);
    }
    static std::vector<std::string> Tabs(TStowbar* bar) { return bar->TabSet()->Tabs().Items(); }
    static std::vector<std::pair<std::string, int>> MoveTo(TStowbar* bar, TMenuItem* item) {
        bar->InsertGroupList(item);
        std::vector<std::pair<std::string, int>> items;
        for (int i = 0; i < item->Count(); ++i)
            items.emplace_back(item->Items(i)->Caption(), static_cast<int>(item->Items(i)->Tag()));
        return items;
    }
    TSpeedButton* TimerButton() { return a->Entry(0)->Button; }

    TStowbar* a = nullptr;
    TStowbar* b = nullptr;
    TStowbar* c = nullptr;
};

TEST_F(GroupsTest, EachSideListsItsOwnBarsWithTheOwnTabSelected) {
    ThreeBars();
    using Names = std::vector<std::string>;
    EXPECT_EQ(Tabs(a), (Names{"A", "B"}));
    EXPECT_EQ(Tabs(b), (Names{"A", "B"}));
    EXPECT_EQ(Tabs(c), Names{"C"});
    EXPECT_EQ(a->TabSet()->TabIndex(), 0);
    EXPECT_EQ(b->TabSet()->TabIndex(), 1);
    EXPECT_EQ(c->TabSet()->TabIndex(), 0);
}

TEST_F(GroupsTest, MoveToListsEveryOtherBarWithDescendingTags) {
    ThreeBars();
    using Items = std::vector<std::pair<std::string, int>>;
    auto* item = New<TMenuItem>(nullptr);
    EXPECT_EQ(MoveTo(a, item), (Items{{"B", -100}, {"C", -101}}));
    EXPECT_EQ(item->Items(0)->Owner(), a);
    EXPECT_TRUE(static_cast<bool>(item->Items(0)->OnClick));
    // Built again before every popup: the list does not grow.
    EXPECT_EQ(MoveTo(a, item), (Items{{"B", -100}, {"C", -101}}));
    EXPECT_EQ(MoveTo(c, item), (Items{{"A", -100}, {"B", -101}}));
    item->Free();
}

TEST_F(GroupsTest, MoveToOfTheOnlyBarIsEmpty) {
    NewForm();
    TStowbar* only = DropBar();
    Wait(10);
    auto* item = New<TMenuItem>(nullptr);
    EXPECT_TRUE(MoveTo(only, item).empty());
    item->Free();
}

TEST_F(GroupsTest, TabClickHidesThisBarAndBringsTheChosenOneForward) {
    ThreeBars();
    TimerButton()->SetDown(true);
    ASSERT_TRUE(TimerButton()->Down());
    ASSERT_TRUE(b->Hidden());
    ClickTab(a, "B");
    EXPECT_EQ(a->TabSet()->TabIndex(), 0);
    EXPECT_TRUE(a->Hidden());
    EXPECT_EQ(a->SlideFrames(), HidePath());
    EXPECT_TRUE(OnTop(b));
    EXPECT_FALSE(b->Hidden());
    EXPECT_EQ(b->SlideFrames(), ShowPath());
    EXPECT_EQ(b->TabSet()->TabIndex(), 1);
    EXPECT_EQ(designer().Selection(), std::vector<TComponent*>{b});
    EXPECT_FALSE(TimerButton()->Down());
    EXPECT_FALSE(TimerButton()->AllowAllUp());
    // B stays in view while it is selected.
    Wait(400);
    EXPECT_FALSE(b->Hidden());
}

TEST_F(GroupsTest, WithAutoHideOffATabOnlyBringsTheBarForward) {
    ThreeBars();
    a->SetAutoHide(false);
    ASSERT_FALSE(b->Hidden());
    a->BringToFront();
    ASSERT_TRUE(OnTop(a));
    ClickTab(a, "B");
    EXPECT_FALSE(a->Hidden());
    EXPECT_EQ(a->Top(), 0);
    EXPECT_TRUE(OnTop(b));
    EXPECT_EQ(b->SlideFrames(), std::vector<int>{0}); // from its jump into view, none since
    EXPECT_EQ(designer().Selection(), std::vector<TComponent*>{b});
    ClickTab(b, "A");
    EXPECT_TRUE(OnTop(a));
    EXPECT_EQ(a->TabSet()->TabIndex(), 0);
}

TEST_F(GroupsTest, RebuildingTheTabListSwitchesNothing) {
    ThreeBars();
    designer().SelectComponent(a->Entry(0)->Component);
    std::vector<HWND> z = ZOrder();
    for (TStowbar* bar : {a, b, c}) {
        bar->UpdateTabList();
        EXPECT_EQ(bar->TabSet()->TabIndex(), bar == b ? 1 : 0);
    }
    EXPECT_EQ(ZOrder(), z);
    EXPECT_EQ(designer().Selection(), std::vector<TComponent*>{a->Entry(0)->Component});
    EXPECT_FALSE(a->Hidden());
    EXPECT_TRUE(b->Hidden());
}

TEST_F(GroupsTest, TabThatNoLongerNamesABarChangesNothing) {
    enum Change { Renamed, NameTakenByATimer, Deleted };
    for (Change change : {Renamed, NameTakenByATimer, Deleted}) {
        SCOPED_TRACE(change);
        ThreeBars();
        if (change == Deleted) {
            designer().SelectComponent(b);
            designer().DeleteSelection();
            b = nullptr;
        } else {
            designer().Rename(b, "B2");
            if (change == NameTakenByATimer)
                designer().Rename(a->Entry(0)->Component, "B");
        }
        designer().SelectComponent(a);
        std::vector<HWND> z = ZOrder();
        ClickTab(a, "B");
        EXPECT_EQ(a->TabSet()->TabIndex(), 0);
        EXPECT_FALSE(a->Hidden());
        EXPECT_EQ(ZOrder(), z);
        EXPECT_EQ(designer().Selection(), std::vector<TComponent*>{a});
        if (b) {
            EXPECT_TRUE(b->Hidden());
        }
    }
}

TEST_F(GroupsTest, OutsideTheDesignerATabChangeOnlyChangesTheTab) {
    auto* form = New<TForm>(nullptr);
    form->SetClientSize(640, 480);
    form->HandleNeeded();
    auto* x = New<TStowbar>(form);
    x->SetName("X");
    auto* y = New<TStowbar>(form);
    y->SetName("Y");
    x->UpdateTabList();
    ASSERT_EQ(x->TabSet()->Tabs().Items(), (std::vector<std::string>{"X", "Y"}));
    ASSERT_EQ(x->TabSet()->TabIndex(), 0);
    TRect bx = x->BoundsRect(), by = y->BoundsRect();
    std::vector<HWND> z = env.desktop().Children(form->Handle());
    x->TabSet()->SetTabIndex(1);
    EXPECT_EQ(x->TabSet()->TabIndex(), 1);
    EXPECT_EQ(x->BoundsRect(), bx);
    EXPECT_EQ(y->BoundsRect(), by);
    EXPECT_TRUE(x->Hidden());
    EXPECT_TRUE(y->Hidden());
    EXPECT_EQ(env.desktop().Children(form->Handle()), z);
    EXPECT_TRUE(y->TabSet()->Tabs().Items().empty());
    form->Free();
}

} // namespace
} // namespace stowtest
