// The controls the bar relies on: speed-button groups, tab-set changes, menus, string lists.
#include "host/designer/Environment.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/Tabs.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace host;

class ControlsTest : public ::testing::Test {
protected:
    ControlsTest() { form = env.NewForm("Form1"); }
    TSpeedButton* Button(int group) {
        auto* b = New<TSpeedButton>(nullptr);
        b->SetParent(form);
        b->SetGroupIndex(group);
        return b;
    }
    void Click(TSpeedButton* b) {
        b->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 1));
        b->Perform(WM_LBUTTONUP, 0, MakeLParam(1, 1));
    }
    DesignEnvironment env;
    TCustomForm* form;
};

TEST_F(ControlsTest, GroupedSpeedButtonsWorkLikeRadioButtons) {
    TSpeedButton* a = Button(1);
    TSpeedButton* b = Button(1);
    TSpeedButton* lone = Button(0);
    Click(a);
    EXPECT_TRUE(a->Down());
    Click(b);
    EXPECT_TRUE(b->Down());
    EXPECT_FALSE(a->Down());
    Click(b); // a down button of a group stays down
    EXPECT_TRUE(b->Down());
    b->SetDown(false);
    EXPECT_TRUE(b->Down());
    b->SetAllowAllUp(true);
    b->SetDown(false);
    EXPECT_FALSE(b->Down());
    EXPECT_TRUE(a->AllowAllUp()); // the group shares it
    lone->SetDown(true);
    EXPECT_FALSE(lone->Down());
}

TEST_F(ControlsTest, MouseDownEventFiresForEveryButtonBeforeTheButtonsOwnHandling) {
    TSpeedButton* a = Button(1);
    std::vector<std::string> seen; // button, then whether it was drawn pressed already
    a->OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int, int) {
        seen.push_back(std::to_string(static_cast<int>(button)) + (a->State() != bsUp ? "+" : "-"));
    };
    a->Perform(WM_RBUTTONDOWN, MK_RBUTTON, MakeLParam(1, 1));
    a->Perform(WM_MBUTTONDOWN, MK_MBUTTON, MakeLParam(1, 1));
    a->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(1, 1));
    EXPECT_EQ(seen, (std::vector<std::string>{"1-", "2-", "0-"}));
    EXPECT_EQ(a->State(), bsDown); // pressed after the event
}

TEST_F(ControlsTest, TabSetAsksBeforeChangingAndClearingSelectsNothing) {
    auto* tabs = New<TTabSet>(nullptr);
    tabs->SetParent(form);
    std::vector<std::pair<int, int>> asked; // old, new
    bool allow = true;
    tabs->OnChange = [&](TObject*, int newTab, bool& ok) {
        asked.push_back({tabs->TabIndex(), newTab});
        ok = allow;
    };
    tabs->Tabs().Add("A");
    tabs->Tabs().Add("B");
    tabs->SetTabIndex(0);
    tabs->SetTabIndex(1);
    allow = false;
    tabs->SetTabIndex(0);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{-1, 0}, {0, 1}, {1, 0}}));
    tabs->Tabs().Clear();
    EXPECT_EQ(tabs->TabIndex(), -1);
    EXPECT_EQ(asked.size(), 3u);
    EXPECT_THROW(tabs->SetTabIndex(0), EListError);
}

TEST_F(ControlsTest, MenuItemsAreNotFreedByRemovalButFreeTheirSubmenus) {
    auto* menu = New<TPopupMenu>(form);
    auto* parent = New<TMenuItem>(form);
    auto* child = New<TMenuItem>(form);
    menu->Items()->Add(parent);
    parent->Add(child);
    parent->Remove(child);
    EXPECT_EQ(child->Parent(), nullptr);
    EXPECT_EQ(form->FindComponent(""), nullptr);
    int count = form->ComponentCount();
    parent->Add(child);
    parent->Free();
    EXPECT_EQ(form->ComponentCount(), count - 2);
    EXPECT_EQ(menu->Items()->Count(), 0);
}

