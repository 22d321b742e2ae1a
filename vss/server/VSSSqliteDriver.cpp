#include "vss/server/VSSSqliteDriver.h"

#include <optional>
#include <sqlite3.h>

#include "platform/Files.h"
#include "vss/api/VSSErrors.h"

namespace {

constexpr int BusyTimeoutMs = 5000;

[[noreturn]] void NotADatabase(const std::string& name) {
  throw EVSSAutomation("Cannot find database " + name, VSSError::DatabaseNotFound);
}

// What a failed SQLite call on `file` means to the user, for the codes that aren't about the data.
std::optional<EVSSAutomation> PlainFailure(int code, const std::string& file, const std::string& what) {
  switch (code) {
  case SQLITE_FULL: return EVSSAutomation("The disk is full while " + what + " (" + file + ")", VSSError::DiskFull);
  case SQLITE_NOMEM:
  case SQLITE_TOOBIG: return EVSSAutomation("Out of memory while " + what + " (" + file + ")", VSSError::OutOfMemory);
  case SQLITE_READONLY:
    return EVSSAutomation("The database " + file + " is read-only: it can be read but not changed",
                          VSSError::DatabaseReadOnly);
  default: return std::nullopt;
  }
}

// Opening the store failed with `code`: says whether the file is damaged, unreadable or something else.
[[noreturn]] void CannotOpen(int code, const std::string& file, const std::string& detail) {
  if (auto failure = PlainFailure(code, file, "opening the database")) throw *failure;
  switch (code) {
  case SQLITE_NOTADB:
  case SQLITE_CORRUPT:
    throw EVSSAutomation("The database " + file + " is damaged: " + detail, VSSError::DatabaseCorrupt);
  case SQLITE_CANTOPEN:
  case SQLITE_PERM:
  case SQLITE_AUTH:
    throw EVSSAutomation("Access to the database " + file + " denied: " + detail, VSSError::AccessDenied);
  default: throw EVSSAutomation("The database " + file + " cannot be opened: " + detail, VSSError::DatabaseCorrupt);
  }
}

} // namespace

class VSSSqliteCursor final : public VSSStoreCursor {
public:
  VSSSqliteCursor(VSSSqliteDriver& driver, const char* sql) : FDriver(driver) {
    auto& cached = driver.FStatements[sql];
    if (cached.Statement && !cached.InUse) {
      FStatement = cached.Statement;
    } else {
      const int code = sqlite3_prepare_v3(driver.FDb, sql, -1, SQLITE_PREPARE_PERSISTENT, &FStatement, nullptr);
      if (code != SQLITE_OK) driver.Fail(code, "reading the database");
      if (!cached.Statement) cached.Statement = FStatement;
    }
    if (FStatement == cached.Statement) {
      FCached = &cached;
      cached.InUse = true;
    }
  }

  ~VSSSqliteCursor() override {
    if (!FCached) {
      sqlite3_finalize(FStatement);
      return;
    }
    // Reset ends the statement's part in any read, so a kept statement holds no snapshot open.
    sqlite3_reset(FStatement);
    sqlite3_clear_bindings(FStatement);
    FCached->InUse = false;
  }

