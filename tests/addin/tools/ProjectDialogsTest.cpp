// The project dialogs over a real database: where the add-project dialog places an IDE project from
// the project's folder, what OK binds and when it sets a working folder, Create, and declining the
// creation; what the open dialog shows for a selection, and a typed local path.
#include <filesystem>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "../sourcesafe/SourceSafeTest.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/dialogs/uRVLListBox.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "addin/tools/uFrmAddProject.h"
#include "addin/tools/uFrmOpenFromVCS.h"
#include "platform/Files.h"
#include "ui/StatusBar.h"

namespace {

class ProjectDialogsTest : public SourceSafeTest {
protected:
  void SetUp() override {
    SourceSafeTest::SetUp();
    MakeProject("$/App");
    FDatabase = Open("Alice", "alice-pw");
    FDatabase->VSSItem("$/")->SetLocalSpec(PathOf("work"));
    FDatabase->VSSItem("$/App")->SetLocalSpec(PathOf("work/app"));
  }
  void TearDown() override {
    FDatabase = nullptr;
    SourceSafeTest::TearDown();
  }

  // The dialog given an IDE project whose file is `Local` below the test's folder.
  TRVLFormPtr<TFrmAddProject> Dialog(const std::string& Local) {
    std::filesystem::create_directories(platform::ExtractFileDir(PathOf(Local)));
    FProject = TRVLFactory::_Instance().CreateProject(PathOf(Local));
    TRVLFormPtr<TFrmAddProject> dialog = TRVLFormFactory::_Instance().CreateAddProject(FDatabase);
    dialog->SetProject(FProject.get());
    return dialog;
  }
  // The SourceSafe project the IDE project is bound to, checked against its per-project file.
  std::string BoundTo() {
    if (!FProject->IsBound()) return "(unbound)";
    const std::string spec = FProject->GetVSSProject()->Spec();
    std::string text;
    platform::ReadFile(platform::ExtractFilePath(FProject->FileName()) + "vss.rvl", text);
    return text.find("SCPATH=" + spec + "\n") != std::string::npos ? spec : spec + " (not in vss.rvl)";
  }

