// The menu commands: About, Change Title, Delete, the two moves, Move To, and commands that
// find no entry or carry a tag that means nothing.
#include "stowbar/MenuSupport.h"

namespace stowtest {

using namespace host;

namespace {

using Names = std::vector<std::string>;

class CommandsTest : public MenuTest {
protected:
    // Form1 with Timer1..Timer3 collected by Stowbar1.
    TStowbar* ThreeTimers() {
        NewForm();
        for (const char* name : {"Timer1", "Timer2", "Timer3"})
            Drop<TTimer>(name);
        TStowbar* bar = DropBar();
        Wait(250);
        return bar;
    }
    std::vector<std::string> Titles(TStowbar* bar) {
        std::vector<std::string> titles;
        for (int i = 0; i < bar->EntryCount(); ++i)
            titles.push_back(bar->Entry(i)->Title);
        return titles;
    }
    std::vector<std::string> DialogTexts() {
        std::vector<std::string> texts;
        for (const DialogRecord& r : Dialogs())
            texts.push_back(r.Kind == "query" ? "query " + r.Caption + " | " + r.Prompt + " | " +
                                                    r.Value + " -> " + r.Answer.value_or("cancel")
                                              : r.Kind + " " + r.Text);
        return texts;
    }
};

TEST_F(CommandsTest, AboutShowsFourLinesEndingWithTheLiveParentClass) {
    NewForm();
    Drop<TNestedTable>("Orders");
    TStowbar* bar = DropBar();
    Wait(250);
    TNVC* e = EntryOf(bar, "Orders");
    ASSERT_NE(e, nullptr);
    e->Title = "All orders";
    e->ClassName = "TStoredClass"; // the entry's own record is shown as stored
    Choose(bar, "Orders", {"About \"All orders\""});
    ASSERT_EQ(Dialogs().size(), 1u);
    EXPECT_EQ(Dialogs()[0].Kind, "message");
    EXPECT_EQ(Dialogs()[0].Text, "Title: All orders\rName:  Orders\rClass: TStoredClass\r"
                                 "Inherited Class: TTable");
}

TEST_F(CommandsTest, ChangeTitleCancelledOrUnchangedDoesNothing) {
    TStowbar* bar = ThreeTimers();
    int modified = designer().ModifiedCount();
    env.dialogs().QueueAnswer(std::nullopt);
    Choose(bar, "Timer2", {"Change Title of \"Timer2\""});
    env.dialogs().QueueAnswer("Timer2");
    Choose(bar, "Timer2", {"Change Title of \"Timer2\""});
    EXPECT_EQ(DialogTexts(), (Names{"query Title of Timer2 | Title | Timer2 -> cancel",
                                    "query Title of Timer2 | Title | Timer2 -> Timer2"}));
    EXPECT_EQ(Titles(bar), (Names{"Timer1", "Timer2", "Timer3"}));
    EXPECT_EQ(designer().ModifiedCount(), modified);
}

TEST_F(CommandsTest, DuplicateTitleIsRefusedAndTheDialogReopensWithTheOldTitle) {
    TStowbar* bar = ThreeTimers();
    ASSERT_NE(EntryOf(bar, "Timer3"), nullptr);
    EntryOf(bar, "Timer3")->Title = "Clock";
    int modified = designer().ModifiedCount();
    env.dialogs().QueueAnswer("Clock");
    env.dialogs().QueueAnswer("Timer1");
    env.dialogs().QueueAnswer("Alarm");
    Choose(bar, "Timer2", {"Change Title of \"Timer2\""});
    EXPECT_EQ(DialogTexts(),
              (Names{"query Title of Timer2 | Title | Timer2 -> Clock",
                     "error Clock is allready assigned to Timer3, please enter another title",
                     "query Title of Timer2 | Title | Timer2 -> Timer1",
                     "error Timer1 is allready assigned to Timer1, please enter another title",
                     "query Title of Timer2 | Title | Timer2 -> Alarm"}));
    EXPECT_EQ(Dialogs()[1].HelpContext, 0);
    EXPECT_EQ(Titles(bar), (Names{"Timer1", "Alarm", "Clock"}));
    EXPECT_EQ(designer().ModifiedCount(), modified + 1);
}

TEST_F(CommandsTest, FreeTitlesAreTakenEmptyAndCaseVariantsIncluded) {
    struct Case {
        const char* Answer;
        const char* Other; // the title another entry carries
        bool Taken;
    };
    for (Case c : {Case{"", "Timer3", true}, Case{"", "", false}, Case{"timer1", "Timer1", true},
                   Case{"TIMER3", "Timer3", true}}) {
        SCOPED_TRACE(std::string("answer '") + c.Answer + "', other '" + c.Other + "'");
        TStowbar* bar = ThreeTimers();
        ASSERT_NE(EntryOf(bar, "Timer3"), nullptr);
        EntryOf(bar, "Timer3")->Title = c.Other;
        env.dialogs().Clear();
        int modified = designer().ModifiedCount();
        env.dialogs().QueueAnswer(c.Answer);
        Choose(bar, "Timer2", {"Change Title of \"Timer2\""});
        if (c.Taken) {
            ASSERT_NE(EntryOf(bar, "Timer2"), nullptr);
            EXPECT_EQ(EntryOf(bar, "Timer2")->Title, c.Answer);
            EXPECT_EQ(designer().ModifiedCount(), modified + 1);
            EXPECT_EQ(Dialogs().size(), 1u);
        } else {
            // Refused; the reopened dialog finds no answer and is cancelled.
            ASSERT_NE(EntryOf(bar, "Timer2"), nullptr);
            EXPECT_EQ(EntryOf(bar, "Timer2")->Title, "Timer2");
            EXPECT_EQ(designer().ModifiedCount(), modified);
            EXPECT_EQ(Dialogs().size(), 3u);
        }
    }
}

TEST_F(CommandsTest, TitlesOfOtherBarsDoNotCount) {
    TStowbar* a = ThreeTimers();
    TStowbar* b = DropBar("Other");
    Wait(50);
    Drop<TTimer>("Timer4");
    Wait(250);
    // Whichever bar took the new timer, it ends up on the second one.
    if (EntryOf(a, "Timer4"))
        Choose(a, "Timer4", {"Move To", "Other"});
    ASSERT_EQ(EntryNames(b), Names{"Timer4"});
    env.dialogs().QueueAnswer("Timer1");
    Choose(b, "Timer4", {"Change Title of \"Timer4\""});
    ASSERT_NE(EntryOf(b, "Timer4"), nullptr);
    EXPECT_EQ(EntryOf(b, "Timer4")->Title, "Timer1");
}

TEST_F(CommandsTest, NewTitleReachesTheButtonAtTheNextRelayout) {
    TStowbar* bar = ThreeTimers();
    env.dialogs().QueueAnswer("Clock");
    Choose(bar, "Timer1", {"Change Title of \"Timer1\""});
    ASSERT_NE(EntryOf(bar, "Timer1"), nullptr);
    EXPECT_EQ(EntryOf(bar, "Timer1")->Title, "Clock");
    ASSERT_NE(ButtonOf(bar, "Timer1"), nullptr);
    EXPECT_EQ(ButtonOf(bar, "Timer1")->Caption(), "Timer1");
    Wait(200);
    ASSERT_NE(ButtonOf(bar, "Timer1"), nullptr);
    EXPECT_EQ(ButtonOf(bar, "Timer1")->Caption(), "Clock");
    Press(bar, "Timer1", mbRight);
    EXPECT_EQ(LastMenu()[0], "About \"Clock\"");
}

TEST_F(CommandsTest, DeleteRemovesOnlyTheEntrysComponentAndTheEntryGoesWithTheNextPass) {
    TStowbar* bar = ThreeTimers();
    int modified = designer().ModifiedCount();
    // The press selects Timer2; more gets selected before the command runs.
    menus.Choices.push_back({"Delete \"Timer2\""});
    TSpeedButton* b = ButtonOf(bar, "Timer2");
    ASSERT_NE(b, nullptr);
    LPARAM at = MakeLParam(b->Left() + 5, b->Top() + 5);
    env.desktop().SendMessage(bar->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    env.desktop().SendMessage(bar->Handle(), WM_RBUTTONUP, 0, at);
    designer().SetSelection(
        {env.Root()->FindComponent("Timer2"), env.Root()->FindComponent("Timer3")});
    Settle();
    EXPECT_EQ(env.Root()->FindComponent("Timer2"), nullptr);
    EXPECT_NE(env.Root()->FindComponent("Timer3"), nullptr);
    EXPECT_TRUE(Dialogs().empty());
    EXPECT_EQ(designer().ModifiedCount(), modified + 1);
    EXPECT_EQ(EntryNames(bar), (Names{"Timer1", "Timer3"}));
}

TEST_F(CommandsTest, DeleteLeavesTheEntryUntilThePassThatFollows) {
    TStowbar* bar = ThreeTimers();
    // The command posted, then run alone: the removal's pass has not come yet.
    menus.Choices.push_back({"Delete \"Timer1\""});
    TSpeedButton* b = ButtonOf(bar, "Timer1");
    ASSERT_NE(b, nullptr);
    b->OnMouseDown(b, mbRight, {}, 1, 1);
    TComponent* timer = env.Root()->FindComponent("Timer1");
    ClickItem(bar, -4);
    EXPECT_EQ(env.Root()->FindComponent("Timer1"), nullptr);
    (void)timer;
    EXPECT_EQ(EntryNames(bar), (Names{"Timer1", "Timer2", "Timer3"}));
    Settle();
    EXPECT_EQ(EntryNames(bar), (Names{"Timer2", "Timer3"}));
}

TEST_F(CommandsTest, MovesChangeTheListAtOnceAndTheButtonsAtTheNextRelayout) {
    TStowbar* bar = ThreeTimers();
    ASSERT_NE(ButtonOf(bar, "Timer1"), nullptr);
    int left1 = ButtonOf(bar, "Timer1")->Left();
    ASSERT_NE(ButtonOf(bar, "Timer2"), nullptr);
    int left2 = ButtonOf(bar, "Timer2")->Left();
    int modified = designer().ModifiedCount();
    // Press and command without the loop running timers in between.
    TSpeedButton* b = ButtonOf(bar, "Timer1");
    ASSERT_NE(b, nullptr);
    b->OnMouseDown(b, mbRight, {}, 1, 1);
    ClickItem(bar, -6);
    EXPECT_EQ(EntryNames(bar), (Names{"Timer2", "Timer1", "Timer3"}));
    ASSERT_NE(ButtonOf(bar, "Timer1"), nullptr);
    EXPECT_EQ(ButtonOf(bar, "Timer1")->Left(), left1);
    Wait(200);
    ASSERT_NE(ButtonOf(bar, "Timer1"), nullptr);
    EXPECT_EQ(ButtonOf(bar, "Timer1")->Left(), left2);
    ASSERT_NE(ButtonOf(bar, "Timer2"), nullptr);
    EXPECT_EQ(ButtonOf(bar, "Timer2")->Left(), left1);

    Choose(bar, "Timer3", {"MOVE LEFT"});
    EXPECT_EQ(EntryNames(bar), (Names{"Timer2", "Timer3", "Timer1"}));
    Choose(bar, "Timer3", {"MOVE LEFT"});
    EXPECT_EQ(EntryNames(bar), (Names{"Timer3", "Timer2", "Timer1"}));
    EXPECT_EQ(designer().ModifiedCount(), modified);
    // Off the ends: the items are disabled, and the commands themselves do nothing.
    ClickItem(bar, -5);
    EXPECT_EQ(EntryNames(bar), (Names{"Timer3", "Timer2", "Timer1"}));
    designer().SetSelection({env.Root()->FindComponent("Timer1")});
    ClickItem(bar, -6);
    EXPECT_EQ(EntryNames(bar), (Names{"Timer3", "Timer2", "Timer1"}));
}

TEST_F(CommandsTest, MoveToHandsTheEntryOverForGood) {
    TStowbar* a = ThreeTimers();
    TStowbar* b = DropBar("Other");
    Wait(250);
    ASSERT_NE(EntryOf(a, "Timer2"), nullptr);
    EntryOf(a, "Timer2")->Title = "Clock";
    Choose(a, "Timer2", {"Move To", "Other"});
    EXPECT_EQ(EntryNames(a), (Names{"Timer1", "Timer3"}));
    EXPECT_EQ(EntryNames(b), Names{"Timer2"});
    ASSERT_NE(EntryOf(b, "Timer2"), nullptr);
    EXPECT_EQ(EntryOf(b, "Timer2")->Title, "Clock");
    EXPECT_EQ(EntryOf(b, "Timer2")->Component, env.Root()->FindComponent("Timer2"));
    EXPECT_EQ(Excluded(a), Names{"Timer2"});
    Names excludedByB = Excluded(b);
    EXPECT_TRUE(std::find(excludedByB.begin(), excludedByB.end(), "Timer2") == excludedByB.end());
    // Later passes of the first bar leave it alone.
    Drop<TTimer>("Timer4");
    Wait(1000);
    EXPECT_EQ(EntryOf(a, "Timer2"), nullptr);
    EXPECT_NE(EntryOf(b, "Timer2"), nullptr);
    // And back again.
    Choose(b, "Timer2", {"Move To", "Stowbar1"});
    EXPECT_EQ(EntryNames(a).back(), "Timer2");
    EXPECT_EQ(EntryOf(b, "Timer2"), nullptr);
    ASSERT_NE(EntryOf(a, "Timer2"), nullptr);
    EXPECT_EQ(EntryOf(a, "Timer2")->Title, "Clock");
    Wait(1000);
    EXPECT_EQ(EntryOf(b, "Timer2"), nullptr);
    EXPECT_NE(EntryOf(a, "Timer2"), nullptr);
}

TEST_F(CommandsTest, MoveToACaptionThatNamesNoOtherBarLosesNothing) {
    TStowbar* a = ThreeTimers();
    DropBar("Other");
    Wait(250);
    for (const char* caption : {"Gone", "Timer3", "Stowbar1", ""}) {
        SCOPED_TRACE(caption);
        designer().SetSelection({env.Root()->FindComponent("Timer1")});
        ClickItem(a, -100, caption);
        EXPECT_EQ(EntryNames(a), (Names{"Timer1", "Timer2", "Timer3"}));
        EXPECT_TRUE(Excluded(a).empty());
    }
}

TEST_F(CommandsTest, MoveToABarThatWentSinceThePopupLosesNothing) {
    TStowbar* a = ThreeTimers();
    TStowbar* b = DropBar("Other");
    Wait(250);
    // The press pops the menu up and posts the chosen Move To; the bar goes before it runs.
    menus.Choices.push_back({"Move To", "Other"});
    TSpeedButton* button = ButtonOf(a, "Timer2");
    ASSERT_NE(button, nullptr);
    LPARAM at = MakeLParam(button->Left() + 5, button->Top() + 5);
    env.desktop().SendMessage(a->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
    env.desktop().SendMessage(a->Handle(), WM_RBUTTONUP, 0, at);
    ASSERT_EQ(LastMenu()[1], "Move To [Other]");
    b->Free();
    Settle();
    EXPECT_EQ(EntryNames(a), (Names{"Timer1", "Timer2", "Timer3"}));
    EXPECT_TRUE(Excluded(a).empty());
}

TEST_F(CommandsTest, TagsOutsideTheCommandsDoNothing) {
    TStowbar* bar = ThreeTimers();
    Press(bar, "Timer2", mbRight); // selection and editor in place
    int modified = designer().ModifiedCount();
    int count = env.Root()->ComponentCount();
    for (int64_t tag : {-2, -7, -50, -99, -200, -201, -100000, 1000, 1001, 99999}) {
        SCOPED_TRACE(tag);
        designer().SetSelection({env.Root()->FindComponent("Timer2")});
        ClickItem(bar, tag, "Stowbar1");
        Settle();
        EXPECT_EQ(EntryNames(bar), (Names{"Timer1", "Timer2", "Timer3"}));
        EXPECT_EQ(Titles(bar), (Names{"Timer1", "Timer2", "Timer3"}));
        EXPECT_EQ(env.Root()->ComponentCount(), count);
    }
    EXPECT_EQ(designer().ModifiedCount(), modified);
    EXPECT_TRUE(Dialogs().empty());
    EXPECT_TRUE(events.empty());
}

TEST_F(CommandsTest, CommandsNeedingAnEntryDoNothingWithoutOne) {
    TStowbar* a = ThreeTimers();
    DropBar("Other");
    Wait(250);
    Press(a, "Timer2", mbRight);
    int modified = designer().ModifiedCount();
    int count = env.Root()->ComponentCount();
    env.dialogs().QueueAnswer("New");
    // No selection, the bar itself, a component of no entry (the other bar).
    std::vector<std::vector<TComponent*>> selections{{}, {a}, {env.Root()->FindComponent("Other")}};
    for (const auto& selection : selections) {
        for (int64_t tag : {-1, -3, -4, -5, -6, -100}) {
            SCOPED_TRACE(tag);
            designer().SetSelection(selection);
            ClickItem(a, tag, "Other");
            Settle();
        }
    }
    EXPECT_EQ(EntryNames(a), (Names{"Timer1", "Timer2", "Timer3"}));
    EXPECT_EQ(Titles(a), (Names{"Timer1", "Timer2", "Timer3"}));
    EXPECT_EQ(env.Root()->ComponentCount(), count);
    EXPECT_EQ(designer().ModifiedCount(), modified);
    EXPECT_TRUE(Dialogs().empty());
}

TEST_F(CommandsTest, VerbsBeyondTheEditorsOwnDoNothing) {
    NewForm();
    Drop<TTable>("Table1");
    TStowbar* bar = DropBar();
    Wait(250);
    Press(bar, "Table1", mbRight);
    ClickItem(bar, 2);
    ClickItem(bar, 999);
    ClickItem(bar, 1);
    EXPECT_EQ(events, Names{"verb: Table1 Explore..."});
}

} // namespace
} // namespace stowtest
