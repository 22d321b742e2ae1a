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

TEST_F(ProjectFileTest, UnitsAddedToAndRemovedFromTheSourceReadBackTheSame) {
  std::string bpr = WriteFile("App/App.bpr", "VERSION = BCB.03\r\n");
  std::string cpp = WriteFile("App/App.cpp",
                              "#include <vcl.h>\r\n#pragma hdrstop\r\nUSERES(\"App.res\");\r\n"
                              "USEFORM(\"Unit1.cpp\", Form1);\r\n//----\r\nWINAPI WinMain()\r\n");
  TProjectInfo info;
  std::string error;
  ASSERT_TRUE(LoadProjectFile(bpr, info, error)) << error;
  std::string source = ReadFile(cpp);
  ASSERT_TRUE(AddUnitToSource(info, source, PathOf("App/Sub/Tax.cpp"), "", error)) << error;
  ASSERT_TRUE(AddUnitToSource(info, source, PathOf("App/About.cpp"), "AboutBox", error)) << error;
  EXPECT_EQ(source,
            "#include <vcl.h>\r\n#pragma hdrstop\r\nUSERES(\"App.res\");\r\nUSEFORM(\"Unit1.cpp\", Form1);\r\n"
            "USEUNIT(\"Sub\\\\Tax.cpp\");\r\nUSEFORM(\"About.cpp\", AboutBox);\r\n//----\r\nWINAPI WinMain()\r\n");
  WriteFile("App/App.cpp", source);
  ASSERT_TRUE(LoadProjectFile(bpr, info, error)) << error;
  EXPECT_EQ(info.Units.size(), 4u);
  EXPECT_EQ(info.Units[2], PathOf("App/Sub/Tax.cpp"));
  ASSERT_TRUE(RemoveUnitFromSource(info, source, PathOf("App/Unit1.cpp"), error)) << error;
  EXPECT_EQ(source.find("Unit1"), std::string::npos);
  EXPECT_FALSE(RemoveUnitFromSource(info, source, PathOf("App/Unit1.cpp"), error));
  EXPECT_NE(error.find("Unit1.cpp is not named"), std::string::npos);

  std::string dpr = WriteFile("P/Shop.dpr",
                              "program Shop;\nuses\n  Forms,\n  Main in 'Main.pas' {MainForm};\n{$R *.RES}\nbegin\nend.\n");
  ASSERT_TRUE(LoadProjectFile(dpr, info, error)) << error;
  source = ReadFile(dpr);
  ASSERT_TRUE(AddUnitToSource(info, source, PathOf("P/Lib/Tax.pas"), "", error)) << error;
  EXPECT_EQ(source, "program Shop;\nuses\n  Forms,\n  Main in 'Main.pas' {MainForm},\n  Tax in 'Lib\\Tax.pas';\n"
                    "{$R *.RES}\nbegin\nend.\n");
  ASSERT_TRUE(RemoveUnitFromSource(info, source, PathOf("P/Lib/Tax.pas"), error)) << error;
  ASSERT_TRUE(RemoveUnitFromSource(info, source, PathOf("P/Main.pas"), error)) << error;
  EXPECT_EQ(source, "program Shop;\nuses\n  Forms;\n{$R *.RES}\nbegin\nend.\n");
}
