// The installed add-in: the library inside the real IDE (each test runs `ravelin-ide --script` on a
// scenario of tests/addin/scenarios as a child process with its own registry and reads its
// transcript), and the update program beside it.
#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "platform/Registry.h"

namespace {

class AddInScenarioTest : public TempDirTest {
protected:
  static std::string AddIn() { return (BuildDir() / "ravelin" / "libravelin.so").string(); }

  // Its output is the scenario's transcript.
  TProgramRun RunScenario(const std::string& scenario, const std::string& addIn) const {
    return RunProgram({(BuildDir() / "bin" / "ravelin-ide").string(), "--script",
                       std::string(ADDIN_SCENARIO_DIR) + "/" + scenario, "--addin", addIn});
  }
  static bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
  }
};

TEST_F(AddInScenarioTest, FirstStartShowsTheUpdateTipOnceAndTheIDEGoesOnWithTheMenu) {
  auto tipDue = [] {
    return platform::RegistryKey(platform::Hive::CurrentUser, "Software\\Halberd\\Ravelin\\C++Builder\\3.0\\Tips",
                                 false)
        .ReadBool("ShowUpdateTip", true);
  };
  // Nobody answers the tip: the scenario fails on it (the end-to-end scenario checks the message),
  // and the tip counts as shown only once the user saw it.
  TProgramRun run = RunScenario("tip-unanswered.scenario", AddIn());
  EXPECT_EQ(run.Code, 1) << run.Out << run.Err;
  EXPECT_TRUE(tipDue());

  run = RunScenario("first-start.scenario", AddIn());
  EXPECT_EQ(run.Code, 0) << run.Out << run.Err;
  EXPECT_TRUE(Contains(run.Out, "S&ourceSafe | enabled | visible")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "Still working.")) << run.Out;
  EXPECT_FALSE(tipDue());
}

// A missing add-in is the end-to-end scenarios' case; here a file that is no library.
TEST_F(AddInScenarioTest, IDEWorksOnWhenTheAddInIsNoLibrary) {
  const TProgramRun run = RunScenario("without-addin.scenario", WriteFile("libravelin.so", "not a shared library\n"));
  EXPECT_EQ(run.Code, 0) << run.Out << run.Err;
  EXPECT_TRUE(Contains(run.Out, "prompt:")) << "the IDE reports the add-in: " << run.Out;
  EXPECT_FALSE(Contains(run.Out, "S&ourceSafe")) << run.Out;
  EXPECT_TRUE(Contains(run.Out, "Still working.")) << run.Out;
}

TEST_F(AddInScenarioTest, UpdateProgramReportsTheInstalledVersionUnlessQuiet) {
  const std::string rvlupd = (BuildDir() / "ravelin" / "rvlupd").string();
  platform::RegistryKey(platform::Hive::CurrentUser, "Software\\Halberd\\Ravelin\\C++Builder\\3.0", true)
      .WriteString("PATH", "/opt/ravelin");
  TProgramRun run = RunProgram({rvlupd, "C++Builder\\3.0", "4242"});
  EXPECT_EQ(run.Code, 0) << run.Err;
  EXPECT_EQ(run.Out, "Ravelin 1.4 for C++Builder\\3.0 is installed in /opt/ravelin and up to date.\n");
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

} // namespace
