object MainForm: TMainForm
  Left = 200
  Top = 108
  Width = 320
  Height = 200
  Caption = 'Suite'
  PixelsPerInch = 96
  TextHeight = 13
  object btnGreet: TButton
    Left = 16
    Top = 16
    Width = 75
    Height = 25
    Caption = '&Greet'
    TabOrder = 0
    OnClick = btnGreetClick
  end
end
