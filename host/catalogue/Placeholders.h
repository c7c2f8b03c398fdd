#pragma once
// Placeholders: what an object of a class the host does not know becomes when a form file is
// read. A placeholder is a component of that class name that keeps all its properties (as
// unknown ones, written back as read) and its children:
//   - a control when the file gives it a size (Width or Height) and control properties (Align,
//     Caption, Font..., TabOrder) or children with a size, and it sits on the root or in a
//     windowed control: windowed when it stores TabOrder or TabStop or holds children (it then
//     takes controls), a graphic control otherwise; but not when its Left or Top comes after a
//     property of its own that is neither a place nor a control's (a non-visual component's icon
//     position, written last);
//   - otherwise a non-visual component on the root (with a designer icon, collected by the bar
//     like any other), or a sub-component of the component it is nested in (it has a parent
//     component, as fields and menu items have: no icon, never collected).
// Everything nested in a placeholder is owned by it (its names need only be unique within it)
// and written back nested in it.

#include "host/classes/Streaming.h"
#include "host/vcl/Controls.h"

#include <memory>
#include <string>
#include <vector>

namespace host {

enum class PlaceholderKind { Component, SubComponent, WinControl, GraphicControl };

// The kind of placeholder an object becomes, nested in container (the root for a top-level
// object); root is the component being read.
PlaceholderKind PlaceholderKindOf(const FormObject& object, TComponent* container,
                                  TComponent* root);
// Whether the object looks like a control by what the file gives it (the rule above).
bool LooksLikeControl(const FormObject& object);

// A non-visual placeholder; nested ones (SubComponent) have a parent component.
class TPlaceholderComponent : public TComponent, public INestingHolder {
    HOST_CLASS(TPlaceholderComponent, TComponent)
public:
    void Destroy() override;
    void Notification(TComponent* component, TOperation operation) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void AdoptNested(TComponent* child) override;
    bool HasParent() const override { return false; }

protected:
    friend class TPlaceholderSubComponent;
    std::vector<TComponent*> FNested;
};

class TPlaceholderSubComponent : public TPlaceholderComponent {
    HOST_CLASS(TPlaceholderSubComponent, TPlaceholderComponent)
public:
    void Destroy() override;
    void Notification(TComponent* component, TOperation operation) override;
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FParent; }
    void SetParentComponent(TComponent* parent) override;

private:
    TComponent* FParent = nullptr;
};

// A windowed placeholder control: it takes controls, publishes TabOrder and paints a plain face
// with its name.
class TPlaceholderControl : public TCustomControl, public INestingHolder {
    HOST_CLASS(TPlaceholderControl, TCustomControl)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    void Destroy() override;
    void Notification(TComponent* component, TOperation operation) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    void AdoptNested(TComponent* child) override;
    void Paint() override;

private:
    std::vector<TComponent*> FNested;
};

class TPlaceholderGraphic : public TGraphicControl {
    HOST_CLASS(TPlaceholderGraphic, TGraphicControl)
public:
    void Paint() override;
};

// The run-time classes of a design's placeholders, one per class name and kind; they live as
// long as this object (the designer's environment), and are never registered: a later drop of
// that class name still finds no class.
class TPlaceholderClasses {
public:
    TPlaceholderClasses();
    ~TPlaceholderClasses();
    TPlaceholderClasses(const TPlaceholderClasses&) = delete;
    TPlaceholderClasses& operator=(const TPlaceholderClasses&) = delete;
    const TClass* ClassFor(const std::string& name, PlaceholderKind kind);
    // The function the reader asks (FormReadOptions::placeholderClass).
    PlaceholderClassFn Maker(TComponent* root);

private:
    struct Entry;
    std::vector<std::unique_ptr<Entry>> FClasses;
};

} // namespace host
