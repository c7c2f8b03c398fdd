// The component library's basics as the catalogue describes them: what every control declares,
// the sub-objects and collections that properties hold, and the roots (forms, data modules,
// frames).
#include "host/catalogue/CatalogueRows.h"

#include <iterator>

namespace host::catalogue {

namespace {

// clang-format off
const ClassRow Classes[] = {
    // What controls declare for their descendants to publish (the library's protected
    // properties); Align, Caption, Color, Enabled, Font, ParentColor, ParentFont, Text and
    // Visible are the host's own (host/vcl/Controls.cpp).
    {"TControl", "TComponent", "", "",
     "Action: TBasicAction; Anchors: TAnchors = [akLeft, akTop]; AutoSize: Boolean = False; "
     "BiDiMode: TBiDiMode stored not ParentBiDiMode; Constraints: TSizeConstraints; "
     "DragCursor: TCursor = crDrag; DragKind: TDragKind = dkDrag; "
     "DragMode: TDragMode = dmManual; HelpKeyword: string; HelpType: THelpType = htContext; "
     "ParentBiDiMode: Boolean = True; ParentShowHint: Boolean = True; PopupMenu: TPopupMenu; "
     "ShowHint: Boolean stored not ParentShowHint",
     0, 0, true},
    {"TWinControl", "TControl", "", "",
     "BevelEdges: TBevelEdges = [beLeft, beTop, beRight, beBottom]; "
     "BevelInner: TBevelCut = bvRaised; BevelKind: TBevelKind = bkNone; "
     "BevelOuter: TBevelCut = bvLowered; BevelWidth: TBevelWidth = 1; "
     "Ctl3D: Boolean = True stored not ParentCtl3D; DockSite: Boolean = False; "
     "ImeMode: TImeMode = imDontCare; ImeName: TImeName; ParentCtl3D: Boolean = True; "
     "UseDockManager: Boolean = False",
     0, 0, true},
    {"TScrollingWinControl", "TWinControl", "", "",
     "AutoScroll: Boolean = True; HorzScrollBar: TControlScrollBar; "
     "VertScrollBar: TControlScrollBar",
     0, 0, true},

    // Sub-objects of properties.
    {"TSizeConstraints", "TPersistent", "",
     "MaxHeight: Integer = 0; MaxWidth: Integer = 0; MinHeight: Integer = 0; "
     "MinWidth: Integer = 0"},
    {"TControlScrollBar", "TPersistent", "",
     "ButtonSize: Integer = 0; Color: TColor = clBtnHighlight; Increment: TScrollBarInc = 8; "
     "Margin: Word = 0; ParentColor: Boolean = True; Position: Integer = 0; Range: Integer = 0; "
     "Smooth: Boolean = False; Size: Integer = 0; Style: TScrollBarStyle = ssRegular; "
     "ThumbSize: Integer = 0; Tracking: Boolean = False; Visible: Boolean = True"},
    {"TBrush", "TPersistent", "", "Color: TColor = clWhite; Style: TBrushStyle = bsSolid"},
    {"TPen", "TPersistent", "",
     "Color: TColor = clBlack; Mode: TPenMode = pmCopy; Style: TPenStyle = psSolid; "
     "Width: Integer = 1"},
    {"TPicture", "TGraphic", "", ""},
    {"TIcon", "TGraphic", "", ""},
    {"TStringList", "TStrings", "", ""},

    // Collections: kept as the file holds them.
    {"TStatusPanels", "TCollection", "", ""},
    {"TListColumns", "TCollection", "", ""},
    {"THeaderSections", "TCollection", "", ""},
    {"TCoolBands", "TCollection", "", ""},
    {"TDBGridColumns", "TCollection", "", ""},
    {"TParams", "TCollection", "", ""},
    {"TFieldDefs", "TCollection", "", ""},
    {"TIndexDefs", "TCollection", "", ""},

    // The roots. A new form writes its size both ways, its caption, font, PixelsPerInch and
    // TextHeight, as the host always did; Color and OldCreateOrder have their usual values as
    // defaults, so that a new form writes neither.
    {"TForm", "TCustomForm", "",
     "Action; ActiveControl: TWinControl; Align; Anchors; AutoScroll; AutoSize; BiDiMode; "
     "BorderIcons: TBorderIcons = [biSystemMenu, biMinimize, biMaximize]; "
     "BorderStyle: TFormBorderStyle = bsSizeable; BorderWidth: TBorderWidth = 0; Caption; "
     "ClientHeight; ClientWidth; Color = clBtnFace; Constraints; Ctl3D; UseDockManager; "
     "DefaultMonitor: TDefaultMonitor = dmActiveForm; DockSite; @Drag; Enabled; "
     "ParentFont = False; Font; FormStyle: TFormStyle = fsNormal; HelpFile: string; "
     "HorzScrollBar; Icon: TIcon; KeyPreview: Boolean = False; Menu: TMainMenu; "
     "OldCreateOrder: Boolean = False; ObjectMenuItem: TMenuItem; ParentBiDiMode; PopupMenu; "
     "Position: TPosition = poDesigned; PrintScale: TPrintScale = poProportional; "
     "Scaled: Boolean = True; ShowHint; VertScrollBar; Visible = False; "
     "WindowState: TWindowState = wsNormal; WindowMenu: TMenuItem; OnActivate; OnCanResize; "
     "OnClick; OnClose; OnCloseQuery; OnConstrainedResize; OnContextPopup; OnCreate; "
     "OnDblClick; OnDestroy; OnDeactivate; OnDockDrop; OnDockOver; OnDragDrop; OnDragOver; "
     "OnEndDock; OnGetSiteInfo; OnHide; OnHelp; OnKeyDown; OnKeyPress; OnKeyUp; @Mouse; "
     "OnMouseWheel; OnMouseWheelDown; OnMouseWheelUp; OnPaint; OnResize; OnShortCut; OnShow; "
     "OnStartDock; OnUnDock; PixelsPerInch; TextHeight"},
    {"TDataModule", "TComponent", "",
     "OldCreateOrder: Boolean = False; OnCreate; OnDestroy"},
    {"TFrame", "TCustomFrame", "",
     "Align; Anchors; AutoScroll; AutoSize; BiDiMode; Constraints; DockSite; @Drag; Enabled; "
     "Color; Ctl3D; Font; ParentBiDiMode; ParentColor; ParentCtl3D; ParentFont; "
     "ParentShowHint; PopupMenu; ShowHint; TabOrder; TabStop; Visible; OnCanResize; "
     "OnConstrainedResize; OnContextPopup; OnDblClick; OnDragDrop; OnDockDrop; OnDockOver; "
     "OnDragOver; OnEndDock; OnEndDrag; OnEnter; OnExit; OnGetSiteInfo; @Mouse; "
     "OnMouseWheel; OnMouseWheelDown; OnMouseWheelUp; OnResize; OnStartDock; OnStartDrag; "
     "OnUnDock"},
};
// clang-format on

} // namespace

Table BasicsTable() {
    return {nullptr, 0, Classes, std::size(Classes)};
}

} // namespace host::catalogue
