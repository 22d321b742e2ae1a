#include "VSSTestDatabase.h"

#include "platform/Files.h"
#include "vss/server/VSSAdmin.h"
#include "vss/server/VSSDatabaseObject.h"

void VSSTestDatabase::SetUp() {
  TempDirTest::SetUp();
  if (VSSTestServer::Wanted()) {
    if (VSSTestServer::Superuser().empty()) GTEST_SKIP() << VSSTestServer::NoServer;
    FServer = std::make_unique<VSSTestServer::Database>();
    VSSAdmin::CreateDatabase(DatabaseDir(), FServer->Conninfo());
  } else {
    VSSAdmin::CreateDatabase(DatabaseDir());
  }
  VSSAdmin::AddUser(DatabaseDir(), "Alice", "alice-pw");
  VSSAdmin::AddUser(DatabaseDir(), "Bob", "bob-pw");
}

void VSSTestDatabase::TearDown() {
  FServer.reset();
  TempDirTest::TearDown();
}

VSSPtr<IVSSDatabase> VSSTestDatabase::Open(const std::string& user, const std::string& password) const {
  return OpenAt(IniPath(), user, password);
}

VSSPtr<IVSSDatabase> VSSTestDatabase::OpenAt(const std::string& ini, const std::string& user,
                                             const std::string& password) {
  VSSPtr<IVSSDatabase> db(NewDatabase());
  db->Open(ini, user, password);
  return db;
}

IVSSDatabase* VSSTestDatabase::NewDatabase() { return new VSSDatabaseObject(); }

VSSPtr<IVSSItem> VSSTestDatabase::AddFile(IVSSDatabase* db, const std::string& project, const std::string& name,
                                          const std::string& content) const {
  return db->VSSItem(project)->Add(Local("work/" + name, content), "added", 0);
}

void VSSTestDatabase::Revise(IVSSItem* file, const std::string& local, const std::string& content,
                             const std::string& comment) const {
  file->Checkout("", local, 0);
  WriteFile(local, content);
  file->Checkin(comment, local, 0);
}

bool VSSTestDatabase::Writable(const std::string& path) {
  return platform::FileExists(path) && !platform::IsReadOnly(path);
}

std::vector<std::string> VSSTestDatabase::Actions(IVSSItem* item, int32_t flags) {
  std::vector<std::string> actions;
  VSSPtr<IVSSVersions> versions = item->Versions(flags);
  VSSPtr<IVSSVersion> version;
  while (versions->Next(version.Out())) actions.push_back(version->Action());
  return actions;
}

std::vector<std::string> VSSTestDatabase::StoreColumn(const char* sql) const {
  auto store = Store();
  VSSStore::Statement rows(*store, sql);
  std::vector<std::string> values;
  while (rows.Step()) values.push_back(rows.Text(0));
  return values;
}
