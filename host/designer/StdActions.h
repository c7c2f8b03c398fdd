#pragma once
// Action lists and their actions: actions are components that the list holds as its children
// (each written nested in its list), freed with it.

#include "host/vcl/Forms.h"

#include <vector>

namespace host {

class TCustomActionList;

class TBasicAction : public TComponent {
    HOST_CLASS(TBasicAction, TComponent)
};

class TContainedAction : public TBasicAction {
    HOST_CLASS(TContainedAction, TBasicAction)
public:
    void Destroy() override;
    TCustomActionList* ActionList() const { return FActionList; }
    void SetActionList(TCustomActionList* list);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;

private:
    TCustomActionList* FActionList = nullptr;
};

class TCustomActionList : public TComponent {
    HOST_CLASS(TCustomActionList, TComponent)
public:
    void Destroy() override;
    // Its actions that root owns, written nested in the list.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    int ActionCount() const { return static_cast<int>(FActions.size()); }
    TContainedAction* Actions(int i) const { return FActions.at(static_cast<size_t>(i)); }

private:
    friend class TContainedAction;
    std::vector<TContainedAction*> FActions;
};

class TActionList : public TCustomActionList {
    HOST_CLASS(TActionList, TCustomActionList)
};

} // namespace host
