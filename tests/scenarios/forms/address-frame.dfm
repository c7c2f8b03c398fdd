object AddressFrame: TAddressFrame
  Left = 0
  Top = 0
  Width = 320
  Height = 120
  TabOrder = 0
  object Street: TEdit
    Left = 8
    Top = 8
    Width = 200
    Height = 21
    TabOrder = 0
  end
  object Lookup: TTimer
    Left = 240
    Top = 8
  end
end
