// The entry registry on its own: the name index through adds, renames and frees, the excluded
// names, and the hand-over that the destructor and Move To share.
#include "support/BarFixture.h"

#include "stowbar/Registry.h"

#include <algorithm>
#include <random>

namespace stowtest {

using namespace host;

namespace {

using stow::TNVCRecord;
using stow::TNVCRegistry;
using Names = std::vector<std::string>;

class NVCRegistryTest : public BarTest {
protected:
    NVCRegistryTest() { NewForm(); }
    // Adds an entry whose button the test watches.
    void Add(TNVCRegistry& r, const std::string& name, const std::string& title = {}) {
        auto* b = New<TSpeedButton>(nullptr);
        buttons.Add(b);
        r.Add(name, title.empty() ? name : title, "TTimer", b);
    }
    static Names NamesOf(const TNVCRegistry& r) {
        Names names;
        for (const auto& e : r)
            names.push_back(e->Name);
        return names;
    }
    TComponentList buttons; // drops each button that is freed
};

TEST_F(NVCRegistryTest, NameIndexFollowsAddsRenamesAndFrees) {
    TNVCRegistry r;
    Add(r, "Timer1");
    EXPECT_TRUE(r.Holds("Timer1")); // the index is built here
    EXPECT_FALSE(r.Holds("timer1"));
    Add(r, "Timer2");
    EXPECT_TRUE(r.Holds("Timer2"));
    r.Rename(*r.Items(0), "Clock");
    EXPECT_FALSE(r.Holds("Timer1"));
    EXPECT_TRUE(r.Holds("Clock"));
    r.Free(0);
    EXPECT_FALSE(r.Holds("Clock"));
    EXPECT_TRUE(r.Holds("Timer2"));
    r.FreeAll();
    EXPECT_FALSE(r.Holds("Timer2"));
    EXPECT_EQ(buttons.Count(), 0);
}

TEST_F(NVCRegistryTest, FreeTakesTheEntryAndItsButtonOutOfTheMiddle) {
    TNVCRegistry r;
    for (const char* name : {"A", "B", "C"})
        Add(r, name);
    TComponent* middle = buttons[1];
    r.Free(1);
    EXPECT_EQ(NamesOf(r), (Names{"A", "C"}));
    EXPECT_EQ(buttons.IndexOf(middle), -1);
    EXPECT_EQ(buttons.Count(), 2);
    EXPECT_THROW(r.Free(2), EListError);
    EXPECT_THROW(r.Items(-1), EListError);
}

TEST_F(NVCRegistryTest, ExcludedNamesIgnoreCaseAndUnexcludeTakesOneOccurrence) {
    TNVCRegistry r;
    r.Exclude("Timer1");
    r.Exclude("TIMER1");
    EXPECT_TRUE(r.Excludes("timer1"));
    r.Unexclude("timer1");
    EXPECT_EQ(r.ExcludedNames().Items(), Names{"TIMER1"});
    r.Unexclude("Timer1");
    r.Unexclude("Timer1"); // not there: nothing happens
    EXPECT_FALSE(r.Excludes("Timer1"));
}

TEST_F(NVCRegistryTest, HandOverAllGivesTheEntriesLastFirstEachAfterItIsFreed) {
    TNVCRegistry r;
    Add(r, "A", "Alpha");
    Add(r, "B");
    Add(r, "C");
    std::vector<std::string> received;
    std::vector<int> left; // entries and buttons still there when each arrives
    int moved = r.HandOverAll([&](const TNVCRecord& e) {
        received.push_back(e.Name + "/" + e.Title + "/" + e.ClassName);
        left.push_back(r.Count() * 10 + buttons.Count());
        EXPECT_FALSE(r.Holds(e.Name));
    });
    EXPECT_EQ(moved, 3);
    EXPECT_EQ(received, (Names{"C/C/TTimer", "B/B/TTimer", "A/Alpha/TTimer"}));
    EXPECT_EQ(left, (std::vector<int>{22, 11, 0}));
    EXPECT_EQ(r.Count(), 0);
    EXPECT_EQ(r.HandOverAll([](const TNVCRecord&) { FAIL(); }), 0);
}

TEST_F(NVCRegistryTest, HandOverOfOneKeepsTheOthersInOrder) {
    TNVCRegistry r;
    for (const char* name : {"A", "B", "C"})
        Add(r, name);
    TNVCRecord kept = r.HandOver(0);
    EXPECT_EQ(kept.Name, "A");
    EXPECT_EQ(NamesOf(r), (Names{"B", "C"}));
    EXPECT_EQ(buttons.Count(), 2);
}

// Holds and Excludes try the entry (the name) after the one found last before their index: the
// answers must be the plain search's whatever order the questions come in and whatever changed
// in between (frees that shift the entries, exchanges, renames, the same name twice, letter
// case).
TEST_F(NVCRegistryTest, AnswersAreThePlainSearchsInAnyOrderOfQuestions) {
    TNVCRegistry r;
    std::mt19937 random(7);
    auto pick = [&](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
    const Names pool = {"A", "B", "C", "D", "E", "F", "a", "b"};
    for (int step = 0; step < 4000; ++step) {
        const std::string name = pool[static_cast<size_t>(pick(static_cast<int>(pool.size())))];
        switch (pick(7)) {
        case 0:
            Add(r, name);
            break;
        case 1:
            if (r.Count() > 0)
                r.Free(pick(r.Count()));
            break;
        case 2:
            if (r.Count() > 0)
                r.Rename(*r.Items(pick(r.Count())), name);
            break;
        case 3:
            r.Exclude(name);
            break;
        case 4:
            r.Unexclude(name);
            break;
        case 5:
            if (r.Count() > 1)
                r.Exchange(pick(r.Count()), pick(r.Count()));
            break;
        default:
            break;
        }
        // Questions in the entries' order, backwards, and at random.
        Names asked = NamesOf(r);
        if (step % 3 == 1)
            std::reverse(asked.begin(), asked.end());
        if (step % 3 == 2)
            asked = {name, pool[static_cast<size_t>(pick(static_cast<int>(pool.size())))]};
        for (const std::string& q : asked) {
            const Names held = NamesOf(r);
            const bool holds = std::find(held.begin(), held.end(), q) != held.end();
            const Names& excluded = r.ExcludedNames().Items();
            const bool excludes = std::any_of(excluded.begin(), excluded.end(),
                                              [&](const std::string& x) { return SameText(x, q); });
            ASSERT_EQ(r.Holds(q), holds) << "step " << step << ": " << q;
            ASSERT_EQ(r.Excludes(q), excludes) << "step " << step << ": " << q;
        }
    }
}

} // namespace
} // namespace stowtest