  void Bind(int index, int64_t value) override { Bound(sqlite3_bind_int64(FStatement, index, value)); }
  void Bind(int index, const std::string& value) override {
    Bound(sqlite3_bind_text64(FStatement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
  }
  void BindBlob(int index, const std::string& value) override {
    Bound(sqlite3_bind_blob64(FStatement, index, value.data(), value.size(), SQLITE_TRANSIENT));
  }
  void BindNull(int index) override { Bound(sqlite3_bind_null(FStatement, index)); }

  bool Step(const char* what) override {
    const int code = sqlite3_step(FStatement);
    if (code == SQLITE_ROW) return true;
    if (code == SQLITE_DONE) return false;
    FDriver.Fail(code, what);
  }

  int Columns() const override { return sqlite3_column_count(FStatement); }
  std::string ColumnName(int column) const override { return sqlite3_column_name(FStatement, column); }
  Kind KindOf(int column) const override {
    switch (sqlite3_column_type(FStatement, column)) {
    case SQLITE_NULL: return Kind::Null;
    case SQLITE_INTEGER: return Kind::Int;
    case SQLITE_BLOB: return Kind::Blob;
    default: return Kind::Text;
    }
  }
  int64_t Int(int column) const override { return sqlite3_column_int64(FStatement, column); }
  std::string Text(int column) const override {
    const auto* data = static_cast<const char*>(sqlite3_column_blob(FStatement, column));
    return data ? std::string(data, static_cast<size_t>(sqlite3_column_bytes(FStatement, column))) : std::string();
  }

private:
  // A value that can't be bound (out of memory, too big) must not leave NULL in its place.
  void Bound(int code) {
    if (code != SQLITE_OK) FDriver.Fail(code, "storing a value");
  }

  VSSSqliteDriver& FDriver;
  sqlite3_stmt* FStatement = nullptr;
  VSSSqliteDriver::CachedStatement* FCached = nullptr;   // the driver's entry when this is its kept statement
};

void VSSSqliteDriver::Create(const std::string& file, const std::string& schema) {
  sqlite3* db = nullptr;
  int code = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::string error;
  if (code == SQLITE_OK) {
    char* message = nullptr;
    const std::string script = "PRAGMA journal_mode=WAL; BEGIN;" + schema + "COMMIT;";
    code = sqlite3_exec(db, script.c_str(), nullptr, nullptr, &message);
    if (message) error = message;
    sqlite3_free(message);
  } else {
    error = sqlite3_errstr(code);
  }
  sqlite3_close(db);
  if (code != SQLITE_OK)
    throw EVSSAutomation("Cannot create the database store " + file + ": " + error, VSSError::DatabaseCorrupt);
}

VSSSqliteDriver::VSSSqliteDriver(const std::string& file, const std::string& databaseName) : FFile(file) {
  if (!platform::FileExists(file)) NotADatabase(databaseName);
  if (const int code = sqlite3_open_v2(file.c_str(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
      code != SQLITE_OK) {
    const std::string detail = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(code);
    Close();
    CannotOpen(code, file, detail);
  }
  sqlite3_busy_timeout(FDb, BusyTimeoutMs);
  sqlite3_extended_result_codes(FDb, 0);
  try {
    Exec("PRAGMA foreign_keys=ON; PRAGMA synchronous=FULL");
    VSSSqliteCursor check(*this, "SELECT value FROM meta WHERE key = 'schema'");
    if (check.Step("reading the database")) FSchemaVersion = check.Text(0);
  } catch (const EVSSAutomation& error) {
    const int code = sqlite3_errcode(FDb);
    const std::string detail = sqlite3_errmsg(FDb);
    Close();
    if (error.ErrorCode() == VSSError::DatabaseBusy) throw;
    // A database of some other kind has no table "meta": that is no SourceSafe database either.
    if (code != SQLITE_ERROR) CannotOpen(code, file, detail);
  }
  if (!Known(FSchemaVersion)) {
    Close();
    NotADatabase(databaseName);
  }
}

VSSSqliteDriver::~VSSSqliteDriver() { Close(); }

void VSSSqliteDriver::Close() noexcept {
  for (auto& [sql, cached] : FStatements) sqlite3_finalize(cached.Statement);
  FStatements.clear();
  sqlite3_close(FDb);
  FDb = nullptr;
}

void VSSSqliteDriver::Fail(int code, const std::string& what) const {
  if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
    throw EVSSAutomation("The database is busy: another user is changing it. Try again later", VSSError::DatabaseBusy);
  if (auto failure = PlainFailure(code, FFile, what)) throw *failure;
  const char* detail = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(code);
  throw EVSSAutomation("Database error while " + what + ": " + detail, VSSError::DatabaseCorrupt);
}

void VSSSqliteDriver::Exec(const char* sql) {
  const int code = sqlite3_exec(FDb, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) Fail(code, "running " + std::string(sql));
}

std::unique_ptr<VSSStoreCursor> VSSSqliteDriver::Prepare(const char* sql) {
  return std::make_unique<VSSSqliteCursor>(*this, sql);
}

void VSSSqliteDriver::Begin(bool write) { VSSSqliteCursor(*this, write ? "BEGIN IMMEDIATE" : "BEGIN").Step("starting a transaction"); }

void VSSSqliteDriver::Commit() { VSSSqliteCursor(*this, "COMMIT").Step("saving the change"); }

std::optional<int64_t> VSSSqliteDriver::DataVersion() {
  VSSSqliteCursor version(*this, "PRAGMA data_version");
  version.Step("reading the database");
  return version.Int(0);
}

void VSSSqliteDriver::Rollback() noexcept {
  if (sqlite3_get_autocommit(FDb) == 0) sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
}
