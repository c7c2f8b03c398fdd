// Component editors: which editor the designer finds for a component, the standard editors'
// verbs, the default editor's double click, and the speed button's double click.

#include "host/designer/Environment.h"
#include "host/designer/StdEditors.h"
#include "host/vcl/Buttons.h"

#include <gtest/gtest.h>

#include <memory>

using namespace host;

namespace {

// Components whose events differ, for the default editor's choice of event.
class TProbeAll : public TComponent {
    HOST_CLASS(TProbeAll, TComponent)
public:
    static void DeclareProperties(PropList& p) {
        p.push_back(EventProp<TProbeAll>("OnEnter", &TProbeAll::Enter));
        p.push_back(EventProp<TProbeAll>("OnClick", &TProbeAll::Click));
        p.push_back(EventProp<TProbeAll>("OnChange", &TProbeAll::Change));
        p.push_back(EventProp<TProbeAll>("OnCreate", &TProbeAll::Create_));
    }
    std::string Enter, Click, Change, Create_;
};
class TProbeNoCreate : public TComponent {
    HOST_CLASS(TProbeNoCreate, TComponent)
public:
    static void DeclareProperties(PropList& p) {
        p.push_back(EventProp<TProbeNoCreate>("OnClick", &TProbeNoCreate::Click));
        p.push_back(EventProp<TProbeNoCreate>("OnChange", &TProbeNoCreate::Change));
    }
    std::string Click, Change;
};
class TProbeFirst : public TComponent {
    HOST_CLASS(TProbeFirst, TComponent)
public:
    static void DeclareProperties(PropList& p) {
        p.push_back(EventProp<TProbeFirst>("AfterOpen", &TProbeFirst::After));
        p.push_back(EventProp<TProbeFirst>("OnEnter", &TProbeFirst::Enter));
    }
    std::string After, Enter;
};
HOST_IMPLEMENT_CLASS_PROPS(TProbeAll, TComponent)
HOST_IMPLEMENT_CLASS_PROPS(TProbeNoCreate, TComponent)
HOST_IMPLEMENT_CLASS_PROPS(TProbeFirst, TComponent)

class EditorTest : public ::testing::Test {
protected:
    EditorTest() {
        env.NewForm("Form1");
        CurrentEditorEvents().OnVerb = [this](TComponent* c, const std::string& verb) {
            events.push_back("verb: " + c->Name() + " " + verb);
        };
        CurrentEditorEvents().OnEdit = [this](TComponent* c, const std::string& handler) {
            events.push_back("edit: " + c->Name() + " " + handler);
        };
    }
    ~EditorTest() override { CurrentEditorEvents() = {}; }
    TComponent* Drop(const TClass* cls, const std::string& name) {
        return env.Designer()->Drop(cls, name, 0, 0);
    }
    std::unique_ptr<TComponentEditor, void (*)(TComponentEditor*)> EditorOf(TComponent* c) {
        return {GetComponentEditor(c, env.Designer()), [](TComponentEditor* e) { e->Free(); }};
    }
    static std::vector<std::string> Verbs(TComponentEditor& e) {
        std::vector<std::string> verbs;
        for (int i = 0; i < e.GetVerbCount(); ++i)
            verbs.push_back(e.GetVerb(i));
        return verbs;
    }

