#pragma once
// Runs the built `ss` and `ssadmin` as child processes, the way a shell or the add-in does, and
// collects what they print and their exit code.
#include <string>
#include <vector>

#include "TempDirTest.h"

// A fresh database in Dir()/db made by `ssadmin create`, with SSDIR pointing to it and the user
// Admin (empty password) in SSUSER/SSPWD; Dir()/work exists for local copies.
class SsTest : public TempDirTest {
protected:
  void SetUp() override;

  // Runs `program` ("ss", "ssadmin", "ssdemo") from the build's sourcesafe/ folder in Work(). The
  // environment (SSDIR, SSUSER, ...) is this process's.
  TProgramRun SourceSafe(const std::string& program, std::vector<std::string> arguments) const {
    arguments.insert(arguments.begin(), (BuildDir() / "sourcesafe" / program).string());
    return RunProgram(arguments, Work());
  }
  TProgramRun Ss(const std::vector<std::string>& arguments) const { return SourceSafe("ss", arguments); }
  TProgramRun Admin(const std::vector<std::string>& arguments) const { return SourceSafe("ssadmin", arguments); }
  std::string Db() const { return PathOf("db"); }
  std::string Work() const { return PathOf("work"); }
};
