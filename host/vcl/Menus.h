#pragma once
// Menu items and menus. Items are components; putting an item into a submenu or taking it out
// does not free it, but freeing an item frees the items of its submenu.

#include "host/vcl/Controls.h"

namespace host {

class TMenu;

class TMenuItem : public TComponent {
    HOST_CLASS(TMenuItem, TComponent)
public:
    static void DeclareProperties(PropList& props);
    void Destroy() override;

    const std::string& Caption() const { return FCaption; }
    void SetCaption(const std::string& value) { FCaption = value; }
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value) { FEnabled = value; }
    bool Checked() const { return FChecked; }
    void SetChecked(bool value) { FChecked = value; }
    bool Visible() const { return FVisible; }
    void SetVisible(bool value) { FVisible = value; }
    bool IsLine() const { return FCaption == "-"; }

    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int i) const;
    TMenuItem* Parent() const { return FParent; }
    int IndexOf(const TMenuItem* item) const;
    void Insert(int index, TMenuItem* item);
    void Add(TMenuItem* item) { Insert(Count(), item); }
    // Takes the item out of the submenu without freeing it.
    void Remove(TMenuItem* item);
    void Delete(int index);
    void Clear(); // frees the submenu's items

    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override;
    void SetParentComponent(TComponent* parent) override;
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    // The menu this item belongs to, through its parents.
    TMenu* GetParentMenu() const;

    virtual void Click();
    TNotifyEvent OnClick;
    std::string OnClickName; // the handler's name as the form file stores it

private:
    friend class TMenu;
    std::string FCaption;
    bool FEnabled = true;
    bool FChecked = false;
    bool FVisible = true;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;
};

class TMenu : public TComponent {
    HOST_CLASS(TMenu, TComponent)
public:
    void Create(TComponent* owner) override;
    void Destroy() override;
    TMenuItem* Items() const { return FItems.get(); }
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

private:
    FreePtr<TMenuItem> FItems;
};

class TMainMenu : public TMenu {
    HOST_CLASS(TMainMenu, TMenu)
};

// What pops a popup menu up: a modal menu loop that the session, a test or a person answers.
class IMenuService {
public:
    virtual ~IMenuService() = default;
    // Shows the menu at a screen point and returns the chosen item, or null when dismissed.
    virtual TMenuItem* TrackPopupMenu(TMenu* menu, TPoint screen) = 0;
};

class TPopupMenu : public TMenu {
    HOST_CLASS(TPopupMenu, TMenu)
public:
    static void DeclareProperties(PropList& props);
    // Pops the menu up at a screen point. The chosen item's OnClick runs from the message loop
    // after the menu has closed.
    virtual void Popup(int x, int y);
    bool AutoPopup() const { return FAutoPopup; }

private:
    bool FAutoPopup = true;
};

} // namespace host
