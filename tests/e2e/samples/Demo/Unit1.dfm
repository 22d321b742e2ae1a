object Form1: TForm1
  Left = 192
  Top = 107
  Width = 320
  Height = 160
  Caption = 'Demo'
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  PixelsPerInch = 96
  TextHeight = 13
  object Label1: TLabel
    Left = 16
    Top = 56
    Width = 3
    Height = 13
  end
  object Edit1: TEdit
    Left = 16
    Top = 16
    Width = 185
    Height = 21
    TabOrder = 0
    Text = 'World'
  end
  object Button1: TButton
    Left = 216
    Top = 14
    Width = 75
    Height = 25
    Caption = 'Greet'
    TabOrder = 1
    OnClick = Button1Click
  end
end
