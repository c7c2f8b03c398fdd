#pragma once
// The form designer: the selection, Modified, designer icons for non-visual components, and the
// designer's operations (drop, paste, delete, rename) as the IDE did them.

#include "host/vcl/Forms.h"

#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace host {

class TFormDesigner;

// The designer icon of a non-visual component: a child window of the form, of window class
// "TContainer", with a 28 by 28 client area.
class TDesignerIcon : public IWindowProc {
public:
    TDesignerIcon(TFormDesigner& designer, TComponent* component);
    ~TDesignerIcon() override;
    HWND Handle() const { return FHandle; }
    TComponent* Component() const { return FComponent; }
    void WindowProc(TMessage& message) override;
    void WindowDestroyed(HWND handle) override;
    static constexpr int Size = 28;

private:
    TFormDesigner& FDesigner;
    TComponent* FComponent;
    HWND FHandle = 0;
};

class TFormDesigner : public TDesigner {
public:
    // Designs root (a form or a data module): marks it designing and hooks its notifications.
    explicit TFormDesigner(TComponent* root);
    ~TFormDesigner() override;
    TFormDesigner(const TFormDesigner&) = delete;
    TFormDesigner& operator=(const TFormDesigner&) = delete;

    TComponent* Root() const { return FRoot; }
    // Unhooks the designer from its root before the root is freed (closing the form).
    void ReleaseRoot();
    TCustomForm* Form() const { return dyn<TCustomForm>(FRoot); }
    // What is designed in a window, holding controls and icons: a form or a frame; null for a
    // data module.
    TWinControl* Surface() const { return dyn<TWinControl>(FRoot); }
    // The root has been freed (a form or data module detaches its designer as it goes): the
    // designer forgets it, so that its own destruction does not touch it.

    // ---- what the component sees
    void Modified() override;
    // Fills list with the current selection, in selection order.
    void GetSelections(TComponentList* list) const;
    // Makes component the only selected one.
    void SelectComponent(TComponent* component);
    bool IsDesignMsg(TControl* sender, TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;

    // ---- the designer's own operations
    int ModifiedCount() const { return FModifiedCount; }
    const std::vector<TComponent*>& Selection() const { return FSelection; }
    void SetSelection(const std::vector<TComponent*>& components);
    // The designer's next free default name for a class: Timer1, Timer2...
    std::string UniqueName(const TClass* cls) const;
    // Creates a component as a drop does: owned by the root, named, a control parented in the
    // form, a non-visual component's icon at (x, y); selected.
    TComponent* Drop(const TClass* cls, const std::string& name, int x, int y);
    // Inserts several components in one step; they become the selection.
    std::vector<TComponent*> Paste(const std::vector<std::pair<const TClass*, std::string>>& items);
    // Deletes every selected component; the selection is empty afterwards.
    void DeleteSelection();
    void Rename(TComponent* component, const std::string& newName);
    // Whether the designer shows an icon for the component.
    static bool ShowsIcon(const TComponent* component);
    // The icon window of a component, or 0.
    HWND IconOf(const TComponent* component) const;
    // Makes icons for the root's non-visual components that have none (after a form is read).
    void CreateIcons();
    void PlaceIcon(TComponent* component);
    // The designer's context menu for a component, popped up at a screen point through the
    // application's menu service: the verbs of a new editor of the component, a separator when
    // there are any, then "Bring To Front" (controls only) and "Delete". The component becomes
    // the selection; a chosen verb runs through the editor.
    void ContextMenu(TComponent* component, TPoint screen);
    // The default action of a component (a double click): a new editor's Edit.
    void EditComponent(TComponent* component);
    // The designed component a control stands for: the control, or the nearest of its parents
    // owned by the root (or the root itself); null when none is.
    TComponent* DesignedComponentOf(TControl* control) const;

    // ---- the mouse on the design surface (DesignerMouse.cpp)
    // Grid of the surface: a dragged control or icon moves in steps of this many pixels.
    static constexpr int GridStep = 8;
    // A left press on a component (a control, the root, an icon): a click selects it alone, with
    // Shift it is added to the selection or taken out of it; a press on a component already
    // selected keeps the selection, so that the selected controls are dragged together. The
    // window that got the press (window) holds the mouse until the release.
    void MouseDown(TComponent* component, HWND window, WPARAM keys);
    // While the press lasts, the selected controls (or the pressed icon) follow the cursor in
    // whole grid steps; true when a drag is going on.
    bool MouseMove();
    // The release ends the drag; a control or icon that moved marks the form modified (an
    // icon's DesignInfo is rewritten then). True when a drag ended.
    bool MouseUp();
    bool Dragging() const { return FDrag.has_value(); }

private:
    struct Drag {
        TPoint Start; // the cursor on the screen at the press
        HWND Window = 0;
        HWND Icon = 0; // an icon being dragged
        TComponent* IconOf = nullptr;
        TPoint IconStart;
        std::vector<std::pair<TControl*, TPoint>> Controls; // with where each started
        bool Moved = false;
    };
    void forgetDragged(TComponent* component);
    TDesignerIcon* iconOf(const TComponent* component) const;
    void addIcon(TComponent* component);
    void removeIcon(const TComponent* component);
    friend class TDesignerIcon;
    TComponent* FRoot;
    std::vector<TComponent*> FSelection;
    // The icons (owned) by their components' addresses.
    TFlatIndex<TDesignerIcon*> FIcons;
    int FModifiedCount = 0;
    bool FDeleting = false;
    std::optional<Drag> FDrag;
};

} // namespace host
