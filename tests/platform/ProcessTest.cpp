#include "platform/Process.h"

#include "platform/Environment.h"
#include "TempDirTest.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

using namespace platform;
using Args = std::vector<std::string>;

TEST(CommandLine, SplitsByTheWindowsRules) {
  const std::vector<std::pair<std::string, Args>> cases = {
      {"", {}},
      {"   \t ", {}},
      {"a b\tc", {"a", "b", "c"}},
      {"  lead  trail  ", {"lead", "trail"}},
      {R"("C:\Program Files\x.exe" -o)", {R"(C:\Program Files\x.exe)", "-o"}},
      {R"(a"b c"d)", {"ab cd"}},
      {R"("")", {""}},
      {R"(a "" b)", {"a", "", "b"}},
      {R"("a""b")", {"a\"b"}},
      {R"("a""b c" d)", {"a\"b", "c d"}},   // the literal quote also ends the group
      {R"(""")", {"\""}},
      {R"(x """" y)", {"x", "\" y"}},
      {R"(a\\b c\d)", {R"(a\\b)", R"(c\d)"}},
      {R"("dir\\" next)", {R"(dir\)", "next"}},
      {R"(a\"b)", {"a\"b"}},
      {R"(a\\\"b)", {R"(a\"b)"}},
      {R"(a\\\\"b c")", {R"(a\\b c)"}},
      {R"("trailing\\)", {R"(trailing\\)"}},
      {R"(end\)", {R"(end\)"}},
      {R"("unclosed arg)", {"unclosed arg"}},
  };
  for (const auto& [line, expected] : cases) EXPECT_EQ(SplitCommandLine(line), expected) << line;
}

TEST(CommandLine, QuotedArgumentsSplitBackUnchanged) {
  const Args arguments = {"plain", "", "two words", "quote\"inside", R"(dir\)", R"(dir with blank\)",
                          R"(\\server\share)", R"(\"already\")", "tab\tbetween", "\"", "\\", "Ärger ü"};
  std::string line;
  for (const std::string& argument : arguments) line += QuoteArgument(argument) + " ";
  EXPECT_EQ(SplitCommandLine(line), arguments) << line;
  EXPECT_EQ(QuoteArgument("plain"), "plain");
  EXPECT_EQ(QuoteArgument(R"(a b\)"), R"("a b\\")");
}

class ProcessTest : public TempDirTest {};

TEST_F(ProcessTest, PassesArgumentsIntactWithoutAShell) {
  const Args arguments = {"with blank", "quote\"inside", R"(back\slash\)", "", "$HOME `id` ;|&", "Ärger"};
  std::string line = "sh -c " + QuoteArgument(R"(printf '%s\n' "$@" > "$0")") + " " + QuoteArgument(PathOf("out.txt"));
  for (const std::string& argument : arguments) line += " " + QuoteArgument(argument);
  Process process;
  ASSERT_TRUE(process.Start(line)) << process.Error();
  EXPECT_TRUE(process.WaitStarted(1000));
  EXPECT_GT(process.Pid(), 0);
  EXPECT_EQ(process.Wait(), 0);
  std::string expected;
  for (const std::string& argument : arguments) expected += argument + "\n";
  EXPECT_EQ(ReadFile(PathOf("out.txt")), expected);
}

TEST_F(ProcessTest, ChildGetsOnlyTheStandardStreams) {
  const int file = open(WriteFile("open.txt", "x").c_str(), O_RDONLY);
  const int inheritable = fcntl(file, F_DUPFD, 100);   // no close-on-exec, out of the child's way
  close(file);
  ASSERT_GE(inheritable, 100);
  Process process;
  ASSERT_TRUE(process.Start(Args{"sh", "-c", "ls /proc/self/fd > \"$0\"", PathOf("fds.txt")}));
  EXPECT_EQ(process.Wait(10000), 0);
  close(inheritable);
  // The child's own listing: 0, 1, 2 and the folder ls reads.
  const std::string listing = ReadFile(PathOf("fds.txt"));
  EXPECT_EQ(std::count(listing.begin(), listing.end(), '\n'), 4) << listing;
  EXPECT_EQ(listing.find("\n" + std::to_string(inheritable) + "\n"), std::string::npos) << listing;
}

TEST_F(ProcessTest, PassesExitCodesAndSignalsThrough) {
  EXPECT_EQ(RunAndWait("sh -c \"exit 3\"", 10000), 3);
  Process process;
  ASSERT_TRUE(process.Start(Args{"sh", "-c", "exit 0"}));
  EXPECT_EQ(process.Wait(), 0);
  EXPECT_FALSE(process.Running());
  EXPECT_EQ(process.Wait(), 0);   // asked again, the same answer
  ASSERT_TRUE(process.Start(Args{"sh", "-c", "kill -TERM $$"}));
  EXPECT_EQ(process.Wait(10000), 128 + SIGTERM);
}

TEST_F(ProcessTest, KillsAProgramThatOutlivesItsTimeout) {
  Process process;
  ASSERT_TRUE(process.Start("sleep 30")) << process.Error();
  EXPECT_TRUE(process.Running());
  const pid_t pid = process.Pid();
  EXPECT_EQ(process.Wait(300), TimeoutExitCode);
  EXPECT_FALSE(process.Running());
  EXPECT_EQ(kill(pid, 0), -1);   // killed and reaped: the pid is gone
  EXPECT_EQ(errno, ESRCH);
}

TEST_F(ProcessTest, ReportsProgramsThatCannotStart) {
  Process process;
  EXPECT_FALSE(process.Start("ravelin-no-such-program --x"));
  EXPECT_NE(process.Error().find(std::strerror(ENOENT)), std::string::npos) << process.Error();
  EXPECT_NE(process.Error().find("ravelin-no-such-program"), std::string::npos);
  EXPECT_FALSE(process.WaitStarted(100));
  EXPECT_EQ(process.Wait(100), -1);

  const std::string script = WriteFile("not-executable.sh", "#!/bin/sh\nexit 0\n");
  EXPECT_FALSE(process.Start(Args{script}));
  EXPECT_NE(process.Error().find(std::strerror(EACCES)), std::string::npos) << process.Error();

  EXPECT_FALSE(process.Start(""));
  EXPECT_FALSE(process.Error().empty());

  std::string error;
  EXPECT_EQ(RunAndWait("\"ravelin no such program\"", 1000, &error), -1);
  EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
}

TEST_F(ProcessTest, RunsInTheWorkingFolderWithThisEnvironment) {
  SetEnvironment("RAVELIN_PROCESS_TEST", "inherited value");
  std::filesystem::create_directories(PathOf("work dir"));
  Process process;
  ASSERT_TRUE(process.Start(R"(sh -c "pwd > out.txt; printf %s \"$RAVELIN_PROCESS_TEST\" >> out.txt")", false,
                            PathOf("work dir")))
      << process.Error();
  EXPECT_EQ(process.Wait(10000), 0);
  EXPECT_EQ(ReadFile(PathOf("work dir/out.txt")), PathOf("work dir") + "\ninherited value");

  EXPECT_FALSE(process.Start("sh -c true", false, PathOf("missing dir")));
  EXPECT_NE(process.Error().find("missing dir"), std::string::npos) << process.Error();
}

// What the opener is handed is the general commands' test (the manual); here an opener that is missing.
TEST_F(ProcessTest, ShellOpenWithoutXdgOpenSaysWhy) {
  std::string error;
  SetEnvironment("PATH", PathOf("empty").c_str());
  EXPECT_FALSE(ShellOpen("x", &error));
  EXPECT_NE(error.find(std::strerror(ENOENT)), std::string::npos) << error;
}

// A viewer is ready once it has read its file: the wait ends when the child has opened and closed
// it, not before; a child that ends without reading it, or the time-out, ends the wait unread.
TEST_F(ProcessTest, FileReadWatchEndsWhenTheChildHasReadTheFile) {
  const std::string file = WriteFile("shown.txt", "text\n");
  struct TCase {
    const char* Command;
    bool Read;
  } cases[] = {
      {"sh -c \"sleep 0.2; cat shown.txt > copy.txt; sleep 30\"", true},
      {"sh -c \"exit 0\"", false},
      {"sleep 30", false},
  };
  for (const TCase& c : cases) {
    FileReadWatch watch(file);
    Process child;
    ASSERT_TRUE(child.Start(c.Command, false, Dir().string())) << child.Error();
    EXPECT_EQ(watch.Wait(&child, 1000), c.Read) << c.Command;
    if (c.Read) EXPECT_EQ(ReadFile(PathOf("copy.txt")), "text\n");
    child.Wait(0);
  }
}
