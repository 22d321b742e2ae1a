// Loading a version-control add-in and what it sees of the IDE: its menu, its verbs, the View menu
// item it inserts, and a refused file opening. What the notifications lead to is the real add-in's
// scenarios' (form_lock, sync_on_open, sync_on_close, remove_from_project).

#include "HostFixture.h"
#include "host/MainForm.h"
#include "host/Module.h"
#include "host/VersionControl.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "ui/Application.h"
#include "ui/Menus.h"

class HostAddInTest : public HostFixture {
protected:
  void SetUp() override {
    HostFixture::SetUp();
    FLog = PathOf("addin.log");
    setenv("RAVELIN_TEST_ADDIN_LOG", FLog.c_str(), 1);
    unsetenv("RAVELIN_TEST_ADDIN_MODE");
  }
  void TearDown() override {
    HostFixture::TearDown();
    unsetenv("RAVELIN_TEST_ADDIN_LOG");
    unsetenv("RAVELIN_TEST_ADDIN_MODE");
  }

  // The lines logged since the last call.
  std::vector<std::string> TakeLog() {
    std::vector<std::string> lines = platform::Split(ReadFile(FLog), '\n');
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    std::vector<std::string> fresh(lines.begin() + static_cast<long>(std::min(FSeen, lines.size())), lines.end());
    FSeen = lines.size();
    return fresh;
  }

  TMenuItem* MenuBar() const { return FHost->MainForm()->Menu()->Items(); }

  std::string FLog;
  size_t FSeen = 0;
};

using Lines = std::vector<std::string>;

TEST_F(HostAddInTest, TheAddInGetsItsMenuVerbsAndAViewMenuItem) {
  ASSERT_TRUE(FHost->LoadAddIn(TEST_ADDIN_PATH));
  EXPECT_EQ(TakeLog(), (Lines{"entry ", "GetVerbCount"}));
  EXPECT_EQ(FHost->ToolServices()->GetParentHandle(), FHost->MainForm());

  // The version-control menu (its caption and items: the addin_menu scenario) belongs to the
  // application and sits before Help.
  TMenuItem* menu = FHost->VersionControl().Menu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->parent(), &Application());
  EXPECT_EQ(menu->MenuIndex(), MenuBar()->Count() - 2);

  // Opening it asks for the verbs again.
  TakeLog();
  ClickPath(MenuBar(), "&Test VCS");
  EXPECT_EQ(TakeLog(), Lines{"GetVerbCount"});
  ASSERT_EQ(menu->Count(), 2);
  ClickPath(MenuBar(), "&Test VCS|Verb &One");
  EXPECT_EQ(TakeLog(), (Lines{"GetVerbCount", "ExecuteVerb 0"}));
  EXPECT_EQ(menu->Count(), 2);   // refreshed, not piled up

  // The item the add-in inserted into the View menu (shown: the addin_menu scenario) runs its callback.
  ClickPath(MenuBar(), "&View|Test Tool Bar...");
  EXPECT_EQ(TakeLog(), Lines{"clicked TestViewItem"});

  FHost->Shutdown();
  EXPECT_EQ(TakeLog(), Lines{"released"});
}

TEST_F(HostAddInTest, ANotifierCanRefuseAFileOpening) {
  ASSERT_TRUE(FHost->LoadAddIn(TEST_ADDIN_PATH));
  std::string refused = WriteFile("Refused.cpp", "// no\n");
  EXPECT_EQ(FHost->OpenFile(refused), nullptr);
  EXPECT_EQ(FHost->FindModule(refused), nullptr);
  EXPECT_TRUE(FPrompter->Prompts().empty());
}

TEST_F(HostAddInTest, AnAddInThatFailsIsReportedAndTheIDEWorksOnWithoutIt) {
  struct TCase {
    std::string Path;
    const char* Mode;
    std::string Expected;
  };
  std::string notALibrary = WriteFile("junk.so", "not a library");
  // A missing file is the missing_addin scenario's.
  for (const TCase& c : {TCase{notALibrary, "", "could not be loaded"},
                         TCase{TEST_ADDIN_PATH, "null", "returned no client"},
                         TCase{TEST_ADDIN_PATH, "throw", "the test add-in refuses to start"}}) {
    SCOPED_TRACE(c.Path + " " + c.Mode);
    FHost = std::make_unique<THost>();
    setenv("RAVELIN_TEST_ADDIN_MODE", c.Mode, 1);
    size_t prompts = FPrompter->Prompts().size();
    FPrompter->AddAnswer("OK");
    EXPECT_FALSE(FHost->LoadAddIn(c.Path));
    ASSERT_EQ(FPrompter->Prompts().size(), prompts + 1);
    EXPECT_NE(FPrompter->Prompts().back().Text.find(c.Expected), std::string::npos) << FPrompter->Prompts().back().Text;
    EXPECT_EQ(FHost->VersionControl().Menu(), nullptr);
    EXPECT_NE(FHost->OpenFile(Sample("Util.cpp")), nullptr);
  }
}

TEST_F(HostAddInTest, TheRegistryNamesTheAddIn) {
  platform::RegistryKey key(platform::Hive::CurrentUser, "Software\\Borland\\C++Builder\\3.0\\Version Control", true);
  ASSERT_TRUE(key.WriteString("VCSManager", TEST_ADDIN_PATH));
  ASSERT_TRUE(FHost->LoadAddIn(""));
  EXPECT_EQ(FHost->ToolServices()->GetBaseRegistryKey(), "Software\\Borland\\C++Builder\\3.0");
  EXPECT_EQ(FHost->VersionControl().Client()->GetIDString(), "Ravelin.TestAddIn");
}