    DesignEnvironment env;
    std::vector<std::string> events;
};

struct EditorCase {
    const TClass* Component;
    const char* Editor;
    std::vector<std::string> Verbs;
};

TEST_F(EditorTest, TheMostSpecificEditorThroughTheClassChain) {
    const std::vector<EditorCase> cases{
        {TTimer::StaticClass(), "TDefaultEditor", {}},
        {TOpenDialog::StaticClass(), "TDefaultEditor", {}},
        {TTable::StaticClass(), "TTableEditor", {"Fields Editor...", "Explore..."}},
        {TNestedTable::StaticClass(), "TTableEditor", {"Fields Editor...", "Explore..."}},
        {TQuery::StaticClass(), "TDataSetEditor", {"Fields Editor..."}},
        {TMainMenu::StaticClass(), "TMenuEditor", {"Menu Designer..."}},
        {TPopupMenu::StaticClass(), "TMenuEditor", {"Menu Designer..."}},
        {TImageList::StaticClass(), "TImageListEditor", {"ImageList Editor..."}},
    };
    for (const EditorCase& c : cases) {
        SCOPED_TRACE(c.Component->ClassName());
        TComponent* component = Drop(c.Component, "");
        auto first = EditorOf(component);
        auto second = EditorOf(component);
        EXPECT_EQ(first->ClassName(), c.Editor);
        EXPECT_EQ(Verbs(*first), c.Verbs);
        EXPECT_NE(first.get(), second.get()); // a new editor each time
        EXPECT_EQ(first->Component(), component);
        EXPECT_EQ(first->Designer(), env.Designer());
    }
}

TEST_F(EditorTest, RegisteringAgainKeepsOneBindingAndTheLatestWins) {
    TComponent* table = Drop(TTable::StaticClass(), "Table1");
    RegisterComponentEditor(TTable::StaticClass(), TImageListEditor::StaticClass());
    EXPECT_EQ(EditorOf(table)->ClassName(), "TImageListEditor");
    RegisterStandardEditors(); // the table's own binding is the latest again
    EXPECT_EQ(EditorOf(table)->ClassName(), "TTableEditor");
    UnregisterComponentEditors(TImageListEditor::StaticClass());
    RegisterStandardEditors();
    UnregisterComponentEditors(TTableEditor::StaticClass());
    EXPECT_EQ(EditorOf(table)->ClassName(), "TDataSetEditor"); // no copy of it was left behind
    RegisterStandardEditors();
    EXPECT_EQ(EditorOf(table)->ClassName(), "TTableEditor");
}

TEST_F(EditorTest, VerbsReportThemselvesAndEditRunsTheFirst) {
    TComponent* table = Drop(TTable::StaticClass(), "Table1");
    TComponent* menu = Drop(TMainMenu::StaticClass(), "MainMenu1");
    auto editor = EditorOf(table);
    editor->ExecuteVerb(1);
    editor->ExecuteVerb(2);  // not one of its verbs
    editor->ExecuteVerb(-1); // nor this
    editor->Edit();
    EditorOf(menu)->Edit();
    EXPECT_EQ(events,
              (std::vector<std::string>{"verb: Table1 Explore...", "verb: Table1 Fields Editor...",
                                        "verb: MainMenu1 Menu Designer..."}));
    auto none = std::unique_ptr<TComponentEditor, void (*)(TComponentEditor*)>(
        GetComponentEditor(nullptr, env.Designer()), [](TComponentEditor* e) { e->Free(); });
    none->Edit();
    EXPECT_EQ(events.size(), 3u);
}

struct DefaultCase {
    const TClass* Component;
    const char* Name;
    const char* Handler;
};

TEST_F(EditorTest, DefaultEditorMakesTheHandlerOfTheDefaultEventOnce) {
    const std::vector<DefaultCase> cases{
        {TProbeAll::StaticClass(), "Probe", "ProbeCreate"},
        {TProbeNoCreate::StaticClass(), "Other", "OtherChange"},
        {TButton::StaticClass(), "Button1", "Button1Click"},
        {TProbeFirst::StaticClass(), "First", "FirstAfterOpen"},
        {TTimer::StaticClass(), "Timer1", "Timer1Timer"},
    };
    for (const DefaultCase& c : cases) {
        SCOPED_TRACE(c.Name);
        events.clear();
        TComponent* component = Drop(c.Component, c.Name);
        int modified = env.Designer()->ModifiedCount();
        EditorOf(component)->Edit();
        EditorOf(component)->Edit();
        std::string line = std::string("edit: ") + c.Name + " " + c.Handler;
        EXPECT_EQ(events, (std::vector<std::string>{line, line}));
        EXPECT_EQ(env.Designer()->ModifiedCount(), modified + 1);
        int handlers = 0;
        for (const TPropInfo* p : GetPropList(component->ClassType()))
            if (p->Kind == TTypeKind::Method && !p->GetStr(*component).empty()) {
                EXPECT_EQ(p->GetStr(*component), c.Handler);
                ++handlers;
            }
        EXPECT_EQ(handlers, 1);
    }
}

TEST_F(EditorTest, DefaultEditorOfAComponentWithoutEventsDoesNothing) {
    TComponent* dialog = Drop(env.MakeClass("TNoEvents", TComponent::StaticClass()), "Plain1");
    int modified = env.Designer()->ModifiedCount();
    EditorOf(dialog)->Edit();
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(env.Designer()->ModifiedCount(), modified);
}

TEST_F(EditorTest, SpeedButtonDoubleClickFiresOnlyWhenTheButtonIsDown) {
    auto* panel = static_cast<TPanel*>(Drop(TPanel::StaticClass(), "Panel1"));
    panel->SetBounds(0, 0, 200, 100);
    struct Case {
        int Group;
        bool Fires;
    };
    for (Case c : {Case{0, false}, Case{1, true}}) {
        auto* b = New<TSpeedButton>(nullptr);
        b->SetParent(panel);
        b->SetBounds(10, 10, 50, 20);
        b->SetGroupIndex(c.Group);
        int downs = 0, doubles = 0;
        b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };
        b->OnDblClick = [&](TObject*) { ++doubles; };
        LPARAM at = MakeLParam(20, 15);
        for (UINT m : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
            env.desktop().SendMessage(panel->Handle(), m, m == WM_LBUTTONUP ? 0 : MK_LBUTTON, at);
        EXPECT_EQ(downs, 2) << "group " << c.Group;
        EXPECT_EQ(doubles, c.Fires ? 1 : 0) << "group " << c.Group;
        b->Free();
    }
}

} // namespace
