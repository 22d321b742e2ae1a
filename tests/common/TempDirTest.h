#pragma once
// A fixture that gives each test a fresh temporary folder with its own registry inside it
// (RAVELIN_REGISTRY_DIR) and a fresh home folder beside it (HOME, with the cache folder
// XDG_CACHE_HOME in it), both removed again after the test,
// so that no test writes into the user's own settings or home.
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

// What a program run to its end printed, and how it ended.
struct TProgramRun {
  int Code = -1;   // the exit code: 127 for a program not found, 50 for one killed after two minutes
  std::string Out, Err;
};

class TempDirTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  const std::filesystem::path& Dir() const { return FDir; }
  const std::filesystem::path& HomeDir() const { return FHome; }
  // Dir() / name, as a string.
  std::string PathOf(const std::string& name) const { return (FDir / name).string(); }
  // Writes a file below Dir() (creating folders) and returns its path.
  std::string WriteFile(const std::string& name, const std::string& content) const;
  std::string ReadFile(const std::string& path) const;
  // Runs `command` (the program, then its arguments; no shell) in `folder` (empty: this process's
  // folder) with no input, and collects its output and errors through files in Dir().
  TProgramRun RunProgram(const std::vector<std::string>& command, const std::string& folder = {}) const;
  // The build folder, where bin/, ravelin/ and sourcesafe/ are ($RAVELIN_BUILD_DIR overrides it).
  static std::filesystem::path BuildDir();
  // Sets an environment variable (nullptr: removes it) until the test ends.
  void SetEnvironment(const std::string& name, const char* value);

private:
  std::filesystem::path FDir, FHome;
  std::vector<std::pair<std::string, std::optional<std::string>>> FOldEnvironment;
};
