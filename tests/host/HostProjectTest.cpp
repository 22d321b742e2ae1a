// Projects in the IDE: what the project manager lists and what the tool services report.
#include <QTreeWidget>

#include "HostFixture.h"
#include "host/EditWindow.h"
#include "host/Module.h"
#include "host/ProjectManager.h"
#include "opentools/ToolIntf.h"
#include "platform/Files.h"

class HostProjectTest : public HostFixture {
protected:
  // Each unit row of the project manager as "file|form".
  std::vector<std::string> ListedUnits() const {
    std::vector<std::string> rows;
    QTreeWidgetItem* root = FHost->ProjectManager()->Tree()->topLevelItem(0);
    for (int i = 0; root && i < root->childCount(); ++i)
      rows.push_back(root->child(i)->text(0).toStdString() + "|" + root->child(i)->text(1).toStdString());
    return rows;
  }
};

TEST_F(HostProjectTest, BuilderProjectListsItsUnitsAndForms) {
  THostModule* openBefore = FHost->OpenFile(Sample("Util.cpp"));
  ASSERT_TRUE(FHost->OpenProject(Sample("Demo.bpr")));
  EXPECT_TRUE(openBefore->IsProjectModule());
  EXPECT_EQ(ListedUnits(), (std::vector<std::string>{"Demo.cpp|", "Demo.res|", "Unit1.cpp|Unit1.dfm", "Util.cpp|"}));
  EXPECT_TRUE(FHost->ProjectManager()->isVisible());

  // The units and forms the tool services give are the builders' tests' (an unbound project's files).
  TIToolServices* services = FHost->ToolServices();
  EXPECT_EQ(services->GetProjectName(), Sample("Demo.bpr"));
  // The main source opens in the editor with the project.
  EXPECT_EQ(services->GetCurrentFile(), Sample("Demo.cpp"));
  EXPECT_TRUE(services->IsFileOpen(Sample("Demo.cpp")));
  EXPECT_TRUE(FHost->FindModule(Sample("Demo.cpp"))->IsProjectModule());
}

TEST_F(HostProjectTest, ClosingAProjectClosesItsFilesAndOffersItForReopening) {
  ASSERT_TRUE(FHost->OpenProject(Sample("Demo.bpr")));
  ASSERT_TRUE(FHost->OpenFile(Sample("Util.cpp")));
  ASSERT_TRUE(FHost->CloseProject(true));
  EXPECT_EQ(FHost->ToolServices()->GetProjectName(), "");
  EXPECT_EQ(FHost->ToolServices()->GetUnitCount(), 0);
  EXPECT_TRUE(FHost->Modules().empty());
  EXPECT_TRUE(FHost->EditWindow()->Modules().empty());
  EXPECT_TRUE(ListedUnits().empty());
  ASSERT_FALSE(FHost->ClosedFiles().empty());
  EXPECT_EQ(FHost->ClosedFiles().front(), Sample("Demo.bpr"));
}

TEST_F(HostProjectTest, ABadProjectIsReportedAndChangesNothing) {
  ASSERT_TRUE(FHost->OpenProject(Sample("Demo.bpr")));
  std::string broken = WriteFile("Broken.bpr", "VERSION = BCB.03\r\n");   // no Broken.cpp beside it
  FPrompter->AddAnswer("OK");   // the project being closed first is unmodified: no question
  EXPECT_FALSE(FHost->OpenProject(broken));
  ASSERT_EQ(FPrompter->Prompts().size(), 1u);
  EXPECT_NE(FPrompter->Prompts()[0].Text.find("Broken.cpp"), std::string::npos);
  EXPECT_EQ(FPrompter->Prompts()[0].Icon, "Error");
  EXPECT_TRUE(FPrompter->Failures().empty());
  // The old project was closed to make room; the IDE works on without one.
  EXPECT_EQ(FHost->ToolServices()->GetProjectName(), "");
  EXPECT_NE(FHost->OpenFile(Sample("Util.cpp")), nullptr);
}

TEST_F(HostProjectTest, UnitsAddedAndRemovedChangeTheProjectAndItsSource) {
  ASSERT_TRUE(FHost->OpenProject(Sample("Demo.bpr")));
  std::string extra = WriteFile("samples/Demo/Extra.cpp", "// extra\r\n");
  ASSERT_TRUE(FHost->AddToProject(extra));
  EXPECT_EQ(FHost->ToolServices()->GetUnitName(4), extra);
  ASSERT_TRUE(FHost->RemoveFromProject(Sample("Unit1.cpp")));
  EXPECT_EQ(ListedUnits(), (std::vector<std::string>{"Demo.cpp|", "Demo.res|", "Util.cpp|", "Extra.cpp|"}));
  EXPECT_EQ(FHost->ToolServices()->GetFormCount(), 0);
  // The project's own source can't be removed.
  FPrompter->AddAnswer("OK");
  EXPECT_FALSE(FHost->RemoveFromProject(Sample("Demo.cpp")));

  // The changes wait in the open project source until the project is saved.
  EXPECT_EQ(ReadFile(Sample("Demo.cpp")).find("Extra.cpp"), std::string::npos);
  ASSERT_TRUE(FHost->SaveProject());
  TProjectInfo saved;
  std::string error;
  ASSERT_TRUE(LoadProjectFile(Sample("Demo.bpr"), saved, error)) << error;
  EXPECT_EQ(saved.Units, (std::vector<std::string>{Sample("Demo.cpp"), Sample("Demo.res"), Sample("Util.cpp"), extra}));
}

TEST_F(HostProjectTest, AReadOnlyProjectSourceKeepsTheProjectAsItIs) {
  ASSERT_TRUE(platform::SetReadOnly(Sample("Demo.cpp"), true));
  ASSERT_TRUE(FHost->OpenProject(Sample("Demo.bpr")));
  FPrompter->AddAnswer("OK");
  EXPECT_FALSE(FHost->RemoveFromProject(Sample("Util.cpp")));
  EXPECT_EQ(FPrompter->Prompts().back().Text, "The project source " + Sample("Demo.cpp") + " is read-only.");
  EXPECT_EQ(FHost->ToolServices()->GetUnitCount(), 4);
}
