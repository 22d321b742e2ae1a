#include "SsFixture.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

} // namespace

ProgramResult SsTest::RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                         const std::string& folder) {
  std::string path = (TempDirTest::BuildDir() / "sourcesafe" / program).string();
  std::string out = folder + "/.stdout", err = folder + "/.stderr";
  std::vector<char*> argv{path.data()};
  std::vector<std::string> copies(arguments);
  for (std::string& a : copies) argv.push_back(a.data());
  argv.push_back(nullptr);

  pid_t pid = fork();
  if (pid == 0) {
    int o = open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int e = open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int in = open("/dev/null", O_RDONLY);
    if (o < 0 || e < 0 || in < 0 || chdir(folder.c_str()) != 0) _exit(127);
    dup2(in, 0);
    dup2(o, 1);
    dup2(e, 2);
    execv(path.c_str(), argv.data());
    _exit(127);
  }
  ProgramResult result;
  int status = 0;
  if (pid > 0 && waitpid(pid, &status, 0) == pid && WIFEXITED(status)) result.Code = WEXITSTATUS(status);
  result.Out = Slurp(out);
  result.Err = Slurp(err);
  unlink(out.c_str());
  unlink(err.c_str());
  return result;
}

void SsTest::SetUp() {
  TempDirTest::SetUp();
  std::filesystem::create_directories(Work());
  unsetenv("SSDIR");
  ASSERT_EQ(Admin({"create", Db()}).Code, 0);
  setenv("SSDIR", Db().c_str(), 1);
  setenv("SSUSER", "Admin", 1);
  setenv("SSPWD", "", 1);
}

void SsTest::TearDown() {
  unsetenv("SSDIR");
  unsetenv("SSUSER");
  unsetenv("SSPWD");
  TempDirTest::TearDown();
}
