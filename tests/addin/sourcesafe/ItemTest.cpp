// File items against a real database: the SourceSafe path each local file maps to, the lists keyed by
// it, the status another user's work changes, the editor's current file and the IDE actions.
#include "SourceSafeTest.h"
#include "addin/frame/uRVLClient.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "platform/Files.h"

namespace {

class ItemTest : public SourceSafeTest {
protected:
  void SetUp() override {
    SourceSafeTest::SetUp();
    SetEnvironment("SSUSER", "Alice");
    SetEnvironment("SSPWD", "alice-pw");
    AddFile("$/App", "proj/Main.cpp", "main\n");
    AddFile("$/App/Sub", "proj/Sub/Unit2.cpp", "unit2\n");
    AddFile("$/Other", "other/X.cpp", "x\n");
    WriteFile("proj/vss.rvl", "[App.bpr]\nSCPATH=$/App\nSCDB=" + IniPath() + "\n");
    FProject = TRVLFactory::_Instance().CreateProject(PathOf("proj/App.bpr"));
    ASSERT_TRUE(FProject->IsBound());
  }
  void TearDown() override {
    FProject.reset();
    EXPECT_EQ(TRVLItem::LiveCount(), 0);
    EXPECT_EQ(TRVLProject::LiveCount(), 0);
    SourceSafeTest::TearDown();
  }
  std::unique_ptr<TRVLItem> Item(const std::string& local, TRVLProject* project) {
    return TRVLFactory::_Instance().CreateItemFromFile(PathOf(local), project);
  }
  std::unique_ptr<TRVLItem> Item(const std::string& local) { return Item(local, FProject.get()); }

