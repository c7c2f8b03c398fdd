// The property panel: the published properties of the selection, edited in place through the
// script command `set` (so a value is accepted or refused with the same words as in a script).
#include "app/edit/Editor.h"

#include <algorithm>

namespace app::edit {

using namespace host;

TComponent* Editor::inspected() const {
    TFormDesigner* designer = FSession.env().Designer();
    if (!designer)
        return nullptr;
    const auto& selection = designer->Selection();
    if (selection.empty())
        return FSession.env().Root();
    return selection.size() == 1 ? selection.front() : nullptr;
}

InspectorView Editor::inspectorView() {
    InspectorView view;
    TComponent* target = inspected();
    FRows = target ? PropertyRows(*target, FSession.env().Root()) : std::vector<PropertyRow>{};
    if (target) {
        view.Title = target->Name() + ": " + target->ClassName();
    } else if (TFormDesigner* designer = FSession.env().Designer()) {
        view.Title = std::to_string(designer->Selection().size()) + " components selected";
    }
    for (size_t i = 0; i < FRows.size(); ++i) {
        const PropertyRow& row = FRows[i];
        view.Rows.push_back({row.Name, row.Value, row.Depth, row.ReadOnly});
        if (row.Path == FRowPath)
            view.Selected = static_cast<int>(i);
    }
    if (view.Selected < 0) {
        FEditing.reset();
        FListOpen = false;
    }
    FRowTop = std::clamp(FRowTop, 0, std::max(0, static_cast<int>(FRows.size()) - 1));
    view.Top = FRowTop;
    view.Editing = FEditing;
    if (FListOpen && view.Selected >= 0) {
        view.Choices = FRows[static_cast<size_t>(view.Selected)].Choices;
        view.ChoiceHot = FListHot;
    }
    return view;
}

void Editor::selectRow(int index) {
    if (index < 0 || index >= static_cast<int>(FRows.size()))
        return;
    FRowPath = FRows[static_cast<size_t>(index)].Path;
    FEditing.reset();
    FListOpen = false;
    // Keep the row in view.
    const int visible = LayoutInspector(inspectorView(), FLayout.Inspector).VisibleRows;
    if (index < FRowTop)
        FRowTop = index;
    else if (visible > 0 && index >= FRowTop + visible)
        FRowTop = index - visible + 1;
    invalidate();
}

void Editor::beginEdit(const std::optional<std::string>& text) {
    const InspectorView view = inspectorView();
    if (view.Selected < 0)
        return;
    const PropertyRow& row = FRows[static_cast<size_t>(view.Selected)];
    if (row.ReadOnly)
        return;
    if (!row.Choices.empty() && !text) {
        FListOpen = !FListOpen;
        const auto it = std::find(row.Choices.begin(), row.Choices.end(), row.Value);
        FListHot = it == row.Choices.end() ? 0 : static_cast<int>(it - row.Choices.begin());
    } else {
        FEditing = text ? *text : row.Value;
    }
    invalidate();
}

void Editor::cancelEdit() {
    FEditing.reset();
    FListOpen = false;
    invalidate();
}

void Editor::commit(std::string typed) {
    const InspectorView view = inspectorView();
    FEditing.reset();
    FListOpen = false;
    invalidate();
    TComponent* target = inspected();
    if (view.Selected < 0 || !target)
        return;
    const PropertyRow row = FRows[static_cast<size_t>(view.Selected)];
    if (typed == row.Value)
        return;
    run("set " + target->Name() + "." + row.Path + " " + QuoteWord(SetValueText(row, typed)));
}

void Editor::inspectorMouse(UINT msg, TPoint at) {
    const InspectorView view = inspectorView();
    const InspectorLayout layout = LayoutInspector(view, FLayout.Inspector);
    if (FListOpen) {
        int hot = -1;
        for (size_t i = 0; i < layout.ListItems.size(); ++i)
            if (layout.ListItems[i].Contains(at.X, at.Y))
                hot = static_cast<int>(i);
        if (msg == WM_MOUSEMOVE && hot >= 0 && hot != FListHot) {
            FListHot = hot;
            invalidate();
        }
        if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
            if (hot >= 0) {
                commit(view.Choices[static_cast<size_t>(hot)]);
                return;
            }
            cancelEdit();
        }
    }
    if (msg != WM_LBUTTONDOWN && msg != WM_LBUTTONDBLCLK)
        return;
    for (size_t i = 0; i < layout.Rows.size(); ++i) {
        if (!layout.Rows[i].Contains(at.X, at.Y))
            continue;
        const int index = static_cast<int>(i);
        const bool onValue = layout.Values[i].Contains(at.X, at.Y);
        if (index != view.Selected) {
            if (FEditing)
                commit(*FEditing);
            selectRow(index);
        } else if (!onValue && FEditing) {
            commit(*FEditing);
        }
        const PropertyRow& row = FRows[i];
        if (!onValue || row.ReadOnly || FEditing)
            return;
        if (msg == WM_LBUTTONDBLCLK && !row.Choices.empty()) {
            // A double click steps to the next value, as the inspector does.
            auto it = std::find(row.Choices.begin(), row.Choices.end(), row.Value);
            const size_t next =
                it == row.Choices.end() ? 0 : (it - row.Choices.begin() + 1) % row.Choices.size();
            commit(row.Choices[next]);
            return;
        }
        beginEdit(std::nullopt);
        return;
    }
}

bool Editor::inspectorKey(WPARAM key) {
    const InspectorView view = inspectorView();
    if (FListOpen) {
        const int count = static_cast<int>(view.Choices.size());
        switch (key) {
        case VK_UP:
        case VK_DOWN:
            FListHot = std::clamp(FListHot + (key == VK_UP ? -1 : 1), 0, count - 1);
            invalidate();
            return true;
        case VK_RETURN:
            if (FListHot >= 0 && FListHot < count)
                commit(view.Choices[static_cast<size_t>(FListHot)]);
            return true;
        case VK_ESCAPE:
            cancelEdit();
            return true;
        default:
            return true;
        }
    }
    if (FEditing) {
        switch (key) {
        case VK_RETURN:
            commit(*FEditing);
            break;
        case VK_ESCAPE:
            cancelEdit();
            break;
        case VK_BACK:
            if (!FEditing->empty())
                FEditing->pop_back();
            invalidate();
            break;
        default:
            break;
        }
        return true; // nothing typed into the panel reaches the form
    }
    if (view.Selected < 0)
        return false;
    switch (key) {
    case VK_UP:
        selectRow(std::max(0, view.Selected - 1));
        return true;
    case VK_DOWN:
        selectRow(std::min(static_cast<int>(FRows.size()) - 1, view.Selected + 1));
        return true;
    case VK_RETURN:
    case VK_F2:
        beginEdit(std::nullopt);
        return true;
    default:
        return false;
    }
}

bool Editor::inspectorChar(char c) {
    if (static_cast<unsigned char>(c) < 32)
        return false;
    if (FEditing) {
        *FEditing += c;
        invalidate();
        return true;
    }
    const InspectorView view = inspectorView();
    if (view.Selected < 0 || FListOpen)
        return false;
    const PropertyRow& row = FRows[static_cast<size_t>(view.Selected)];
    if (row.ReadOnly)
        return false;
    // Typing on a selected row starts editing with what was typed, as the inspector does.
    beginEdit(std::string(1, c));
    return true;
}

} // namespace app::edit
