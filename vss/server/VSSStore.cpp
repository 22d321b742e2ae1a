#include "vss/server/VSSStore.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <sqlite3.h>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "vss/api/VSSErrors.h"
#include "vss/server/VSSIni.h"

namespace {

constexpr const char* StoreFileName = "sourcesafe.db";
constexpr int BusyTimeoutMs = 5000;
constexpr const char* SchemaVersion = "2";

// A content is kept whole in its row's data or, when larger than one chunk, with empty data and a
// row here per chunk.
constexpr const char* ChunkSchema = R"(
CREATE TABLE content_chunks(content INTEGER NOT NULL REFERENCES contents(id), number INTEGER NOT NULL,
  data BLOB NOT NULL, PRIMARY KEY(content, number));
)";
// Stores made before contents were kept in chunks have this version; their first change adds the
// chunk table (until then all their contents are whole and read as they are).
constexpr const char* UnchunkedSchemaVersion = "1";

// Items are projects and files; an entry places an item in a project under a name (a shared file
// has one entry per project). Versions belong to items, so shares have one history.
constexpr const char* Schema = R"(
CREATE TABLE meta(key TEXT PRIMARY KEY, value TEXT NOT NULL);
CREATE TABLE users(id INTEGER PRIMARY KEY, name TEXT NOT NULL, folded TEXT NOT NULL UNIQUE,
  password TEXT NOT NULL, current_project TEXT NOT NULL DEFAULT '$/');
CREATE TABLE items(id INTEGER PRIMARY KEY, type INTEGER NOT NULL, binary INTEGER NOT NULL DEFAULT 0);
CREATE TABLE entries(id INTEGER PRIMARY KEY, parent INTEGER REFERENCES entries(id),
  item INTEGER NOT NULL REFERENCES items(id), name TEXT NOT NULL, folded TEXT NOT NULL,
  deleted INTEGER NOT NULL DEFAULT 0);
CREATE INDEX entries_parent ON entries(parent, folded);
CREATE INDEX entries_item ON entries(item);
CREATE UNIQUE INDEX entries_live_name ON entries(parent, folded) WHERE deleted = 0;
CREATE TABLE contents(id INTEGER PRIMARY KEY, hash BLOB NOT NULL UNIQUE, size INTEGER NOT NULL,
  data BLOB NOT NULL);
CREATE TABLE versions(id INTEGER PRIMARY KEY, item INTEGER NOT NULL REFERENCES items(id),
  number INTEGER NOT NULL, user TEXT NOT NULL, date INTEGER NOT NULL, action TEXT NOT NULL,
  comment TEXT NOT NULL DEFAULT '', label TEXT NOT NULL DEFAULT '',
  label_comment TEXT NOT NULL DEFAULT '', content INTEGER REFERENCES contents(id),
  file_time INTEGER, UNIQUE(item, number));
CREATE TABLE checkouts(id INTEGER PRIMARY KEY, item INTEGER NOT NULL REFERENCES items(id),
  user INTEGER NOT NULL REFERENCES users(id), folder TEXT NOT NULL, machine TEXT NOT NULL,
  project TEXT NOT NULL, comment TEXT NOT NULL, version INTEGER NOT NULL, date INTEGER NOT NULL,
  exclusive INTEGER NOT NULL DEFAULT 0, UNIQUE(item, user));
CREATE TABLE workfolders(user INTEGER NOT NULL REFERENCES users(id),
  item INTEGER NOT NULL REFERENCES items(id), folder TEXT NOT NULL, PRIMARY KEY(user, item));
)";

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

