object Shop: TShop
  Left = 100
  Top = 80
  Width = 648
  Height = 507
  Caption = 'Shop'
  ClientHeight = 480
  ClientWidth = 640
  PixelsPerInch = 96
  TextHeight = 13
  object TopBar: TStowbar
    Left = 0
    Top = 0
    Width = 640
    Height = 60
    ButtonHeight = 28
    NVCs = (
      'Refresh'
      'Refresh every 5 s'
      'TTimer'
      'Removed'
      'Removed'
      'TTimer')
  end
  object Spare: TStowbar
    Left = 0
    Top = 0
    Width = 640
    Height = 60
    AutoHide = False
    ButtonHeight = 28
    NVCs = (
      'Refresh'
      'Twice'
      'TTimer')
  end
  object Refresh: TTimer
    Interval = 5000
    Left = 16
    Top = 200
  end
  object Orders: TTable
    TableName = 'orders.db'
    Left = 48
    Top = 200
  end
end
