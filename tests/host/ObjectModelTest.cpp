// The host library's object semantics: owners, notifications, names, two-phase construction and
// destruction, free notifications, metaclasses.
#include "host/designer/Environment.h"
#include "host/designer/StdActions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

using namespace host;

// Records every notification it hears, with the state of the world at that moment.
class TSpy : public TComponent {
    HOST_CLASS(TSpy, TComponent)
public:
    std::vector<std::string>* log = nullptr;
    void Notification(TComponent* c, TOperation op) override {
        if (log) {
            std::string who = c ? (c->Name().empty() ? std::string("?") : c->Name()) : "nil";
            std::string inList = c && c->Owner() && c->ComponentIndex() >= 0 ? "+" : "-";
            log->push_back(Name() + (op == opInsert ? " ins " : " rem ") + who + inList);
        }
        inherited::Notification(c, op);
    }
};
HOST_IMPLEMENT_CLASS(TSpy, TComponent)

// A component whose construction fails after it joined its owner.
class TFailing : public TComponent {
    HOST_CLASS(TFailing, TComponent)
public:
    static bool destroyed;
    void Create(TComponent* owner) override {
        inherited::Create(owner);
        throw EComponentError("no");
    }
    void Destroy() override {
        destroyed = true;
        inherited::Destroy();
    }
};
HOST_IMPLEMENT_CLASS(TFailing, TComponent)
bool TFailing::destroyed = false;

class ObjectModelTest : public ::testing::Test {
protected:
    TSpy* Spy(TComponent* owner, const std::string& name) {
        auto* s = New<TSpy>(owner);
        s->log = &log;
        s->SetName(name);
        return s;
    }
    Desktop desktop;
    std::vector<std::string> log;
};

TEST_F(ObjectModelTest, InsertionNotifiesEveryOwnedComponentInOrderTheNewOneIncluded) {
    TComponent* root = New<TSpy>(nullptr);
    root->SetName("Root");
    static_cast<TSpy*>(root)->log = &log;
    Spy(root, "A");
    Spy(root, "B");
    log.clear();
    New<TSpy>(root); // unnamed while it is inserted
    // The owner hears first and passes it on.
    EXPECT_EQ(log, (std::vector<std::string>{"Root ins ?+", "A ins ?+", "B ins ?+"}));
    static_cast<TSpy*>(root)->log = nullptr;
    root->Free();
}

TEST_F(ObjectModelTest, NotificationsGoDownToWhatTheComponentsOwn) {
    TComponent* root = New<TComponent>(nullptr);
    TSpy* a = Spy(root, "A");
    Spy(a, "A1");
    log.clear();
    New<TComponent>(root)->SetName("X");
    EXPECT_EQ(log, (std::vector<std::string>{"A ins ?+", "A1 ins ?+"}));
    root->Free();
}

TEST_F(ObjectModelTest, DesigningIsSetBeforeTheInsertNotification) {
    TComponent* root = New<TComponent>(nullptr);
    root->SetDesigning(true);
    struct Probe : TComponent {
        bool sawDesigning = false;
        void Notification(TComponent* c, TOperation op) override {
            if (c == this && op == opInsert)
                sawDesigning = IsDesigning();
            TComponent::Notification(c, op);
        }
    };
    auto* p = New<Probe>(root);
    EXPECT_TRUE(p->sawDesigning);
    root->Free();
}

TEST_F(ObjectModelTest, DeletingOneComponentNotifiesWhileItIsStillInTheList) {
    TComponent* root = New<TComponent>(nullptr);
    Spy(root, "A");
    TSpy* b = Spy(root, "B");
    Spy(b, "B1");
    log.clear();
    b->Free();
    // B's own child went first (taken out of B's list, nobody hears of it), then B's removal
    // from the root went round while B was still in the root's list.
    EXPECT_EQ(log, (std::vector<std::string>{"A rem B+", "B rem B+"}));
    EXPECT_EQ(root->ComponentCount(), 1);
    root->Free();
}

