// Opening databases and administering them: credentials, damaged or missing databases, password
// storage, registration of databases and of the automation server.
#include "VSSTestDatabase.h"

#include <dlfcn.h>
#include <sys/stat.h>

#include "Unprivileged.h"

#include "platform/Files.h"
#include "platform/Registry.h"
#include "vss/server/VSSAdmin.h"

namespace {

class VSSOpen : public VSSTestDatabase {
protected:
  uint32_t OpenError(const std::string& ini, const std::string& user, const std::string& password) {
    return ErrorOf([&] { VSSTestDatabase::OpenAt(ini, user, password); });
  }
};

TEST_F(VSSOpen, RefusesBadCredentialsWithSourceSafesErrors) {
  EXPECT_EQ(OpenError(IniPath(), "Alice", "wrong"), VSSError::InvalidPassword);
  EXPECT_EQ(OpenError(IniPath(), "Nobody", ""), VSSError::UserNotFound);
  EXPECT_EQ(OpenError(IniPath(), "alice", "alice-pw"), 0u);   // user names ignore case
  EXPECT_EQ(Open("ALICE", "alice-pw")->UserName(), "Alice");
  EXPECT_EQ(OpenError(IniPath(), "Admin", ""), 0u);

  // More than 128 characters (not bytes) is the overflow error, whatever the password.
  EXPECT_EQ(OpenError(IniPath(), "Alice", std::string(129, 'x')), VSSError::Overflow);
  EXPECT_EQ(OpenError(IniPath(), "Alice", std::string(128, 'x')), VSSError::InvalidPassword);
  std::string wide;
  for (int i = 0; i < 128; ++i) wide += "\xC3\xA9";   // 128 two-byte characters
  EXPECT_EQ(OpenError(IniPath(), "Alice", wide), VSSError::InvalidPassword);
  VSSAdmin::SetPassword(DatabaseDir(), "Alice", wide);
  EXPECT_EQ(OpenError(IniPath(), "Alice", wide), 0u);
}

// Each way a database can be unusable says which it is; only a missing one is "Cannot find database".
TEST_F(VSSOpen, RefusesWhatIsNotAUsableDatabaseSayingWhy) {
  if (OnServer()) GTEST_SKIP() << "about the SQLite store's folder and file";
  platform::ForceDirectories(PathOf("empty"));
  WriteFile("junk/srcsafe.ini", "\x01\x02 garbage\n[[[\n=\n");
  WriteFile("nodata/srcsafe.ini", "[SourceSafe]\nMultiple_Checkouts = No\n");
  WriteFile("gone/srcsafe.ini", "[SourceSafe]\nData_Path = data\n");
  WriteFile("fake/srcsafe.ini", "[SourceSafe]\nData_Path = data\n");
  WriteFile("fake/data/sourcesafe.db", "this is not a database");
  std::filesystem::copy(DatabaseDir(), PathOf("header"), std::filesystem::copy_options::recursive);
  std::string store = ReadFile(PathOf("header/data/sourcesafe.db"));
  store.replace(0, 16, "damaged header!!");
  WriteFile("header/data/sourcesafe.db", store);
  const struct {
    std::string Ini;
    uint32_t Code;
    std::string Says;
  } cases[] = {
      {PathOf("nowhere/srcsafe.ini"), VSSError::DatabaseNotFound, "Cannot find database " + PathOf("nowhere")},
      {PathOf("empty"), VSSError::DatabaseNotFound, "Cannot find database " + PathOf("empty/srcsafe.ini")},
      {PathOf("junk/srcsafe.ini"), VSSError::DatabaseNotFound, "is not a SourceSafe ini file: it holds no settings"},
      {PathOf("nodata/srcsafe.ini"), VSSError::DatabaseNotFound, "names no data folder"},
      {PathOf("gone/srcsafe.ini"), VSSError::DatabaseNotFound, PathOf("gone/data") + " named by"},
      {PathOf("fake/srcsafe.ini"), VSSError::DatabaseCorrupt, "is damaged: file is not a database"},
      {PathOf("header"), VSSError::DatabaseCorrupt, "is damaged: file is not a database"},
      {UnreadableFile(), VSSError::AccessDenied, UnreadableFile()},
  };
  for (const auto& bad : cases) {
    try {
      OpenAt(bad.Ini, "Admin", "");
      ADD_FAILURE() << bad.Ini << " opened";
    } catch (const EVSSAutomation& error) {
      EXPECT_EQ(error.ErrorCode(), bad.Code) << bad.Ini << ": " << error.what();
      EXPECT_NE(std::string(error.what()).find(bad.Says), std::string::npos) << error.what();
    }
  }
  EXPECT_EQ(ReadFile(PathOf("fake/data/sourcesafe.db")), "this is not a database");
  // The folder itself works as well as its ini.
  EXPECT_EQ(OpenError(DatabaseDir(), "Admin", ""), 0u);

  // A data folder this user may not read.
  chmod(Dir().c_str(), 0755);
  chmod(PathOf("db/data").c_str(), 0700);
  EXPECT_TRUE(RunUnprivileged([&] {
    try {
      OpenAt(IniPath(), "Admin", "");
    } catch (const EVSSAutomation& error) {
      return error.ErrorCode() == VSSError::AccessDenied &&
             std::string(error.what()).find("Access to the data folder " + PathOf("db/data")) != std::string::npos;
    }
    return false;
  }));
}

// Opening a bound project sets the current project it already has: that must only read, so a
// database this user may only read, or one another user is busy changing, still serves it.
TEST_F(VSSOpen, SettingTheCurrentProjectItAlreadyHasOnlyReads) {
  {
    auto admin = Open("Admin", "");
    admin->VSSItem("$/")->NewSubproject("App", "");
    AddFile(admin.Get(), "$/App", "a.cpp", "a\n");
    Open()->SetCurrentProject("$/App");
  }
  auto other = Store();
  other->Write([&] { EXPECT_EQ(ErrorOf([&] { Open()->SetCurrentProject("$/App"); }), 0u); });
  if (OnServer()) return;

  // The store file is the owner's; others may read it (and keep their read locks beside it).
  chmod(Dir().c_str(), 0755);
  chmod(PathOf("db/data").c_str(), 0777);
  EXPECT_TRUE(RunUnprivileged([&] {
    auto alice = Open();
    alice->SetCurrentProject("$/App");
    alice->SetCurrentProject("$/");   // kept for this session only
    auto file = alice->VSSItem("$/App/a.cpp");
    const bool read = alice->CurrentProject() == "$/" && file->IsCheckedOut() == VSSFILE_NOTCHECKEDOUT;
    return read && ErrorOf([&] { file->Checkout("", PathOf("a.cpp"), VSSFLAG_GETNO); }) == VSSError::DatabaseReadOnly;
  }));
}

TEST_F(VSSOpen, AnUnopenedDatabaseRaises) {
  VSSPtr<IVSSDatabase> db(NewDatabase());
  EXPECT_EQ(ErrorOf([&] { db->VSSItem("$/"); }), VSSError::InvalidOperation);
  EXPECT_EQ(ErrorOf([&] { db->SrcSafeIni(); }), VSSError::InvalidOperation);
}

TEST_F(VSSOpen, PasswordsAreStoredOnlyAsArgon2idHashes) {
  for (const std::string& stored : StoreColumn("SELECT password FROM users")) {
    EXPECT_TRUE(stored.starts_with("$argon2id$")) << stored;
    EXPECT_EQ(stored.find("alice-pw"), std::string::npos);
  }
  if (OnServer()) return;
  std::string everything = ReadFile(DatabaseDir() + "/data/sourcesafe.db");
  EXPECT_EQ(everything.find("alice-pw"), std::string::npos);
}

TEST_F(VSSOpen, ItemsOutliveTheirDatabaseObject) {
  VSSPtr<IVSSItem> root;
  {
    auto db = Open();
    root = db->VSSItem("$/");
  }
  EXPECT_EQ(root->NewSubproject("Later", "")->Spec(), "$/Later");
}

TEST_F(VSSOpen, AdministersUsers) {
  EXPECT_EQ(VSSAdmin::Users(DatabaseDir()), (std::vector<std::string>{"Admin", "Alice", "Bob"}));
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::AddUser(DatabaseDir(), "BOB", "x"); }), VSSError::AlreadyExists);
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::AddUser(DatabaseDir(), "a,b", "x"); }), VSSError::InvalidName);
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::AddUser(DatabaseDir(), "Carol", std::string(129, 'p')); }), VSSError::Overflow);
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::DeleteUser(DatabaseDir(), "admin"); }), VSSError::InvalidOperation);
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::DeleteUser(DatabaseDir(), "Carol"); }), VSSError::UserNotFound);

  // Bob's check-out goes with him.
  auto bob = Open("Bob", "bob-pw");
  bob->VSSItem("$/")->Add(Local("work/a.txt", "a"), "", 0)->Checkout("", PathOf("bob/a.txt"), 0);
  VSSAdmin::DeleteUser(DatabaseDir(), "bob");
  EXPECT_EQ(OpenError(IniPath(), "Bob", "bob-pw"), VSSError::UserNotFound);
  EXPECT_EQ(Open()->VSSItem("$/a.txt")->IsCheckedOut(), VSSFILE_NOTCHECKEDOUT);

  VSSAdmin::SetPassword(DatabaseDir(), "alice", "new");
  EXPECT_EQ(OpenError(IniPath(), "Alice", "alice-pw"), VSSError::InvalidPassword);
  EXPECT_EQ(OpenError(IniPath(), "Alice", "new"), 0u);
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::CreateDatabase(DatabaseDir()); }), VSSError::AlreadyExists);
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::Users(PathOf("nowhere")); }), VSSError::DatabaseNotFound);
}

