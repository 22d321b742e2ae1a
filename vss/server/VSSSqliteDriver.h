#pragma once
// The SQLite store: one file in the database's data folder (WAL mode). A write transaction is
// BEGIN IMMEDIATE; a busy file is waited for a few seconds, then the call fails with a clear message.
#include <string>
#include <unordered_map>

#include "vss/server/VSSStoreDriver.h"

struct sqlite3;
struct sqlite3_stmt;

class VSSSqliteDriver final : public VSSStoreDriver {
public:
  // Makes a new store file holding `schema` (the file must not exist yet).
  static void Create(const std::string& file, const std::string& schema);
  // Opens an existing store; a missing file or one that isn't a store raises "Cannot find database"
  // naming `databaseName`, a damaged or unreadable one says so.
  VSSSqliteDriver(const std::string& file, const std::string& databaseName);
  ~VSSSqliteDriver() override;

  std::unique_ptr<VSSStoreCursor> Prepare(const char* sql) override;
  void Begin(bool write) override;
  void Commit() override;
  void Rollback() noexcept override;
  std::optional<int64_t> DataVersion() override;
  void RestartIds(const std::vector<std::string>&) override {}   // a rowid always follows the highest

  // Raises the error of a failed SQLite call.
  [[noreturn]] void Fail(int code, const std::string& what) const;

private:
  friend class VSSSqliteCursor;
  // Prepared statements are kept for reuse (parsing costs more than running most of them); one
  // already running (a nested use of the same text) gets a fresh statement of its own.
  struct CachedStatement {
    sqlite3_stmt* Statement = nullptr;
    bool InUse = false;
  };

  void Exec(const char* sql);
  void Close() noexcept;

  std::unordered_map<std::string, CachedStatement> FStatements;   // by SQL text; entries stay put
  sqlite3* FDb = nullptr;
  std::string FFile;
};