  VSSPtr<IVSSDatabase> FDatabase;
  std::unique_ptr<TRVLProject> FProject;
};

TEST_F(ProjectDialogsTest, PlacesTheProjectBelowTheDeepestProjectOnTheWayToItsFolder) {
  struct Case {
    const char* Local;
    const char* Node;
    const char* Name;
  } cases[] = {
      {"work/app/App.bpr", "/App/", ""},                 // the project's own working folder
      {"work/APP/Sub/Deep/X.bpr", "/App/", "Sub/Deep"},  // deeper: the missing levels, any case
      {"work/Tools/Tools.bpr", "/", "Tools"},            // no project yet
      {"elsewhere/Other/Other.bpr", "/", "Other"},       // outside the root's working folder
  };
  for (const Case& c : cases) {
    TRVLFormPtr<TFrmAddProject> dialog = Dialog(c.Local);
    EXPECT_EQ(dialog->SelectedPath(), c.Node) << c.Local;
    EXPECT_EQ(dialog->edProject->text().toStdString(), c.Name) << c.Local;
    EXPECT_EQ(dialog->btnCreate->isEnabled(), *c.Name != '\0') << c.Local;
  }
}

TEST_F(ProjectDialogsTest, OkBindsAndSetsTheWorkingFolderOnlyOfAProjectItCreated) {
  // An existing project keeps its working folder.
  TRVLFormPtr<TFrmAddProject> dialog = Dialog("work/app/Sub/App.bpr");
  dialog->edProject->clear();
  dialog->btnOk->click();
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  EXPECT_EQ(BoundTo(), "$/App");
  EXPECT_EQ(FDatabase->VSSItem("$/App")->LocalSpec(), PathOf("work/app"));

  // A missing one is asked about; No leaves the dialog open and the project unbound.
  dialog = Dialog("work/app/Sub/Deep/X.bpr");
  FPrompter->AddAnswer("No");
  dialog->btnOk->click();
  EXPECT_EQ(FPrompter->Prompts().back().Text, "Project /App/Sub/Deep does not exist. Would you like to create it?");
  EXPECT_EQ(dialog->ModalResult(), mrNone);
  EXPECT_EQ(BoundTo(), "(unbound)");
  // Yes makes every missing level and points the new project at the IDE project's folder.
  FPrompter->AddAnswer("Yes");
  dialog->btnOk->click();
  EXPECT_EQ(BoundTo(), "$/App/Sub/Deep");
  EXPECT_EQ(FDatabase->VSSItem("$/App/Sub/Deep")->LocalSpec(), PathOf("work/app/Sub/Deep"));

  // Create with a trailing "/" selects and marks the new project, so OK afterwards sets its folder.
  dialog = Dialog("elsewhere/Other/Other.bpr");
  dialog->edProject->setText("New/");
  dialog->btnCreate->click();
  EXPECT_EQ(dialog->SelectedPath(), "/New/");
  EXPECT_TRUE(dialog->edProject->text().isEmpty());
  EXPECT_FALSE(dialog->btnCreate->isEnabled());
  dialog->btnOk->click();
  EXPECT_EQ(BoundTo(), "$/New");
  EXPECT_EQ(FDatabase->VSSItem("$/New")->LocalSpec(), PathOf("elsewhere/Other"));
}

TEST_F(ProjectDialogsTest, OpenGetsIntoATypedFolderAndWarnsOfALocalPathThatIsTheCurrentFolder) {
  AddFile("$/App", "src/main.cpp", "main\n");
  AddFile("$/App", "src/App.bpr", "project\n");
  TRVLFormPtr<TFrmOpenFromVCS> dialog = TRVLFormFactory::_Instance().CreateOpenFromVCS(FDatabase);
  dialog->tvProjects->setCurrentItem(dialog->FindNode("/App"));
  auto select = [&](const char* Name) {
    for (int i = 0; i < dialog->lbFileList->Count(); ++i) dialog->lbFileList->SetSelected(i, dialog->lbFileList->Text(i) == Name);
  };
  select("App.bpr");
  EXPECT_EQ(dialog->edLocalSpec->text().toStdString(), PathOf("work/app/App.bpr"));
  EXPECT_TRUE(dialog->chkbOpenNewProject->isEnabled());
  select("main.cpp");
  EXPECT_FALSE(dialog->chkbOpenNewProject->isEnabled());
  EXPECT_EQ(dialog->sbarStatus->SimpleText(), "");

  // A working folder that is the process's current folder but not where the parent's folder
  // leads is suspicious.
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::create_directories(PathOf("cwd"));
  std::filesystem::current_path(PathOf("cwd"));
  FDatabase->VSSItem("$/App")->SetLocalSpec(PathOf("cwd"));
  dialog->tvProjects->setCurrentItem(dialog->FindNode("/"));
  dialog->tvProjects->setCurrentItem(dialog->FindNode("/App"));
  EXPECT_EQ(dialog->sbarStatus->SimpleText(), "Warning: 'Local Path' might be incorrect.");
  std::filesystem::current_path(before);

  // A path typed over the shown one becomes the project's working folder; the file comes read-only.
  select("main.cpp");
  dialog->edLocalSpec->setText(QString::fromStdString(PathOf("typed/main.cpp")));
  FPrompter->AddAnswer("Yes");
  dialog->btnOpen->click();
  EXPECT_EQ(dialog->ModalResult(), mrOk);
  EXPECT_EQ(FDatabase->VSSItem("$/App")->LocalSpec(), PathOf("typed"));
  std::string text;
  ASSERT_TRUE(platform::ReadFile(PathOf("typed/main.cpp"), text));
  EXPECT_EQ(text, "main\n");
  EXPECT_TRUE(platform::IsReadOnly(PathOf("typed/main.cpp")));
}

TEST_F(ProjectDialogsTest, OnlyTheIDEsOwnProjectExtensionsOpenAsAProject) {
  struct Case {
    const char* Name;
    bool Project;
  } cases[] = {{"App.bpr", true}, {"APP.BPR", true}, {"All.bpg", true}, {"App.bp", false},
               {"App.cpp", false}, {"bpr", false},    {"Legacy.dpr", false}};
  for (const Case& c : cases) EXPECT_EQ(IsProjectFile(c.Name), c.Project) << c.Name;
}

} // namespace
