#include "host/designer/ComponentEditors.h"

#include "host/designer/Packages.h"

#include <algorithm>
#include <vector>

namespace host {

HOST_IMPLEMENT_CLASS(TComponentEditor, TObject)
HOST_IMPLEMENT_CLASS(TDefaultEditor, TComponentEditor)

void TComponentEditor::Create(TComponent* component, TFormDesigner* designer) {
    FComponent = component;
    FDesigner = designer;
}

void TComponentEditor::Edit() {
    if (GetVerbCount() > 0)
        ExecuteVerb(0);
}

void TDefaultEditor::Edit() {
    TComponent* c = Component();
    if (!c)
        return;
    // The default event: OnCreate, else OnChange, else OnClick, else the first event.
    std::vector<const TPropInfo*> events;
    for (const TPropInfo* p : GetPropList(c->ClassType()))
        if (p->Kind == TTypeKind::Method)
            events.push_back(p);
    if (events.empty())
        return;
    const TPropInfo* chosen = events.front();
    for (const char* name : {"OnCreate", "OnChange", "OnClick"}) {
        auto it = std::find_if(events.begin(), events.end(),
                               [&](const TPropInfo* p) { return p->Name == name; });
        if (it != events.end()) {
            chosen = *it;
            break;
        }
    }
    std::string handler = chosen->GetStr(*c);
    if (handler.empty()) {
        // Timer1 + OnTimer makes Timer1Timer; an event without the On prefix keeps its name
        // whole (Table1AfterOpen).
        std::string event = chosen->Name;
        if (event.size() > 2 && event.compare(0, 2, "On") == 0)
            event = event.substr(2);
        handler = c->Name() + event;
        chosen->SetStr(*c, handler);
        if (Designer())
            Designer()->Modified();
    }
    if (CurrentEditorEvents().OnEdit)
        CurrentEditorEvents().OnEdit(c, handler);
}

namespace {
struct Binding {
    const TClass* Component;
    const TClass* Editor;
};
std::vector<Binding>& bindings() {
    static std::vector<Binding> list;
    return list;
}
} // namespace

void RegisterComponentEditor(const TClass* componentClass, const TClass* editorClass) {
    // The same binding made again moves to the end (it is the latest) instead of piling up.
    auto& list = bindings();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Binding& b) {
                                  return b.Component == componentClass && b.Editor == editorClass;
                              }),
               list.end());
    list.push_back({componentClass, editorClass});
    if (TPackage* package = RegisteringPackage())
        package->RecordEditor(componentClass, editorClass);
}

void UnregisterComponentEditorsOf(const TClass* componentClass) {
    auto& list = bindings();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Binding& b) { return b.Component == componentClass; }),
               list.end());
}

void UnregisterComponentEditors(const TClass* editorClass) {
    auto& list = bindings();
    list.erase(std::remove_if(list.begin(), list.end(),
                              [&](const Binding& b) { return b.Editor == editorClass; }),
               list.end());
}

TComponentEditor* GetComponentEditor(TComponent* component, TFormDesigner* designer) {
    const TClass* editorClass = TDefaultEditor::StaticClass();
    if (component) {
        bool found = false;
        for (const TClass* c = component->ClassType(); c && !found; c = c->ClassParent()) {
            // The latest registration for a class wins.
            for (auto it = bindings().rbegin(); it != bindings().rend(); ++it)
                if (it->Component == c) {
                    editorClass = it->Editor;
                    found = true;
                    break;
                }
        }
    }
    auto* editor = static_cast<TComponentEditor*>(editorClass->NewInstance());
    editor->Create(component, designer);
    return editor;
}

EditorEvents& CurrentEditorEvents() {
    thread_local EditorEvents events;
    return events;
}

} // namespace host
