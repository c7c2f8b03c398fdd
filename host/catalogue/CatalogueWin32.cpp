// The Win32 palette page.
#include "host/catalogue/CatalogueRows.h"

#include <iterator>

namespace host::catalogue {

namespace {

// clang-format off
const ClassRow Classes[] = {
    {"TCustomTabControl", "TWinControl", "", "",
     "HotTrack: Boolean = False; Images: TCustomImageList; MultiLine: Boolean = False; "
     "MultiSelect: Boolean = False; OwnerDraw: Boolean = False; RaggedRight: Boolean = False; "
     "ScrollOpposite: Boolean = False; Style: TTabStyle = tsTabs; TabHeight: SmallInt = 0; "
     "TabPosition: TTabPosition = tpTop; TabWidth: SmallInt = 0; OnChange; OnChanging; "
     "OnDrawTab; OnGetImageIndex",
     0, 0, true},
    {"TTabControl", "TCustomTabControl", "Win32",
     "Align; @WinControl; DockSite; HotTrack; Images; MultiLine; MultiSelect; OwnerDraw; "
     "RaggedRight; ScrollOpposite; Style; TabHeight; TabIndex: Integer = -1; TabPosition; "
     "Tabs: TStrings; TabStop = True; TabWidth; OnChange; OnChanging; OnDrawTab; "
     "OnGetImageIndex; OnResize; @WinControlEvents",
     {}, 289, 193},
    {"TPageControl", "TCustomTabControl", "Win32",
     "ActivePage: TTabSheet; Align; @WinControl; DockSite; HotTrack; Images; MultiLine; "
     "OwnerDraw; RaggedRight; ScrollOpposite; Style; TabHeight; TabIndex: Integer = -1; "
     "TabPosition; TabStop = True; TabWidth; OnChange; OnChanging; OnDrawTab; "
     "OnGetImageIndex; OnResize; @WinControlEvents",
     {}, 289, 193},
    {"TTabSheet", "TWinControl", "",
     "@WinControl; BorderWidth: TBorderWidth = 0; Caption; Highlighted: Boolean = False; "
     "ImageIndex: TImageIndex = 0; PageIndex: Integer stored False; "
     "TabVisible: Boolean = True; OnHide; OnShow; @WinControlEvents"},
    {"TImageList", "TCustomImageList", "Win32",
     "AllocBy: Integer = 4; BlendColor: TColor = clNone; BkColor: TColor = clNone; "
     "DrawingStyle: TDrawingStyle = dsNormal; Height; ImageType: TImageType = itImage; "
     "Masked: Boolean = True; ShareImages: Boolean = False; Width; OnChange"},
    {"TRichEdit", "TCustomMemo", "Win32",
     "Align; Alignment; @WinControl; @Bevels; BorderStyle; BorderWidth: TBorderWidth = 0; "
     "Color = clWindow; HideScrollBars: Boolean = True; HideSelection; ImeMode; ImeName; "
     "Lines; MaxLength; ParentColor = False; PlainText: Boolean = False; ReadOnly; ScrollBars; "
     "TabStop = True; WantReturns; WantTabs; WordWrap; OnChange; OnProtectChange; OnResizeRequest; "
     "OnSaveClipboard; OnSelectionChange; @WinControlEvents",
     {}, 185, 89},
    {"TTrackBar", "TWinControl", "Win32",
     "Align; @WinControl; Frequency: Integer = 1; LineSize: Integer = 1; Max: Integer = 10; "
     "Min: Integer = 0; Orientation: TTrackBarOrientation = trHorizontal; "
     "PageSize: Integer = 2; Position: Integer = 0; SelEnd: Integer = 0; "
     "SelStart: Integer = 0; SliderVisible: Boolean = True; TabStop = True; "
     "ThumbLength: Integer = 20; TickMarks: TTickMark = tmBottomRight; "
     "TickStyle: TTickStyle = tsAuto; OnChange; @WinControlEvents",
     {}, 150, 45},
    {"TProgressBar", "TWinControl", "Win32",
     "Align; @WinControl; Max: Integer = 100; Min: Integer = 0; "
     "Orientation: TProgressBarOrientation = pbHorizontal; Position: Integer = 0; "
     "Smooth: Boolean = False; Step: Integer = 10; @WinControlEvents",
     {}, 150, 16},
    {"TUpDown", "TWinControl", "Win32",
     "AlignButton: TUDAlignButton = udRight; Anchors; ArrowKeys: Boolean = True; "
     "Associate: TWinControl; Constraints; Enabled; Hint; Increment: Integer = 1; "
     "Max: Integer = 100; Min: Integer = 0; Orientation: TUDOrientation = udVertical; "
     "ParentShowHint; PopupMenu; Position: Integer = 0; ShowHint; TabOrder; TabStop; "
     "Thousands: Boolean = True; Visible; Wrap: Boolean = False; OnChanging; OnClick; "
     "OnContextPopup; OnEnter; OnExit; @Mouse",
     {}, 16, 24},
    {"THotKey", "TWinControl", "Win32",
     "Align; Anchors; AutoSize: Boolean = True; @Bevels; Constraints; Enabled; "
     "HotKey: TShortCut = 32833; InvalidKeys: THKInvalidKeys = [hcNone, hcShift]; "
     "Modifiers: THKModifiers = [hkAlt]; ParentShowHint; PopupMenu; ShowHint; TabOrder; "
     "TabStop = True; Visible; OnChange; OnContextPopup; OnEnter; OnExit; @Mouse",
     {}, 121, 19},
    {"TAnimate", "TWinControl", "Win32",
     "Active: Boolean = False; Align; Anchors; AutoSize: Boolean = True; Center: Boolean = True; "
     "Color; CommonAVI: TCommonAVI = aviNone; Constraints; FileName: TFileName; "
     "Open: Boolean = False; ParentColor; ParentShowHint; Repetitions: Integer = 0; ShowHint; "
     "StartFrame: SmallInt = 1; StopFrame: SmallInt = 0; Timers: Boolean = False; "
     "Transparent: Boolean = True; Visible; OnClose; OnOpen; OnStart; OnStop",
     {}, 100, 80},
    {"TDateTimePicker", "TWinControl", "Win32",
     "Anchors; BiDiMode; CalAlignment: TDTCalAlignment = dtaLeft; Date: TDate; Time: TTime; "
     "ShowCheckbox: Boolean = False; Checked: Boolean = True; Color = clWindow; Constraints; "
     "DateFormat: TDTDateFormat = dfShort; DateMode: TDTDateMode = dmComboBox; @Drag; Enabled; "
     "Font; ImeMode; ImeName; Kind: TDateTimeKind = dtkDate; MaxDate: TDate; MinDate: TDate; "
     "ParentBiDiMode; ParentColor = False; ParentFont; ParentShowHint; "
     "ParseInput: Boolean = False; PopupMenu; ShowHint; TabOrder; TabStop = True; Visible; "
     "OnClick; OnCloseUp; OnChange; OnContextPopup; OnDropDown; OnDblClick; OnUserInput; "
     "@Dragging; @Keys",
     {}, 186, 21},
    {"TMonthCalendar", "TWinControl", "Win32",
     "Align; Anchors; AutoSize; BiDiMode; BorderWidth: TBorderWidth = 0; Constraints; "
     "Date: TDate; @Drag; Enabled; FirstDayOfWeek: TCalDayOfWeek = dowLocaleDefault; Font; "
     "MaxDate: TDate; MaxSelectRange: Integer = 31; MinDate: TDate; "
     "MultiSelect: Boolean = False; ParentBiDiMode; ParentFont; ParentShowHint; PopupMenu; "
     "ShowHint; ShowToday: Boolean = True; ShowTodayCircle: Boolean = True; TabOrder; "
     "TabStop = True; Visible; WeekNumbers: Boolean = False; OnClick; OnDblClick; "
     "OnGetMonthInfo; @Dragging; @Keys",
     {}, 191, 154},
    {"TCustomTreeView", "TWinControl", "", "",
     "AutoExpand: Boolean = False; BorderStyle: TBorderStyle = bsSingle; "
     "ChangeDelay: Integer = 0; HideSelection: Boolean = True; HotTrack: Boolean = False; "
     "Images: TCustomImageList; Indent: Integer = 19; ReadOnly: Boolean = False; "
     "RightClickSelect: Boolean = False; RowSelect: Boolean = False; "
     "ShowButtons: Boolean = True; ShowLines: Boolean = True; ShowRoot: Boolean = True; "
     "SortType: TSortType = stNone; StateImages: TCustomImageList; ToolTips: Boolean = True; "
     "OnChange; OnChanging; OnCollapsed; OnCollapsing; OnCompare; OnDeletion; OnEdited; "
     "OnEditing; OnExpanded; OnExpanding; OnGetImageIndex; OnGetSelectedIndex",
     0, 0, true},
    {"TTreeView", "TCustomTreeView", "Win32",
     "Align; AutoExpand; @WinControl; @Bevels; BorderStyle; ChangeDelay; Color = clWindow; "
     "HideSelection; HotTrack; Images; Indent; ParentColor = False; ReadOnly; RightClickSelect; "
     "RowSelect; ShowButtons; ShowLines; ShowRoot; SortType; StateImages; TabStop = True; "
     "ToolTips; OnChange; OnChanging; OnCollapsed; OnCollapsing; OnCompare; OnDeletion; "
     "OnEdited; OnEditing; OnExpanded; OnExpanding; OnGetImageIndex; OnGetSelectedIndex; "
     "@WinControlEvents",
     {}, 121, 97},
    {"TListView", "TWinControl", "Win32",
     "Align; AllocBy: Integer = 0; @WinControl; @Bevels; BorderStyle: TBorderStyle = bsSingle; "
     "Checkboxes: Boolean = False; Color = clWindow; Columns: TListColumns; "
     "ColumnClick: Boolean = True; FlatScrollBars: Boolean = False; FullDrag: Boolean = False; "
     "GridLines: Boolean = False; HideSelection: Boolean = True; HotTrack: Boolean = False; "
     "LargeImages: TCustomImageList; MultiSelect: Boolean = False; OwnerData: Boolean = False; "
     "OwnerDraw: Boolean = False; ParentColor = False; ReadOnly: Boolean = False; "
     "RowSelect: Boolean = False; ShowColumnHeaders: Boolean = True; "
     "SmallImages: TCustomImageList; SortType: TSortType = stNone; "
     "StateImages: TCustomImageList; TabStop = True; ViewStyle: TViewStyle = vsIcon; "
     "OnChange; OnChanging; OnColumnClick; OnCompare; OnCustomDraw; OnData; OnDeletion; "
     "OnEdited; OnEditing; OnInsert; OnSelectItem; @WinControlEvents",
     {}, 250, 150},
    {"THeaderControl", "TWinControl", "Win32",
     "Align = alTop; Anchors; BiDiMode; BorderWidth: TBorderWidth = 0; "
     "DragReorder: Boolean = False; Enabled; Font; FullDrag: Boolean = True; "
     "HotTrack: Boolean = False; Images: TCustomImageList; Constraints; "
     "Sections: THeaderSections; ShowHint; Style: THeaderStyle = hsButtons; ParentBiDiMode; "
     "ParentFont; ParentShowHint; PopupMenu; Visible; OnContextPopup; OnDrawSection; "
     "OnResize; OnSectionClick; OnSectionDrag; OnSectionEndDrag; OnSectionResize; "
     "OnSectionTrack; @Mouse",
     {}, 200, 17},
    {"TStatusBar", "TWinControl", "Win32",
     "Action; AutoHint: Boolean = False; Align; Anchors; BiDiMode; BorderWidth: TBorderWidth = 0; "
     "Color = clBtnFace; @Drag; Enabled; Font; Constraints; Panels: TStatusPanels; "
     "ParentBiDiMode; ParentColor = False; ParentFont; ParentShowHint; PopupMenu; ShowHint; "
     "SimplePanel; SimpleText; SizeGrip: Boolean = True; UseSystemFont: Boolean = True; "
     "Visible; OnClick; OnContextPopup; OnDblClick; @Dragging; OnDrawPanel; OnHint; @Mouse; "
     "OnResize"},
    {"TToolBar", "TWinControl", "Win32",
     "Align = alTop; Anchors; AutoSize; @Bevels; BorderWidth: TBorderWidth = 0; "
     "ButtonHeight: Integer = 22; ButtonWidth: Integer = 23; Caption; Color; Constraints; "
     "Ctl3D; DisabledImages: TCustomImageList; DockSite; @Drag; "
     "EdgeBorders: TEdgeBorders = [ebTop]; EdgeInner: TEdgeStyle = esRaised; "
     "EdgeOuter: TEdgeStyle = esLowered; Enabled; Flat: Boolean = False; Font; "
     "HotImages: TCustomImageList; Images: TCustomImageList; Indent: Integer = 0; "
     "List: Boolean = False; ParentColor; ParentFont; ParentShowHint; PopupMenu; "
     "ShowCaptions: Boolean = False; ShowHint; TabOrder; TabStop; "
     "Transparent: Boolean = False; Visible; Wrapable: Boolean = True; OnClick; "
     "OnContextPopup; OnDblClick; OnDockDrop; OnDockOver; @Dragging; OnGetSiteInfo; @Mouse; "
     "OnResize; OnUnDock",
     {}, 150, 29},
    {"TToolButton", "TGraphicControl", "",
     "Action; AllowAllUp: Boolean = False; AutoSize: Boolean = False; Caption; "
     "Down: Boolean = False; @Drag; DropdownMenu: TPopupMenu; Enabled; Grouped: Boolean = False; "
     "Height; ImageIndex: TImageIndex = -1; Indeterminate: Boolean = False; "
     "Marked: Boolean = False; MenuItem: TMenuItem; ParentShowHint; PopupMenu; ShowHint; "
     "Style: TToolButtonStyle = tbsButton; Visible; Width; Wrap: Boolean = False; "
     "@ControlEvents",
     {}, 23, 22},
    {"TCoolBar", "TWinControl", "Win32",
     "Align = alTop; Anchors; AutoSize; BandBorderStyle: TBorderStyle = bsSingle; "
     "BandMaximize: TCoolBandMaximize = bmClick; Bands: TCoolBands; BiDiMode; "
     "BorderWidth: TBorderWidth = 0; Color; Constraints; Ctl3D; DockSite; @Drag; "
     "EdgeBorders: TEdgeBorders = [ebLeft, ebTop, ebRight, ebBottom]; "
     "EdgeInner: TEdgeStyle = esRaised; EdgeOuter: TEdgeStyle = esLowered; Enabled; "
     "FixedSize: Boolean = False; FixedOrder: Boolean = False; Font; "
     "Images: TCustomImageList; ParentBiDiMode; ParentColor; ParentFont; ParentShowHint; "
     "Bitmap: TBitmap; PopupMenu; ShowHint; ShowText: Boolean = True; "
     "Vertical: Boolean = False; Visible; OnChange; OnClick; OnContextPopup; OnDblClick; "
     "OnDockDrop; OnDockOver; @Dragging; OnGetSiteInfo; @Mouse; OnResize; OnUnDock",
     {}, 150, 75},
};
// clang-format on

} // namespace

Table Win32Table() {
    return {nullptr, 0, Classes, std::size(Classes)};
}

} // namespace host::catalogue
