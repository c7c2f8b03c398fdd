#pragma once
// TStowbar: the bar that collects a form's non-visual components and shows each as a speed
// button.

#include "host/designer/ComponentEditors.h"
#include "host/designer/Designer.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/Menus.h"
#include "host/vcl/Tabs.h"
#include "stowbar/Layout.h"
#include "stowbar/Registry.h"
#include "stowbar/Slide.h"

#include <string>
#include <vector>

namespace stow {

using namespace host;

// The type information of TAttachSide (stowbar/Layout.h).
extern const TEnumInfo AttachSideInfo;

// Run a collection pass; posted by a bar to its own window. LParam: the bar.
constexpr UINT CM_COLLECT = 0xB776;
// Take over an AutoHide change. WParam: 1 on, 0 off; LParam: the sending bar.
constexpr UINT CM_AUTOHIDE = 0xB777;

// Class names that are never collected, compared through the ancestor chain: the Stowbar
// unit's table, set up by its initialization and released by its finalization (null outside,
// when nothing is collected).
extern const std::vector<std::string>* NonCollectableClasses;

// The Stowbar unit's procedures, exported under the host's names. The package's unit table
// lists them; a program that links the bar in calls them itself. Each runs once per load.
void StowbarInitialization() __asm__("Stowbar.Initialization$v");
void StowbarFinalization() __asm__("Stowbar.Finalization$v");

class TStowbar : public TCustomControl {
    HOST_CLASS(TStowbar, TCustomControl)
public:
    static void DeclareProperties(PropList& props);

    // ---- construction and life cycle
    void Create(TComponent* owner) override;
    void Destroy() override;
    void DefineProperties(TFiler& filer) override;
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    void WndProc(TMessage& message) override;

    // ---- the entry registry
    void AddComponent(const std::string& name, const std::string& title,
                      const std::string& className);
    // Frees the entry at index, with its button, and closes the gap.
    void FreeNVC(int index);
    void FreeNVCs();
    // The receiving half of a hand-over (the destructor's and Move To's): the name leaves this
    // bar's excluded names, and the entry is added with its title.
    void TakeOver(const TNVCRecord& entry);
    void ShowComponents(bool show);

    // ---- the collection pass
    bool CanWeCollect(TComponent* component) const;
    void Collect();
    void ComponentRefUpd();

    // ---- geometry, placement, painting
    int GetButtonHeight() const;
    int GetBarWidth() const;
    int GetBarHeight() const;
    void Paint() override;

    // ---- auto-hide
    void HideBar();
    void ShowBar();
    void ScrollBar(int delta);
    void MouseMove(TShiftState shift, int x, int y) override;

    // ---- groups, tabs, clicks and the menu
    void UpdateTabList();
    void InsertGroupList(TMenuItem* item);

    // ---- palette glyphs
    HBITMAP GetPaletteBitmap(TComponent* component) const;

    // ---- published properties
    const std::string& VersionInfo() const { return FVersionInfo; }
    void SetVersionInfo(const std::string& value) { FVersionInfoInput = value; }
    bool AutoHide() const { return FAutoHide; }
    void SetAutoHide(bool value);
    TAttachSide AttachSide() const { return FAttachSide; }
    void SetAttachSide(TAttachSide value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int value);
    int HiddenBarWidth() const { return FHiddenBarWidth; }
    void SetHiddenBarWidth(int value) { FHiddenBarWidth = value; }
    TButtonLayout Layout() const { return FLayout; }
    void SetButtonLayout(TButtonLayout value);
    int Margin() const { return FMargin; }
    void SetMargin(int value);
    int ScrollTime() const { return FScrollTime; }
    void SetScrollTime(int value) { FScrollTime = value; }
    bool ShowTitles() const { return FShowTitles; }
    void SetShowTitles(bool value);
    bool ShowPicture() const { return FShowPicture; }
    void SetShowPicture(bool value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int value);

    // ---- read access for the designer program and tests
    int EntryCount() const { return FNVCs.Count(); }
    TNVC* Entry(int i) const { return FNVCs.Items(i); }
    const TStringList& ExcludedNames() const { return FNVCs.ExcludedNames(); }
    const std::string& VersionInfoInput() const { return FVersionInfoInput; }
    bool Hidden() const { return FHidden; }
    bool Designing() const { return FDesigning; }
    TTabSet* TabSet() const { return FTabSet; }
    TPopupMenu* VerbMenu() const { return FVerbMenu; }
    TComponentEditor* Editor() const { return FEditor; }
    TFormDesigner* FormDesigner() const { return FDesigner; }
    // Positions of the bar's edge recorded during the last slide (Left or Top), then the final.
    const std::vector<int>& SlideFrames() const { return FSlide.Frames(); }

protected:
    void CreateParams(TCreateParams& params) override;

private:
    // message handlers
    void WMTimer(TMessage& message);
    void WMCreate(TMessage& message);
    void WMDestroy(TMessage& message);
    void CMCollect(TMessage& message);
    void CMAutoHide(TMessage& message);
    // event handlers bound to child controls
    void BtnClick(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
    void BtnDblClick(TObject* sender);
    void TabChange(TObject* sender, int newTab, bool& allowChange);
    void TabMouseMove(TObject* sender, TShiftState shift, int x, int y);
    void PopupVerbMenuClick(TObject* sender);
    // whether the designer's selection holds the bar or one of its entries' components
    bool selectionHoldsBar();
    // the layout step of one entry: its button goes to at, and at moves on to the next place
    void layoutEntry(TNVC& entry, TPoint& at);
    TButtonGrid buttonGrid() const;
    TStowbar* asStowbar(TComponent* c) const;
    TCustomForm* ownerForm() const;
    // The form's bars in its component order (this one included), kept until the form's list
    // changes.
    const std::vector<TStowbar*>& formBars() const;

    TNVCRegistry FNVCs;
    bool FAutoHide = false;
    TAttachSide FAttachSide = asLeft;
    bool FHidden = false;
    int FHiddenBarWidth = 0;
    bool FShowTitles = false;
    bool FShowPicture = false;
    TButtonLayout FLayout = blGlyphLeft;
    TComponentEditor* FEditor = nullptr;
    TPopupMenu* FVerbMenu = nullptr;
    int FButtonWidth = 0;
    int FButtonHeight = 0;
    TTabSet* FTabSet = nullptr;
    bool FDesigning = false;
    TComponent* FForm = nullptr;
    TFormDesigner* FDesigner = nullptr;
    std::string FVersionInfoInput;
    std::string FVersionInfo;
    int FMargin = 0;
    int FSpacing = 0;
    int FScrollTime = 0;
    TSlide FSlide;
    TComponentList FSelectionList; // filled and emptied by each tick's selection walk
    mutable std::vector<TStowbar*> FBars;
    mutable uint64_t FBarsVersion = UINT64_MAX;
};

} // namespace stow
