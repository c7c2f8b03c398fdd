object Stowbar: TStowbar
  Left = 100
  Top = 80
  Width = 408
  Height = 327
  Caption = 'Stowbar'
  ClientHeight = 300
  ClientWidth = 400
  PixelsPerInch = 96
  TextHeight = 13
  object Bar1: TStowbar
    Left = 0
    Top = 0
    Width = 400
    Height = 55
    ButtonHeight = 28
  end
  object Timer1: TTimer
    Left = 16
    Top = 200
  end
end
