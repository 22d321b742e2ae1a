object MainForm: TMainForm
  Left = 200
  Top = 100
  Width = 400
  Height = 240
  Caption = 'Склад'
  PixelsPerInch = 96
  TextHeight = 13
  object btnHello: TButton
    Left = 16
    Top = 16
    Width = 97
    Height = 25
    Caption = 'Привет'
    TabOrder = 0
    OnClick = btnHelloClick
  end
end
