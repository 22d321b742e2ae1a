#include "DiffFixture.h"

#include <filesystem>

#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegRVL.h"

void DiffTest::SetUp() {
  TempDirTest::SetUp();
  std::filesystem::create_directories(InstallDir());
  std::filesystem::copy_file(BuildDir() / "ravelin" / "Syntax.ini", InstallDir() + "/Syntax.ini");
  TRVLRegFactory::_Instance().CreateRegRVL()->Registry().WriteString("PATH", InstallDir());
}

void DiffTest::TearDown() {
  EXPECT_EQ(Prompts.Script->Failures(), std::vector<std::string>{});
  TempDirTest::TearDown();
}

std::string DiffTest::SsDiff(const std::string& left, const std::string& right, const std::string& ext) {
  LeftFile = WriteFile("left" + ext, left);
  RightFile = WriteFile("right" + ext, right);
  const std::string report = PathOf("report.txt");
  std::filesystem::remove(report);
  const TProgramRun ss =
      RunProgram({(BuildDir() / "sourcesafe" / "ss").string(), "Diff", LeftFile, RightFile, "-I-", "-O@" + report});
  EXPECT_TRUE(ss.Code == 0 || ss.Code == 1) << "ss Diff exited with " << ss.Code << ": " << ss.Err;
  return report;
}

TRVLFormPtr<TFrmFileDiff> DiffTest::Viewer(const std::string& report) {
  return TRVLFormFactory::_Instance().CreateFileDiff(LeftFile, RightFile, report, "Left version", "Right version");
}

std::vector<std::string> DiffTest::Rows(const TFrmFileDiff& viewer) {
  auto number = [](const TRVLListBox* pane, int row) {
    const std::string text = pane->Text(row);
    const size_t digits = text.find_first_not_of("0123456789");
    return digits == 0 || text.empty() ? std::string("-") : text.substr(0, digits);
  };
  const char* kinds = "DCIU";
  std::vector<std::string> rows;
  for (int row = 0; row < std::max(viewer.lbLeftPane->Count(), viewer.lbRightPane->Count()); ++row) {
    std::string kind(1, kinds[viewer.Kind(viewer.lbLeftPane, row)]);
    if (viewer.Kind(viewer.lbRightPane, row) != viewer.Kind(viewer.lbLeftPane, row))
      kind += kinds[viewer.Kind(viewer.lbRightPane, row)];
    rows.push_back(number(viewer.lbLeftPane, row) + "|" + number(viewer.lbRightPane, row) + "|" + kind);
  }
  return rows;
}