std::string VSSStore::StoreFileOf(const std::string& iniPath) {
  if (!platform::FileExists(iniPath)) NotADatabase(iniPath);
  std::string text, error;
  if (!platform::ReadFile(iniPath, text, &error)) throw EVSSAutomation(error, VSSError::AccessDenied);
  const std::string dataPath = VSSIni::DataPath(iniPath);
  if (dataPath.empty()) {
    if (platform::ProfileFile(iniPath).Sections().empty())
      throw EVSSAutomation(iniPath + " is not a SourceSafe ini file: it holds no settings", VSSError::DatabaseNotFound);
    throw EVSSAutomation(iniPath + " names no data folder: its [" + std::string(VSSIni::Section) +
                             "] section has no Data_Path",
                         VSSError::DatabaseNotFound);
  }
  if (!platform::DirectoryExists(dataPath))
    throw EVSSAutomation("The data folder " + dataPath + " named by " + iniPath + " does not exist",
                         VSSError::DatabaseNotFound);
  if (::access(dataPath.c_str(), R_OK | X_OK) != 0)
    throw EVSSAutomation("Access to the data folder " + dataPath + " denied: " + std::strerror(errno),
                         VSSError::AccessDenied);
  return StoreFileIn(dataPath);
}

std::string VSSStore::StoreFileIn(const std::string& dataPath) {
  return platform::IncludeTrailingPathDelimiter(dataPath) + StoreFileName;
}

