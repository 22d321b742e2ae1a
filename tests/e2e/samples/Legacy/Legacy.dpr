program Legacy;

uses
  Forms,
  MainFrm in 'MainFrm.pas' {MainForm},
  Texts in 'Texts.pas';

{$R *.RES}

// Учёт товаров на складе
begin
  Application.Initialize;
  Application.Title := 'Склад';
  Application.CreateForm(TMainForm, MainForm);
  Application.Run;
end.
