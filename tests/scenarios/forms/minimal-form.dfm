object OrdersModule: TOrdersModule
  Left = 192
  Top = 114
  Width = 320
  Height = 240
  object Orders: TTable
    DatabaseName = 'DBDEMOS'
    TableName = 'orders.db'
    Left = 24
    Top = 16
  end
end
