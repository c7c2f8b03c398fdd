#include "host/designer/StdComponents.h"

#include "host/designer/Designer.h"
#include "host/designer/StdActions.h"

#include <algorithm>

namespace host {

HOST_IMPLEMENT_CLASS_PROPS(TTimer, TComponent)
// The library's abstract classes are concrete here: the catalogue's classes over them (a colour
// dialog, a float field) are made as their C++ type. None of them is registered.
HOST_IMPLEMENT_CLASS_PROPS(TCommonDialog, TComponent)
HOST_IMPLEMENT_CLASS_PROPS(TOpenDialog, TCommonDialog)
HOST_IMPLEMENT_CLASS(TSaveDialog, TOpenDialog)
HOST_IMPLEMENT_CLASS_PROPS(TDataSet, TComponent)
HOST_IMPLEMENT_CLASS_PROPS(TTable, TDataSet)
HOST_IMPLEMENT_CLASS_PROPS(TQuery, TDataSet)
HOST_IMPLEMENT_CLASS_PROPS(TField, TComponent)
HOST_IMPLEMENT_CLASS_PROPS(TStringField, TField)
HOST_IMPLEMENT_CLASS(TIntegerField, TField)
HOST_IMPLEMENT_CLASS_PROPS(TDataSource, TComponent)
HOST_IMPLEMENT_CLASS(TCustomImageList, TComponent)
HOST_IMPLEMENT_CLASS_PROPS(TImageList, TCustomImageList)
HOST_IMPLEMENT_CLASS_PROPS(TButton, TWinControl)
HOST_IMPLEMENT_CLASS_PROPS(TPanel, TCustomControl)
HOST_IMPLEMENT_CLASS_PROPS(TStatusBar, TWinControl)
HOST_IMPLEMENT_CLASS_PROPS(TLabel, TGraphicControl)
HOST_IMPLEMENT_CLASS(TNestedTable, TTable)

namespace {
// Field accessors for the plain data members of these classes.
template <class C> TPropInfo boolField(const char* name, bool C::*f, bool def) {
    return BoolProp<C>(
        name, [f](const C& c) { return c.*f; }, [f](C& c, int64_t v) { c.*f = v != 0; }, def);
}
template <class C> TPropInfo intField(const char* name, int C::*f, std::optional<int64_t> def) {
    return IntProp<C>(
        name, [f](const C& c) { return c.*f; },
        [f](C& c, int64_t v) { c.*f = static_cast<int>(v); }, def);
}
template <class C> TPropInfo strField(const char* name, std::string C::*f) {
    return StrProp<C>(
        name, [f](const C& c) { return c.*f; }, [f](C& c, const std::string& v) { c.*f = v; });
}
TPropInfo alignProp(TAlign def) {
    return EnumProp<TControl>(
        "Align", AlignInfo, [](const TControl& c) { return static_cast<int64_t>(c.Align()); },
        [](TControl& c, int64_t v) { c.SetAlign(static_cast<TAlign>(v)); },
        static_cast<int64_t>(def));
}
} // namespace

void TTimer::DeclareProperties(PropList& p) {
    p.push_back(boolField("Enabled", &TTimer::Enabled, true));
    p.push_back(intField("Interval", &TTimer::Interval, 1000));
    p.push_back(EventProp<TTimer>("OnTimer", &TTimer::OnTimer));
}

void TCommonDialog::DeclareProperties(PropList& p) {
    p.push_back(IntProp<TCommonDialog>(
        "HelpContext", [](const TCommonDialog& d) { return d.HelpContext; },
        [](TCommonDialog& d, int64_t v) { d.HelpContext = v; }, 0));
}

const TEnumInfo OpenOptionInfo{
    "TOpenOption",
    {"ofReadOnly",         "ofOverwritePrompt",    "ofHideReadOnly",        "ofNoChangeDir",
     "ofShowHelp",         "ofNoValidate",         "ofAllowMultiSelect",    "ofExtensionDifferent",
     "ofPathMustExist",    "ofFileMustExist",      "ofCreatePrompt",        "ofShareAware",
     "ofNoReadOnlyReturn", "ofNoTestFileCreate",   "ofNoNetworkButton",     "ofNoLongNames",
     "ofOldStyleDialog",   "ofNoDereferenceLinks", "ofEnableIncludeNotify", "ofEnableSizing"}};

void TOpenDialog::DeclareProperties(PropList& p) {
    p.push_back(strField("DefaultExt", &TOpenDialog::DefaultExt));
    p.push_back(strField("FileName", &TOpenDialog::FileName));
    p.push_back(strField("Filter", &TOpenDialog::Filter));
    p.push_back(strField("InitialDir", &TOpenDialog::InitialDir));
    p.push_back(SetProp<TOpenDialog>(
        "Options", OpenOptionInfo,
        [](const TOpenDialog& d) { return static_cast<int64_t>(d.Options.mask()); },
        [](TOpenDialog& d, int64_t v) {
            d.Options = TSet<TOpenOption>::FromMask(static_cast<uint64_t>(v));
        },
        static_cast<int64_t>(TSet<TOpenOption>{TOpenOption::ofHideReadOnly}.mask())));
    p.push_back(strField("Title", &TOpenDialog::Title));
}

void TDataSet::DeclareProperties(PropList& p) {
    p.push_back(boolField("Active", &TDataSet::Active, false));
    p.push_back(EventProp<TDataSet>("AfterOpen", &TDataSet::AfterOpen));
    p.push_back(EventProp<TDataSet>("BeforePost", &TDataSet::BeforePost));
}

void TDataSet::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
    for (TField* f : std::vector<TField*>(FFields))
        if (f->Owner() == root)
            proc(f);
}

