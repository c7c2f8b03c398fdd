#include "host/designer/StdEditors.h"

#include "host/designer/StdComponents.h"

namespace host {

HOST_IMPLEMENT_CLASS(TVerbListEditor, TComponentEditor)
HOST_IMPLEMENT_CLASS(TDataSetEditor, TVerbListEditor)
HOST_IMPLEMENT_CLASS(TTableEditor, TDataSetEditor)
HOST_IMPLEMENT_CLASS(TMenuEditor, TVerbListEditor)
HOST_IMPLEMENT_CLASS(TImageListEditor, TVerbListEditor)

const std::vector<std::string>& TVerbListEditor::Verbs() const {
    static const std::vector<std::string> none;
    return none;
}

int TVerbListEditor::GetVerbCount() {
    return static_cast<int>(Verbs().size());
}

std::string TVerbListEditor::GetVerb(int index) {
    if (index < 0 || index >= GetVerbCount())
        return {};
    return Verbs()[static_cast<size_t>(index)];
}

void TVerbListEditor::ExecuteVerb(int index) {
    // A verb the editor does not offer, or an editor without a component, does nothing.
    if (!Component() || index < 0 || index >= GetVerbCount())
        return;
    if (CurrentEditorEvents().OnVerb)
        CurrentEditorEvents().OnVerb(Component(), GetVerb(index));
}

const std::vector<std::string>& TDataSetEditor::Verbs() const {
    static const std::vector<std::string> verbs{"Fields Editor..."};
    return verbs;
}

const std::vector<std::string>& TTableEditor::Verbs() const {
    static const std::vector<std::string> verbs{"Fields Editor...", "Explore..."};
    return verbs;
}

const std::vector<std::string>& TMenuEditor::Verbs() const {
    static const std::vector<std::string> verbs{"Menu Designer..."};
    return verbs;
}

const std::vector<std::string>& TImageListEditor::Verbs() const {
    static const std::vector<std::string> verbs{"ImageList Editor..."};
    return verbs;
}

void RegisterStandardEditors() {
    RegisterComponentEditor(TDataSet::StaticClass(), TDataSetEditor::StaticClass());
    RegisterComponentEditor(TTable::StaticClass(), TTableEditor::StaticClass());
    RegisterComponentEditor(TMainMenu::StaticClass(), TMenuEditor::StaticClass());
    RegisterComponentEditor(TPopupMenu::StaticClass(), TMenuEditor::StaticClass());
    RegisterComponentEditor(TImageList::StaticClass(), TImageListEditor::StaticClass());
}

} // namespace host
