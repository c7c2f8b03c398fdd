#pragma once
// TStowbar: the bar that collects a form's non-visual components and shows each as a speed
// button. The bar keeps its messages, properties, life cycle and menu; the mechanics live in
// collaborators with their own headers: the entry registry (Registry.h), the layout's
// arithmetic (Layout.h), the slide (Slide.h) and the menu's commands and tags
// (MenuCommands.h).

#include "host/designer/ComponentEditors.h"
#include "host/designer/Designer.h"
#include "host/vcl/Buttons.h"
#include "host/vcl/Menus.h"
#include "host/vcl/Tabs.h"
#include "stowbar/CollectRequest.h"
#include "stowbar/Layout.h"
#include "stowbar/MenuCommands.h"
#include "stowbar/Registry.h"
#include "stowbar/Slide.h"
#include "stowbar/StowbarView.h"

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {
class TCustomForm;
class TReader;
class TWriter;
} // namespace host

namespace stow {

// The type information of TAttachSide (stowbar/Layout.h).
extern const host::TEnumInfo AttachSideInfo;

// Run a collection pass; posted by a bar to its own window. LParam: the bar.
constexpr host::UINT CM_COLLECT = 0xB776;
// Take over an AutoHide change. WParam: 1 on, 0 off; LParam: the sending bar.
constexpr host::UINT CM_AUTOHIDE = 0xB777;

// Class names that are never collected, compared through the ancestor chain: the Stowbar
// unit's table, set up by its initialization and released by its finalization (null outside,
// when nothing is collected).
extern std::unique_ptr<const std::vector<std::string>> NonCollectableClasses;

// The Stowbar unit's procedures, exported under the host's names. The package's unit table
// lists them; a program that links the bar in calls them itself. Each runs once per load.
void StowbarInitialization() __asm__("Stowbar.Initialization$v");
void StowbarFinalization() __asm__("Stowbar.Finalization$v");

class TStowbar : public host::TCustomControl {
    HOST_CLASS(TStowbar, host::TCustomControl)
public:
    static void DeclareProperties(host::PropList& props);

    // ---- construction and life cycle (Stowbar.cpp)
    void Create(host::TComponent* owner) override;
    void Destroy() override;
    void Loaded() override;
    void Notification(host::TComponent* component, host::TOperation operation) override;
    void WndProc(host::TMessage& message) override;

    // ---- the NVCs property of the form file (NVCs.cpp)
    void DefineProperties(host::TFiler& filer) override;

    // ---- the entries (Entries.cpp)
    void AddComponent(const std::string& name, const std::string& title,
                      const std::string& className);
    // Frees the entry at index, with its button, and closes the gap.
    void FreeNVC(int index);
    void FreeNVCs();
    // The receiving half of a hand-over (the destructor's and Move To's): the name leaves this
    // bar's excluded names, and the entry is added with its title.
    void TakeOver(const TNVCRecord& entry);
    void ShowComponents(bool show);

    // ---- the collection pass (Collect.cpp)
    bool CanWeCollect(host::TComponent* component) const;
    void Collect();
    void ComponentRefUpd();

    // ---- size, place, painting (Geometry.cpp)
    int GetButtonHeight() const;
    int GetBarWidth() const;
    int GetBarHeight() const;
    void Paint() override;
    // The picture the palette shows for the component's class (Glyphs.cpp).
    host::HBITMAP GetPaletteBitmap(host::TComponent* component) const;

    // ---- auto-hide (AutoHide.cpp)
    void HideBar();
    void ShowBar();
    void ScrollBar(int delta);
    void MouseMove(host::TShiftState shift, int x, int y) override;

    // ---- tabs (Tabs.cpp) and the Move To submenu (Menu.cpp)
    void UpdateTabList();
    void InsertGroupList(host::TMenuItem* item);

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
    host::TButtonLayout Layout() const { return FLayout; }
    void SetButtonLayout(host::TButtonLayout value);
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
    // The entry at i, which the caller may change: the next relayout runs in full.
    TNVC* Entry(int i) const { return FNVCs.Edit(i); }
    // The entries, read only.
    const TNVCRegistry& Entries() const { return FNVCs; }
    const host::TStringList& ExcludedNames() const { return FNVCs.ExcludedNames(); }
    const std::string& VersionInfoInput() const { return FVersionInfoInput; }
    bool Hidden() const { return FHidden; }
    bool Designing() const { return FDesigning; }
    host::TTabSet* TabSet() const { return FTabSet; }
    host::TPopupMenu* VerbMenu() const { return FVerbMenu; }
    host::TComponentEditor* Editor() const { return FEditor; }
    host::TFormDesigner* FormDesigner() const { return FDesigner; }
    // Positions of the bar's edge recorded during the last slide (Left or Top), then the final.
    const std::vector<int>& SlideFrames() const { return FSlide.Frames(); }
    // The read-only view that the package hands the designer program (stowbar/BarView.h).
    const IBarView& View() const { return FView; }
    // How many collection passes the bar has run, and how many entries its relayouts have laid
    // out: figures for tests and benchmarks.
    int PassCount() const { return FPassCount; }
    int64_t LayoutSteps() const { return FLayoutSteps; }

