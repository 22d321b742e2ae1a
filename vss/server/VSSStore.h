#pragma once
// The store that holds one database: statements, transactions and the schema, over a driver for
// its engine: a SQLite file in the data folder (the default), or a PostgreSQL database a team
// shares, named by `Data_Source` in srcsafe.ini. Every change runs inside Write (one transaction
// holding the database's write lock); a busy database is waited for a few seconds, then the call
// fails with a clear message. Failures raise EVSSAutomation.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "vss/server/VSSStoreDriver.h"

class VSSStore {
public:
  // The store file of the database described by `iniPath` (its Data_Path folder + the file name);
  // raises "Cannot find database" when the ini file is missing, and says what is wrong when it can't
  // be read, names no data folder or one that can't be read.
  static std::string StoreFileOf(const std::string& iniPath);
  // The store file inside a data folder.
  static std::string StoreFileIn(const std::string& dataPath);
  // Makes a new SQLite store with an empty schema (the file must not exist yet).
  static void Create(const std::string& file);
  // Makes the schema in the empty PostgreSQL database `conninfo` names, runs `fill` on the new
  // store and makes a login role for the clients, all in one transaction; returns the connection
  // string the clients use.
  static std::string CreateOnServer(const std::string& conninfo, const std::function<void(VSSStore&)>& fill);
  // The tables that hold this store's data (all but meta), in an order their rows can be copied in
  // (a row's references come before it).
  std::vector<std::string> Tables() const;

  // Opens the store of the database described by `iniPath`, whichever engine holds it; a missing
  // or damaged store raises what StoreFileOf and the drivers say.
  static std::unique_ptr<VSSStore> Open(const std::string& iniPath);
  // Opens an existing SQLite store; a missing file or one that isn't a store raises "Cannot find
  // database" naming `databaseName`, a damaged or unreadable one says so.
  VSSStore(const std::string& file, const std::string& databaseName);
  explicit VSSStore(std::unique_ptr<VSSStoreDriver> driver);
  VSSStore(const VSSStore&) = delete;
  VSSStore& operator=(const VSSStore&) = delete;

  class Statement {
  public:
    Statement(VSSStore& store, const char* sql) : FCursor(store.FDriver->Prepare(sql)) {}

    Statement& Bind(int index, int64_t value) { return FCursor->Bind(index, value), *this; }
    Statement& Bind(int index, const std::string& value) { return FCursor->Bind(index, value), *this; }
    Statement& BindBlob(int index, const std::string& value) { return FCursor->BindBlob(index, value), *this; }
    Statement& BindNull(int index) { return FCursor->BindNull(index), *this; }
    // Binds each argument in turn from index 1.
    template <class... Args>
    Statement& BindAll(const Args&... args) {
      int index = 0;
      (Bind(++index, args), ...);
      return *this;
    }
    // Advances to the next row; false when done. `what` names the work in an error's message.
    bool Step(const char* what = "using the database") { return FCursor->Step(what); }
    // Runs to the end (for changes).
    void Run(const char* what = "using the database") {
      while (Step(what)) {
      }
    }

    int64_t Int(int column) const { return FCursor->Int(column); }
    std::string Text(int column) const { return FCursor->Text(column); }
    bool IsNull(int column) const { return FCursor->KindOf(column) == VSSStoreCursor::Kind::Null; }
    VSSStoreCursor& Cursor() { return *FCursor; }

  private:
    std::unique_ptr<VSSStoreCursor> FCursor;
  };

  // A single value of the first row, or nothing.
  template <class... Args>
  std::optional<int64_t> QueryInt(const char* sql, const Args&... args) {
    Statement statement(*this, sql);
    statement.BindAll(args...);
    if (!statement.Step() || statement.IsNull(0)) return std::nullopt;
    return statement.Int(0);
  }
  template <class... Args>
  void Execute(const char* sql, const Args&... args) {
    Statement statement(*this, sql);
    statement.BindAll(args...);
    statement.Run();
  }
  // Runs an INSERT ... RETURNING id and returns the new row's id.
  template <class... Args>
  int64_t Insert(const char* sql, const Args&... args) {
    return QueryInt(sql, args...).value_or(0);
  }
  void RestartIds() { FDriver->RestartIds(Tables()); }
  // A number that changes whenever the store may have changed since: another connection committed
  // or this one wrote. Asked inside a read, it holds for what the read sees; nothing inside a write
  // (its own changes are not settled) or when the engine can't tell.
  std::optional<int64_t> Generation();

  // Runs `work` in one write transaction; an exception rolls everything back. Nested calls join
  // the outer transaction (a Write may not nest inside a Read).
  template <class F>
  auto Write(F&& work) {
    return Transaction(true, std::forward<F>(work));
  }
  // Runs `work` on one consistent snapshot.
  template <class F>
  auto Read(F&& work) {
    return Transaction(false, std::forward<F>(work));
  }

private:
  template <class F>
  auto Transaction(bool write, F&& work) {
    if (FDepth > 0) {
      // A change inside a read would have to upgrade its snapshot, which can fail at once.
      if (write && !FWriting) WriteInsideRead();
      return work();
    }
    Begin(write);
    struct Guard {
      VSSStore& Store;
      bool Done = false;
      ~Guard() {
        if (!Done) Store.Rollback();
      }
    } guard{*this};
    if constexpr (std::is_void_v<decltype(work())>) {
      work();
      Commit();
      guard.Done = true;
    } else {
      auto result = work();
      Commit();
      guard.Done = true;
      return result;
    }
  }
  void Begin(bool write);
  void Commit();
  void Rollback() noexcept;
  // Brings a store made before contents were kept in chunks to the current schema, inside a write:
  // the chunk table and the children query's covering index.
  void Upgrade();
  [[noreturn]] static void WriteInsideRead();

  std::unique_ptr<VSSStoreDriver> FDriver;
  int FDepth = 0;
  bool FWriting = false;
  bool FUnchunked = false;   // the store lacks the chunk table until a write adds it
  int64_t FGeneration = 0;
  std::optional<int64_t> FDataVersion;   // the driver's, when FGeneration was last counted
};
