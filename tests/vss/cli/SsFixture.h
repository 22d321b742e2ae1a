#pragma once
// Runs the built `ss` and `ssadmin` as child processes, the way a shell or the add-in does, and
// collects what they print and their exit code.
#include <string>
#include <vector>

#include "TempDirTest.h"

struct ProgramResult {
  int Code = -1;
  std::string Out;
  std::string Err;
};

// A fresh database in Dir()/db made by `ssadmin create`, with SSDIR pointing to it and the user
// Admin (empty password) in SSUSER/SSPWD; Dir()/work exists for local copies.
class SsTest : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  // Runs `program` ("ss", "ssadmin", "ssdemo") from the build's sourcesafe/ folder in `folder`;
  // output is captured through files in it. The environment (SSDIR, SSUSER, ...) is this process's.
  static ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& arguments,
                                  const std::string& folder);

  ProgramResult Ss(const std::vector<std::string>& arguments) { return RunProgram("ss", arguments, Work()); }
  ProgramResult Admin(const std::vector<std::string>& arguments) {
    return RunProgram("ssadmin", arguments, Work());
  }
  std::string Db() const { return PathOf("db"); }
  std::string Work() const { return PathOf("work"); }
};
