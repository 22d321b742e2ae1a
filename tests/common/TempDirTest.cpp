#include "TempDirTest.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "platform/Process.h"

namespace {

std::filesystem::path MakeTempDir(const char* prefix) {
  std::string pattern = (std::filesystem::temp_directory_path() / prefix).string() + "-XXXXXX";
  return mkdtemp(pattern.data()) ? std::filesystem::path(pattern) : std::filesystem::path();
}

void RemoveTree(const std::filesystem::path& dir) {
  std::error_code ec;
  // Read-only files inside must not stop the clean-up.
  for (auto& entry : std::filesystem::recursive_directory_iterator(dir, ec))
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(dir, ec);
}

} // namespace

void TempDirTest::SetUp() {
  FDir = MakeTempDir("ravelin-test");
  FHome = MakeTempDir("ravelin-home");
  ASSERT_FALSE(FDir.empty() || FHome.empty());
  SetEnvironment("RAVELIN_REGISTRY_DIR", (FDir / "registry").c_str());
  SetEnvironment("HOME", FHome.c_str());
  SetEnvironment("XDG_CACHE_HOME", (FHome / ".cache").c_str());
}

void TempDirTest::SetEnvironment(const std::string& name, const char* value) {
  if (std::ranges::none_of(FOldEnvironment, [&](const auto& saved) { return saved.first == name; })) {
    const char* old = std::getenv(name.c_str());
    FOldEnvironment.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
  }
  if (value)
    setenv(name.c_str(), value, 1);
  else
    unsetenv(name.c_str());
}

void TempDirTest::TearDown() {
  for (const auto& [name, value] : FOldEnvironment)
    if (value)
      setenv(name.c_str(), value->c_str(), 1);
    else
      unsetenv(name.c_str());
  FOldEnvironment.clear();
  RemoveTree(FDir);
  RemoveTree(FHome);
}

std::string TempDirTest::WriteFile(const std::string& name, const std::string& content) const {
  std::filesystem::path path = FDir / name;
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << content;
  return path.string();
}

std::string TempDirTest::ReadFile(const std::string& path) const {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TProgramRun TempDirTest::RunProgram(const std::vector<std::string>& command, const std::string& folder) const {
  // The shell only redirects the streams; the program itself gets its arguments as they are.
  std::vector<std::string> argv = {"sh", "-c",
                                   R"(out=$1; err=$2; shift 2; exec "$0" "$@" < /dev/null > "$out" 2> "$err")",
                                   command.at(0), PathOf(".out"), PathOf(".err")};
  argv.insert(argv.end(), command.begin() + 1, command.end());
  platform::Process process;
  TProgramRun run;
  if (!process.Start(argv, folder)) return run;
  run.Code = process.Wait(120000);
  run.Out = ReadFile(PathOf(".out"));
  run.Err = ReadFile(PathOf(".err"));
  std::filesystem::remove(PathOf(".out"));
  std::filesystem::remove(PathOf(".err"));
  return run;
}

std::filesystem::path TempDirTest::BuildDir() {
  const char* dir = std::getenv("RAVELIN_BUILD_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path(RAVELIN_BUILD_DIR);
}
