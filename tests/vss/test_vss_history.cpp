// Histories: versions newest first with their action texts, labels (also those set on projects
// above a file), label comments through the newer version interface, and items as of a version.
#include "VSSTestDatabase.h"

namespace {

class VSSHistory : public VSSTestDatabase {};

TEST_F(VSSHistory, VersionsAreNewestFirstWithTheirActions) {
  auto db = Open();
  auto app = db->VSSItem("$/")->NewSubproject("App", "made");
  auto file = AddFile(db.Get(), "$/App", "a.cpp", "1");
  Revise(file.Get(), PathOf("work/a.cpp"), "2", "second");
  file->Label("v1", "first release");
  db->VSSItem("$/App")->NewSubproject("sub", "")->SetDeleted(true);

  EXPECT_EQ(Actions(file.Get()), (std::vector<std::string>{"Labeled 'v1'", "Checked in $/App", "Created $/App/a.cpp"}));
  EXPECT_EQ(Actions(app.Get()),
            (std::vector<std::string>{"Deleted sub", "Added sub", "Added a.cpp", "Created $/App"}));

  VSSPtr<IVSSVersions> versions = file->Versions(0);
  VSSPtr<IVSSVersion> version;
  ASSERT_TRUE(versions->Next(version.Out()));
  EXPECT_EQ(version->VersionNumber(), 3);
  EXPECT_EQ(version->Label(), "v1");
  EXPECT_EQ(version->Username(), "Alice");
  EXPECT_EQ(version->VSSItem()->Spec(), "$/App/a.cpp");
  ASSERT_TRUE(versions->Next(version.Out()));
  EXPECT_EQ(version->Comment(), "second");
  EXPECT_EQ(version->Label(), "");
  ASSERT_TRUE(versions->Next(version.Out()));
  EXPECT_FALSE(versions->Next(version.Out()));
  EXPECT_FALSE(version);
  versions->Reset();
  ASSERT_TRUE(versions->Next(version.Out()));
  EXPECT_EQ(version->VersionNumber(), 3);

  // The project's history with everything below it that isn't deleted.
  EXPECT_EQ(Actions(app.Get(), VSSFLAG_RECURSYES).size(), 4u + 3u);
}

TEST_F(VSSHistory, LabelCommentsComeThroughTheNewerVersionInterface) {
  auto db = Open();
  auto file = AddFile(db.Get(), "$/", "a.cpp", "1");
  file->Label("plain", "");
  file->Label("release", "shipped to customers");
  VSSPtr<IVSSVersions> versions = file->Versions(0);
  VSSPtr<IVSSVersion> version;
  ASSERT_TRUE(versions->Next(version.Out()));
  VSSPtr<IVSSVersion2> newer = version.Query<IVSSVersion2>();
  ASSERT_TRUE(newer);
  EXPECT_EQ(newer->LabelComment(), "shipped to customers");
  EXPECT_TRUE(newer.Query<IVSSVersion>());
  EXPECT_FALSE(newer.Query<IVSSItem>());
  ASSERT_TRUE(versions->Next(version.Out()));
  EXPECT_EQ(version.Query<IVSSVersion2>()->LabelComment(), "");
}

TEST_F(VSSHistory, ALabelOnAProjectShowsInItsFilesHistoriesWithTheProjectsSpec) {
  auto db = Open();
  auto app = db->VSSItem("$/")->NewSubproject("App", "");
  app->NewSubproject("src", "");
  auto file = AddFile(db.Get(), "$/App/src", "a.cpp", "first");
  app->Label("Beta 1", "the beta");
  AddFile(db.Get(), "$/App/src", "late.cpp", "after the label");

  VSSPtr<IVSSVersions> versions = file->Versions(VSSFLAG_RECURSNO);
  VSSPtr<IVSSVersion> version;
  ASSERT_TRUE(versions->Next(version.Out()));
  EXPECT_EQ(version->Label(), "Beta 1");
  EXPECT_EQ(version->Action(), "Labeled 'Beta 1'");
  EXPECT_EQ(version->VSSItem()->Spec(), "$/App");
  EXPECT_EQ(version.Query<IVSSVersion2>()->LabelComment(), "the beta");
  ASSERT_TRUE(versions->Next(version.Out()));
  EXPECT_EQ(version->VSSItem()->Spec(), "$/App/src/a.cpp");
  EXPECT_FALSE(versions->Next(version.Out()));
  // A file added after the label doesn't show it.
  EXPECT_EQ(Actions(db->VSSItem("$/App/src/late.cpp").Get()), std::vector<std::string>{"Created $/App/src/late.cpp"});
}

TEST_F(VSSHistory, AnItemAsOfAVersionOrLabelGetsThatContent) {
  auto db = Open();
  auto app = db->VSSItem("$/")->NewSubproject("App", "");
  auto file = AddFile(db.Get(), "$/App", "a.cpp", "one");
  const std::string local = PathOf("work/a.cpp");
  Revise(file.Get(), local, "two");
  app->Label("Release", "");
  Revise(file.Get(), local, "three");

  auto first = file->Version("1");
  EXPECT_EQ(first->VersionNumber(), 1);
  EXPECT_TRUE(first->IsDifferent(local));
  std::string target = PathOf("v1.cpp");
  first->Get(target, 0);
  EXPECT_EQ(ReadFile(target), "one");

  auto released = file->Version("release");   // the project's label, ignoring case
  EXPECT_EQ(released->VersionNumber(), 2);
  target = PathOf("release.cpp");
  released->Get(target, 0);
  EXPECT_EQ(ReadFile(target), "two");
  EXPECT_EQ(file->VersionNumber(), 3);
  EXPECT_EQ(ErrorOf([&] { file->Version("9"); }), VSSError::NotFound);
  EXPECT_EQ(ErrorOf([&] { file->Version("nope"); }), VSSError::NotFound);
}

} // namespace
