// ssdemo's database, inspected with ss as a person would.
#include "SsFixture.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/Profile.h"

TEST_F(SsTest, DemoDatabaseHasTheSampleProjectVersionsLabelAndWorkingFolders) {
  std::string demoDb = PathOf("demo"), demoWork = PathOf("demowork");
  TProgramRun made = SourceSafe("ssdemo", {demoDb, demoWork, "--register", "Demo"});
  ASSERT_EQ(made.Code, 0) << made.Err;
  // Registered as the current database, so ss finds it without SSDIR.
  unsetenv("SSDIR");

  TProgramRun dir = Ss({"Dir", "$/Demo"});
  EXPECT_EQ(dir.Code, 0);
  for (const char* name : {"Demo.bpr", "Demo.cpp", "Unit1.cpp", "Unit1.dfm", "Unit1.h", "Util.cpp"})
    EXPECT_NE(dir.Out.find(std::string(name) + "\n"), std::string::npos) << name << "\n" << dir.Out;

  TProgramRun history = Ss({"History", "$/Demo/Util.cpp"});
  EXPECT_NE(history.Out.find("Version 2"), std::string::npos) << history.Out;   // created, then checked in
  EXPECT_NE(history.Out.find("Label: '1.0'"), std::string::npos) << history.Out;

  for (const char* user : {"-YAdmin", "-Yguest"}) {
    EXPECT_EQ(Ss({"Workfold", "$/Demo", user}).Out, "$/Demo: " + demoWork + "\n") << user;
    EXPECT_EQ(Ss({"Whoami", user}).Code, 0) << user;
  }
  // The working folder holds the latest versions, read-only.
  for (const char* name : {"Unit1.cpp", "Util.cpp", "Unit1.dfm"}) {
    std::string local = demoWork + "/" + name;
    EXPECT_TRUE(platform::IsReadOnly(local)) << name;
    EXPECT_EQ(Ss({"Diff", std::string("$/Demo/") + name, local}).Code, 0) << name;
  }
  EXPECT_EQ(Ss({"Status", "$/Demo", "-R"}).Code, 0);   // nothing left checked out
  // The sample project is bound to $/Demo of this database, so the add-in's commands apply at once.
  platform::ProfileFile binding(demoWork + "/vss.rvl");
  EXPECT_EQ(binding.ReadString("Demo.bpr", "SCPATH"), "$/Demo");
  EXPECT_EQ(binding.ReadString("Demo.bpr", "SCDB"), demoDb + "/srcsafe.ini");

  // An existing database is not overwritten.
  EXPECT_EQ(SourceSafe("ssdemo", {demoDb, demoWork}).Code, 100);
}
