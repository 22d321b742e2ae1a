#pragma once
// A fresh SourceSafe database in the test's temporary folder, with the users Admin (no password),
// Alice ("alice-pw") and Bob ("bob-pw"), and helpers to open it and to make local files. Its store
// is the one VSSTestServer chooses: the tests run against both stores; those of the PostgreSQL
// store skip themselves when no server is there.
#include <memory>
#include <string>
#include <vector>

#include "TempDirTest.h"
#include "VSSTestServer.h"
#include "vss/api/VSSApi.h"
#include "vss/server/VSSStore.h"

class VSSTestDatabase : public TempDirTest {
protected:
  void SetUp() override;
  void TearDown() override;

  bool OnServer() const { return FServer != nullptr; }
  // The database's own store, opened beside the sessions under test.
  std::unique_ptr<VSSStore> Store() const { return VSSStore::Open(IniPath()); }

  std::string DatabaseDir() const { return PathOf("db"); }
  std::string IniPath() const { return PathOf("db/srcsafe.ini"); }
  VSSPtr<IVSSDatabase> Open(const std::string& user = "Alice", const std::string& password = "alice-pw") const;
  static VSSPtr<IVSSDatabase> OpenAt(const std::string& ini, const std::string& user, const std::string& password);
  // A new, unopened database object.
  static IVSSDatabase* NewDatabase();
  // The file's local path after writing it (writable).
  std::string Local(const std::string& name, const std::string& content) const { return WriteFile(name, content); }
  // Adds a file with `content` under `project` from work/<name>; returns the new item.
  VSSPtr<IVSSItem> AddFile(IVSSDatabase* db, const std::string& project, const std::string& name,
                           const std::string& content) const;
  // Checks `file` out into `local`, writes `content` there and checks it in: one new version.
  void Revise(IVSSItem* file, const std::string& local, const std::string& content,
              const std::string& comment = "") const;
  static bool Writable(const std::string& path);   // exists with the owner's write permission
  // A file that exists but can't be read, even by root (reading it fails with EIO).
  static std::string UnreadableFile() { return "/proc/self/mem"; }
  // Runs `call` and returns the error code it raised (0 when it raised nothing).
  template <class F>
  static uint32_t ErrorOf(F&& call) {
    try {
      call();
    } catch (const EVSSAutomation& error) {
      return error.ErrorCode();
    }
    return 0;
  }
  // The first column of `sql`'s rows, read straight from the database's store.
  std::vector<std::string> StoreColumn(const char* sql) const;
  // The Action texts of an item's history, newest first.
  static std::vector<std::string> Actions(IVSSItem* item, int32_t flags = 0);

private:
  std::unique_ptr<VSSTestServer::Database> FServer;
};
