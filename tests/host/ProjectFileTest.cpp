// Reading C++Builder and Delphi projects into units and forms.
#include "host/ProjectFile.h"

#include "TempDirTest.h"

class ProjectFileTest : public TempDirTest {};

TEST_F(ProjectFileTest, BuilderProjectListsUnitsFromMainSourceInOrder) {
  std::string bpr = WriteFile("App/App.bpr", "VERSION = BCB.03\r\nPROJECT = App.exe\r\n");
  WriteFile("App/App.cpp",
            "#include <vcl.h>\r\n"
            "USERES(\"App.res\");\r\n"
            "USEFORM(\"Unit1.cpp\", Form1);\r\n"
            "//USEUNIT(\"Old.cpp\");\r\n"
            "USEUNIT(\"Util.cpp\");\r\n"
            "USEFORM(\"..\\\\Common\\\\About.cpp\", AboutBox);\r\n");
  TProjectInfo info;
  std::string error;
  ASSERT_TRUE(LoadProjectFile(bpr, info, error)) << error;
  std::string folder = Dir().string() + "/App/";
  EXPECT_EQ(info.MainSource, folder + "App.cpp");
  EXPECT_EQ(info.Units, (std::vector<std::string>{folder + "App.cpp", folder + "Unit1.cpp", folder + "Util.cpp",
                                                  Dir().string() + "/Common/About.cpp"}));
  EXPECT_EQ(info.Forms, (std::vector<std::string>{folder + "Unit1.dfm", Dir().string() + "/Common/About.dfm"}));
}

TEST_F(ProjectFileTest, DelphiProjectReadsUsesClauseWithFormComments) {
  std::string dpr = WriteFile("P/Project1.dpr",
                              "program Project1;\r\n"
                              "{ uses Fake in 'Fake.pas' }\r\n"
                              "uses\r\n"
                              "  Forms, SysUtils,\r\n"
                              "  Unit1 in 'Unit1.pas' {Form1},\r\n"
                              "  (* Gone in 'Gone.pas', *)\r\n"
                              "  Util in 'Lib\\Util.pas',\r\n"
                              "  About in 'About.pas' {AboutBox};\r\n"
                              "{$R *.RES}\r\n"
                              "begin\r\n  Application.Initialize;\r\nend.\r\n");
  TProjectInfo info;
  std::string error;
  ASSERT_TRUE(LoadProjectFile(dpr, info, error)) << error;
  std::string folder = Dir().string() + "/P/";
  EXPECT_EQ(info.Units, (std::vector<std::string>{dpr, folder + "Unit1.pas", folder + "Lib/Util.pas", folder + "About.pas"}));
  EXPECT_EQ(info.Forms, (std::vector<std::string>{folder + "Unit1.dfm", folder + "About.dfm"}));
}

TEST_F(ProjectFileTest, BadProjectsAreRefusedWithTheFileNamed) {
  TProjectInfo info;
  std::string error;
  EXPECT_FALSE(LoadProjectFile(PathOf("Missing.bpr"), info, error));
  EXPECT_NE(error.find("Missing.bpr"), std::string::npos);

  std::string bpr = WriteFile("NoMain.bpr", "VERSION = BCB.03\r\n");
  EXPECT_FALSE(LoadProjectFile(bpr, info, error));
  EXPECT_NE(error.find("NoMain.cpp"), std::string::npos);

  std::string dpr = WriteFile("Cut.dpr", "program Cut;\r\nuses Forms, Unit1 in 'Unit1.pas'");
  EXPECT_FALSE(LoadProjectFile(dpr, info, error));
  EXPECT_NE(error.find("Cut.dpr"), std::string::npos);

  std::string txt = WriteFile("notes.txt", "hello");
  EXPECT_FALSE(LoadProjectFile(txt, info, error));
  EXPECT_NE(error.find("not a project"), std::string::npos);
}
