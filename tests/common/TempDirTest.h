#pragma once
// A fixture that gives each test a fresh temporary folder and its own registry inside it
// (RAVELIN_REGISTRY_DIR), removed again after the test.
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

class TempDirTest : public ::testing::Test {
protected:
  void SetUp() override;
  void TearDown() override;

  const std::filesystem::path& Dir() const { return FDir; }
  // Dir() / name, as a string.
  std::string PathOf(const std::string& name) const { return (FDir / name).string(); }
  // Writes a file below Dir() (creating folders) and returns its path.
  std::string WriteFile(const std::string& name, const std::string& content) const;
  std::string ReadFile(const std::string& path) const;
  // The build folder, where bin/, ravelin/ and sourcesafe/ are ($RAVELIN_BUILD_DIR overrides it).
  static std::filesystem::path BuildDir();

private:
  std::filesystem::path FDir;
  std::string FOldRegistry;
  bool FHadRegistry = false;
};