  std::unique_ptr<TRVLProject> FProject;
};

TEST_F(ItemTest, LocalFilesMapToSourceSafePathsThroughTheProject) {
  auto beside = Item("proj/Main.cpp");
  EXPECT_EQ(beside->GetSpec(), "/App/Main.cpp");
  EXPECT_TRUE(beside->IsInVSS());
  EXPECT_EQ(beside->GetProject(), FProject.get());
  EXPECT_EQ(beside->GetDatabase().Get(), FProject->GetDatabase().Get());

  auto below = Item("proj/Sub/Unit2.cpp");
  EXPECT_EQ(below->GetSpec(), "/App/Sub/Unit2.cpp");
  EXPECT_TRUE(below->IsInVSS());

  // Outside the project folder: "/App/../other/X.cpp" collapses, and SourceSafe's spelling wins.
  auto outside = Item("other/X.cpp");
  EXPECT_EQ(outside->GetSpec(), "/Other/X.cpp");
  EXPECT_TRUE(outside->IsInVSS());

  // Above the SourceSafe root: the path keeps its "..", and no item is looked for.
  auto far = TRVLFactory::_Instance().CreateItemFromFile("/etc/hostname", FProject.get());
  EXPECT_NE(far->GetSpec().find(".."), std::string::npos) << far->GetSpec();
  EXPECT_FALSE(far->IsInVSS());

  // Not in SourceSafe (a new unit), below or beside the project file: there is simply no item.
  for (const char* name : {"proj/Sub/New.cpp", "proj/New.cpp"}) {
    WriteFile(name, "");
    auto unknown = Item(name);
    EXPECT_EQ(unknown->GetSpec(), "/App/" + std::string(name).substr(5));
    EXPECT_FALSE(unknown->IsInVSS());
  }
  EXPECT_TRUE(FReports.empty());
}

TEST_F(ItemTest, FilesOutsideAProjectBindThroughTheirOwnFolder) {
  // Without a project, through the folder's own "Default" section; the item owns that project.
  WriteFile("other/vss.rvl", "[Default]\nSCPATH=$/Other\n");
  auto own = Item("other/X.cpp", nullptr);
  EXPECT_EQ(own->GetSpec(), "/Other/X.cpp");
  ASSERT_NE(own->GetProject(), nullptr);
  EXPECT_TRUE(own->GetProject()->IsBound());
  auto copy = TRVLFactory::_Instance().CreateItemCopy(*own);
  own.reset();
  EXPECT_TRUE(copy->GetProject()->IsBound()) << "the project outlives the item that made it";
  EXPECT_EQ(TRVLProject::LiveCount(), 2);
  copy.reset();
  EXPECT_EQ(TRVLProject::LiveCount(), 1);

  // A folder without a usable vss.rvl gives no item.
  WriteFile("loose/Y.cpp", "");
  EXPECT_FALSE(Item("loose/Y.cpp", nullptr)->IsInVSS());
  EXPECT_EQ(Item("loose/Y.cpp", nullptr)->GetProject(), nullptr);

  // A project bound to the root joins paths without doubling its "/".
  WriteFile("root/vss.rvl", "[R.bpr]\nSCPATH=$/\n");
  auto root = TRVLFactory::_Instance().CreateProject(PathOf("root/R.bpr"));
  WriteFile("root/App/Main.cpp", "");
  EXPECT_EQ(Item("root/App/Main.cpp", root.get())->GetSpec(), "/App/Main.cpp");
  EXPECT_TRUE(Item("root/App/Main.cpp", root.get())->IsInVSS());
}

TEST_F(ItemTest, ListsReplaceItemsOfTheSameKeyInPlace) {
  auto items = TRVLFactory::_Instance().CreateItems();
  EXPECT_EQ(items->Add(Item("proj/Main.cpp")), 0);
  EXPECT_EQ(items->Add(Item("proj/Sub/Unit2.cpp")), 1);
  VSSPtr<IVSSItem> upper = FProject->GetDatabase()->VSSItem("$/APP/SUB/UNIT2.CPP");
  auto spelled = TRVLFactory::_Instance().CreateItemFromSpec("/APP/main.CPP", FProject->GetDatabase());
  EXPECT_EQ(spelled->GetSpec(), "/App/Main.cpp") << "SourceSafe's spelling replaces the caller's";
  auto other = std::make_unique<TRVLItem>(TFromSpec{}, "/app/MAIN.cpp", nullptr);
  const TRVLItem* otherRaw = other.get();
  EXPECT_EQ(items->Add(std::move(other)), 0) << "a key differing in letter case only";
  EXPECT_EQ(items->GetItem(0), otherRaw);
  EXPECT_EQ(items->Count(), 2);

  // Items without a key are all kept.
  WriteFile("loose/A.cpp", "");
  EXPECT_EQ(items->Add(Item("loose/A.cpp", nullptr)), 2);
  EXPECT_EQ(items->Add(Item("loose/A.cpp", nullptr)), 3);
  EXPECT_EQ(items->Add(nullptr), -1);
  EXPECT_EQ(items->AddCopy(nullptr), -1);

  auto copies = TRVLFactory::_Instance().CreateItems();
  copies->AddCopy(spelled.get());
  copies->Assign(items.get());
  ASSERT_EQ(copies->Count(), 4);
  EXPECT_EQ(copies->GetItem(1)->GetSpec(), "/App/Sub/Unit2.cpp");
  EXPECT_NE(copies->GetItem(1), items->GetItem(1));
  EXPECT_NE(dynamic_cast<TRVLB3Item*>(copies->GetItem(1)), nullptr) << "the C++Builder item class";
  copies->Delete(0);
  EXPECT_EQ(copies->GetItem(0)->GetSpec(), "/App/Sub/Unit2.cpp");
  copies->Assign(nullptr);
  EXPECT_EQ(copies->Count(), 0);
}

TEST_F(ItemTest, StatusIsReadFromTheDatabaseAsAnotherUserChangesIt) {
  auto active = TRVLFactory::_Instance().CreateActiveProjects();
  auto files = TRVLFactory::_Instance().CreateActiveFiles(active.get());
  EXPECT_EQ(files->GetCurrentItem(), nullptr) << "no file in the editor";
  FServices.ProjectName = PathOf("proj/App.bpr");
  FServices.CurrentFile = PathOf("proj/Main.cpp");
  TRVLItem* item = files->GetCurrentItem();
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->GetVSSItem()->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);
  EXPECT_FALSE(item->GetVSSItem()->IsDifferent(item->GetLocalSpec()));