TEST_F(ControlsTest, StringListLooksUpIgnoringCaseAndFindsTheFirst) {
    TStringList list;
    list.Add("Alpha");
    list.Add("beta");
    list.Add("ALPHA");
    EXPECT_EQ(list.IndexOf("alpha"), 0);
    EXPECT_EQ(list.IndexOf("BETA"), 1);
    list.Delete(0);
    EXPECT_EQ(list.IndexOf("alpha"), 1);
    list.Insert(0, "Gamma");
    EXPECT_EQ(list.IndexOf("alpha"), 2);
    EXPECT_EQ(list.IndexOf("delta"), -1);
    list.SetString(2, "delta");
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
    EXPECT_THROW(list.Delete(5), EListError);
}

// The list's index against a plain search through every kind of change: texts in several
// letter cases and several times over, changed in place, deleted from anywhere (until the index
// wears out and is built again), inserted before the end, cleared.
TEST_F(ControlsTest, StringListIndexAgreesWithASearchThroughEveryChange) {
    TStringList list;
    std::mt19937 random(5);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    auto text = [&] { return std::string(pick(2) ? "name" : "NAME") + std::to_string(pick(40)); };
    auto plain = [&](const std::string& s) {
        for (int i = 0; i < list.Count(); ++i)
            if (SameText(list[i], s))
                return i;
        return -1;
    };
    for (int step = 0; step < 30000; ++step) {
        const int n = list.Count();
        // Phases of growing and of shrinking, so that the index wears out now and then.
        const int op = pick(100) + ((step / 3000) % 2 ? 25 : 0);
        if (op < 45 || n == 0)
            list.Add(text());
        else if (op < 85)
            list.Delete(pick(n));
        else if (op < 110)
            list.SetString(pick(n), text());
        else if (op < 124)
            list.Insert(pick(n), text());
        else if (step % 7 == 0)
            list.Clear();
        for (const std::string& q : {text(), text()}) {
            ASSERT_EQ(list.IndexOf(q), plain(q)) << "step " << step << ": " << q;
        }
    }
}

TEST_F(ControlsTest, PointerListPacksAndExchanges) {
    int a = 1, b = 2, c = 3;
    TList<int> list;
    list.Add(&a);
    list.Add(nullptr);
    list.Add(&b);
    list.Add(&c);
    list.Pack();
    ASSERT_EQ(list.Count(), 3);
    list.Exchange(0, 2);
    EXPECT_EQ(list[0], &c);
    EXPECT_EQ(list[2], &a);
    EXPECT_THROW(list.Exchange(-1, 0), EListError);
}

TEST_F(ControlsTest, FormatPrintsArgumentsLiterally) {
    EXPECT_EQ(Format("About \"%s\"", {"100% sure"}), "About \"100% sure\"");
    EXPECT_EQ(Format("MOVE %s", {"UP"}), "MOVE UP");
    EXPECT_EQ(Format("%%s", {}), "%s");
    EXPECT_THROW(Format("%s %s", {"one"}), EConvertError);
    EXPECT_TRUE(SameText("TIMER1", "timer1"));
    EXPECT_FALSE(SameText("Timer1", "Timer12"));
}

TEST_F(ControlsTest, AlignedControlsAndHandlesOnDemand) {
    auto* panel = New<TPanel>(form);
    panel->SetParent(form);
    EXPECT_TRUE(panel->HandleAllocated()); // the form's window exists and the panel shows
    auto* status = New<TStatusBar>(form);
    status->SetParent(form);
    EXPECT_EQ(status->BoundsRect(), Bounds(0, 480 - 19, 640, 19));
    form->SetClientSize(300, 200);
    EXPECT_EQ(status->BoundsRect(), Bounds(0, 200 - 19, 300, 19));
    HWND h = panel->Handle();
    panel->SetParent(nullptr);
    EXPECT_FALSE(env.desktop().IsWindow(h));
    panel->Free();
}

} // namespace