void TDataSet::Destroy() {
    // Its persistent fields go with it (each leaves the list as it goes).
    while (!FFields.empty())
        FFields.back()->Free();
    inherited::Destroy();
}

void TTable::DeclareProperties(PropList& p) {
    p.push_back(strField("DatabaseName", &TTable::DatabaseName));
    p.push_back(strField("IndexName", &TTable::IndexName));
    p.push_back(boolField("ReadOnly", &TTable::ReadOnly, false));
    p.push_back(strField("TableName", &TTable::TableName));
}

void TQuery::DeclareProperties(PropList& p) {
    p.push_back(strField("DatabaseName", &TQuery::DatabaseName));
    p.push_back(ObjProp<TQuery>("SQL", TStrings::StaticClass(), [](const TQuery& q) {
        return static_cast<TObject*>(q.SQL.get());
    }));
}

void TQuery::Create(TComponent* owner) {
    inherited::Create(owner);
    SQL.reset(new TStrings());
}

void TQuery::Destroy() {
    SQL.reset();
    inherited::Destroy();
}

void TField::DeclareProperties(PropList& p) {
    p.push_back(strField("DisplayLabel", &TField::DisplayLabel));
    p.push_back(intField("DisplayWidth", &TField::DisplayWidth, std::nullopt));
    p.push_back(strField("FieldName", &TField::FieldName));
    p.push_back(boolField("Required", &TField::Required, false));
}

void TField::Destroy() {
    SetDataSet(nullptr);
    inherited::Destroy();
}

void TField::SetDataSet(TDataSet* dataSet) {
    if (dataSet == FDataSet)
        return;
    if (FDataSet) {
        auto& f = FDataSet->FFields;
        f.erase(std::remove(f.begin(), f.end(), this), f.end());
    }
    FDataSet = dataSet;
    if (dataSet)
        dataSet->FFields.push_back(this);
}

void TStringField::DeclareProperties(PropList& p) {
    p.push_back(intField("Size", &TStringField::Size, 20));
}

void TDataSource::DeclareProperties(PropList& p) {
    p.push_back(boolField("AutoEdit", &TDataSource::AutoEdit, true));
    p.push_back(RefProp<TDataSource>(
        "DataSet", TDataSet::StaticClass(), [](const TDataSource& d) { return d.DataSet; },
        [](TDataSource& d, TObject* v) {
            d.DataSet = dyn<TDataSet>(v);
            if (d.DataSet)
                d.FreeNotification(d.DataSet);
        }));
    p.push_back(boolField("Enabled", &TDataSource::Enabled, true));
}

void TDataSource::Notification(TComponent* component, TOperation operation) {
    inherited::Notification(component, operation);
    if (operation == opRemove && component == DataSet)
        DataSet = nullptr;
}

void TImageList::DeclareProperties(PropList& p) {
    p.push_back(intField("Height", &TImageList::Height, 16));
    p.push_back(intField("Width", &TImageList::Width, 16));
}

void TButton::DeclareProperties(PropList& p) {
    p.push_back(boolField("Cancel", &TButton::Cancel, false));
    p.push_back(boolField("Default", &TButton::Default, false));
    p.push_back(intField("ModalResult", &TButton::ModalResult, 0));
    p.push_back(EventProp<TButton>("OnClick", &TButton::OnClickName));
}

void TButton::Create(TComponent* owner) {
    inherited::Create(owner);
    SetTabStop(true);
    SetBounds(0, 0, 75, 25);
}

void TButton::PaintTo(IPaintTarget* target) {
    TCanvas canvas;
    canvas.Target = target;
    canvas.Font().Assign(&FFont);
    TRect r = ClientRect();
    if (Default) {
        canvas.Brush.Color = clBlack;
        canvas.FillRect(r);
        InflateRect(r, -1, -1);
    }
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(r);
    DrawEdge(canvas.Handle(), &r, EDGE_RAISED, BF_RECT | BF_SOFT | BF_MIDDLE);
    int w = canvas.TextWidth(FCaption);
    int h = canvas.TextHeight(FCaption);
    int x = (FWidth - w) / 2;
    int y = (FHeight - h) / 2;
    if (Enabled()) {
        canvas.Font().SetColor(clBtnText);
        canvas.TextOut(x, y, FCaption);
    } else {
        canvas.Font().SetColor(clBtnHighlight);
        canvas.TextOut(x + 1, y + 1, FCaption);
        canvas.Font().SetColor(clGrayText);
        canvas.TextOut(x, y, FCaption);
    }
}