TEST_F(VSSOpen, RegisteredDatabasesAreFoundByNameAndAsTheCurrentOne) {
  VSSAdmin::RegisterDatabase("Main Projects", DatabaseDir());
  EXPECT_EQ(VSSAdmin::RegisteredDatabases(),
            (std::vector<std::pair<std::string, std::string>>{{"Main Projects", DatabaseDir()}}));
  platform::RegistryKey key(platform::Hive::LocalMachine, "Software\\Microsoft\\SourceSafe", false);
  EXPECT_EQ(key.ReadString("API Current Database"), DatabaseDir());
  EXPECT_EQ(key.ReadString("Current Database"), DatabaseDir());

  auto db = OpenAt("", "Alice", "alice-pw");   // no ini: the current database
  EXPECT_EQ(db->SrcSafeIni(), IniPath());
  EXPECT_EQ(db->DatabaseName(), "Main Projects");
  VSSAdmin::UnregisterDatabase("Main Projects");
  EXPECT_EQ(Open()->DatabaseName(), "db");
  EXPECT_EQ(ErrorOf([&] { VSSAdmin::RegisterDatabase("Other", PathOf("nowhere")); }), VSSError::DatabaseNotFound);
}

TEST_F(VSSOpen, TheAutomationServerIsFoundThroughItsRegistration) {
  try {
    CoVSSDatabase::Create();
    FAIL() << "created without a registration";
  } catch (const EVSSSystemError& error) {
    EXPECT_EQ(error.ErrorCode(), VSSError::ServerNotRegistered);
  }

  const std::string installDir = VSS_INSTALL_DIR;
  VSSAdmin::InstallServer(installDir);
  platform::RegistryKey key(platform::Hive::LocalMachine, "Software\\Microsoft\\SourceSafe", false);
  EXPECT_EQ(key.ReadString("SCCServerPath"), installDir + "/libssscc.so");

  VSSPtr<IVSSDatabase> db = CoVSSDatabase::Create();
  db->Open(IniPath(), "Alice", "alice-pw");
  EXPECT_EQ(db->VSSItem("$/")->NewSubproject("ViaServer", "")->Spec(), "$/ViaServer");
  // The server's errors reach the client as the same exception classes.
  try {
    db->VSSItem("$/Missing");
    FAIL();
  } catch (const Exception& error) {
    ASSERT_NE(dynamic_cast<const EVSSAutomation*>(&error), nullptr);
    EXPECT_EQ(static_cast<const EVSSAutomation&>(error).ErrorCode(), VSSError::NotFound);
  }

  // Unregistering removes the registration again.
  void* library = dlopen((installDir + "/libssapi.so").c_str(), RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr);
  auto unregisterServer = reinterpret_cast<VSSDllRegisterServerFunc>(dlsym(library, VSSDllUnregisterServerName));
  ASSERT_NE(unregisterServer, nullptr);
  EXPECT_EQ(unregisterServer(), 0);
  dlclose(library);
  EXPECT_THROW(CoVSSDatabase::Create(), EVSSSystemError);

  platform::RegistryKey server(platform::Hive::LocalMachine, VSSServerRegistrationKey(), true);
  server.WriteString("", PathOf("missing/libssapi.so"));
  EXPECT_THROW(CoVSSDatabase::Create(), EVSSSystemError);
  EXPECT_THROW(VSSAdmin::InstallServer(PathOf("missing")), EVSSSystemError);
}

} // namespace
