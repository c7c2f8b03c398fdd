object Form1: TForm1
  Left = 0
  Top = 0
  Width = 648
  Height = 507
  Caption = 'Form1'
  ClientHeight = 480
  ClientWidth = 640
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object Tools: TStowbar
    Left = -137
    Top = 0
    Width = 140
    Height = 480
    AttachSide = asLeft
    ButtonHeight = 28
    NVCs = (
      'Orders'
      'Orders'
      'TTable')
  end
  object Stowbar1: TStowbar
    Left = 0
    Top = -52
    Width = 640
    Height = 55
    ButtonHeight = 28
    NVCs = (
      'Timer2'
      'Timer2'
      'TTimer'
      'Timer1'
      'Clock'
      'TTimer')
  end
  object Timer1: TTimer
    Left = 55536
  end
  object Timer2: TTimer
    OnTimer = Timer2Timer
    Left = 55536
  end
  object Orders: TTable
    Left = 55536
  end
end
