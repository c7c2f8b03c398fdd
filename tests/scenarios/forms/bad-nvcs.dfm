object Bad: TBad
  PixelsPerInch = 96
  object Stowbar1: TStowbar
    NVCs = (
      'Timer1'
      'Timer1'
      'TTimer'
      'Timer2'
      'Timer2')
  end
end
