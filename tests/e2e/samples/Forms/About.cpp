#include <vcl\vcl.h>
#pragma hdrstop
#include "About.h"
#pragma resource "*.dfm"
TAboutBox *AboutBox;
__fastcall TAboutBox::TAboutBox(TComponent* Owner) : TForm(Owner) {}
