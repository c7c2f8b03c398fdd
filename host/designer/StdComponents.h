#pragma once
// A small library of the host's standard components: timers, dialogs, data sets with fields,
// data sources, image lists, and a few controls.

#include "host/vcl/Forms.h"

namespace host {

class TTimer : public TComponent {
    HOST_CLASS(TTimer, TComponent)
public:
    static void DeclareProperties(PropList& props);
    bool Enabled = true;
    int Interval = 1000;
    std::string OnTimer;
};

class TCommonDialog : public TComponent {
    HOST_CLASS(TCommonDialog, TComponent)
public:
    static void DeclareProperties(PropList& props);
    int64_t HelpContext = 0;
};

enum class TOpenOption {
    ofReadOnly,
    ofOverwritePrompt,
    ofHideReadOnly,
    ofNoChangeDir,
    ofShowHelp,
    ofNoValidate,
    ofAllowMultiSelect,
    ofExtensionDifferent,
    ofPathMustExist,
    ofFileMustExist,
    ofCreatePrompt,
    ofShareAware,
    ofNoReadOnlyReturn,
    ofNoTestFileCreate,
    ofNoNetworkButton,
    ofNoLongNames,
    ofOldStyleDialog,
    ofNoDereferenceLinks,
    ofEnableIncludeNotify,
    ofEnableSizing
};
extern const TEnumInfo OpenOptionInfo;

class TOpenDialog : public TCommonDialog {
    HOST_CLASS(TOpenDialog, TCommonDialog)
public:
    static void DeclareProperties(PropList& props);
    std::string DefaultExt, FileName, Filter, InitialDir, Title;
    TSet<TOpenOption> Options{TOpenOption::ofHideReadOnly};
};

class TSaveDialog : public TOpenDialog {
    HOST_CLASS(TSaveDialog, TOpenDialog)
};

class TField;

class TDataSet : public TComponent {
    HOST_CLASS(TDataSet, TComponent)
public:
    static void DeclareProperties(PropList& props);
    void Destroy() override;
    // Its fields that root owns, written nested in the data set.
    void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
    // Its fields go with it, as the library frees a data set's persistent fields.
    bool Active = false;
    std::string AfterOpen, BeforePost;
    int FieldCount() const { return static_cast<int>(FFields.size()); }
    TField* Fields(int i) const { return FFields.at(static_cast<size_t>(i)); }

private:
    friend class TField;
    std::vector<TField*> FFields;
};

class TTable : public TDataSet {
    HOST_CLASS(TTable, TDataSet)
public:
    static void DeclareProperties(PropList& props);
    std::string DatabaseName, TableName, IndexName;
    bool ReadOnly = false;
};

class TQuery : public TDataSet {
    HOST_CLASS(TQuery, TDataSet)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    void Destroy() override;
    std::string DatabaseName;
    FreePtr<TStrings> SQL;
};

class TField : public TComponent {
    HOST_CLASS(TField, TComponent)
public:
    static void DeclareProperties(PropList& props);
    void Destroy() override;
    TDataSet* DataSet() const { return FDataSet; }
    void SetDataSet(TDataSet* dataSet);
    bool HasParent() const override { return true; }
    TComponent* GetParentComponent() const override { return FDataSet; }
    void SetParentComponent(TComponent* parent) override { SetDataSet(dyn<TDataSet>(parent)); }
    std::string FieldName, DisplayLabel;
    int DisplayWidth = 0;
    bool Required = false;

private:
    TDataSet* FDataSet = nullptr;
};

class TStringField : public TField {
    HOST_CLASS(TStringField, TField)
public:
    static void DeclareProperties(PropList& props);
    int Size = 20;
};

class TIntegerField : public TField {
    HOST_CLASS(TIntegerField, TField)
};

class TDataSource : public TComponent {
    HOST_CLASS(TDataSource, TComponent)
public:
    static void DeclareProperties(PropList& props);
    // Reacts to the removal of its data set only: insertions pass it by.
    void Notification(TComponent* component, TOperation operation) override;
    using TIgnoresInsertions = TDataSource;
    bool AutoEdit = true;
    bool Enabled = true;
    TDataSet* DataSet = nullptr;
};

class TCustomImageList : public TComponent {
    HOST_CLASS(TCustomImageList, TComponent)
};

class TImageList : public TCustomImageList {
    HOST_CLASS(TImageList, TCustomImageList)
public:
    static void DeclareProperties(PropList& props);
    int Height = 16;
    int Width = 16;
};

class TButton : public TWinControl {
    HOST_CLASS(TButton, TWinControl)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    // The platform draws push buttons: a raised face, the caption centred, a black frame round
    // the default button.
    void PaintTo(IPaintTarget* target) override;
    bool Default = false;
    bool Cancel = false;
    int ModalResult = 0;
    std::string OnClickName;
};

class TPanel : public TCustomControl {
    HOST_CLASS(TPanel, TCustomControl)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    void Paint() override;
};

class TStatusBar : public TWinControl {
    HOST_CLASS(TStatusBar, TWinControl)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    // The platform draws status bars: a button face, the simple panel sunken with its text, and
    // the size grip in the bottom-right corner.
    void PaintTo(IPaintTarget* target) override;
    std::string SimpleText;
    bool SimplePanel = false;
};

class TLabel : public TGraphicControl {
    HOST_CLASS(TLabel, TGraphicControl)
public:
    static void DeclareProperties(PropList& props);
    void Create(TComponent* owner) override;
    void Paint() override;
};

// A table class of a third party's with no palette picture of its own.
class TNestedTable : public TTable {
    HOST_CLASS(TNestedTable, TTable)
};

// Registers every host class that forms can hold with the class registry.
void RegisterStandardClasses();
// The designer's own C++ classes that the catalogue describes further (RegisterCatalogue),
// abstract ones included.
std::vector<const TClass*> StandardClasses();

} // namespace host
