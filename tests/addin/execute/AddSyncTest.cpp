// Add, Remove, Recover and Purge change what SourceSafe holds; Synchronize hands each file of the
// project to Add, Check In or Get in one pass. Against the real server, with the project open in the IDE.
#include "WorkFixture.h"
#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/selection/uRVLFileListBuilderFactory.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "platform/Files.h"
#include "vss/server/VSSAdmin.h"

namespace {

using Names = std::vector<std::string>;

class AddSyncTest : public WorkFixture {
protected:
  void SetUp() override {
    WorkFixture::SetUp();
    // Failures show in the log window at the end; keep what it showed.
    SetModalHook([this](TForm& form) {
      FFailed = true;
      form.SetModalResult(mrOk);
    });
  }
  // Runs `executor` over `items` with its own flags; false when an item failed.
  bool Run(TRVLExecute& executor, TRVLItems& items) {
    FFailed = false;
    executor.SetItems(&items);
    executor.Execute("", nullptr);
    return !FFailed;
  }
  // A new unit of the IDE project, not yet in SourceSafe.
  void NewUnit(const std::string& name) {
    WriteFile("Demo/" + name, "new unit\n");
    platform::SetReadOnly(Local("Demo.cpp"), false);
    ASSERT_TRUE(FHost->AddToProject(Local(name)));
  }
  Names SpecsIn(const std::string& project) const {
    Names specs;
    VSSPtr<IVSSItems> items = Open()->VSSItem(project)->Items(true);
    for (int i = 1; i <= items->Count(); ++i) specs.push_back(items->Item(i)->Name());
    return specs;
  }