  VSSPtr<IVSSDatabase> bob = Open("Bob", "bob-pw");
  bob->VSSItem("$/App/Main.cpp")->Checkout("", PathOf("bob/Main.cpp"), 0);
  EXPECT_EQ(files->GetCurrentItem(), item) << "the same item, its state fetched again";
  EXPECT_EQ(item->GetVSSItem()->IsCheckedOut(), VSSFILE_CHECKEDOUT);
  bob->VSSItem("$/App/Main.cpp")->UndoCheckout(PathOf("bob/Main.cpp"), 0);

  item->GetVSSItem()->Checkout("", item->GetLocalSpec(), 0);
  WriteFile("proj/Main.cpp", "changed\n");
  EXPECT_EQ(files->GetCurrentItem()->GetVSSItem()->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME);
  EXPECT_TRUE(item->GetVSSItem()->IsDifferent(item->GetLocalSpec()));

  // Destroyed by another user meanwhile: no longer under version control.
  bob->VSSItem("$/App/Main.cpp")->Destroy();
  EXPECT_FALSE(files->GetCurrentItem()->IsInVSS());

  FServices.CurrentFile = PathOf("proj/Sub/Unit2.cpp");
  EXPECT_EQ(files->GetCurrentItem()->GetSpec(), "/App/Sub/Unit2.cpp");
  EXPECT_EQ(files->Count(), 2);
  FServices.CurrentFile.clear();
  EXPECT_EQ(files->GetCurrentItem(), nullptr);
  files->Clear();
  EXPECT_EQ(files->Count(), 0);
}

TEST_F(ItemTest, TheClientForgetsProjectsAndFilesWhenTheIDEClosesItsProject) {
  TRVLClient* client = new TRVLClient();
  FServices.ProjectName = PathOf("proj/App.bpr");
  FServices.CurrentFile = PathOf("proj/Main.cpp");
  ASSERT_NE(client->ActiveFiles()->GetCurrentItem(), nullptr);
  client->ProjectChange();
  EXPECT_EQ(client->ActiveFiles()->Count(), 1) << "a project is still open";
  EXPECT_EQ(client->ActiveProjects()->Count(), 1);
  FServices.ProjectName.clear();
  client->ProjectChange();
  EXPECT_EQ(client->ActiveFiles()->Count(), 0);
  EXPECT_EQ(client->ActiveProjects()->Count(), 0);
  FServices.ProjectName = PathOf("proj/App.bpr");
  ASSERT_NE(client->ActiveFiles()->GetCurrentItem(), nullptr);
  client->Release();
}

TEST_F(ItemTest, ReloadingInTheIDERestoresTheFilesAttributes) {
  const std::string file = PathOf("proj/Main.cpp");
  platform::SetReadOnly(file, true);
  std::vector<bool> readOnlyWhenReloaded;
  struct TWatchingServices : TTestToolServices {
    std::vector<bool>* States;
    bool ReloadFile(const std::string& fileName) override {
      States->push_back(platform::IsReadOnly(fileName));
      return TTestToolServices::ReloadFile(fileName);
    }
  } services;
  services.States = &readOnlyWhenReloaded;
  Globals().ToolServices = &services;

  auto item = Item("proj/Main.cpp");   // the C++Builder item, the one the add-in makes
  item->ReloadInIDE(true);
  EXPECT_EQ(readOnlyWhenReloaded, (std::vector<bool>{true}));
  EXPECT_TRUE(platform::IsReadOnly(file));

  // Without an open module the IDE saves the file by name.
  EXPECT_TRUE(item->SaveInIDE());
  EXPECT_EQ(services.Saves, (std::vector<std::string>{file}));
  item->ShowInIDE();
  Globals().ToolServices = &FServices;
}

} // namespace
