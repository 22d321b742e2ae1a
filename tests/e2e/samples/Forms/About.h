#ifndef AboutH
#define AboutH
#include <vcl\Forms.hpp>
class TAboutBox : public TForm
{
public:
    __fastcall TAboutBox(TComponent* Owner);
};
extern TAboutBox *AboutBox;
#endif
