// Binding IDE projects to SourceSafe projects through vss.rvl: sections per project, the fall-backs,
// the conversion of old per-project files, damaged files, and the projects the IDE has open.
#include "MessageOf.h"
#include "SourceSafeTest.h"
#include "addin/frame/uRVLFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegProject.h"
#include "addin/sourcesafe/uFrmLogin.h"
#include "addin/sourcesafe/uRVLItems.h"
#include "addin/sourcesafe/uRVLProjects.h"
#include "platform/Files.h"
#include "platform/Profile.h"

#include <sys/stat.h>

namespace {

class ProjectTest : public SourceSafeTest {
protected:
  void SetUp() override {
    SourceSafeTest::SetUp();
    // Logins succeed without asking: the user is in the environment.
    SetEnvironment("SSUSER", "Alice");
    SetEnvironment("SSPWD", "alice-pw");
    MakeProject("$/Sales/Client");
    MakeProject("$/Sales/Server");
  }
  std::unique_ptr<TRVLProject> Project(const std::string& name) {
    return TRVLFactory::_Instance().CreateProject(PathOf(name));
  }
  static std::string UserOfDatabase(TRVLProject& project) {
    return project.GetDatabase() ? project.GetDatabase()->UserName() : "(none)";
  }
  static std::string Spec(TRVLProject& project) { return project.IsBound() ? project.GetVSSProject()->Spec() : "(unbound)"; }
  std::string Rvl(const std::string& folder, const std::string& section, const std::string& key) const {
    return platform::ProfileFile(PathOf(folder + "/vss.rvl")).ReadString(section, key);
  }
  void ExpectQuiet() {
    EXPECT_TRUE(FReports.empty()) << FReports.front();
    EXPECT_TRUE(FPrompter->Prompts().empty());
    EXPECT_EQ(FDialogs, 0);
  }
};

TEST_F(ProjectTest, ProjectsInOneFolderKeepTheirOwnSections) {
  WriteFile("work/vss.rvl", "[Client.bpr]\nSCPATH=$/Sales/Client\nSCDB=" + IniPath() +
                                "\n[Server.bpr]\nSCPATH=$/Sales/Server\nSCDB=" + IniPath() + "\n");
  auto client = Project("work/Client.bpr");
  auto server = Project("work/Server.bpr");
  EXPECT_EQ(Spec(*client), "$/Sales/Client");
  EXPECT_EQ(Spec(*server), "$/Sales/Server");
  EXPECT_EQ(UserOfDatabase(*client), "Alice");

  // Binding one to another SourceSafe project leaves the other's section alone.
  client->SetBinding(MakeProject("$/Sales/Tools"), client->GetDatabase());
  EXPECT_EQ(Rvl("work", "Client.bpr", "SCPATH"), "$/Sales/Tools");
  EXPECT_EQ(Rvl("work", "Server.bpr", "SCPATH"), "$/Sales/Server");
  EXPECT_EQ(Spec(*Project("work/Client.bpr")), "$/Sales/Tools");
  ExpectQuiet();
}

TEST_F(ProjectTest, AProjectWithoutItsOwnSectionBindsThroughDefaultOrTheFirstSection) {
  WriteFile("a/vss.rvl", "[Other.bpr]\nSCPATH=$/Sales/Server\n[Default]\nSCPATH=$/Sales/Client\n");
  auto project = Project("a/New.bpr");
  EXPECT_EQ(Spec(*project), "$/Sales/Client");
  EXPECT_EQ(Rvl("a", "New.bpr", "SCPATH"), "$/Sales/Client") << "the binding becomes the project's own";
  EXPECT_EQ(Rvl("a", "New.bpr", "SCDB"), IniPath());

  WriteFile("b/vss.rvl", "[First.bpr]\nSCDB=x\n[Second.bpr]\nSCPATH=$/Sales/Server\n");
  EXPECT_EQ(Spec(*Project("b/New.bpr")), "$/Sales/Server") << "the first section that has a path";

  // A project made for a SourceSafe project is the "Default" of its working folder.
  VSSPtr<IVSSDatabase> db = Open("Alice", "alice-pw");
  VSSPtr<IVSSItem> client = db->VSSItem("$/Sales/Client");
  client->SetLocalSpec(PathOf("c"));
  auto fromVSS = TRVLFactory::_Instance().CreateProjectFromVSS(db, client);
  EXPECT_EQ(fromVSS->FileName(), PathOf("c/Default"));
  EXPECT_TRUE(fromVSS->IsBound());
  ExpectQuiet();
}

TEST_F(ProjectTest, WhatCantBindLeavesTheProjectUnboundSilently) {
  // No per-project file, or one without a path.
  EXPECT_FALSE(Project("none/App.bpr")->IsBound());
  EXPECT_FALSE(platform::FileExists(PathOf("none/vss.rvl"))) << "reading creates nothing";
  // A SourceSafe project that is gone.
  WriteFile("gone/vss.rvl", "[App.bpr]\nSCPATH=$/Sales/Gone\nSCDB=" + IniPath() + "\n");
  EXPECT_FALSE(Project("gone/App.bpr")->IsBound());
  // Damaged files: junk lines, a path that is not a SourceSafe path, a file instead of a project.
  const std::vector<std::string> damaged = {
      "\x01\x02 junk\n[[[\n=\nSCPATH\n[App.bpr\nSCPATH=$/Sales/Client\n",
      "[App.bpr]\nSCPATH=C:\\Sales\\Client\n",
      "[App.bpr]\nSCPATH=$/Sales/../Client\n",
      "[App.bpr]\nSCPATH=$$$\n",
      "[App.bpr]\nSCPATH=$/Sales/Client\nSCDB=" + PathOf("nowhere/srcsafe.ini") + "\n",
  };
  for (size_t i = 0; i < damaged.size(); ++i) {
    const std::string folder = "bad" + std::to_string(i);
    WriteFile(folder + "/vss.rvl", damaged[i]);
    if (i == damaged.size() - 1) OnLoginDialog([](TFrmLogin& form) { form.close(); });
    EXPECT_FALSE(Project(folder + "/App.bpr")->IsBound()) << damaged[i];
  }
  EXPECT_EQ(FDialogs, 1) << "a database that can't be opened is offered to the user";
  FDialogs = 0;
  ExpectQuiet();
  EXPECT_EQ(TRVLProject::LiveCount(), 0);
}

TEST_F(ProjectTest, AnOldProjectFileIsConvertedAfterTheQuestion) {
  const std::string old = WriteFile("old/App.bpr", "");
  WriteFile("old/App.vss", "[VssProj]\nVssPath=$$/Sales/Client\nSrcSafeIni=" + IniPath() + "\n");
  // No: both files stay as they are and the project is unbound.
  FPrompter->AddAnswer("No");
  EXPECT_FALSE(Project("old/App.bpr")->IsBound());
  EXPECT_FALSE(platform::FileExists(PathOf("old/vss.rvl")));
  ExpectOnlyPrompt(*FPrompter,
                   "This project was managed by an old version of Ravelin\nWould you like to convert it to the new version?");

  // Yes, then keep the old file.
  FPrompter->AddAnswer("Yes");
  FPrompter->AddAnswer("No");
  EXPECT_EQ(Spec(*Project("old/App.bpr")), "$/Sales/Client");
  EXPECT_EQ(Rvl("old", "App.bpr", "SCPATH"), "$/Sales/Client");
  EXPECT_EQ(Rvl("old", "App.bpr", "SCDB"), IniPath());
  EXPECT_TRUE(platform::FileExists(PathOf("old/App.vss")));
  EXPECT_EQ(FPrompter->Prompts().back().Text, "Delete old Ravelin file?");

  // Yes to All: later conversions and deletions ask nothing.
  WriteFile("two/App.vss", "[VssProj]\nVssPath=$/Sales/Server\n");
  FPrompter->AddAnswer("YesToAll");
  FPrompter->AddAnswer("YesToAll");
  EXPECT_EQ(Spec(*Project("two/App.bpr")), "$/Sales/Server") << "a path in SourceSafe's own form stays";
  EXPECT_FALSE(platform::FileExists(PathOf("two/App.vss")));
  WriteFile("three/App.vss", "[VssProj]\nVssPath=$$/Sales/Client\n");
  const size_t asked = FPrompter->Prompts().size();
  EXPECT_EQ(Spec(*Project("three/App.bpr")), "$/Sales/Client");
  EXPECT_EQ(FPrompter->Prompts().size(), asked);
  EXPECT_FALSE(platform::FileExists(PathOf("three/App.vss")));
  EXPECT_TRUE(FPrompter->Failures().empty());
  EXPECT_TRUE(FReports.empty());
}

TEST_F(ProjectTest, OtherFilesAndUnwritableFolders) {
  auto settings = TRVLRegFactory::_Instance().CreateRegProject();
  settings->Open(WriteFile("work/App.bpr", ""));
  settings->AddOtherFile("$/Sales/Shared/Util.cpp");
  settings->AddOtherFile("$/Sales/Shared/Util.h");
  settings->AddOtherFile("$/Sales/Shared/UTIL.cpp");
  EXPECT_EQ(settings->GetOtherFiles(), (std::vector<std::string>{"$/Sales/Shared/Util.cpp", "$/Sales/Shared/Util.h"}));
  EXPECT_EQ(Rvl("work", "App.bpr-Files", "$/Sales/Shared/Util.h"), "1");
  EXPECT_TRUE(settings->GetVssPath().empty());

  // Binding again what is stored writes nothing (so read-only folders work): the file is the same.
  WriteFile("bound/vss.rvl", "[App.bpr]\nSCPATH=$/Sales/Client\nSCDB=" + IniPath() + "\n");
  struct stat before {}, after {};
  stat(PathOf("bound/vss.rvl").c_str(), &before);
  EXPECT_EQ(Spec(*Project("bound/App.bpr")), "$/Sales/Client");
  stat(PathOf("bound/vss.rvl").c_str(), &after);
  EXPECT_EQ(before.st_ino, after.st_ino);
  EXPECT_EQ(before.st_mtim.tv_nsec, after.st_mtim.tv_nsec);

  // A binding that can't be written fails with a message naming the file.
  platform::ForceDirectories(PathOf("blocked/vss.rvl"));
  auto project = Project("blocked/App.bpr");
  EXPECT_FALSE(project->IsBound());
  const std::string error =
      MessageOf<std::exception>([&] { project->SetBinding(MakeProject("$/Sales/Server"), Open("Alice", "alice-pw")); });
  EXPECT_NE(error.find(PathOf("blocked/vss.rvl")), std::string::npos) << error;
  ExpectQuiet();
}

TEST_F(ProjectTest, ActiveProjectsFollowTheIDEsCurrentProject) {
  WriteFile("work/vss.rvl", "[Client.bpr]\nSCPATH=$/Sales/Client\n[Server.bpr]\nSCPATH=$/Sales/Server\n");
  auto active = TRVLFactory::_Instance().CreateActiveProjects();
  EXPECT_EQ(active->GetActiveProject(), nullptr) << "no project open";
  FServices.ProjectName = PathOf("work/Client.bpr");
  TRVLProject* client = active->GetActiveProject();
  ASSERT_NE(client, nullptr);
  EXPECT_EQ(Spec(*client), "$/Sales/Client");
  EXPECT_EQ(client->GetDatabase()->CurrentProject(), "$/Sales/Client");
  EXPECT_EQ(active->GetActiveProject(), client);

  // Only the letter case differs: stale, but the listed project is used again.
  FServices.ProjectName = PathOf("work/CLIENT.bpr");
  EXPECT_TRUE(active->IsStale(client->FileName()));
  EXPECT_EQ(active->GetActiveProject(), client);
  EXPECT_EQ(active->Count(), 1);

  FServices.ProjectName = PathOf("work/Server.bpr");
  EXPECT_EQ(Spec(*active->GetActiveProject()), "$/Sales/Server");
  EXPECT_EQ(active->Count(), 2);

  // Adding a project of a listed file replaces it, also as the active one.
  const int index = active->Add(TRVLFactory::_Instance().CreateProject(PathOf("work/server.bpr")).release());
  EXPECT_EQ(active->Count(), 2);
  EXPECT_EQ(active->GetProject(index)->FileName(), PathOf("work/server.bpr"));
  EXPECT_EQ(active->Add(nullptr), -1);
  EXPECT_EQ(TRVLProject::LiveCount(), 2);
  active->Clear();
  EXPECT_EQ(active->Count(), 0);
  EXPECT_EQ(TRVLProject::LiveCount(), 0);

  // Made before the IDE handed over its services: no project, no file.
  TRVLActiveProjects noIDE(nullptr);
  EXPECT_EQ(noIDE.GetActiveProject(), nullptr);
  EXPECT_EQ(TRVLActiveFiles(nullptr, &noIDE).GetCurrentItem(), nullptr);
  ExpectQuiet();
}

} // namespace
