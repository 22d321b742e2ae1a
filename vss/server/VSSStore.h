#pragma once
// The SQLite file that holds one database: statements, transactions and the schema. Every change
// runs inside Write (one BEGIN IMMEDIATE transaction); a busy database is waited for a few seconds,
// then the call fails with a clear message. Failures raise EVSSAutomation.
#include <cstdint>
#include <optional>
#include <string>
#include <type_traits>
#include <unordered_map>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

class VSSStore {
  // Prepared statements are kept for reuse (parsing costs more than running most of them); one
  // already running (a nested use of the same text) gets a fresh statement of its own.
  struct CachedStatement {
    sqlite3_stmt* Statement = nullptr;
    bool InUse = false;
  };

public:
  // The store file of the database described by `iniPath` (its Data_Path folder + the file name);
  // raises "Cannot find database" when the ini file is missing, and says what is wrong when it can't
  // be read, names no data folder or one that can't be read.
  static std::string StoreFileOf(const std::string& iniPath);
  // The store file inside a data folder.
  static std::string StoreFileIn(const std::string& dataPath);
  // Makes a new store with an empty schema (the file must not exist yet).
  static void Create(const std::string& file);

  // Opens an existing store; a missing file or one that isn't a store raises "Cannot find database"
  // naming `databaseName`, a damaged or unreadable one says so.
  VSSStore(const std::string& file, const std::string& databaseName);
  ~VSSStore();
  VSSStore(const VSSStore&) = delete;
  VSSStore& operator=(const VSSStore&) = delete;

  const std::string& File() const { return FFile; }

  class Statement {
  public:
    Statement(VSSStore& store, const char* sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, const std::string& value);
    Statement& BindBlob(int index, const std::string& value);
    Statement& BindNull(int index);
    // Binds each argument in turn from index 1.
    template <class... Args>
    Statement& BindAll(const Args&... args) {
      int index = 0;
      (Bind(++index, args), ...);
      return *this;
    }
    // Advances to the next row; false when done. `what` names the work in an error's message.
    bool Step(const char* what = "using the database");
    // Runs to the end (for changes).
    void Run(const char* what = "using the database");

    int64_t Int(int column) const;
    std::string Text(int column) const;
    bool IsNull(int column) const;

  private:
    Statement& Bound(int code);

    VSSStore& FStore;
    sqlite3_stmt* FStatement = nullptr;
    CachedStatement* FCached = nullptr;   // the store's entry when this is its kept statement
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
  int64_t LastInsertId() const;

  // Runs `work` in one write transaction (BEGIN IMMEDIATE); an exception rolls everything back.
  // Nested calls join the outer transaction (a Write may not nest inside a Read).
  template <class F>
  auto Write(F&& work) {
    return Transaction(true, std::forward<F>(work));
  }
  // Runs `work` on one consistent snapshot.
  template <class F>
  auto Read(F&& work) {
    return Transaction(false, std::forward<F>(work));
  }

  // Raises the error of a failed SQLite call.
  [[noreturn]] void Fail(int code, const std::string& what) const;

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
  void Exec(const char* sql);
  void Close() noexcept;
  // Gives a store made before contents were kept in chunks its chunk table, inside a write.
  void AddChunkTable();
  [[noreturn]] static void WriteInsideRead();

  std::unordered_map<std::string, CachedStatement> FStatements;   // by SQL text; entries stay put
  sqlite3* FDb = nullptr;
  std::string FFile;
  int FDepth = 0;
  bool FWriting = false;
  bool FUnchunked = false;   // the store lacks the chunk table until a write adds it
};
