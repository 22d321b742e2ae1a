#ifndef MainH
#define MainH
#include <vcl\Forms.hpp>
class TMainForm : public TForm
{
public:
    __fastcall TMainForm(TComponent* Owner);
};
extern TMainForm *MainForm;
#endif
