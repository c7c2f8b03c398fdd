#pragma once
// Component editors: what the designer runs for a component's double click and context verbs.

#include "host/designer/Designer.h"

#include <functional>
#include <string>

namespace host {

class TComponentEditor : public TObject {
    HOST_CLASS(TComponentEditor, TObject)
public:
    TComponentEditor() = default;
    virtual void Create(TComponent* component, TFormDesigner* designer);
    // The double-click action: the first verb when there is one.
    virtual void Edit();
    virtual void ExecuteVerb(int index) {}
    virtual std::string GetVerb(int index) { return {}; }
    virtual int GetVerbCount() { return 0; }
    virtual void Copy() {}
    TComponent* Component() const { return FComponent; }
    TFormDesigner* Designer() const { return FDesigner; }

private:
    TComponent* FComponent = nullptr;
    TFormDesigner* FDesigner = nullptr;
};

// The editor of components with none of their own: no verbs; its Edit makes or shows the
// handler of the component's default event.
class TDefaultEditor : public TComponentEditor {
    HOST_CLASS(TDefaultEditor, TComponentEditor)
public:
    void Edit() override;
};

using TComponentEditorFactory = TComponentEditor* (*)();
// Binds an editor class to a component class (and its descendants without a closer binding).
void RegisterComponentEditor(const TClass* componentClass, const TClass* editorClass);
void UnregisterComponentEditors(const TClass* editorClass);
// Drops every binding made for that component class.
void UnregisterComponentEditorsOf(const TClass* componentClass);
// A new editor for the component: the most specific registered one through its class chain,
// else the default editor. The caller frees it.
TComponentEditor* GetComponentEditor(TComponent* component, TFormDesigner* designer);

// What component editors report doing (the transcript's verb: and edit: lines).
struct EditorEvents {
    std::function<void(TComponent*, const std::string& verb)> OnVerb;
    std::function<void(TComponent*, const std::string& handler)> OnEdit;
};
EditorEvents& CurrentEditorEvents();

} // namespace host
