#include "host/designer/StdActions.h"

#include <algorithm>

namespace host {

HOST_IMPLEMENT_ABSTRACT_CLASS(TBasicAction, TComponent)
// Concrete, so that the catalogue's actions (TAction) are made as this type; not registered.
HOST_IMPLEMENT_CLASS(TContainedAction, TBasicAction)
HOST_IMPLEMENT_ABSTRACT_CLASS(TCustomActionList, TComponent)
HOST_IMPLEMENT_CLASS(TActionList, TCustomActionList)

void TContainedAction::Destroy() {
    SetActionList(nullptr);
    inherited::Destroy();
}

void TContainedAction::SetActionList(TCustomActionList* list) {
    if (list == FActionList)
        return;
    if (FActionList) {
        auto& actions = FActionList->FActions;
        actions.erase(std::remove(actions.begin(), actions.end(), this), actions.end());
    }
    FActionList = list;
    if (list)
        list->FActions.push_back(this);
}

TComponent* TContainedAction::GetParentComponent() const {
    return FActionList;
}

void TContainedAction::SetParentComponent(TComponent* parent) {
    if (auto* list = dyn<TCustomActionList>(parent))
        SetActionList(list);
}

void TCustomActionList::Destroy() {
    while (!FActions.empty())
        FActions.back()->Free();
    inherited::Destroy();
}

void TCustomActionList::GetChildren(const std::function<void(TComponent*)>& proc,
                                    TComponent* root) {
    for (TContainedAction* a : std::vector<TContainedAction*>(FActions))
        if (a->Owner() == root)
            proc(a);
}

} // namespace host
