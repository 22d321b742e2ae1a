#include "SsFixture.h"

#include <filesystem>

void SsTest::SetUp() {
  TempDirTest::SetUp();
  std::filesystem::create_directories(Work());
  SetEnvironment("SSDIR", nullptr);
  ASSERT_EQ(Admin({"create", Db()}).Code, 0);
  SetEnvironment("SSDIR", Db().c_str());
  SetEnvironment("SSUSER", "Admin");
  SetEnvironment("SSPWD", "");
}
