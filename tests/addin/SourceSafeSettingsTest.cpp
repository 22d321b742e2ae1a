// SourceSafe's current database as the add-in reads and writes it (HKEY_LOCAL_MACHINE). The database
// list is the login dialog's test, the installation folder the login's server registration.
#include <gtest/gtest.h>

#include "TempDirTest.h"
#include "addin/settings/uRVLRegFactory.h"
#include "addin/settings/uRegVSS.h"
#include "platform/Registry.h"

namespace {

using platform::Hive;
using platform::RegistryKey;

class SourceSafeSettingsTest : public TempDirTest {
protected:
  static RegistryKey SourceSafe() { return RegistryKey(Hive::LocalMachine, "Software\\Microsoft\\SourceSafe", true); }
  void SetUp() override {
    TempDirTest::SetUp();
    FVSS->AddDatabase("Sales", "/srv/vss/sales/srcsafe.ini");
    FVSS->AddDatabase("Tools", "/srv/vss/tools/srcsafe.ini");
  }
  std::unique_ptr<TRegVSS> FVSS = TRVLRegFactory::_Instance().CreateRegVSS();
};

TEST_F(SourceSafeSettingsTest, CurrentDatabaseIsTheRegisteredOneInTheCurrentFolder) {
  EXPECT_EQ(FVSS->GetCurrentDatabase(), "") << "no current folder at all";

  SourceSafe().WriteString("Current Database", "/srv/vss/tools");
  EXPECT_EQ(FVSS->GetCurrentDatabase(), "Tools");
  SourceSafe().WriteString("API Current Database", "/SRV/VSS/Sales");
  EXPECT_EQ(FVSS->GetCurrentDatabase(), "Sales") << "the automation clients' value wins; case is ignored";
  SourceSafe().WriteString("API Current Database", "/srv/vss/elsewhere");
  EXPECT_EQ(FVSS->GetCurrentDatabase(), "") << "a folder no registered database uses";

  FVSS->SetCurrentDatabase("Tools");
  EXPECT_EQ(SourceSafe().ReadString("API Current Database"), "/srv/vss/tools");
  EXPECT_EQ(FVSS->GetCurrentDatabase(), "Tools");
  FVSS->SetCurrentDatabase("Unknown");
  EXPECT_EQ(SourceSafe().ReadString("API Current Database"), "/srv/vss/tools") << "unknown names change nothing";
}

} // namespace
