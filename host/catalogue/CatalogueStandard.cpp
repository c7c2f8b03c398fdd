// The Standard and Additional palette pages.
#include "host/catalogue/CatalogueRows.h"

#include <iterator>

namespace host::catalogue {

namespace {

// clang-format off
const ClassRow Classes[] = {
    // ---------------------------------------------------------------- Standard
    {"TMainMenu", "TMenu", "Standard",
     "AutoHotkeys: TMenuAutoFlag = maAutomatic; AutoLineReduction: TMenuAutoFlag = maAutomatic; "
     "AutoMerge: Boolean = False; BiDiMode: TBiDiMode stored not ParentBiDiMode; "
     "Images: TCustomImageList; OwnerDraw: Boolean = False; ParentBiDiMode: Boolean = True; "
     "OnChange"},
    {"TPopupMenu", "TMenu", "Standard",
     "Alignment: TPopupAlignment = paLeft; AutoHotkeys: TMenuAutoFlag = maAutomatic; "
     "AutoLineReduction: TMenuAutoFlag = maAutomatic; AutoPopup; "
     "BiDiMode: TBiDiMode stored not ParentBiDiMode; HelpContext: THelpContext = 0; "
     "Images: TCustomImageList; MenuAnimation: TMenuAnimation = []; OwnerDraw: Boolean = False; "
     "ParentBiDiMode: Boolean = True; TrackButton: TTrackButton = tbRightButton; OnChange; "
     "OnPopup"},
    {"TMenuItem", "TComponent", "",
     "Action: TBasicAction; AutoCheck: Boolean = False; "
     "AutoHotkeys: TMenuItemAutoFlag = maParent; AutoLineReduction: TMenuItemAutoFlag = maParent; "
     "Bitmap: TBitmap; Break: TMenuBreak = mbNone; Caption; Checked; "
     "SubMenuImages: TCustomImageList; Default: Boolean = False; Enabled; GroupIndex: Byte = 0; "
     "HelpContext: THelpContext = 0; Hint: string; ImageIndex: TImageIndex = -1; "
     "RadioItem: Boolean = False; ShortCut: TShortCut = 0; Visible; OnAdvancedDrawItem; "
     "OnClick; OnDrawItem; OnMeasureItem"},
    {"TLabel", "TGraphicControl", "Standard",
     "Align; Alignment: TAlignment = taLeftJustify; Anchors; AutoSize: Boolean = True; "
     "BiDiMode; Caption; Color; Constraints; @Drag; Enabled; FocusControl: TWinControl; Font; "
     "ParentBiDiMode; ParentColor; ParentFont; ParentShowHint; PopupMenu; "
     "ShowAccelChar: Boolean = True; ShowHint; Transparent: Boolean = False; "
     "Layout: TTextLayout = tlTop; Visible; WordWrap: Boolean = False; @ControlEvents; "
     "OnMouseEnter; OnMouseLeave"},
    {"TCustomEdit", "TWinControl", "", "",
     "AutoSelect: Boolean = True; AutoSize: Boolean = True; "
     "BorderStyle: TBorderStyle = bsSingle; CharCase: TEditCharCase = ecNormal; "
     "HideSelection: Boolean = True; MaxLength: Integer = 0; OEMConvert: Boolean = False; "
     "PasswordChar: Char = #0; ReadOnly: Boolean = False; OnChange",
     0, 0, true},
    {"TEdit", "TCustomEdit", "Standard",
     "@WinControl; AutoSelect; AutoSize; @Bevels; BorderStyle; CharCase; Color = clWindow; "
     "HideSelection; ImeMode; ImeName; MaxLength; OEMConvert; ParentColor = False; "
     "PasswordChar; ReadOnly; TabStop = True; Text; OnChange; @WinControlEvents",
     {}, 121, 21},
    {"TCustomMemo", "TCustomEdit", "", "",
     "Alignment: TAlignment = taLeftJustify; Lines: TStrings; "
     "ScrollBars: TScrollStyle = ssNone; WantReturns: Boolean = True; "
     "WantTabs: Boolean = False; WordWrap: Boolean = True",
     0, 0, true},
    {"TMemo", "TCustomMemo", "Standard",
     "Align; Alignment; @WinControl; @Bevels; BorderStyle; Color = clWindow; HideSelection; "
     "ImeMode; ImeName; Lines; MaxLength; OEMConvert; ParentColor = False; ReadOnly; "
     "ScrollBars; TabStop = True; WantReturns; WantTabs; WordWrap; OnChange; "
     "@WinControlEvents",
     {}, 185, 89},
    {"TButton", "TWinControl", "Standard",
     "Action; @WinControl; Cancel; Caption; Default; ModalResult; TabStop = True; "
     "WordWrap: Boolean = False; @WinControlEvents"},
    {"TCustomCheckBox", "TWinControl", "", "",
     "Alignment: TLeftRight = taRightJustify; AllowGrayed: Boolean = False; "
     "Checked: Boolean = False; State: TCheckBoxState = cbUnchecked; WordWrap: Boolean = False",
     0, 0, true},
    {"TCheckBox", "TCustomCheckBox", "Standard",
     "Action; Alignment; AllowGrayed; @WinControl; Caption; Checked; Color; ParentColor; "
     "State; TabStop = True; WordWrap; @WinControlEvents",
     {}, 97, 17},
    {"TRadioButton", "TWinControl", "Standard",
     "Action; Alignment: TLeftRight = taRightJustify; @WinControl; Caption; "
     "Checked: Boolean = False; Color; ParentColor; WordWrap: Boolean = False; "
     "@WinControlEvents",
     {}, 113, 17},
    {"TCustomListBox", "TWinControl", "", "",
     "BorderStyle: TBorderStyle = bsSingle; Columns: Integer = 0; "
     "ExtendedSelect: Boolean = True; IntegralHeight: Boolean = False; "
     "ItemHeight: Integer = 16; Items: TStrings; MultiSelect: Boolean = False; "
     "Sorted: Boolean = False; Style: TListBoxStyle = lbStandard; TabWidth: Integer = 0; "
     "OnDrawItem; OnMeasureItem",
     0, 0, true},
    {"TListBox", "TCustomListBox", "Standard",
     "Align; @WinControl; @Bevels; BorderStyle; Color = clWindow; Columns; ExtendedSelect; "
     "ImeMode; ImeName; IntegralHeight; ItemHeight; Items; MultiSelect; ParentColor = False; "
     "Sorted; Style; TabStop = True; TabWidth; OnDrawItem; OnMeasureItem; @WinControlEvents",
     {}, 121, 97},
    {"TCustomComboBox", "TWinControl", "", "",
     "CharCase: TEditCharCase = ecNormal; DropDownCount: Integer = 8; ItemHeight: Integer; "
     "ItemIndex: Integer = -1; Items: TStrings; MaxLength: Integer = 0; "
     "Sorted: Boolean = False; Style: TComboBoxStyle = csDropDown; OnChange; OnCloseUp; "
     "OnDrawItem; OnDropDown; OnMeasureItem; OnSelect",
     0, 0, true},
    {"TComboBox", "TCustomComboBox", "Standard",
     "@WinControl; @Bevels; CharCase; Color = clWindow; DropDownCount; ImeMode; ImeName; "
     "ItemHeight; ItemIndex; MaxLength; ParentColor = False; Sorted; Style; TabStop = True; "
     "Text; Items; OnChange; OnCloseUp; OnDrawItem; OnDropDown; OnMeasureItem; OnSelect; "
     "@WinControlEvents",
     {}, 145, 21},
    {"TScrollBar", "TWinControl", "Standard",
     "@WinControl; Kind: TScrollBarKind = sbHorizontal; LargeChange: TScrollBarInc = 1; "
     "Max: Integer = 100; Min: Integer = 0; PageSize: Integer = 0; Position: Integer = 0; "
     "SmallChange: TScrollBarInc = 1; TabStop = True; OnChange; OnScroll; @WinControlEvents",
     {}, 121, 16},
    {"TGroupBox", "TWinControl", "Standard",
     "Align; @WinControl; Caption; Color; DockSite; ParentColor; @WinControlEvents",
     {}, 185, 105},
    {"TRadioGroup", "TWinControl", "Standard",
     "Align; @WinControl; Caption; Color; Columns: Integer = 1; ItemIndex: Integer = -1; "
     "Items: TStrings; ParentColor; OnClick; @Dragging; @Keys",
     {}, 185, 105},
    {"TPanel", "TCustomControl", "Standard",
     "Align; Alignment: TAlignment = taCenter; @WinControl; AutoSize; BevelInner = bvNone; "
     "BevelOuter = bvRaised; BevelWidth; BorderWidth: TBorderWidth = 0; "
     "BorderStyle: TBorderStyle = bsNone; Caption; Color = clBtnFace; DockSite; "
     "FullRepaint: Boolean = True; Locked: Boolean = False; ParentColor = False; "
     "UseDockManager; OnCanResize; OnConstrainedResize; OnDockDrop; OnDockOver; "
     "OnGetSiteInfo; OnResize; OnUnDock; @WinControlEvents"},

    // ---------------------------------------------------------------- Additional
    {"TBitBtn", "TButton", "Additional",
     "Glyph: TBitmap; Kind: TBitBtnKind = bkCustom; Layout: TButtonLayout = blGlyphLeft; "
     "Margin: Integer = -1; NumGlyphs: TNumGlyphs = 1; Spacing: Integer = 4; "
     "Style: TButtonStyle = bsAutoDetect"},
    {"TSpeedButton", "TGraphicControl", "Additional",
     "Action; AllowAllUp; Anchors; BiDiMode; Constraints; GroupIndex; Down; Caption; Enabled; "
     "Flat; Font; Glyph; Layout; Margin; NumGlyphs: TNumGlyphs = 1; ParentFont; "
     "ParentShowHint; ParentBiDiMode; PopupMenu; ShowHint; Spacing; "
     "Transparent: Boolean = True; Visible; OnClick; OnDblClick; @Mouse",
     {}, 23, 22},
    {"TCustomMaskEdit", "TCustomEdit", "", "", "EditMask: TEditMask", 0, 0, true},
    {"TMaskEdit", "TCustomMaskEdit", "Additional",
     "@WinControl; AutoSelect; AutoSize; @Bevels; BorderStyle; CharCase; Color = clWindow; "
     "EditMask; ImeMode; ImeName; MaxLength; ParentColor = False; PasswordChar; ReadOnly; "
     "TabStop = True; Text; OnChange; @WinControlEvents",
     {}, 121, 21},
    {"TCustomGrid", "TWinControl", "", "",
     "BorderStyle: TBorderStyle = bsSingle; ColCount: Integer = 5; "
     "DefaultColWidth: Integer = 64; DefaultDrawing: Boolean = True; "
     "DefaultRowHeight: Integer = 24; FixedColor: TColor = clBtnFace; FixedCols: Integer = 1; "
     "FixedRows: Integer = 1; GridLineWidth: Integer = 1; "
     "Options: TGridOptions = [goFixedVertLine, goFixedHorzLine, goVertLine, goHorzLine, "
     "goRangeSelect]; RowCount: Integer = 5; ScrollBars: TScrollStyle = ssBoth; "
     "OnColumnMoved; OnDrawCell; OnGetEditMask; OnGetEditText; OnRowMoved; OnSelectCell; "
     "OnSetEditText; OnTopLeftChanged",
     0, 0, true},
    {"TDrawGrid", "TCustomGrid", "Additional",
     "Align; @WinControl; BorderStyle; Color = clWindow; ColCount; DefaultColWidth; "
     "DefaultDrawing; DefaultRowHeight; FixedColor; FixedCols; RowCount; FixedRows; "
     "GridLineWidth; Options; ParentColor = False; ScrollBars; TabStop = True; "
     "OnColumnMoved; OnDrawCell; OnGetEditMask; OnGetEditText; OnRowMoved; OnSelectCell; "
     "OnSetEditText; OnTopLeftChanged; @WinControlEvents",
     {}, 320, 120},
    {"TStringGrid", "TDrawGrid", "Additional", "", {}, 320, 120},
    {"TImage", "TGraphicControl", "Additional",
     "Align; Anchors; AutoSize; Center: Boolean = False; Constraints; @Drag; Enabled; "
     "IncrementalDisplay: Boolean = False; ParentShowHint; Picture: TPicture; PopupMenu; "
     "Proportional: Boolean = False; ShowHint; Stretch: Boolean = False; "
     "Transparent: Boolean = False; Visible; @ControlEvents; OnProgress",
     {}, 105, 105},
    {"TShape", "TGraphicControl", "Additional",
     "Align; Anchors; Brush: TBrush; @Drag; Enabled; Constraints; ParentShowHint; Pen: TPen; "
     "Shape: TShapeType = stRectangle; ShowHint; Visible; OnContextPopup; @Dragging; @Mouse",
     {}, 65, 65},
    {"TBevel", "TGraphicControl", "Additional",
     "Align; Anchors; Constraints; ParentShowHint; Shape: TBevelShape = bsBox; ShowHint; "
     "Style: TBevelStyle = bsLowered; Visible",
     {}, 50, 50},
    {"TScrollBox", "TScrollingWinControl", "Additional",
     "Align; @WinControl; AutoScroll; AutoSize; @Bevels; BevelWidth; "
     "BorderStyle: TBorderStyle = bsSingle; Color; DockSite; HorzScrollBar; ParentColor; "
     "VertScrollBar; OnCanResize; OnConstrainedResize; OnDockDrop; OnDockOver; OnGetSiteInfo; "
     "OnMouseWheel; OnMouseWheelDown; OnMouseWheelUp; OnResize; OnUnDock; @WinControlEvents",
     {}, 185, 41},
    {"TCheckListBox", "TCustomListBox", "Additional",
     "AllowGrayed: Boolean = False; Align; @WinControl; BorderStyle; Color = clWindow; "
     "Columns; Flat: Boolean = True; ImeMode; ImeName; IntegralHeight; ItemHeight; Items; "
     "ParentColor = False; Sorted; Style; TabStop = True; TabWidth; OnClickCheck; OnDrawItem; "
     "OnMeasureItem; @WinControlEvents",
     {}, 97, 97},
    {"TSplitter", "TGraphicControl", "Additional",
     "Align = alLeft; AutoSnap: Boolean = True; Beveled: Boolean = False; Color; "
     "Constraints; Cursor = crHSplit; MinSize: Integer = 30; ParentColor; "
     "ResizeStyle: TResizeStyle = rsPattern; Visible; OnCanResize; OnMoved; OnPaint",
     {}, 3, 100},
    {"TStaticText", "TWinControl", "Additional",
     "Align; Alignment: TAlignment = taLeftJustify; @WinControl; AutoSize: Boolean = True; "
     "BorderStyle: TStaticBorderStyle = sbsNone; Caption; Color; FocusControl: TWinControl; "
     "ParentColor; ShowAccelChar: Boolean = True; @ControlEvents",
     {}, 65, 17},
};
// clang-format on

} // namespace

Table StandardTable() {
    return {nullptr, 0, Classes, std::size(Classes)};
}

} // namespace host::catalogue