void VSSStore::Create(const std::string& file) {
  sqlite3* db = nullptr;
  int code = sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  std::string error;
  if (code == SQLITE_OK) {
    char* message = nullptr;
    const std::string script = std::string("PRAGMA journal_mode=WAL; BEGIN;") + Schema + ChunkSchema +
                               "INSERT INTO meta VALUES('schema', '" + SchemaVersion + "'); COMMIT;";
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

VSSStore::VSSStore(const std::string& file, const std::string& databaseName) : FFile(file) {
  if (!platform::FileExists(file)) NotADatabase(databaseName);
  if (const int code = sqlite3_open_v2(file.c_str(), &FDb, SQLITE_OPEN_READWRITE | SQLITE_OPEN_FULLMUTEX, nullptr);
      code != SQLITE_OK) {
    const std::string detail = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(code);
    Close();
    CannotOpen(code, file, detail);
  }
  sqlite3_busy_timeout(FDb, BusyTimeoutMs);
  sqlite3_extended_result_codes(FDb, 0);
  std::string version;
  try {
    Exec("PRAGMA foreign_keys=ON; PRAGMA synchronous=FULL");
    Statement check(*this, "SELECT value FROM meta WHERE key = 'schema'");
    if (check.Step()) version = check.Text(0);
  } catch (const EVSSAutomation& error) {
    const int code = sqlite3_errcode(FDb);
    const std::string detail = sqlite3_errmsg(FDb);
    Close();
    if (error.ErrorCode() == VSSError::DatabaseBusy) throw;
    // A database of some other kind has no table "meta": that is no SourceSafe database either.
    if (code != SQLITE_ERROR) CannotOpen(code, file, detail);
  }
  if (version != SchemaVersion && version != UnchunkedSchemaVersion) {
    Close();
    NotADatabase(databaseName);
  }
  FUnchunked = version == UnchunkedSchemaVersion;
}

void VSSStore::AddChunkTable() {
  {
    Statement check(*this, "SELECT value FROM meta WHERE key = 'schema'");
    if (check.Step() && check.Text(0) == SchemaVersion) return;   // another process was first
  }
  Exec(ChunkSchema);
  Execute("UPDATE meta SET value = ? WHERE key = 'schema'", std::string(SchemaVersion));
}

VSSStore::~VSSStore() { Close(); }

void VSSStore::Close() noexcept {
  for (auto& [sql, cached] : FStatements) sqlite3_finalize(cached.Statement);
  FStatements.clear();
  sqlite3_close(FDb);
  FDb = nullptr;
}

void VSSStore::Fail(int code, const std::string& what) const {
  if (code == SQLITE_BUSY || code == SQLITE_LOCKED)
    throw EVSSAutomation("The database is busy: another user is changing it. Try again later", VSSError::DatabaseBusy);
  if (auto failure = PlainFailure(code, FFile, what)) throw *failure;
  const char* detail = FDb ? sqlite3_errmsg(FDb) : sqlite3_errstr(code);
  throw EVSSAutomation("Database error while " + what + ": " + detail, VSSError::DatabaseCorrupt);
}

void VSSStore::WriteInsideRead() {
  throw EVSSAutomation("Internal error: a change was attempted inside a read", VSSError::InvalidOperation);
}

void VSSStore::Exec(const char* sql) {
  const int code = sqlite3_exec(FDb, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) Fail(code, "running " + std::string(sql));
}

int64_t VSSStore::LastInsertId() const { return sqlite3_last_insert_rowid(FDb); }

void VSSStore::Begin(bool write) {
  Statement(*this, write ? "BEGIN IMMEDIATE" : "BEGIN").Run("starting a transaction");
  FDepth = 1;
  FWriting = write;
  if (write && FUnchunked) {
    try {
      AddChunkTable();
    } catch (...) {
      Rollback();
      throw;
    }
  }
}

void VSSStore::Commit() {
  Statement(*this, "COMMIT").Run("saving the change");
  FDepth = 0;
  if (FWriting) FUnchunked = false;
}

void VSSStore::Rollback() noexcept {
  if (sqlite3_get_autocommit(FDb) == 0) sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
  FDepth = 0;
}

VSSStore::Statement::Statement(VSSStore& store, const char* sql) : FStore(store) {
  CachedStatement& cached = store.FStatements[sql];
  if (cached.Statement && !cached.InUse) {
    FStatement = cached.Statement;
  } else {
    const int code = sqlite3_prepare_v3(store.FDb, sql, -1, SQLITE_PREPARE_PERSISTENT, &FStatement, nullptr);
    if (code != SQLITE_OK) store.Fail(code, "reading the database");
    if (!cached.Statement) cached.Statement = FStatement;
  }
  if (FStatement == cached.Statement) {
    FCached = &cached;
    cached.InUse = true;
  }
}

VSSStore::Statement::~Statement() {
  if (!FCached) {
    sqlite3_finalize(FStatement);
    return;
  }
  // Reset ends the statement's part in any read, so a kept statement holds no snapshot open.
  sqlite3_reset(FStatement);
  sqlite3_clear_bindings(FStatement);
  FCached->InUse = false;
}

// A value that can't be bound (out of memory, too big) must not leave NULL in its place.
VSSStore::Statement& VSSStore::Statement::Bound(int code) {
  if (code != SQLITE_OK) FStore.Fail(code, "storing a value");
  return *this;
}

VSSStore::Statement& VSSStore::Statement::Bind(int index, int64_t value) {
  return Bound(sqlite3_bind_int64(FStatement, index, value));
}

VSSStore::Statement& VSSStore::Statement::Bind(int index, const std::string& value) {
  return Bound(sqlite3_bind_text64(FStatement, index, value.data(), value.size(), SQLITE_TRANSIENT, SQLITE_UTF8));
}

VSSStore::Statement& VSSStore::Statement::BindBlob(int index, const std::string& value) {
  return Bound(sqlite3_bind_blob64(FStatement, index, value.data(), value.size(), SQLITE_TRANSIENT));
}

VSSStore::Statement& VSSStore::Statement::BindNull(int index) { return Bound(sqlite3_bind_null(FStatement, index)); }

bool VSSStore::Statement::Step(const char* what) {
  const int code = sqlite3_step(FStatement);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  FStore.Fail(code, what);
}

void VSSStore::Statement::Run(const char* what) {
  while (Step(what)) {
  }
}

int64_t VSSStore::Statement::Int(int column) const { return sqlite3_column_int64(FStatement, column); }

std::string VSSStore::Statement::Text(int column) const {
  const auto* data = static_cast<const char*>(sqlite3_column_blob(FStatement, column));
  return data ? std::string(data, static_cast<size_t>(sqlite3_column_bytes(FStatement, column))) : std::string();
}

bool VSSStore::Statement::IsNull(int column) const { return sqlite3_column_type(FStatement, column) == SQLITE_NULL; }
