// A bar's life after construction: its window and timers, Loaded, and what deleting it or
// closing its form does with the collected components.
#include "support/BarFixture.h"

namespace stowtest {

using namespace host;

namespace {

class LifecycleTest : public BarTest {};

TEST_F(LifecycleTest, WindowStartsBothTimersAndTimerTwoTicksOnce) {
    NewForm();
    TStowbar* bar = DropBar();
    HWND h = bar->Handle();
    EXPECT_EQ(env.desktop().TimersOf(h), (std::vector<uintptr_t>{1, 2}));
    int twos = 0, ones = 0;
    env.desktop().OnDispatch = [&](HWND hwnd, const TMessage& m) {
        if (hwnd == h && m.Msg == WM_TIMER)
            (m.WParam == 2 ? twos : ones)++;
    };
    Wait(1000);
    EXPECT_EQ(twos, 1);
    EXPECT_EQ(ones, 5);
    EXPECT_EQ(env.desktop().TimersOf(h), (std::vector<uintptr_t>{1}));
    env.desktop().OnDispatch = nullptr;
    bar->DestroyHandle();
    EXPECT_TRUE(env.desktop().TimersOf(h).empty());
}

TEST_F(LifecycleTest, LoadedPutsADockedBarAtItsHiddenPlace) {
    NewForm();
    TStowbar* top = DropBar();
    top->SetBounds(0, 0, 640, 60);
    top->IncludeState(csLoading);
    top->Loaded();
    EXPECT_EQ(top->Top(), -57);
    TStowbar* free = DropBar();
    free->SetAttachSide(asNone);
    free->SetBounds(40, 50, 200, 80);
    free->IncludeState(csLoading);
    free->Loaded();
    EXPECT_EQ(free->BoundsRect(), Bounds(40, 50, 200, 80));
}

TEST_F(LifecycleTest, DeletingTheOnlyBarLaysTheIconsOutAgain) {
    NewForm();
    TTimer* t1 = Drop<TTimer>("", 300, 300);
    TTimer* t2 = Drop<TTimer>("", 300, 300);
    TTimer* t3 = Drop<TTimer>("", 300, 300);
    TStowbar* bar = DropBar();
    Wait(1);
    ASSERT_EQ(bar->EntryCount(), 3);
    designer().SelectComponent(bar);
    designer().DeleteSelection();
    EXPECT_TRUE(Dialogs().empty());
    EXPECT_EQ(Pos(t1), (TPoint{0, 0}));
    EXPECT_EQ(Pos(t2), (TPoint{30, 0}));
    EXPECT_EQ(Pos(t3), (TPoint{60, 0}));
    Desktop& d = env.desktop();
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t1)).Left, 0);
    EXPECT_EQ(d.WindowRectInParent(designer().IconOf(t3)).Left, 60);
}

TEST_F(LifecycleTest, DeletingABarHandsItsEntriesToTheFirstOtherBarInReverse) {
    NewForm();
    TStowbar* heir = DropBar("Heir");
    TStowbar* dying = DropBar("Dying");
    Wait(1);
    heir->AddComponent("P", "P", "TTimer");
    for (const char* n : {"A", "B", "C"})
        dying->AddComponent(n, n, "TTimer");
    ASSERT_EQ(EntryNames(dying), (std::vector<std::string>{"A", "B", "C"}));
    designer().SelectComponent(dying);
    designer().DeleteSelection();
    EXPECT_EQ(EntryNames(heir), (std::vector<std::string>{"P", "C", "B", "A"}));
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].Text,
              "Collected components of \"Dying\" has been moved to \"Heir\", due to Delete action");
}

TEST_F(LifecycleTest, HeirIsTheFirstOtherBarWhateverItsSide) {
    NewForm();
    TStowbar* left = DropBar("Left");
    left->SetAttachSide(stow::asLeft);
    TStowbar* top = DropBar("Top");
    Wait(1);
    TStowbar* dying = DropBar("Dying");
    Settle();
    dying->AddComponent("X", "X", "TTimer");
    designer().SelectComponent(dying);
    designer().DeleteSelection();
    EXPECT_EQ(EntryNames(left), std::vector<std::string>{"X"});
    EXPECT_EQ(top->EntryCount(), 0);
}

TEST_F(LifecycleTest, DeletingAnEmptyBarBesideAnotherMovesNothing) {
    NewForm();
    TTimer* t = Drop<TTimer>();
    TStowbar* a = DropBar();
    Wait(1);
    TStowbar* empty = DropBar();
    Settle();
    ASSERT_EQ(empty->EntryCount(), 0);
    TPoint before = Pos(t);
    designer().SelectComponent(empty);
    designer().DeleteSelection();
    EXPECT_TRUE(Dialogs().empty());
    EXPECT_EQ(Pos(t), before);
    EXPECT_EQ(a->EntryCount(), 1);
}

TEST_F(LifecycleTest, ClosingTheFormShowsNothingAndMovesNothing) {
    NewForm();
    TTimer* t = Drop<TTimer>();
    DropBar();
    DropBar();
    Wait(1);
    int32_t before = t->DesignInfo();
    int moves = 0;
    env.desktop().OnDispatch = [&](HWND, const TMessage& m) {
        if (m.Msg == WM_WINDOWPOSCHANGED)
            ++moves;
    };
    // Watch the timer's position through a free notification while the form goes.
    struct Watch : TComponent {
        int32_t* seen;
        TTimer* timer;
        void Notification(TComponent* c, TOperation op) override {
            if (c == timer && op == opRemove)
                *seen = timer->DesignInfo();
            TComponent::Notification(c, op);
        }
    };
    int32_t seen = 0;
    auto* watch = New<Watch>(nullptr);
    watch->seen = &seen;
    watch->timer = t;
    watch->FreeNotification(t);
    env.Close();
    env.desktop().OnDispatch = nullptr;
    watch->Free();
    EXPECT_TRUE(Dialogs().empty());
    EXPECT_EQ(seen, before);
    EXPECT_EQ(moves, 0);
}

} // namespace
} // namespace stowtest