    // Runs the design's handler of CM_COLLECT instead of today's: one message posted for every
    // request, and each handler processing the pending messages (other bars' passes among them)
    // before its pass. Kept as the oracle that the tests compare today's order of passes with;
    // the program never sets it.
    static bool NestedPassesForTesting;
    // Runs every relayout in full, as the design did, even when nothing it reads has changed:
    // the tests compare the skipped relayouts with it.
    static bool FullRelayoutsForTesting;

protected:
    void CreateParams(host::TCreateParams& params) override;

private:
    // message handlers
    void WMTimer(host::TMessage& message);
    void WMCreate(host::TMessage& message);
    void WMDestroy(host::TMessage& message);
    void CMCollect(host::TMessage& message);
    void CMAutoHide(host::TMessage& message);
    // event handlers bound to child controls
    void BtnClick(host::TObject* sender, host::TMouseButton button, host::TShiftState shift, int x,
                  int y);
    void BtnDblClick(host::TObject* sender);
    void TabChange(host::TObject* sender, int newTab, bool& allowChange);
    void TabMouseMove(host::TObject* sender, host::TShiftState shift, int x, int y);
    void PopupVerbMenuClick(host::TObject* sender);

    // the NVCs property's reader and writer (NVCs.cpp)
    void ReadData(host::TReader& reader);
    void WriteData(host::TWriter& writer);

    // ---- the menu and its commands (Menu.cpp)
    void CreateVerbMenu();
    void BuildVerbMenu(const TNVC& entry, int idx);
    host::TMenuItem* fixedItem(TMenuCommand command) const;
    void DoVerb(int index);
    void DoAbout(const TNVC& entry);
    void DoChangeTitle(TNVC& entry);
    void DoDelete(const TNVC& entry);
    void DoMoveTowardsStart(int idx);
    void DoMoveTowardsEnd(int idx);
    void DoMoveTo(int idx, TStowbar* target);

    // ---- the order of collection passes (Collect.cpp)
    // Whether a pass may run now (not while loading, only in the designer).
    bool collects() const;
    // Asks for a pass: posts CM_COLLECT unless one waits already.
    void requestCollect();
    // Whether this bar's pass has to wait for other messages or other bars' passes.
    bool passWaits() const;

    // What a relayout reads (ComponentRefUpd): when none of it changed since the last relayout,
    // another would change nothing.
    struct TLayoutInputs {
        uint64_t Entries = UINT64_MAX; // the registry's version
        uint64_t FormComponents = 0;
        uint64_t FormNames = 0;
        uint64_t Modules = 0; // where the glyphs come from
        TAttachSide Side = asNone;
        int ButtonWidth = 0;
        int ButtonHeight = 0;
        int Room = 0; // along a row or column
        int TabSetHeight = 0;
        bool ShowPicture = false;
        bool ShowTitles = false;
        bool operator==(const TLayoutInputs&) const = default;
    };
    TLayoutInputs layoutInputs() const;
    // The room along a row (top, undocked) or a column (left) for the layout step.
    int layoutRoom() const;

    // whether the designer's selection holds the bar or one of its entries' components
    bool selectionHoldsBar();
    // the layout step of one entry: its button goes to at, and at moves on to the next place
    void layoutEntry(TNVC& entry, host::TPoint& at);
    TButtonGrid buttonGrid() const;
    // the bar's size across its side: its width on the left, its height on the top
    int extentAcrossSide() const;
    TStowbar* asStowbar(host::TComponent* c) const;
    host::TCustomForm* ownerForm() const;
    // The form's bars in its component order (this one included), and its other controls, kept
    // until the form's list changes.
    const std::vector<TStowbar*>& formBars() const;
    // AddComponent for a pass that knows the form's component of that name: the entry refers to
    // it at once, and no look-up by name is needed.
    void addComponent(const std::string& name, const std::string& title,
                      const std::string& className, host::TComponent* known);
    const std::vector<host::TControl*>& formControls() const;
    void updateFormLists() const;

    TNVCRegistry FNVCs;
    bool FAutoHide = false;
    TAttachSide FAttachSide = asLeft;
    bool FHidden = false;
    int FHiddenBarWidth = 0;
    bool FShowTitles = false;
    bool FShowPicture = false;
    host::TButtonLayout FLayout = host::blGlyphLeft;
    host::TComponentEditor* FEditor = nullptr;
    host::TPopupMenu* FVerbMenu = nullptr;
    TMoveToTargets FMoveToTargets;
    int FButtonWidth = 0;
    int FButtonHeight = 0;
    host::TTabSet* FTabSet = nullptr;
    bool FDesigning = false;
    host::TComponent* FForm = nullptr;
    host::TFormDesigner* FDesigner = nullptr;
    std::string FVersionInfoInput;
    std::string FVersionInfo;
    int FMargin = 0;
    int FSpacing = 0;
    int FScrollTime = 0;
    TSlide FSlide;
    host::TComponentList FSelectionList; // filled and emptied by each tick's selection walk
    TStowbarView FView{*this};
    mutable std::vector<TStowbar*> FBars;
    mutable std::vector<host::TControl*> FControlsOfForm; // this bar left out
    mutable uint64_t FBarsVersion = UINT64_MAX;
    TCollectRequest FCollectRequest;
    int FPassCount = 0;
    int64_t FLayoutSteps = 0;
    TLayoutInputs FLaidOut;
    // CanWeCollect's answers by class, for the table they were given with.
    mutable std::unordered_map<const host::TClass*, bool> FCollectable;
    mutable const void* FCollectableTable = nullptr;
};

} // namespace stow
