#include "TempDirTest.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

void TempDirTest::SetUp() {
  std::string pattern = (std::filesystem::temp_directory_path() / "ravelin-test-XXXXXX").string();
  ASSERT_NE(mkdtemp(pattern.data()), nullptr);
  FDir = pattern;
  const char* old = std::getenv("RAVELIN_REGISTRY_DIR");
  FHadRegistry = old != nullptr;
  if (old) FOldRegistry = old;
  setenv("RAVELIN_REGISTRY_DIR", (FDir / "registry").c_str(), 1);
}

void TempDirTest::TearDown() {
  if (FHadRegistry)
    setenv("RAVELIN_REGISTRY_DIR", FOldRegistry.c_str(), 1);
  else
    unsetenv("RAVELIN_REGISTRY_DIR");
  std::error_code ec;
  // Read-only files inside must not stop the clean-up.
  for (auto& entry : std::filesystem::recursive_directory_iterator(FDir, ec))
    std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
  std::filesystem::remove_all(FDir, ec);
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

std::filesystem::path TempDirTest::BuildDir() {
  const char* dir = std::getenv("RAVELIN_BUILD_DIR");
  return dir ? std::filesystem::path(dir) : std::filesystem::path(RAVELIN_BUILD_DIR);
}
