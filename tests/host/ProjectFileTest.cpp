// Reading C++Builder and Delphi projects into units and forms.
#include "host/ProjectFile.h"

#include <algorithm>
#include <random>
#include <utility>
#include <vector>

#include "TempDirTest.h"

class ProjectFileTest : public TempDirTest {};

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
                              "{$R+} // {$R Not.res}\r\n"
                              "{$R 'Extra Icons.res'}\r\n"
                              "begin\r\n  Application.Initialize;\r\nend.\r\n");
  TProjectInfo info;
  std::string error;
  ASSERT_TRUE(LoadProjectFile(dpr, info, error)) << error;
  std::string folder = Dir().string() + "/P/";
  // Its resources follow the units: "*" is the project's name; range checking ({$R+}) is none.
  EXPECT_EQ(info.Units, (std::vector<std::string>{dpr, folder + "Unit1.pas", folder + "Lib/Util.pas", folder + "About.pas",
                                                  folder + "Project1.RES", folder + "Extra Icons.res"}));
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
  EXPECT_EQ(info.Units.size(), 5u);
  EXPECT_EQ(info.Units[3], PathOf("App/Sub/Tax.cpp"));
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

// Project sources as people and tools leave them: cut anywhere, with bytes changed, and with runs
// long enough to overflow a backtracking matcher. Every parser reads them without crashing, and what
// loads can be edited.
TEST_F(ProjectFileTest, CutMutatedAndHugeSourcesAreReadInOnePass) {
  const std::string builder = "#include <vcl.h>\r\n#pragma hdrstop\r\nUSERES(\"App.res\");\r\n"
                              "USEFORM(\"Unit1.cpp\", Form1);\r\n/* USEUNIT(\"Old.cpp\"); */\r\n"
                              "USEUNIT(\"..\\\\Lib\\\\Util.cpp\");\r\nchar q = '\"';\r\nWINAPI WinMain() { return 0; }\r\n";
  const std::string delphi = "program App;\r\n{$APPTYPE GUI}\r\nuses\r\n  Forms, (* Old in 'Old.pas', *)\r\n"
                             "  Unit1 in 'Unit1.pas' {Form1},\r\n  Util in '..\\Lib\\Util.pas';\r\n"
                             "{$R *.RES}\r\nbegin\r\n  Application.Run;\r\nend.\r\n";
  const std::string huge(1 << 20, 'x');
  std::vector<std::pair<std::string, std::string>> cases = {
      {"cpp", "USEUNIT(\"" + std::string(20000, 'a') + "\");\r\n"},
      {"cpp", "USEUNIT(" + std::string(200000, ' ') + "\"Unit1.cpp\");\r\n"},
      {"cpp", "USEUNIT(\"Unit1.cpp" + huge},
      {"cpp", "USEUNIT(\"" + std::string(100000, '\\') + "\");\r\n"},
      {"dpr", "program P; uses A in '" + huge + "';\r\n"},
      {"dpr", "program P; uses A in '" + huge},
      {"dpr", "program P; uses " + std::string(100000, '{') + ";"},
  };
  std::mt19937 random(26);
  for (int round = 0; round < 300; ++round) {
    const bool isBuilder = round % 2 == 0;
    std::string text = isBuilder ? builder : delphi;
    text.resize(random() % (text.size() + 1));
    for (int edits = static_cast<int>(random() % 8); edits > 0 && !text.empty(); --edits) {
      const size_t at = random() % text.size();
      switch (random() % 4) {
      case 0: text[at] = static_cast<char>(random()); break;
      case 1: text.erase(at, random() % 16); break;
      case 2: text.insert(at, random() % 64, "\"'\\{}(*)/;, \r\n"[random() % 14]); break;
      default: text.insert(at, text.substr(random() % text.size(), random() % 32)); break;
      }
    }
    cases.emplace_back(isBuilder ? "cpp" : "dpr", text);
  }
  const std::string bpr = WriteFile("App/App.bpr", "VERSION = BCB.03\r\n");
  for (const auto& [kind, text] : cases) {
    const std::string project = kind == "cpp" ? bpr : PathOf("App/App.dpr");
    WriteFile("App/App." + kind, text);
    TProjectInfo info;
    std::string error;
    if (!LoadProjectFile(project, info, error)) continue;
    std::string source = text;
    if (AddUnitToSource(info, source, PathOf("App/Sub/New.cpp"), "NewForm", error)) {
      WriteFile("App/App." + kind, source);
      TProjectInfo added;
      ASSERT_TRUE(LoadProjectFile(project, added, error)) << error << "\n" << source;
      EXPECT_EQ(added.Units.size(), info.Units.size() + 1) << source;
      EXPECT_NE(std::find(added.Units.begin(), added.Units.end(), PathOf("App/Sub/New.cpp")), added.Units.end()) << source;
    }
    for (size_t i = 1; i < info.Units.size(); ++i) RemoveUnitFromSource(info, source, info.Units[i], error);
  }
}

// The main source's units in order, commented ones and resources left out. Projects written on
// Windows name their units with single backslashes and in any letter case; the units are found as
// they lie on disk.
TEST_F(ProjectFileTest, BuilderUnitsInOrderWithWindowsPathsMatchedIgnoringCase) {
  const std::string shared = WriteFile("Shared/Unit2.cpp", "");
  WriteFile("Shared/unit2.DFM", "");
  const std::string showText = WriteFile("App/showtext.cpp", "");
  const std::string util = WriteFile("App/sub/Util.cpp", "");
  const std::string bpr = WriteFile("App/App.bpr", "VERSION = BCB.03\r\n");
  WriteFile("App/App.cpp",
            "USERES(\"App.res\");\r\nUSEFORM(\"..\\Shared\\Unit2.cpp\", Form2);\r\n//USEUNIT(\"Old.cpp\");\r\n"
            "USEFORM(\"ShowText.cpp\", FormShow);\r\n"
            "USEUNIT(\"SUB\\\\util.CPP\");\r\nUSEUNIT(\"Missing\\\\Gone.cpp\");\r\n"
            "USEFILE(\"..\\Docs\\ReadMe.TXT\");\r\n");
  // Files and resources are project files too, their paths written on Windows like the units'.
  const std::string readme = WriteFile("docs/readme.txt", "");
  TProjectInfo info;
  std::string error;
  ASSERT_TRUE(LoadProjectFile(bpr, info, error)) << error;
  EXPECT_EQ(info.Units, (std::vector<std::string>{PathOf("App/App.cpp"), PathOf("App/App.res"), shared, showText,
                                                  util, PathOf("App/Missing/Gone.cpp"), readme}));
  EXPECT_EQ(info.Forms, (std::vector<std::string>{PathOf("Shared/unit2.DFM"), PathOf("App/showtext.dfm")}));

  const std::string pas = WriteFile("Lib/Tools.pas", "");
  const std::string dpr = WriteFile("App/Shop.dpr", "program Shop;\r\nuses Tools in '..\\LIB\\tools.PAS';\r\nbegin end.\r\n");
  ASSERT_TRUE(LoadProjectFile(dpr, info, error)) << error;
  EXPECT_EQ(info.Units, (std::vector<std::string>{dpr, pas}));
}
