// The share dialog over a real database: a share that fails part way asks whether to go on and
// stops where the user says, and a drag is taken only by another project's node.
#include <QLabel>
#include <QTreeWidget>

#include "../sourcesafe/SourceSafeTest.h"
#include "addin/dialogs/uRVLFormFactory.h"
#include "addin/tools/uFrmShare.h"

namespace {

class ShareTest : public SourceSafeTest {
protected:
  void SetUp() override {
    SourceSafeTest::SetUp();
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
      AddFile("$/Lib", std::string("lib/") + name, std::string(name) + "\n");
    FDatabase = Open("Alice", "alice-pw");
    // Every share is confirmed.
    SetModalHook([this](TForm& form) {
      FConfirmed.push_back(form.Caption());
      form.SetModalResult(mrYes);
    });
  }
  void TearDown() override {
    FDatabase = nullptr;
    SourceSafeTest::TearDown();
  }

  std::vector<std::string> Files(const std::string& project) {
    std::vector<std::string> names;
    VSSPtr<IVSSItems> items = FDatabase->VSSItem(project)->Items(false);
    for (int32_t i = 1; i <= items->Count(); ++i) names.push_back(items->Item(i)->Name());
    return names;
  }

  VSSPtr<IVSSDatabase> FDatabase;
  std::vector<std::string> FConfirmed;
};

TEST_F(ShareTest, AnErrorPartWayAsksAndNoStopsBeforeTheNextFile) {
  const struct {
    const char* Answer;
    bool Result;
    std::vector<std::string> Shared;
  } cases[] = {
      {"No", false, {"a.txt", "b.txt", "c.txt"}},
      {"Yes", true, {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}},
  };
  TRVLFormPtr<TFrmShare> share = TRVLFormFactory::_Instance().CreateShare(FDatabase);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Answer);
    // The third file is there already, so sharing it fails.
    const std::string spec = std::string("$/Target") + c.Answer;
    const std::string target = spec.substr(1) + "/";
    MakeProject(spec)->Share(Open()->VSSItem("$/Lib/c.txt").Get(), "");
    FPrompter->AddAnswer(c.Answer);
    EXPECT_EQ(share->ShareFiles("/Lib/", {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}, target), c.Result);
    EXPECT_EQ(Files(spec), c.Shared);
    ASSERT_FALSE(FPrompter->Prompts().empty());
    EXPECT_TRUE(FPrompter->Prompts().back().Text.starts_with("Error Sharing $/Lib/c.txt with " + spec + " "))
        << FPrompter->Prompts().back().Text;
    EXPECT_TRUE(FPrompter->Prompts().back().Text.ends_with("\rContinue?"));
  }
  EXPECT_EQ(FConfirmed, (std::vector<std::string>{"Source Safe", "Source Safe"}));
}

TEST_F(ShareTest, ADragIsTakenOnlyByAnotherProjectsNode) {
  MakeProject("$/Other");
  TRVLFormPtr<TFrmShare> share = TRVLFormFactory::_Instance().CreateShare(FDatabase);
  share->show();
  QTreeWidget* tree = share->tvProjects;
  auto at = [&](const std::string& path) { return tree->visualItemRect(share->FindNode(path)).center(); };
  TShareObject files;
  files.Spec = "/Lib/";
  files.Names = {"a.txt", "b.txt"};
  TShareObject project;
  project.Spec = "/Lib/";
  TDragObject other;
  const struct {
    TDragObject* Object;
    std::string Node;
    bool Taken;
    std::string ShareText;
  } cases[] = {
      {&project, "/Lib/", false, ""},            // a project onto itself
      {&files, "/Lib/", false, ""},              // files onto their own project
      {&other, "/Other/", false, ""},            // not a share
      {&project, "/Other/", true, "/Lib/"},
      {&files, "/Other/", true, "2 Files from /Lib/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Node + " " + c.ShareText);
    share->lblShareSpec->clear();
    EXPECT_EQ(share->DragTracker->OnDragOver(tree->viewport(), at(c.Node), c.Object), c.Taken);
    EXPECT_EQ(share->lblShareSpec->text().toStdString(), c.ShareText);
    if (c.Taken) {
      EXPECT_EQ(share->lblWithSpec->text().toStdString(), c.Node);
    }
  }
  share->close();
}

} // namespace
