object Extra: TExtra
  Color = clBtnFace
  Shading = 2
  PixelsPerInch = 96
  object Timer1: TTimer
    Interval = 250
    OnTimer = Timer1Timer
    Tag2 = 5
    Left = 8
    Top = 8
  end
end
