object Form1: TForm1
  Left = 0
  Top = 0
  Width = 308
  Height = 227
  Caption = 'Form1'
  ClientHeight = 200
  ClientWidth = 300
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object Name: TEdit
    Left = 8
    Top = 8
    Width = 121
    Height = 21
    TabOrder = 1
  end
  object Hint: TLabel
    Left = 8
    Top = 36
    Width = 65
    Height = 13
  end
  object Ok: TButton
    Left = 8
    Top = 60
    Width = 75
    Height = 25
    TabOrder = 2
  end
  object Street: TEdit
    Left = 8
    Top = 92
    Width = 121
    Height = 21
    TabOrder = 0
  end
end