TEST_F(ObjectModelTest, ClosingARootMarksEverythingFirstAndNotifiesNobody) {
    TComponent* root = New<TComponent>(nullptr);
    TSpy* a = Spy(root, "A");
    Spy(root, "B");
    struct Mark : TComponent {
        bool* saw;
        void Destroy() override {
            *saw = ComponentState().contains(csDestroying);
            TComponent::Destroy();
        }
    };
    bool sawDestroying = false;
    auto* m = New<Mark>(a);
    m->saw = &sawDestroying;
    log.clear();
    root->Destroying();
    root->Free();
    EXPECT_TRUE(log.empty());
    EXPECT_TRUE(sawDestroying);
}

TEST_F(ObjectModelTest, FailedConstructionDestroysTheHalfBuiltObjectAndRethrows) {
    TComponent* root = New<TComponent>(nullptr);
    Spy(root, "A");
    log.clear();
    TFailing::destroyed = false;
    EXPECT_THROW(New<TFailing>(root), EComponentError);
    EXPECT_TRUE(TFailing::destroyed);
    EXPECT_EQ(root->ComponentCount(), 1);
    EXPECT_EQ(log, (std::vector<std::string>{"A ins ?+", "A rem ?+"}));
    root->Free();
}

TEST_F(ObjectModelTest, NamesAreValidIdentifiersUniqueIgnoringCase) {
    TComponent* root = New<TComponent>(nullptr);
    TComponent* a = New<TComponent>(root);
    a->SetName("Timer1");
    TComponent* b = New<TComponent>(root);
    EXPECT_THROW(b->SetName("TIMER1"), EComponentError);
    EXPECT_THROW(b->SetName("1Timer"), EComponentError);
    EXPECT_THROW(b->SetName("Tim er"), EComponentError);
    a->SetName("timer1"); // its own name in another case
    EXPECT_EQ(root->FindComponent("TIMER1"), a);
    EXPECT_EQ(root->FindComponent(""), nullptr);
    b->SetName("Other");
    a->SetName("Renamed");
    EXPECT_EQ(root->FindComponent("timer1"), nullptr);
    EXPECT_EQ(root->FindComponent("renamed"), a);
    b->Free();
    EXPECT_EQ(root->FindComponent("Other"), nullptr);
    root->Free();
}

// The owner's name index against a plain search of its list, through thousands of adds, renames
// (in another letter case too), names taken away and frees: the index grows several times and
// closes gaps in runs that wrap round its end.
TEST_F(ObjectModelTest, FindComponentAgreesWithASearchOfTheListThroughEveryChange) {
    TComponent* root = New<TComponent>(nullptr);
    std::mt19937 random(11);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    auto name = [&] {
        std::string n = (pick(2) ? "Timer" : "tIMER") + std::to_string(pick(3000));
        return n;
    };
    auto plain = [&](const std::string& n) -> TComponent* {
        for (TComponent* c : root->ComponentList())
            if (!c->Name().empty() && SameText(c->Name(), n))
                return c;
        return nullptr;
    };
    for (int step = 0; step < 20000; ++step) {
        const std::string n = name();
        const int count = root->ComponentCount();
        switch (pick(step < 8000 ? 3 : 5)) {
        case 0:
        case 1:
            if (!plain(n))
                New<TComponent>(root)->SetName(n);
            break;
        case 2:
            if (count > 0 && !plain(n))
                root->Components(static_cast<int>(pick(static_cast<size_t>(count))))->SetName(n);
            break;
        case 3:
            if (count > 0)
                root->Components(static_cast<int>(pick(static_cast<size_t>(count))))->SetName("");
            break;
        default:
            if (count > 0)
                root->Components(static_cast<int>(pick(static_cast<size_t>(count))))->Free();
        }
        for (const std::string& q : {n, name()}) {
            ASSERT_EQ(root->FindComponent(q), plain(q)) << "step " << step << ": " << q;
        }
    }
    for (TComponent* c : root->ComponentList()) {
        if (!c->Name().empty()) {
            ASSERT_EQ(root->FindComponent(c->Name()), c) << c->Name();
        }
    }
    root->Free();
}

