// The installed add-in: the library inside the real IDE (each test runs `ravelin-ide --script` on a
// scenario of tests/addin/scenarios as a child process with its own registry and reads its
// transcript), and the update program beside it.
#include <QProcess>
#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "platform/Registry.h"

namespace {

struct TRun {
  int ExitCode = -1;
  std::string Output;   // the transcript
  std::string Errors;
};

class AddInScenarioTest : public TempDirTest {
protected:
  static std::string AddIn() { return (BuildDir() / "ravelin" / "libravelin.so").string(); }

  static TRun Run(const std::filesystem::path& program, const QStringList& arguments) {
    QProcess child;
    child.setProgram(QString::fromStdString(program.string()));
    child.setArguments(arguments);
    child.start();
    TRun run;
    if (!child.waitForFinished(120000)) {
      child.kill();
      child.waitForFinished();
      run.Errors = program.filename().string() + " did not finish";
      return run;
    }
    run.ExitCode = child.exitStatus() == QProcess::NormalExit ? child.exitCode() : -1;
    run.Output = child.readAllStandardOutput().toStdString();
    run.Errors = child.readAllStandardError().toStdString();
    return run;
  }
  static TRun RunScenario(const std::string& scenario, const std::string& addIn) {
    return Run(BuildDir() / "bin" / "ravelin-ide",
               {"--script", QString::fromStdString(std::string(ADDIN_SCENARIO_DIR) + "/" + scenario), "--addin",
                QString::fromStdString(addIn)});
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
  TRun run = RunScenario("tip-unanswered.scenario", AddIn());
  EXPECT_EQ(run.ExitCode, 1) << run.Output << run.Errors;
  EXPECT_TRUE(tipDue());

  run = RunScenario("first-start.scenario", AddIn());
  EXPECT_EQ(run.ExitCode, 0) << run.Output << run.Errors;
  EXPECT_TRUE(Contains(run.Output, "S&ourceSafe | enabled | visible")) << run.Output;
  EXPECT_TRUE(Contains(run.Output, "Still working.")) << run.Output;
  EXPECT_FALSE(tipDue());
}

TEST_F(AddInScenarioTest, LaterStartAsksNothing) {
  platform::RegistryKey(platform::Hive::CurrentUser, "Software\\Halberd\\Ravelin\\C++Builder\\3.0\\Tips", true)
      .WriteBool("ShowUpdateTip", false);
  const TRun run = RunScenario("tip-seen.scenario", AddIn());
  EXPECT_EQ(run.ExitCode, 0) << run.Output << run.Errors;
  EXPECT_FALSE(Contains(run.Output, "prompt:")) << run.Output;
  EXPECT_TRUE(Contains(run.Output, "S&ourceSafe | enabled | visible")) << run.Output;
}

// A missing add-in is the end-to-end scenarios' case; here a file that is no library.
TEST_F(AddInScenarioTest, IDEWorksOnWhenTheAddInIsNoLibrary) {
  const TRun run = RunScenario("without-addin.scenario", WriteFile("libravelin.so", "not a shared library\n"));
  EXPECT_EQ(run.ExitCode, 0) << run.Output << run.Errors;
  EXPECT_TRUE(Contains(run.Output, "prompt:")) << "the IDE reports the add-in: " << run.Output;
  EXPECT_FALSE(Contains(run.Output, "S&ourceSafe")) << run.Output;
  EXPECT_TRUE(Contains(run.Output, "Still working.")) << run.Output;
}

TEST_F(AddInScenarioTest, UpdateProgramReportsTheInstalledVersionUnlessQuiet) {
  const auto rvlupd = BuildDir() / "ravelin" / "rvlupd";
  platform::RegistryKey(platform::Hive::CurrentUser, "Software\\Halberd\\Ravelin\\C++Builder\\3.0", true)
      .WriteString("PATH", "/opt/ravelin");
  TRun run = Run(rvlupd, {"C++Builder\\3.0", "4242"});
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  EXPECT_EQ(run.Output, "Ravelin 1.4 for C++Builder\\3.0 is installed in /opt/ravelin and up to date.\n");
  run = Run(rvlupd, {"C++Builder\\3.0", "4242", "Quiet"});
  EXPECT_EQ(run.ExitCode, 0) << run.Errors;
  EXPECT_EQ(run.Output + run.Errors, "");
  for (const QStringList& wrong : {QStringList{"C++Builder\\3.0"}, QStringList{"C++Builder\\3.0", "pid"},
                                   QStringList{"C++Builder\\3.0", "1", "Loud"}}) {
    run = Run(rvlupd, wrong);
    EXPECT_EQ(run.ExitCode, 2) << wrong.join(' ').toStdString();
    EXPECT_NE(run.Errors.find("usage: rvlupd IDEKEY PID [Quiet]"), std::string::npos);
  }
}

} // namespace
