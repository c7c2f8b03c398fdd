unit OrdersModule;

interface

uses SysUtils, Classes, DB, DBTables;

type
  { TOrdersModule = class(TForm) would be a form: this comment does not count }
  TBaseModule = class(TDataModule)
  end;

  TOrdersModule = class(TBaseModule)
    Orders: TTable;
  end;

implementation

{$R *.dfm}

end.
