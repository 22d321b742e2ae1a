#include <vcl\vcl.h>
#pragma hdrstop
USEFORM("Main.cpp", MainForm);
USEFORM("About.cpp", AboutBox);
USERES("Forms.res");
WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    Application->Initialize();
    Application->CreateForm(__classid(TMainForm), &MainForm);
    Application->CreateForm(__classid(TAboutBox), &AboutBox);
    Application->Run();
    return 0;
}