TEST_F(ObjectModelTest, FreeNotificationCleansUpBothSides) {
    TComponent* r1 = New<TComponent>(nullptr);
    TComponent* r2 = New<TComponent>(nullptr);
    TSpy* watcher = Spy(r1, "W");
    TComponent* other = New<TComponent>(r2);
    other->SetName("O");
    watcher->FreeNotification(other);
    log.clear();
    other->Free();
    // Partners hear of it before it leaves its owner's list.
    EXPECT_EQ(log, (std::vector<std::string>{"W rem O+"}));
    // The other way round: the watcher goes first, and the partner forgets it.
    TComponent* third = New<TComponent>(r2);
    third->SetName("T");
    watcher->FreeNotification(third);
    watcher->Free();
    log.clear();
    third->Free();
    EXPECT_TRUE(log.empty());
    r1->Free();
    r2->Free();
}

TEST_F(ObjectModelTest, ComponentListDropsComponentsThatGo) {
    TComponent* root = New<TComponent>(nullptr);
    TComponent* a = New<TComponent>(root);
    TComponent* b = New<TComponent>(root);
    TComponentList list;
    list.Add(a);
    list.Add(b);
    a->Free();
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list[0], b);
    root->Free();
    EXPECT_EQ(list.Count(), 0);
}

// A long list (indexed, as are its watcher's free-notification partners) against a plain vector:
// components added several times and as null, removed one occurrence at a time, and freed, which
// takes every occurrence out.
TEST_F(ObjectModelTest, LongComponentListFollowsAddsRemovesAndFrees) {
    TComponent* root = New<TComponent>(nullptr);
    std::vector<TComponent*> pool;
    for (int i = 0; i < 200; ++i)
        pool.push_back(New<TComponent>(root));
    TComponentList list;
    std::vector<TComponent*> model;
    std::mt19937 random(3);
    auto pick = [&](size_t n) { return static_cast<size_t>(random() % n); };
    for (int step = 0; step < 20000; ++step) {
        const size_t op = pick(10);
        if (op < 5 || model.empty()) {
            TComponent* c = pick(20) == 0 ? nullptr : pool[pick(pool.size())];
            list.Add(c);
            model.push_back(c);
        } else if (op < 9) {
            TComponent* c = model[pick(model.size())];
            list.Remove(c);
            model.erase(std::find(model.begin(), model.end(), c));
        } else {
            TComponent*& c = pool[pick(pool.size())];
            c->Free();
            std::erase(model, c);
            c = New<TComponent>(root);
        }
        ASSERT_EQ(list.Count(), static_cast<int>(model.size())) << "step " << step;
        ASSERT_TRUE(std::equal(list.begin(), list.end(), model.begin())) << "step " << step;
    }
    root->Free();
    EXPECT_EQ(list.Count(), static_cast<int>(std::count(model.begin(), model.end(), nullptr)));
}

TEST_F(ObjectModelTest, ClassesCompareThroughTheirChain) {
    const TClass* form1 = new TClass("TForm1", TForm::StaticClass(), nullptr);
    EXPECT_TRUE(form1->InheritsFrom(TComponent::StaticClass()));
    EXPECT_TRUE(form1->InheritsFrom("TCustomForm"));
    EXPECT_FALSE(form1->InheritsFrom("tcustomform")); // exact names
    TObject* obj = form1->NewInstance();
    EXPECT_EQ(obj->ClassName(), "TForm1");
    EXPECT_EQ(obj->ClassType()->ClassParent(), TForm::StaticClass());
    delete obj;
    delete form1;
    RegisterStandardClasses();
    EXPECT_EQ(FindClass("ttimer"), TTimer::StaticClass());
    EXPECT_EQ(FindClass("TNoSuchClass"), nullptr);
    EXPECT_TRUE(TControl::StaticClass()->IsAbstract());
    EXPECT_EQ(TControl::StaticClass()->NewInstance(), nullptr);
    EXPECT_THROW(NewComponent(TBasicAction::StaticClass(), nullptr), EComponentError);
}

} // namespace
