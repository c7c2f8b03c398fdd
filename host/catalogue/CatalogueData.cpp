// The Data Access and Data Controls palette pages, and the fields data sets hold.
#include "host/catalogue/CatalogueRows.h"

#include <iterator>

namespace host::catalogue {

namespace {

// clang-format off
const ClassRow Classes[] = {
    // ---------------------------------------------------------------- Data Access
    {"TDataSet", "TComponent", "", "",
     "Active; AutoCalcFields: Boolean = True; FieldDefs: TFieldDefs stored HasItems; "
     "Filter: string; "
     "Filtered: Boolean = False; FilterOptions: TFilterOptions = []; AfterCancel: TDataSetEvent; "
     "AfterClose: TDataSetEvent; AfterDelete: TDataSetEvent; AfterEdit: TDataSetEvent; "
     "AfterInsert: TDataSetEvent; AfterOpen; AfterPost: TDataSetEvent; "
     "AfterScroll: TDataSetEvent; BeforeCancel: TDataSetEvent; BeforeClose: TDataSetEvent; "
     "BeforeDelete: TDataSetEvent; BeforeEdit: TDataSetEvent; BeforeInsert: TDataSetEvent; "
     "BeforeOpen: TDataSetEvent; BeforePost; BeforeScroll: TDataSetEvent; OnCalcFields; "
     "OnDeleteError; OnEditError; OnFilterRecord; OnNewRecord; OnPostError",
     0, 0, true},
    {"TDataSource", "TComponent", "Data Access",
     "AutoEdit; DataSet; Enabled; OnDataChange; OnStateChange; OnUpdateData"},
    {"TTable", "TDataSet", "Data Access",
     "Active; AutoCalcFields; CachedUpdates: Boolean = False; DatabaseName; "
     "DefaultIndex: Boolean = True; Exclusive: Boolean = False; FieldDefs; Filter; Filtered; "
     "FilterOptions; IndexDefs: TIndexDefs stored HasItems; IndexFieldNames: string; IndexName; "
     "MasterFields: string; MasterSource: TDataSource; ReadOnly; SessionName: string; "
     "StoreDefs: Boolean = False; TableName; TableType: TTableType = ttDefault; "
     "UpdateMode: TUpdateMode = upWhereAll; UpdateObject: TUpdateSQL; AfterCancel; AfterClose; "
     "AfterDelete; AfterEdit; AfterInsert; AfterOpen; AfterPost; AfterScroll; BeforeCancel; "
     "BeforeClose; BeforeDelete; BeforeEdit; BeforeInsert; BeforeOpen; BeforePost; "
     "BeforeScroll; OnCalcFields; OnDeleteError; OnEditError; OnFilterRecord; OnNewRecord; "
     "OnPostError; OnUpdateError; OnUpdateRecord"},
    {"TQuery", "TDataSet", "Data Access",
     "Active; AutoCalcFields; CachedUpdates: Boolean = False; Constrained: Boolean = False; "
     "DatabaseName; DataSource: TDataSource; Filter; Filtered; FilterOptions; "
     "ParamCheck: Boolean = True; Params: TParams stored HasItems; "
     "RequestLive: Boolean = False; "
     "SessionName: string; SQL; UniDirectional: Boolean = False; "
     "UpdateMode: TUpdateMode = upWhereAll; UpdateObject: TUpdateSQL; AfterCancel; AfterClose; "
     "AfterDelete; AfterEdit; AfterInsert; AfterOpen; AfterPost; AfterScroll; BeforeCancel; "
     "BeforeClose; BeforeDelete; BeforeEdit; BeforeInsert; BeforeOpen; BeforePost; "
     "BeforeScroll; OnCalcFields; OnDeleteError; OnEditError; OnFilterRecord; OnNewRecord; "
     "OnPostError; OnUpdateError; OnUpdateRecord"},
    {"TStoredProc", "TDataSet", "Data Access",
     "Active; AutoCalcFields; CachedUpdates: Boolean = False; DatabaseName: string; Filter; "
     "Filtered; FilterOptions; Overload: Word = 0; Params: TParams stored HasItems; "
     "ParamBindMode: TParamBindMode = pbByName; SessionName: string; StoredProcName: string; "
     "UpdateMode: TUpdateMode = upWhereAll; UpdateObject: TUpdateSQL; AfterCancel; "
     "AfterClose; AfterDelete; AfterEdit; AfterInsert; AfterOpen; AfterPost; AfterScroll; "
     "BeforeCancel; BeforeClose; BeforeDelete; BeforeEdit; BeforeInsert; BeforeOpen; "
     "BeforePost; BeforeScroll; OnCalcFields; OnDeleteError; OnEditError; OnFilterRecord; "
     "OnNewRecord; OnPostError; OnUpdateError; OnUpdateRecord"},
    {"TDatabase", "TComponent", "Data Access",
     "AliasName: string; Connected: Boolean = False; DatabaseName: string; "
     "DriverName: string; Exclusive: Boolean = False; HandleShared: Boolean = False; "
     "KeepConnection: Boolean = True; LoginPrompt: Boolean = True; Params: TStrings; "
     "ReadOnly: Boolean = False; SessionName: string; "
     "TransIsolation: TTransIsolation = tiReadCommitted; AfterConnect: TNotifyEvent; "
     "AfterDisconnect: TNotifyEvent; BeforeConnect: TNotifyEvent; "
     "BeforeDisconnect: TNotifyEvent; OnLogin"},
    {"TSession", "TComponent", "Data Access",
     "Active: Boolean = False; AutoSessionName: Boolean = False; "
     "KeepConnections: Boolean = True; NetFileDir: string; PrivateDir: string; "
     "SessionName: string; SQLHourGlass: Boolean = True; OnPassword; OnStartup"},
    {"TBatchMove", "TComponent", "Data Access",
     "AbortOnKeyViol: Boolean = True; AbortOnProblem: Boolean = True; "
     "ChangedTableName: TFileName; CommitCount: Integer = 0; Destination: TTable; "
     "KeyViolTableName: TFileName; Mappings: TStrings; Mode: TBatchMode = batAppend; "
     "ProblemTableName: TFileName; RecordCount: Integer = 0; Source: TDataSet; "
     "Transliterate: Boolean = True"},
    {"TUpdateSQL", "TComponent", "Data Access",
     "DeleteSQL: TStrings; InsertSQL: TStrings; ModifySQL: TStrings"},

    // ---------------------------------------------------------------- fields
    {"TField", "TComponent", "", "",
     "Alignment: TAlignment = taLeftJustify; AutoGenerateValue: TAutoRefreshFlag = arNone; "
     "Calculated: Boolean = False; ConstraintErrorMessage: string; CustomConstraint: string; "
     "DefaultExpression: string; DisplayLabel; DisplayWidth; EditMask: TEditMask; "
     "FieldKind: TFieldKind = fkData; FieldName; ImportedConstraint: string; "
     "Index: Integer stored False; KeyFields: string; Lookup: Boolean = False; "
     "LookupCache: Boolean = False; LookupDataSet: TDataSet; LookupKeyFields: string; "
     "LookupResultField: string; Origin: string; "
     "ProviderFlags: TProviderFlags = [pfInUpdate, pfInWhere]; ReadOnly: Boolean = False; "
     "Required; Visible: Boolean = True; OnChange; OnGetText; OnSetText; OnValidate",
     0, 0, true},
    {"TStringField", "TField", "",
     "@FieldProps; FixedChar: Boolean = False; Size; Transliterate: Boolean = True"},
    {"TWideStringField", "TStringField", "", ""},
    {"TIntegerField", "TField", "",
     "@FieldProps; DisplayFormat: string; EditFormat: string; MaxValue: Integer = 0; "
     "MinValue: Integer = 0"},
    {"TSmallintField", "TIntegerField", "", ""},
    {"TWordField", "TIntegerField", "", ""},
    {"TAutoIncField", "TIntegerField", "", ""},
    {"TLargeintField", "TField", "",
     "@FieldProps; DisplayFormat: string; EditFormat: string; MaxValue: Double; "
     "MinValue: Double"},
    {"TFloatField", "TField", "",
     "@FieldProps; Currency: Boolean = False; DisplayFormat: string; EditFormat: string; "
     "MaxValue: Double; MinValue: Double; Precision: Integer = 15"},
    {"TCurrencyField", "TFloatField", "", "Currency = True"},
    {"TBCDField", "TField", "",
     "@FieldProps; Currency: Boolean = False; DisplayFormat: string; EditFormat: string; "
     "MaxValue: Currency; MinValue: Currency; Precision: Integer = 0; Size: Integer = 4"},
    {"TBooleanField", "TField", "", "@FieldProps; DisplayValues: string"},
    {"TDateTimeField", "TField", "", "@FieldProps; DisplayFormat: string"},
    {"TDateField", "TDateTimeField", "", ""},
    {"TTimeField", "TDateTimeField", "", ""},
    {"TBytesField", "TField", "", "@FieldProps; Size: Integer = 16"},
    {"TVarBytesField", "TBytesField", "", ""},
    {"TBlobField", "TField", "",
     "@FieldProps; BlobType: TBlobType = ftBlob; Size: Integer = 0"},
    {"TMemoField", "TBlobField", "", "BlobType = ftMemo"},
    {"TGraphicField", "TBlobField", "", "BlobType = ftGraphic"},

    // ---------------------------------------------------------------- Data Controls
    {"TDBGrid", "TWinControl", "Data Controls",
     "Align; @WinControl; BorderStyle: TBorderStyle = bsSingle; Color = clWindow; "
     "Columns: TDBGridColumns stored HasItems; DataSource: TDataSource; "
     "DefaultDrawing: Boolean = True; FixedColor: TColor = clBtnFace; ImeMode; ImeName; "
     "Options: TDBGridOptions = [dgEditing, dgTitles, dgIndicator, dgColumnResize, "
     "dgColLines, dgRowLines, dgTabs, dgConfirmDelete, dgCancelOnExit]; ParentColor = False; "
     "ReadOnly: Boolean = False; TabStop = True; TitleFont: TFont; OnCellClick; "
     "OnColEnter; OnColExit; OnColumnMoved; OnDrawDataCell; OnDrawColumnCell; OnEditButtonClick; "
     "OnTitleClick; @WinControlEvents",
     {}, 320, 120},
    {"TDBNavigator", "TCustomControl", "Data Controls",
     "DataSource: TDataSource; "
     "VisibleButtons: TNavButtonSet = [nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, "
     "nbEdit, nbPost, nbCancel, nbRefresh]; Align; @WinControl; Flat: Boolean = False; "
     "Hints: TStrings; ConfirmDelete: Boolean = True; BeforeAction: TBeforeNavClickEvent; OnClick; OnContextPopup; "
     "OnDblClick; @Dragging; OnEnter; OnExit; OnResize; @Mouse",
     {}, 240, 25},
    {"TDBText", "TGraphicControl", "Data Controls",
     "Align; Alignment: TAlignment = taLeftJustify; Anchors; AutoSize: Boolean = False; "
     "BiDiMode; Color; Constraints; DataField: string; DataSource: TDataSource; @Drag; "
     "Enabled; Font; ParentBiDiMode; ParentColor; ParentFont; ParentShowHint; PopupMenu; "
     "ShowHint; Transparent: Boolean = False; Visible; WordWrap: Boolean = False; "
     "@ControlEvents",
     {}, 65, 17},
    {"TDBEdit", "TCustomMaskEdit", "Data Controls",
     "@WinControl; AutoSelect; AutoSize; @Bevels; BorderStyle; CharCase; Color = clWindow; "
     "DataField: string; DataSource: TDataSource; ImeMode; ImeName; MaxLength; "
     "ParentColor = False; PasswordChar; ReadOnly; TabStop = True; OnChange; "
     "@WinControlEvents",
     {}, 121, 21},
    {"TDBMemo", "TCustomMemo", "Data Controls",
     "Align; Alignment; @WinControl; AutoDisplay: Boolean = True; @Bevels; BorderStyle; "
     "Color = clWindow; DataField: string; DataSource: TDataSource; ImeMode; ImeName; "
     "MaxLength; ParentColor = False; ReadOnly; ScrollBars; TabStop = True; WantReturns; "
     "WantTabs; WordWrap; OnChange; @WinControlEvents",
     {}, 185, 89},
    {"TDBImage", "TCustomControl", "Data Controls",
     "Align; @WinControl; AutoDisplay: Boolean = True; BorderStyle: TBorderStyle = bsSingle; "
     "Center: Boolean = True; Color = clWindow; DataField: string; DataSource: TDataSource; "
     "ParentColor = False; QuickDraw: Boolean = True; ReadOnly: Boolean = False; "
     "Stretch: Boolean = False; TabStop = True; @WinControlEvents",
     {}, 105, 105},
    {"TDBListBox", "TCustomListBox", "Data Controls",
     "Align; @WinControl; BorderStyle; Color = clWindow; DataField: string; "
     "DataSource: TDataSource; ImeMode; ImeName; IntegralHeight; ItemHeight; Items; "
     "ParentColor = False; ReadOnly: Boolean = False; Style; TabStop = True; OnDrawItem; "
     "OnMeasureItem; @WinControlEvents",
     {}, 121, 97},
    {"TDBComboBox", "TCustomComboBox", "Data Controls",
     "@WinControl; CharCase; Color = clWindow; DataField: string; DataSource: TDataSource; "
     "DropDownCount; ImeMode; ImeName; ItemHeight; Items; ParentColor = False; "
     "ReadOnly: Boolean = False; Sorted; Style; TabStop = True; OnChange; OnDrawItem; "
     "OnDropDown; OnMeasureItem; @WinControlEvents",
     {}, 145, 21},
    {"TDBCheckBox", "TCustomCheckBox", "Data Controls",
     "Action; Alignment; AllowGrayed; @WinControl; Caption; Color; DataField: string; "
     "DataSource: TDataSource; ParentColor; ReadOnly: Boolean = False; TabStop = True; "
     "ValueChecked: string; ValueUnchecked: string; WordWrap; @WinControlEvents",
     {}, 97, 17},
    {"TDBRadioGroup", "TWinControl", "Data Controls",
     "Align; @WinControl; Caption; Color; Columns: Integer = 1; DataField: string; "
     "DataSource: TDataSource; Items: TStrings; ParentColor; ReadOnly: Boolean = False; "
     "Values: TStrings; OnChange; OnClick; @Dragging; @Keys",
     {}, 185, 105},
    {"TDBLookupListBox", "TWinControl", "Data Controls",
     "@WinControl; BorderStyle: TBorderStyle = bsSingle; Color = clWindow; DataField: string; "
     "DataSource: TDataSource; ImeMode; ImeName; KeyField: string; ListField: string; "
     "ListFieldIndex: Integer = 0; ListSource: TDataSource; ParentColor = False; "
     "ReadOnly: Boolean = False; RowCount: Integer = 7; TabStop = True; @WinControlEvents",
     {}, 121, 95},
    {"TDBLookupComboBox", "TWinControl", "Data Controls",
     "@WinControl; Color = clWindow; DataField: string; DataSource: TDataSource; "
     "DropDownAlign: TDropDownAlign = daLeft; DropDownRows: Integer = 7; "
     "DropDownWidth: Integer = 0; ImeMode; ImeName; KeyField: string; ListField: string; "
     "ListFieldIndex: Integer = 0; ListSource: TDataSource; ParentColor = False; "
     "ReadOnly: Boolean = False; TabStop = True; OnCloseUp; OnDropDown; @WinControlEvents",
     {}, 145, 21},
};
// clang-format on

} // namespace

Table DataTable() {
    return {nullptr, 0, Classes, std::size(Classes)};
}

} // namespace host::catalogue
