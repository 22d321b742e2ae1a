// SourceSafe's own registry values as the add-in reads and writes them (HKEY_LOCAL_MACHINE).
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

TEST_F(SourceSafeSettingsTest, RegisteredDatabasesAreListedByNameWithTheirIniFiles) {
  EXPECT_EQ(RegistryKey(Hive::LocalMachine, "Software\\Microsoft\\SourceSafe\\Databases", false).ReadString("Sales"),
            "/srv/vss/sales");
  EXPECT_EQ(FVSS->GetDatabaseNames(), std::vector<std::string>({"Sales", "Tools"}));
  EXPECT_EQ(FVSS->GetIniPath("Tools"), "/srv/vss/tools/srcsafe.ini");
  EXPECT_EQ(FVSS->GetIniPath("Unknown"), "");
}

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

TEST_F(SourceSafeSettingsTest, InstallFolderComesFromTheIntegrationLibraryPath) {
  EXPECT_EQ(FVSS->GetInstallDir(), "");
  EXPECT_EQ(FVSS->GetSSExePath(), "") << "no program without an installation";
  FVSS->SetInstallDir("/opt/sourcesafe");
  EXPECT_EQ(SourceSafe().ReadString("SCCServerPath"), "/opt/sourcesafe/libssscc.so");
  EXPECT_EQ(FVSS->GetInstallDir(), "/opt/sourcesafe");
  EXPECT_EQ(FVSS->GetSSExePath(), "/opt/sourcesafe/ss");
}

} // namespace
