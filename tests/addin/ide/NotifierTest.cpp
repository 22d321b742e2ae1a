// The notifiers registered with the real IDE over a real database: which modules get a module
// notifier, when opening and closing a project synchronises, what removing a file from the project
// asks, and how Lock Controls follows the form file's state.
#include <filesystem>

#include "../execute/WorkFixture.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/ide/uRVLNotifier.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "host/Module.h"
#include "platform/Files.h"

namespace {

class NotifierTest : public WorkFixture {
protected:
  void SetUp() override {
    WorkFixture::SetUp();
    FActiveProjects = TRVLFactory::_Instance().CreateActiveProjects();
    FNotifier = TRVLFactory::_Instance().CreateNotifier(FActiveProjects.get());
    FHost->AddNotifier(FNotifier.Get());
  }
  // As when the IDE closes: the modules go (and their notifiers with them) before the add-in.
  void TearDown() override {
    FHost->RemoveNotifier(FNotifier.Get());
    for (THostModule* module : std::vector<THostModule*>(FHost->Modules())) FHost->CloseModule(module);
    FNotifier.Reset();
    FActiveProjects.reset();
    WorkFixture::TearDown();
  }
  static std::unique_ptr<TRegOptions> Options() { return TRVLRegFactory::_Instance().CreateRegOptions(); }
  THostModule* Open(const std::string& name) { return FHost->OpenFile(Local(name)); }
  void Reopen(const std::string& project) {
    ASSERT_TRUE(FHost->CloseProject(false));
    ASSERT_TRUE(FHost->OpenProject(project));
  }
  size_t Asked() const { return FPrompter->Prompts().size(); }

  std::unique_ptr<TRVLActiveProjects> FActiveProjects;
  TIntfPtr<TRVLNotifier> FNotifier;
};

TEST_F(NotifierTest, OnlyAModuleWithAFormGetsAModuleNotifierAndExactlyOne) {
  Open("Util.cpp")->Notify(ncFormSelected);
  EXPECT_FALSE(FHost->LockControls()) << "a unit without a form is not watched";
  THostModule* unit = Open("Unit1.cpp");
  unit->Notify(ncFormModified);
  EXPECT_EQ(Asked(), 0u) << "without Lock Controls a change is no concern";
  unit->Notify(ncFormSelected);
  EXPECT_TRUE(FHost->LockControls()) << "its form is checked in";
  FPrompter->AddAnswer("OK");
  unit->Notify(ncFormModified);
  EXPECT_EQ(Asked(), 1u) << "one notifier, one warning (its text: the form_lock scenario)";
}

TEST_F(NotifierTest, FormSelectedLocksExactlyWhileTheFormIsCheckedInToSomeoneElseOrNobody) {
  platform::WriteFileAtomic(Local("New.cpp"), "// new\n");
  platform::WriteFileAtomic(Local("New.dfm"), "object Form2: TForm2\nend\n");
  THostModule* fresh = Open("New.cpp");
  THostModule* unit = Open("Unit1.cpp");
  // Checked in (locked) and checked out to me (unlocked) are the form_lock scenario's.
  FHost->SetLockControls(true);
  fresh->Notify(ncFormSelected);
  EXPECT_FALSE(FHost->LockControls()) << "not in SourceSafe";
  VSSPtr<IVSSItem> form = VSSFile("Unit1.dfm", "Bob");
  form->Checkout("", form->LocalSpec(), 0);
  FHost->SetLockControls(false);
  unit->Notify(ncFormSelected);
  EXPECT_TRUE(FHost->LockControls()) << "checked out to Bob";
}

TEST_F(NotifierTest, OpeningSynchronisesOnlyABoundProjectAndOnlyWhenAsked) {
  CheckInAs("Bob", "Util.cpp", "// Bob's\n");
  std::filesystem::copy(std::string(RAVELIN_SAMPLES_DIR) + "/Demo", Dir() / "loose");
  Reopen(Local("Demo.bpr"));
  EXPECT_EQ(Asked(), 0u) << "SyncOnOpen off";
  Options()->SetSyncOnOpen(true);
  Reopen(PathOf("loose/Demo.bpr"));
  EXPECT_EQ(Asked(), 0u) << "not bound";
  EXPECT_EQ(FActiveProjects->GetActiveProject()->FileName(), PathOf("loose/Demo.bpr"));
  FPrompter->AddAnswer("No");
  Reopen(Local("Demo.bpr"));
  EXPECT_EQ(Asked(), 1u);
}

TEST_F(NotifierTest, ClosingSynchronisesTheCurrentProjectOnlyWhenThereIsOne) {
  Options()->SetSyncOnClose(true);
  CheckOutAndChange("Util.cpp", "// mine\n");
  FPrompter->AddAnswer("No");
  ASSERT_TRUE(FHost->CloseProject(false));
  EXPECT_EQ(Asked(), 1u);
  bool cancel = true;
  FNotifier->FileNotification(fnProjectClosing, Local("Demo.bpr"), cancel);
  EXPECT_EQ(Asked(), 1u) << "no project: nothing to synchronise";
  EXPECT_FALSE(cancel);
  cancel = true;
  FNotifier->FileNotification(fnFileOpening, Local("Util.cpp"), cancel);
  EXPECT_TRUE(cancel) << "codes it doesn't handle leave Cancel alone";
}

TEST_F(NotifierTest, RemovingFromTheProjectAsksOnlyForAFileInSourceSafe) {
  // The project's source changes with its units.
  VSSFile("Demo.cpp", "Alice")->Checkout("", Local("Demo.cpp"), 0);
  FHost->FindModule(Local("Demo.cpp"))->RefreshReadOnly();
  platform::WriteFileAtomic(Local("New.cpp"), "// new\n");
  ASSERT_TRUE(FHost->AddToProject(Local("New.cpp")));
  ASSERT_TRUE(FHost->RemoveFromProject(Local("New.cpp")));
  EXPECT_EQ(Asked(), 0u);
  FPrompter->AddAnswer("No");
  ASSERT_TRUE(FHost->RemoveFromProject(Local("Util.cpp")));
  ExpectOnlyPrompt(*FPrompter, "Would you like to remove this file from SourceSafe?");
  EXPECT_FALSE(VSSFile("Util.cpp")->Deleted());
}

} // namespace