void TPanel::DeclareProperties(PropList& p) {
    p.push_back(alignProp(alNone));
}

void TPanel::Create(TComponent* owner) {
    inherited::Create(owner);
    FControlStyle.include(csAcceptsControls);
    SetColor(clBtnFace); // its own colour, not its parent's
    SetBounds(0, 0, 185, 41);
}

void TPanel::Paint() {
    FCanvas.Brush.Color = FColor;
    TRect r = ClientRect();
    FCanvas.FillRect(r);
    DrawEdge(FCanvas.Handle(), &r, BDR_RAISEDINNER, BF_RECT);
    if (!FCaption.empty()) {
        int w = FCanvas.TextWidth(FCaption);
        int h = FCanvas.TextHeight(FCaption);
        FCanvas.TextOut((FWidth - w) / 2, (FHeight - h) / 2, FCaption);
    }
}

void TStatusBar::PaintTo(IPaintTarget* target) {
    TCanvas canvas;
    canvas.Target = target;
    canvas.Font().Assign(&FFont);
    canvas.Brush.Color = clBtnFace;
    canvas.FillRect(ClientRect());
    constexpr int grip = 12;
    if (SimplePanel) {
        TRect panel{0, 2, FWidth - grip - 2, FHeight};
        DrawEdge(canvas.Handle(), &panel, BDR_SUNKENOUTER, BF_RECT);
        canvas.Font().SetColor(clBtnText);
        canvas.TextOut(panel.Left + 3, panel.Top + (panel.Height() - 13) / 2, SimpleText);
    }
    // The size grip: three pairs of diagonal lines, highlight above shadow.
    for (int i = 0; i < 3; ++i) {
        int d = 4 * i + 1;
        canvas.Pen.Color = clBtnShadow;
        for (int k = 0; k < 2; ++k) {
            canvas.MoveTo(FWidth - 1, FHeight - 1 - d - k);
            canvas.LineTo(FWidth - 1 - d - k, FHeight - 1);
        }
        canvas.Pen.Color = clBtnHighlight;
        canvas.MoveTo(FWidth - 1, FHeight - 1 - d - 2);
        canvas.LineTo(FWidth - 1 - d - 2, FHeight - 1);
    }
}

void TStatusBar::DeclareProperties(PropList& p) {
    p.push_back(alignProp(alBottom));
    p.push_back(boolField("SimplePanel", &TStatusBar::SimplePanel, false));
    p.push_back(strField("SimpleText", &TStatusBar::SimpleText));
}

void TStatusBar::Create(TComponent* owner) {
    inherited::Create(owner);
    SetColor(clBtnFace);
    SetBounds(0, 0, 150, 19);
    SetAlign(alBottom);
}

void TLabel::DeclareProperties(PropList& p) {
    p.push_back(alignProp(alNone));
}

void TLabel::Create(TComponent* owner) {
    inherited::Create(owner);
    SetBounds(0, 0, 65, 13);
}

void TLabel::Paint() {
    // A label is opaque: its colour hides what lies under it, the designer's grid included.
    FCanvas.Brush.Color = FColor;
    FCanvas.FillRect(ClientRect());
    FCanvas.TextOut(0, 0, FCaption);
}

std::vector<const TClass*> StandardClasses() {
    return {TTimer::StaticClass(),           TCommonDialog::StaticClass(),
            TOpenDialog::StaticClass(),      TSaveDialog::StaticClass(),
            TDataSet::StaticClass(),         TTable::StaticClass(),
            TQuery::StaticClass(),           TField::StaticClass(),
            TStringField::StaticClass(),     TIntegerField::StaticClass(),
            TDataSource::StaticClass(),      TCustomImageList::StaticClass(),
            TImageList::StaticClass(),       TButton::StaticClass(),
            TPanel::StaticClass(),           TStatusBar::StaticClass(),
            TLabel::StaticClass(),           TBasicAction::StaticClass(),
            TContainedAction::StaticClass(), TCustomActionList::StaticClass(),
            TActionList::StaticClass()};
}

void RegisterStandardClasses() {
    for (const TClass* c :
         {TForm::StaticClass(),        TDataModule::StaticClass(),  TTimer::StaticClass(),
          TOpenDialog::StaticClass(),  TSaveDialog::StaticClass(),  TTable::StaticClass(),
          TQuery::StaticClass(),       TStringField::StaticClass(), TIntegerField::StaticClass(),
          TDataSource::StaticClass(),  TImageList::StaticClass(),   TMainMenu::StaticClass(),
          TPopupMenu::StaticClass(),   TMenuItem::StaticClass(),    TButton::StaticClass(),
          TPanel::StaticClass(),       TStatusBar::StaticClass(),   TLabel::StaticClass(),
          TNestedTable::StaticClass(), TActionList::StaticClass()})
        RegisterClass(c);
}

} // namespace host
