// The System and Dialogs palette pages, actions and the application's events.
#include "host/catalogue/CatalogueRows.h"

#include <iterator>

namespace host::catalogue {

namespace {

// clang-format off
const ClassRow Classes[] = {
    // ---------------------------------------------------------------- actions
    {"TBasicAction", "TComponent", "", "", "OnExecute; OnUpdate", 0, 0, true},
    {"TContainedAction", "TBasicAction", "", "Category: string", {}, 0, 0, true},
    {"TCustomAction", "TContainedAction", "", "",
     "AutoCheck: Boolean = False; Caption: string; Checked: Boolean = False; "
     "Enabled: Boolean = True; GroupIndex: Integer = 0; HelpContext: THelpContext = 0; "
     "HelpKeyword: string; HelpType: THelpType = htKeyword; Hint: string; "
     "ImageIndex: TImageIndex = -1; ShortCut: TShortCut = 0; "
     "SecondaryShortCuts: TStrings; Visible: Boolean = True; OnHint",
     0, 0, true},
    {"TAction", "TCustomAction", "",
     "AutoCheck; Caption; Checked; Enabled; GroupIndex; HelpContext; HelpKeyword; HelpType; "
     "Hint; ImageIndex; ShortCut; SecondaryShortCuts; Visible; OnExecute; OnHint; OnUpdate"},
    {"TActionList", "TCustomActionList", "Standard",
     "Images: TCustomImageList; State: TActionListState = asNormal; OnChange; OnExecute; "
     "OnStateChange; OnUpdate"},

    // ---------------------------------------------------------------- Additional (later ones)
    {"TApplicationEvents", "TComponent", "Additional",
     "OnActionExecute; OnActionUpdate; OnActivate; OnDeactivate; OnException; OnHelp; OnHint; "
     "OnIdle; OnMessage; OnMinimize; OnRestore; OnShortCut; OnShowHint"},

    // ---------------------------------------------------------------- System
    {"TTimer", "TComponent", "System", "Enabled; Interval; OnTimer"},
    {"TPaintBox", "TGraphicControl", "System",
     "Align; Anchors; Color; Constraints; @Drag; Enabled; Font; ParentColor; ParentFont; "
     "ParentShowHint; PopupMenu; ShowHint; Visible; @ControlEvents; OnPaint",
     {}, 105, 105},
    {"TMediaPlayer", "TCustomControl", "System",
     "Anchors; AutoEnable: Boolean = True; AutoOpen: Boolean = False; "
     "AutoRewind: Boolean = True; "
     "ColoredButtons: TButtonSet = [btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, "
     "btRecord, btEject]; Constraints; DeviceType: TMPDeviceTypes = dtAutoSelect; "
     "Display: TWinControl; @Drag; Enabled; "
     "EnabledButtons: TButtonSet = [btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, "
     "btRecord, btEject]; FileName: string; ParentShowHint; PopupMenu; "
     "Shareable: Boolean = False; ShowHint; TabOrder; TabStop = True; Visible; "
     "VisibleButtons: TButtonSet = [btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, "
     "btRecord, btEject]; OnClick; OnContextPopup; @Dragging; OnEnter; OnExit; OnNotify; "
     "OnPostClick",
     {}, 253, 30},

    // ---------------------------------------------------------------- Dialogs
    {"TCommonDialog", "TComponent", "",
     "Ctl3D: Boolean = True; HelpContext; OnClose; OnShow"},
    {"TOpenDialog", "TCommonDialog", "Dialogs",
     "DefaultExt; FileName; Filter; FilterIndex: Integer = 1; HistoryList: TStrings; "
     "InitialDir; Options; Title; OnCanClose; OnFolderChange; OnSelectionChange; "
     "OnTypeChange; OnIncludeItem"},
    {"TSaveDialog", "TOpenDialog", "Dialogs", ""},
    {"TOpenPictureDialog", "TOpenDialog", "Dialogs", ""},
    {"TSavePictureDialog", "TOpenPictureDialog", "Dialogs", ""},
    {"TFontDialog", "TCommonDialog", "Dialogs",
     "Font: TFont; Device: TFontDialogDevice = fdScreen; MinFontSize: Integer = 0; "
     "MaxFontSize: Integer = 0; Options: TFontDialogOptions = [fdEffects]; OnApply"},
    {"TColorDialog", "TCommonDialog", "Dialogs",
     "Color: TColor = clBlack; CustomColors: TStrings; Options: TColorDialogOptions = []"},
    {"TPrintDialog", "TCommonDialog", "Dialogs",
     "Collate: Boolean = False; Copies: Integer = 0; FromPage: Integer = 0; "
     "MinPage: Integer = 0; MaxPage: Integer = 0; Options: TPrintDialogOptions = []; "
     "PrintToFile: Boolean = False; PrintRange: TPrintRange = prAllPages; ToPage: Integer = 0"},
    {"TPrinterSetupDialog", "TCommonDialog", "Dialogs", ""},
    {"TFindDialog", "TCommonDialog", "Dialogs",
     "FindText: string; Options: TFindOptions = [frDown]; OnFind"},
    {"TReplaceDialog", "TFindDialog", "Dialogs", "ReplaceText: string; OnReplace"},
};
// clang-format on

} // namespace

Table SystemTable() {
    return {nullptr, 0, Classes, std::size(Classes)};
}

} // namespace host::catalogue
