// Which files a command concerns, built over the sample project open in the IDE and its SourceSafe
// project: the walk's order, one entry per file, the "changed" rules and the sync-open counts.
#include "WorkFixture.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegAssoc.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegProject.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "platform/Files.h"

namespace {

using Names = std::vector<std::string>;

class BuilderTest : public WorkFixture {
protected:
  TRVLFileListBuilderFactory& Builders() { return TRVLFileListBuilderFactory::_Instance(); }
};

TEST_F(BuilderTest, AllFilesListsEachFileOnceAtTheSourceSafeWalksPosition) {
  MakeProject("$/Demo/Sub")->Add(WriteFile("Demo/Sub/Deep.cpp", "deep\n"), "", 0);
  VSSFile("Util.h", "Admin")->SetDeleted(true);
  // A unit only in the IDE project, and a file of the project named in other letter case.
  WriteFile("Demo/New.cpp", "new\n");
  platform::SetReadOnly(Local("Demo.cpp"), false);
  ASSERT_TRUE(FHost->AddToProject(Local("New.cpp")));
  FProject->GetRegProject()->AddOtherFile("$/DEMO/unit1.H");

  const Names walk{"Deep.cpp", "Demo.bpr", "Demo.cpp", "Unit1.cpp", "Unit1.dfm", "Unit1.h", "Util.cpp"};
  Names all = walk;
  all.push_back("Demo.res");   // the project's resource, a project file not yet in SourceSafe
  all.push_back("Util.h");     // a unit's header, deleted in SourceSafe but still the project's
  all.push_back("New.cpp");
  EXPECT_EQ(FileNames(*Build(*std::make_unique<TRVLAllFilesListBuilder>())), all);
  EXPECT_EQ(FileNames(*Build(*Builders().CreateAllVCSFilesBuilder())), walk);
  EXPECT_EQ(FileNames(*Build(*Builders().CreateVCSProjectBuilder())), Names(walk.begin() + 1, walk.end()))
      << "one level, no deleted file";
}

TEST_F(BuilderTest, ChangedMeansChangedByOthersAndSyncOpenCountsEachFileOnce) {
  CheckInAs("Bob", "Util.cpp", "Bob's\n");
  // Checked out to me and changed: mine, not "different".
  CheckOutAndChange("Unit1.cpp", "mine\n");
  // Missing locally, also while checked out to me.
  platform::DeleteFile(Local("Demo.cpp"));
  VSSFile("Unit1.h", "Alice")->Checkout("", Local("Unit1.h"), 0);
  platform::DeleteFile(Local("Unit1.h"));

  EXPECT_EQ(FileNames(*Build(*Builders().CreateDifferentFilesBuilder())), Names{"Util.cpp"});
  auto syncOpen = Builders().CreateSyncOpenBuilder();
  EXPECT_EQ(FileNames(*Build(*syncOpen, Executors().CreateGet().get())), (Names{"Demo.cpp", "Unit1.h", "Util.cpp"}));
  // Demo.cpp and Util.cpp are IDE units too: still one file each.
  EXPECT_EQ(syncOpen->NewFiles(), 2);
  EXPECT_EQ(syncOpen->ChangedFiles(), 1);
}

TEST_F(BuilderTest, AnUnboundProjectGivesTheIDEsFilesOnly) {
  platform::DeleteFile(Local("vss.rvl"));
  auto unbound = TRVLFactory::_Instance().CreateProject(Local("Demo.bpr"));
  ASSERT_FALSE(unbound->IsBound());
  auto names = [&](TRVLFileListBuilder&& builder, TRVLProject* project) {
    auto list = TRVLFactory::_Instance().CreateItems();
    builder.SetParams(project, nullptr);
    builder.Build(list.get());
    return FileNames(*list);
  };
  // The project file first, each C++ unit followed by its header, the forms last.
  const Names ide{"Demo.bpr", "Demo.cpp", "Demo.res", "Unit1.cpp", "Unit1.h", "Util.cpp", "Util.h", "Unit1.dfm"};
  EXPECT_EQ(names(TRVLAllFilesListBuilder(), unbound.get()), ide);
  EXPECT_EQ(names(TRVLAllLocalFilesListBuilder(), unbound.get()), ide);
  EXPECT_EQ(names(TRVLAllLocalFilesListBuilder(), nullptr), Names{});
  EXPECT_EQ(names(TRVLVCSProjectListBuilder(), unbound.get()), Names{});
}

TEST_F(BuilderTest, TheCurrentFileComesWithTheCompanionsItsExecutorAccepts) {
  TRVLRegFactory::_Instance().CreateRegAssoc()->Save(".cpp", {"*.h", ".dfm", "*.bak"});
  for (const char* name : {"Unit1.cpp", "Unit1.dfm"}) VSSFile(name, "Alice")->Checkout("", Local(name), 0);
  auto current = Item("Unit1.cpp");
  auto names = [&](TRVLExecute* filter, bool companions = true) {
    auto builder = Builders().CreateCurrentFileBuilder();
    builder->SetIncludeAssociated(companions);
    return FileNames(*Build(*builder, filter, current.get()));
  };
  EXPECT_EQ(names(nullptr), (Names{"Unit1.cpp", "Unit1.h", "Unit1.dfm", "Unit1.bak"}))
      << "companions whether or not they exist";
  EXPECT_EQ(names(nullptr, false), Names{"Unit1.cpp"});
  EXPECT_EQ(names(Executors().CreateCheckIn().get()), (Names{"Unit1.cpp", "Unit1.dfm"}));
  EXPECT_EQ(names(Executors().CreateGet().get()), (Names{"Unit1.cpp", "Unit1.h", "Unit1.dfm"}));

  // A never-check-in mask hides a file from Check In, not from Undo Check Out.
  TRVLRegFactory::_Instance().CreateRegOptions()->SaveDontCheckIn({"*.DFM"});
  EXPECT_EQ(names(Executors().CreateCheckIn().get()), Names{"Unit1.cpp"});
  EXPECT_EQ(names(Executors().CreateUndoCheckOut().get()), (Names{"Unit1.cpp", "Unit1.dfm"}));

  TRVLRegFactory::_Instance().CreateRegAssoc()->SetDisableAssoc(true);
  EXPECT_EQ(names(nullptr), Names{"Unit1.cpp"});

  current.reset();
  EXPECT_EQ(names(Executors().CreateGet().get()), Names{}) << "no current file, nothing to list";
}

} // namespace
