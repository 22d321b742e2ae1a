#include "WorkFixture.h"

#include <filesystem>

#include "addin/execute/uRVLExecuteFactory.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/selection/uRVLFileListBuilder.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProject.h"
#include "platform/Files.h"
#include "platform/Text.h"

void WorkFixture::SetUp() {
  SourceSafeTest::SetUp();
  SetEnvironment("SSUSER", "Alice");
  SetEnvironment("SSPWD", "alice-pw");
  std::filesystem::copy(std::string(RAVELIN_SAMPLES_DIR) + "/Demo", Dir() / "Demo");
  VSSPtr<IVSSItem> project = MakeProject("$/Demo");
  for (const char* name : {"Demo.bpr", "Demo.cpp", "Unit1.cpp", "Unit1.dfm", "Unit1.h", "Util.cpp", "Util.h"})
    project->Add(Local(name), "", 0);
  Open("Alice", "alice-pw")->VSSItem("$/Demo")->SetLocalSpec(PathOf("Demo"));
  Open("Bob", "bob-pw")->VSSItem("$/Demo")->SetLocalSpec(PathOf("bob"));
  WriteFile("Demo/vss.rvl", "[Demo.bpr]\nSCPATH=$/Demo\nSCDB=" + IniPath() + "\n");
  FHost = std::make_unique<THost>();
  Globals().ToolServices = FHost->ToolServices();
  ASSERT_TRUE(FHost->OpenProject(Local("Demo.bpr")));
  FProject = TRVLFactory::_Instance().CreateProject(Local("Demo.bpr"));
  ASSERT_TRUE(FProject->IsBound());
}

void WorkFixture::TearDown() {
  FProject.reset();
  Globals().ToolServices = nullptr;
  FHost->Shutdown();
  FHost.reset();
  EXPECT_EQ(TRVLItem::LiveCount(), 0);
  EXPECT_TRUE(FReports.empty()) << FReports.front();
  SourceSafeTest::TearDown();
}

VSSPtr<IVSSItem> WorkFixture::VSSFile(const std::string& name, const std::string& user) const {
  return Open(user, user == "Admin" ? "" : platform::FoldCase(user) + "-pw")->VSSItem("$/Demo/" + name);
}

void WorkFixture::CheckInAs(const std::string& user, const std::string& name, const std::string& content) const {
  VSSPtr<IVSSItem> item = VSSFile(name, user);
  const std::string local = item->LocalSpec();
  item->Checkout("", local, 0);
  platform::SetReadOnly(local, false);
  platform::WriteFileAtomic(local, content);
  item->Checkin("by " + user, local, 0);
}

void WorkFixture::Edit(const std::string& name, const std::string& content) const {
  platform::SetReadOnly(Local(name), false);
  platform::WriteFileAtomic(Local(name), content);
}

void WorkFixture::CheckOutAndChange(const std::string& name, const std::string& content) const {
  VSSFile(name, "Alice")->Checkout("", Local(name), 0);
  platform::WriteFileAtomic(Local(name), content);
}

std::string WorkFixture::Stored(const std::string& name) const {
  std::string copy = PathOf("stored/" + name);
  VSSFile(name, "Admin")->Get(copy, VSSFLAG_REPREPLACE);
  return ReadFile(copy);
}

TRVLExecuteFactory& WorkFixture::Executors() { return TRVLExecuteFactory::_Instance(); }

std::unique_ptr<TRVLItem> WorkFixture::Item(const std::string& name) const {
  return TRVLFactory::_Instance().CreateItemFromFile(Local(name), FProject.get());
}

std::unique_ptr<TRVLItems> WorkFixture::Build(TRVLFileListBuilder& builder, TRVLExecute* filter,
                                              TRVLItem* current) const {
  auto list = TRVLFactory::_Instance().CreateItems();
  builder.SetParams(FProject.get(), current);
  builder.SetFilter(filter);
  builder.Build(list.get());
  return list;
}

std::vector<std::string> WorkFixture::FileNames(TRVLItems& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(platform::ExtractFileName(list.GetItem(i)->GetLocalSpec()));
  return names;
}

std::unique_ptr<TRVLItems> WorkFixture::Items(const std::vector<std::string>& names) const {
  auto list = TRVLFactory::_Instance().CreateItems();
  for (const std::string& name : names) list->Add(Item(name));
  return list;
}
