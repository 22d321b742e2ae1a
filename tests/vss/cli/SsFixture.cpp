#include "SsFixture.h"

#include <cstdlib>
#include <filesystem>

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