  bool FFailed = false;
};

TEST_F(AddSyncTest, AddCreatesTheMissingSubprojectsAndStoresBinaryFilesByteForByte) {
  NewUnit("Sub/Deep/New.cpp");
  const std::string form("TPF0\x06TForm1\x05" "Form1\x00\x00\xff\x01", 18);
  WriteFile("Demo/Sub/Deep/New.dfm", form);
  TRVLRegFactory::_Instance().CreateRegOptions()->SaveDontCheckIn({"*.bak"});
  WriteFile("Demo/Sub/Deep/New.bak", "backup\n");
  auto add = Executors().CreateAddFile();
  auto candidates = Items({"Sub/Deep/New.cpp", "Sub/Deep/New.dfm", "Sub/Deep/New.bak", "Util.cpp", "Missing.cpp"});
  Names offered;
  for (int i = 0; i < candidates->Count(); ++i)
    if (add->CanExecute(candidates->GetItem(i))) offered.push_back(FileNames(*candidates)[i]);
  EXPECT_EQ(offered, (Names{"New.cpp", "New.dfm"})) << "not a masked, controlled or missing file";

  auto items = Items({"Sub/Deep/New.cpp", "Sub/Deep/New.dfm"});
  ASSERT_TRUE(Run(*add, *items));
  EXPECT_EQ(SpecsIn("$/Demo/Sub/Deep"), (Names{"New.cpp", "New.dfm"}));
  EXPECT_TRUE(platform::IsReadOnly(Local("Sub/Deep/New.cpp")));
  VSSPtr<IVSSItem> stored = VSSFile("Sub/Deep/New.dfm");
  EXPECT_TRUE(stored->Binary());
  std::string copy = PathOf("copy.dfm");
  stored->Get(copy, 0);
  EXPECT_EQ(ReadFile(copy), form);

  // A file above SourceSafe's root has no project to go to.
  const std::string far = (HomeDir() / "far.cpp").string();
  platform::WriteFileAtomic(far, "far\n");
  auto outside = TRVLFactory::_Instance().CreateItems();
  outside->Add(TRVLFactory::_Instance().CreateItemFromFile(far, FProject.get()));
  EXPECT_FALSE(Run(*add, *outside));
}

TEST_F(AddSyncTest, AddTakesAFileWhoseNameHoldsTwoDots) {
  NewUnit("Two..dots.cpp");
  ASSERT_TRUE(Run(*Executors().CreateAddFile(), *Items({"Two..dots.cpp"})));
  EXPECT_EQ(VSSFile("Two..dots.cpp")->VersionNumber(), 1);
}

TEST_F(AddSyncTest, RemoveHidesAndRecoverBringsBackWithHistory) {
  CheckInAs("Bob", "Util.h", "second\n");
  ASSERT_TRUE(Run(*Executors().CreateRemoveFile(), *Items({"Util.h"})));
  EXPECT_THROW(VSSFile("Util.h"), EVSSAutomation);

  // The explorer works on deleted items as SourceSafe lists them.
  auto deleted = [&] {
    auto items = TRVLFactory::_Instance().CreateItems();
    items->Add(TRVLFactory::_Instance().CreateItemFromVSS(
        FProject->GetDatabase()->VSSItem("$/Demo/Util.h", true), FProject->GetDatabase()));
    return items;
  };
  EXPECT_FALSE(Executors().CreateRecover()->CanExecute(Items({"Util.cpp"})->GetItem(0)));
  ASSERT_TRUE(Run(*Executors().CreateRecover(), *deleted()));
  EXPECT_EQ(Stored("Util.h"), "second\n") << "with its history";
}

TEST_F(AddSyncTest, SynchronizeAddsChecksInAndGetsInOnePassAndSyncCloseOnlyAddsAndChecksIn) {
  NewUnit("New.cpp");
  CheckOutAndChange("Unit1.cpp", "mine\n");
  CheckInAs("Bob", "Util.cpp", "Bob's\n");
  platform::DeleteFile(Local("Unit1.h"));

  // Before closing: add and check in only.
  auto syncClose = Executors().CreateSyncClose();
  auto closing = Build(*TRVLFileListBuilderFactory::_Instance().CreateSyncCloseBuilder(), syncClose.get());
  EXPECT_EQ(FileNames(*closing), (Names{"Unit1.cpp", "New.cpp"}));

  auto sync = Executors().CreateSynchronize();
  auto items = Build(*TRVLFileListBuilderFactory::_Instance().CreateSynchronizeBuilder(), sync.get());
  EXPECT_EQ(FileNames(*items), (Names{"Unit1.cpp", "Unit1.h", "Util.cpp", "New.cpp"}));
  sync->GetFlags()->ExtraFlag2 = VSSFLAG_KEEPYES;
  ASSERT_TRUE(Run(*sync, *items));
  sync.reset();

  EXPECT_EQ(VSSFile("New.cpp")->VersionNumber(), 1);
  EXPECT_EQ(VSSFile("Unit1.cpp")->VersionNumber(), 2);
  EXPECT_EQ(VSSFile("Unit1.cpp", "Alice")->IsCheckedOut(), VSSFILE_CHECKEDOUT_ME) << "checked in and kept";
  EXPECT_EQ(ReadFile(Local("Util.cpp")), "Bob's\n");
  EXPECT_TRUE(platform::FileExists(Local("Unit1.h")));
  EXPECT_EQ(FileNames(*Build(*TRVLFileListBuilderFactory::_Instance().CreateSynchronizeBuilder(),
                             Executors().CreateSynchronize().get())),
            Names{}) << "in step";
}

TEST_F(AddSyncTest, AFailingFileOfASynchronizeLosesNothingAndTheOthersAreDone) {
  VSSAdmin::SetMultipleCheckouts(DatabaseDir(), true);
  for (const char* name : {"Unit1.cpp", "Unit1.h"}) VSSFile(name, "Alice")->Checkout("", Local(name), 0);
  platform::WriteFileAtomic(Local("Unit1.cpp"), "Alice's\n");
  CheckInAs("Bob", "Unit1.cpp", "Bob's\n");   // Alice's check-in would have to merge
  platform::DeleteFile(Local("Unit1.h"));
  std::filesystem::create_directory(Local("Unit1.h"));   // no file to write or read
  CheckInAs("Bob", "Util.cpp", "Bob's util\n");

  auto sync = Executors().CreateSynchronize();
  auto items = Items({"Unit1.cpp", "Unit1.h", "Util.cpp"});
  sync->GetFlags()->ExtraFlag2 = VSSFLAG_KEEPYES;
  EXPECT_FALSE(Run(*sync, *items));
  sync.reset();
  EXPECT_EQ(ReadFile(Local("Unit1.cpp")), "Alice's\n");
  EXPECT_TRUE(std::filesystem::is_directory(Local("Unit1.h")));
  EXPECT_EQ(ReadFile(Local("Util.cpp")), "Bob's util\n");
  EXPECT_EQ(VSSFile("Unit1.cpp")->VersionNumber(), 2);
}

} // namespace
