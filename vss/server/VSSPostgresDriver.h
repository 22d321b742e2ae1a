#pragma once
// The PostgreSQL store: a database on a server that a team shares, named by a libpq connection
// string (key=value pairs or a postgresql:// URI). A write transaction takes the database's write
// lock (a transaction-level advisory lock) first, so changes are applied one after another as in
// the SQLite store; a read runs on one snapshot. A lock waited for longer than a few seconds
// fails as "busy"; connecting waits at most connect_timeout. A connection lost between operations
// is made again by the next one; an operation cut off by it is rolled back by the server.
#include <string>
#include <unordered_map>

#include "vss/server/VSSStoreDriver.h"

struct pg_conn;
struct pg_result;

class VSSPostgresDriver final : public VSSStoreDriver {
public:
  // Connects to the empty database `conninfo` names, as a role that may create tables and roles,
  // to make a store there with CreateSchema and CreateClientRole.
  static std::unique_ptr<VSSPostgresDriver> ForCreating(const std::string& conninfo);
  // Makes `schema`; refuses a database that already holds a store.
  void CreateSchema(const std::string& schema);
  // Makes (or renews) the login role of the clients, which can read and write rows but not change
  // the schema; returns the connection string they use: this one's, as that role.
  std::string CreateClientRole();
  // Connects; a server that can't be reached or refuses the login says so naming it, a database
  // without SourceSafe's tables raises "Cannot find database" naming `databaseName`.
  VSSPostgresDriver(const std::string& conninfo, const std::string& databaseName);
  ~VSSPostgresDriver() override;

  std::unique_ptr<VSSStoreCursor> Prepare(const char* sql) override;
  void Begin(bool write) override;
  void Commit() override;
  void Rollback() noexcept override;
  void RestartIds(const std::vector<std::string>& tables) override;

  // Raises the error of a failed call (`result` may be null); frees `result`.
  [[noreturn]] void Fail(pg_result* result, const std::string& what);

private:
  friend class VSSPostgresCursor;
  // Wraps a made connection (the destructor closes it).
  VSSPostgresDriver(pg_conn* conn, std::string conninfo);
  struct Prepared {
    std::string Name;
    int Parameters = 0;
  };

  // Runs a command without parameters; raises its error.
  void Command(const char* sql, const char* what);
  void Reconnect();
  const Prepared& PrepareOnServer(const char* sql);

  pg_conn* FConn = nullptr;
  std::string FConninfo;
  std::string FServer;   // says which server in messages
  std::unordered_map<std::string, Prepared> FPrepared;   // by SQL text, for this connection
  bool FInTransaction = false;
};
