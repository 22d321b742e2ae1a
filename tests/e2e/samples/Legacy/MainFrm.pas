unit MainFrm;

{ Главное окно программы }

interface

uses
  Windows, Classes, Forms, StdCtrls, Texts;

type
  TMainForm = class(TForm)
    btnHello: TButton;
    procedure btnHelloClick(Sender: TObject);
  end;

var
  MainForm: TMainForm;

implementation

{$R *.DFM}

procedure TMainForm.btnHelloClick(Sender: TObject);
begin
  // Показать приветствие
  Caption := 'Привет, мир!' + ' ' + JapaneseGreeting;
end;

end.
