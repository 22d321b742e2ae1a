// The general commands start real programs: here recording scripts stand in for the desktop's
// opener, the update program and SourceSafe's explorer, and tell what they were started with.
#include <chrono>
#include <thread>

#include "../execute/WorkFixture.h"
#include "addin/commands/uRVLCommands.h"
#include "addin/commands/uRVLCommandsFactory.h"
#include "addin/frame/uRVLGlobals.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegOptions.h"
#include "addin/settings/uRegVSS.h"
#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "platform/Text.h"
#include "addin/sourcesafe/uRVLProject.h"

namespace {

class GeneralCommandsTest : public WorkFixture {
protected:
  void SetUp() override {
    WorkFixture::SetUp();
    platform::RegistryKey(platform::Hive::CurrentUser, Globals().RegistryKey, true)
        .WriteString("PATH", PathOf("install"));
    FCommands = TRVLCommandsFactory::_Instance().CreateCommands();
  }
  // An executable script `folder`/`name` that appends a line to `name`.log in Dir() and then runs `then`.
  void RecordingProgram(const std::string& folder, const std::string& name, const std::string& line,
                        const std::string& then = "") const {
    const std::string file = WriteFile(folder + "/" + name, "#!/bin/sh\nprintf '%s\\n' " + line + " >> '" +
                                                                 PathOf(name + ".log") + "'\n" + then);
    std::filesystem::permissions(file, std::filesystem::perms::owner_exec, std::filesystem::perm_options::add);
  }
  // The lines the program `name` recorded, once there are `count` of them (waited for, within limits).
  std::vector<std::string> Recorded(const std::string& name, size_t count) const {
    std::vector<std::string> lines;
    for (int i = 0; i < 500 && lines.size() < count; ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
      lines = platform::Split(ReadFile(PathOf(name + ".log")), '\n');
      if (!lines.empty() && lines.back().empty()) lines.pop_back();
    }
    return lines;
  }

  std::unique_ptr<TRVLCommands> FCommands;
};

TEST_F(GeneralCommandsTest, HelpOpensTheManualOfTheInstallationFolder) {
  RecordingProgram("bin", "xdg-open", "\"$1\"");
  platform::SetEnv("PATH", PathOf("bin") + ":" + platform::GetEnv("PATH"));
  FCommands->HelpContents();
  EXPECT_EQ(Recorded("xdg-open", 1), std::vector<std::string>{PathOf("install/RvlHelp.html")});
}

TEST_F(GeneralCommandsTest, UpdateCheckPassesTheIDEAndProcessAndAQuietOneRecordsTheDay) {
  RecordingProgram("install", "rvlupd", "\"$*\"");
  const std::string pid = std::to_string(getpid());
  FCommands->CheckForUpdates(false);
  EXPECT_EQ(Recorded("rvlupd", 1), std::vector<std::string>{"C++Builder\\3.0 " + pid});
  auto options = TRVLRegFactory::_Instance().CreateRegOptions();
  EXPECT_EQ(options->GetLastCheck(), 0) << "a check the user asked for is not the periodic one";
  FCommands->CheckForUpdates(true);
  EXPECT_EQ(Recorded("rvlupd", 2).back(), "C++Builder\\3.0 " + pid + " Quiet");
  EXPECT_EQ(options->GetLastCheck(), DateToDayNumber(Today()));
  EXPECT_FALSE(options->IsUpdateCheckDue());
}

// The update program itself: it reports the installed version unless told to be quiet.
TEST_F(GeneralCommandsTest, UpdateProgramReportsTheInstalledVersionUnlessQuiet) {
  const std::string rvlupd = (BuildDir() / "ravelin" / "rvlupd").string();
  TProgramRun run = RunProgram({rvlupd, "C++Builder\\3.0", "4242"});
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Out, "Ravelin 1.4 for C++Builder\\3.0 is installed in " + PathOf("install") + " and up to date.\n");
  run = RunProgram({rvlupd, "C++Builder\\3.0", "4242", "Quiet"});
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Out + run.Err, "");
  for (const std::vector<std::string>& wrong : std::vector<std::vector<std::string>>{
           {rvlupd, "C++Builder\\3.0"}, {rvlupd, "C++Builder\\3.0", "pid"}, {rvlupd, "C++Builder\\3.0", "1", "Loud"}}) {
    run = RunProgram(wrong);
    EXPECT_EQ(run.Code, 2) << wrong.back();
    EXPECT_NE(run.Err.find("usage: rvlupd IDEKEY PID [Quiet]"), std::string::npos);
  }
}

TEST_F(GeneralCommandsTest, SourceSafeExplorerGetsTheDatabaseAndIsNotStartedTwice) {
  // The stand-in stays open until the test lets one end; the one that ends takes the leave with it,
  // so that a later one stays open and is seen running.
  const std::string close = PathOf("close");
  RecordingProgram("vss", "ssexp", "\"$SSDIR $SSUSER\"",
                   "while [ ! -f '" + close + "' ]; do sleep 0.05; done\nrm -f '" + close + "'\n");
  TRVLRegFactory::_Instance().CreateRegVSS()->SetInstallDir(PathOf("vss"));
  FCommands->ExecuteSourceSafe();
  EXPECT_EQ(Recorded("ssexp", 1), std::vector<std::string>{DatabaseDir() + " Alice"});
  FCommands->ExecuteSourceSafe();
  WriteFile("close", "");
  for (int i = 0; i < 500 && Recorded("ssexp", 1).size() == 1; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    FCommands->ExecuteSourceSafe();   // starts a new one only after the first has ended
  }
  EXPECT_EQ(Recorded("ssexp", 2).size(), 2u);
  EXPECT_EQ(Recorded("ssexp", 2).front(), DatabaseDir() + " Alice") << "one explorer while the first was open";
  WriteFile("close", "");   // the second ends, and takes the file with it
  for (int i = 0; i < 500 && platform::FileExists(close); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
}

} // namespace
