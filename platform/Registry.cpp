#include "platform/Registry.h"

#include "platform/Environment.h"
#include "platform/Files.h"
#include "platform/Text.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {
namespace {

constexpr char Separator = '\\';
constexpr int BusyTimeoutMs = 5000;

// Keys are rows holding their folded full path (the lookup), their parent's folded path and their
// own name as created. Values belong to a key by its folded path. Row ids give creation order.
constexpr const char* Schema = R"(
  CREATE TABLE IF NOT EXISTS keys(id INTEGER PRIMARY KEY, path TEXT NOT NULL UNIQUE,
                                  parent TEXT NOT NULL, name TEXT NOT NULL);
  CREATE INDEX IF NOT EXISTS keys_by_parent ON keys(parent, id);
  CREATE TABLE IF NOT EXISTS entries(id INTEGER PRIMARY KEY, key TEXT NOT NULL, name TEXT NOT NULL,
                                     folded TEXT NOT NULL, type INTEGER NOT NULL, data,
                                     UNIQUE(key, folded));
)";

std::string HiveFileName(Hive hive) {
  return IncludeTrailingPathDelimiter(RegistryDirectory()) + (hive == Hive::CurrentUser ? "HKCU.db" : "HKLM.db");
}

// "\A\\b\" -> "A\b".
std::string NormalizePath(const std::string& path) {
  std::string result;
  for (const std::string& segment : Split(path, Separator)) {
    if (segment.empty()) continue;
    if (!result.empty()) result += Separator;
    result += segment;
  }
  return result;
}

std::string MissingKey(Hive hive, const std::string& path) {
  return "The key " + HiveName(hive) + (path.empty() ? "" : "\\" + path) + " does not exist";
}

std::string Child(const std::string& parent, const std::string& name) {
  return parent.empty() ? name : parent + Separator + name;
}

class Statement {
public:
  Statement(sqlite3* db, const char* sql) { FOk = sqlite3_prepare_v2(db, sql, -1, &FStmt, nullptr) == SQLITE_OK; }
  ~Statement() { sqlite3_finalize(FStmt); }
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, const std::string& text) {
    if (FOk) FOk = sqlite3_bind_text(FStmt, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT) == SQLITE_OK;
    return *this;
  }
  Statement& Bind(int index, int64_t number) {
    if (FOk) FOk = sqlite3_bind_int64(FStmt, index, number) == SQLITE_OK;
    return *this;
  }
  // True while there is a row; Failed() tells an error from the end.
  bool Step() {
    if (!FOk) return false;
    const int result = sqlite3_step(FStmt);
    if (result == SQLITE_ROW) return true;
    FOk = result == SQLITE_DONE;
    return false;
  }
  // Runs a statement that returns no rows.
  bool Run() {
    Step();
    return FOk;
  }
  bool Failed() const { return !FOk; }
  std::string Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(FStmt, column));
    return text ? std::string(text, static_cast<size_t>(sqlite3_column_bytes(FStmt, column))) : std::string();
  }
  int64_t Integer(int column) const { return sqlite3_column_int64(FStmt, column); }

private:
  sqlite3_stmt* FStmt = nullptr;
  bool FOk = false;
};

std::string DatabaseError(sqlite3* db, Hive hive) {
  return "Registry " + HiveFileName(hive) + ": " + (db ? sqlite3_errmsg(db) : "out of memory");
}

// Runs a statement of the database's setup. Switching a new file to WAL or creating the tables while
// other processes do the same can report "locked" without waiting, so that is retried for as long
// as the busy time-out allows.
bool ExecuteSetup(sqlite3* db, const char* sql) {
  for (int waited = 0;; waited += 10) {
    const int result = sqlite3_exec(db, sql, nullptr, nullptr, nullptr);
    if ((result & 0xFF) != SQLITE_BUSY && (result & 0xFF) != SQLITE_LOCKED) return result == SQLITE_OK;
    if (waited >= BusyTimeoutMs) return false;
    sqlite3_sleep(10);
  }
}

// Takes the rights of the group and of others away from a file or folder this user owns.
void TakeAwayOthersRights(const std::string& path) {
  struct stat info;
  if (::stat(path.c_str(), &info) == 0 && info.st_uid == ::geteuid() && (info.st_mode & 077) != 0)
    ::chmod(path.c_str(), info.st_mode & 07700);
}

// The user's hive holds their SourceSafe password: it, its journal files and its folder are the
// user's alone whatever the umask, and are tightened when an older one is found open. The machine
// hive may be read by everyone.
void KeepUserHivePrivate(const std::string& folder, const std::string& fileName, bool create) {
  TakeAwayOthersRights(ExcludeTrailingPathDelimiter(folder));
  if (create && !FileExists(fileName)) {
    const int fd = ::open(fileName.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    if (fd >= 0) ::close(fd);
  }
  for (const char* suffix : {"", "-wal", "-shm", "-journal"}) TakeAwayOthersRights(fileName + suffix);
}

// Opens a hive's database for the key `path`, creating the folder and file when `create`. Null with
// `error` set when it can't, or when the hive doesn't exist (so neither does the key) and may not
// be created.
sqlite3* OpenDatabase(Hive hive, const std::string& path, bool create, std::string& error) {
  const std::string folder = RegistryDirectory();
  const std::string fileName = HiveFileName(hive);
  if (!create && !FileExists(fileName)) {
    error = MissingKey(hive, path);
    return nullptr;
  }
  if (create && !ForceDirectories(folder)) {
    error = "Cannot create the registry folder " + folder + ": " + std::strerror(errno);
    return nullptr;
  }
  if (hive == Hive::CurrentUser) KeepUserHivePrivate(folder, fileName, create);
  sqlite3* db = nullptr;
  const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
  if (sqlite3_open_v2(fileName.c_str(), &db, flags, nullptr) != SQLITE_OK ||
      sqlite3_busy_timeout(db, BusyTimeoutMs) != SQLITE_OK || !ExecuteSetup(db, "PRAGMA journal_mode=WAL") ||
      // With a write-ahead log this still keeps the file sound after a crash; only the last writes
      // before a power loss may be lost, and each write no longer waits for the disk.
      !ExecuteSetup(db, "PRAGMA synchronous=NORMAL") || !ExecuteSetup(db, Schema)) {
    error = DatabaseError(db, hive);
    sqlite3_close(db);
    return nullptr;
  }
  return db;
}

// One write transaction; rolled back unless committed.
class Transaction {
public:
  explicit Transaction(sqlite3* db) : FDb(db) {
    FActive = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  ~Transaction() {
    if (FActive) sqlite3_exec(FDb, "ROLLBACK", nullptr, nullptr, nullptr);
  }
  bool Active() const { return FActive; }
  bool Commit() {
    FActive = false;
    return sqlite3_exec(FDb, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  }

private:
  sqlite3* FDb;
  bool FActive;
};

bool KeyRowExists(sqlite3* db, const std::string& folded, bool& failed) {
  if (folded.empty()) return true;   // the hive's root
  Statement query(db, "SELECT 1 FROM keys WHERE path = ?");
  const bool found = query.Bind(1, folded).Step();
  failed = query.Failed();
  return found;
}

// Adds the key and its missing parents (inside the caller's transaction).
bool CreateKeyRows(sqlite3* db, const std::string& path) {
  std::string prefix;
  for (const std::string& segment : Split(path, Separator)) {
    const std::string parent = FoldCase(prefix);
    prefix = Child(prefix, segment);
    Statement insert(db, "INSERT OR IGNORE INTO keys(path, parent, name) VALUES(?, ?, ?)");
    if (!insert.Bind(1, FoldCase(prefix)).Bind(2, parent).Bind(3, segment).Run()) return false;
  }
  return true;
}

bool DeleteKeyRows(sqlite3* db, const std::string& folded) {
  // Everything at or below the key: the key itself and paths starting with "key\" (']' follows '\').
  const std::string low = folded + Separator, high = folded + ']';
  Statement keys(db, "DELETE FROM keys WHERE path = ?1 OR (path >= ?2 AND path < ?3)");
  Statement entries(db, "DELETE FROM entries WHERE key = ?1 OR (key >= ?2 AND key < ?3)");
  return keys.Bind(1, folded).Bind(2, low).Bind(3, high).Run() &&
         entries.Bind(1, folded).Bind(2, low).Bind(3, high).Run();
}

bool DeleteKeyIn(sqlite3* db, Hive hive, const std::string& path, std::string& error) {
  const std::string normalized = NormalizePath(path);
  if (normalized.empty()) {
    error = "The root of a hive cannot be deleted";
    return false;
  }
  Transaction transaction(db);
  const std::string folded = FoldCase(normalized);
  bool failed = false;
  const bool exists = transaction.Active() && KeyRowExists(db, folded, failed);
  if (!transaction.Active() || failed) {
    error = DatabaseError(db, hive);
    return false;
  }
  if (!exists) {
    error = MissingKey(hive, normalized);
    return false;
  }
  if (!DeleteKeyRows(db, folded) || !transaction.Commit()) {
    error = DatabaseError(db, hive);
    return false;
  }
  return true;
}

// The value in the current row of a query of (name, type, data).
RegValue ValueOf(Statement& query) {
  RegValue value;
  value.Name = query.Text(0);
  value.Type = query.Integer(1) == static_cast<int>(ValueType::DWord) ? ValueType::DWord : ValueType::String;
  if (value.Type == ValueType::DWord)
    value.DWord = static_cast<uint32_t>(query.Integer(2));
  else
    value.Text = query.Text(2);
  return value;
}

} // namespace

std::string RegistryDirectory() {
  if (std::string dir = GetEnv("RAVELIN_REGISTRY_DIR"); !dir.empty()) return IncludeTrailingPathDelimiter(dir);
  std::string config = GetEnv("XDG_CONFIG_HOME");
  if (config.empty()) config = IncludeTrailingPathDelimiter(HomeDirectory()) + ".config";
  return IncludeTrailingPathDelimiter(config) + "ravelin/registry/";
}

std::string HiveName(Hive hive) { return hive == Hive::CurrentUser ? "HKEY_CURRENT_USER" : "HKEY_LOCAL_MACHINE"; }

bool ParseRootedKey(const std::string& rooted, Hive& hive, std::string& path) {
  const size_t separator = rooted.find(Separator);
  const std::string root = rooted.substr(0, separator);
  if (SameText(root, "HKCU") || SameText(root, "HKEY_CURRENT_USER"))
    hive = Hive::CurrentUser;
  else if (SameText(root, "HKLM") || SameText(root, "HKEY_LOCAL_MACHINE"))
    hive = Hive::LocalMachine;
  else
    return false;
  path = separator == std::string::npos ? std::string() : NormalizePath(rooted.substr(separator + 1));
  return true;
}

struct RegistryKey::Impl {
  sqlite3* Db = nullptr;
  Hive KeyHive = Hive::CurrentUser;
  std::string KeyPath;   // normalized, as opened
  std::string Folded;    // the lookup form of KeyPath
  std::string Error;

  ~Impl() { Close(); }
  void Close() {
    sqlite3_close(Db);
    Db = nullptr;
  }
  void Fail() { Error = DatabaseError(Db, KeyHive); }
};

namespace {

const std::string& EmptyText() {
  static const std::string empty;
  return empty;
}

} // namespace

RegistryKey::RegistryKey() : FImpl(std::make_unique<Impl>()) {}

RegistryKey::RegistryKey(Hive hive, const std::string& path, bool create) : RegistryKey() { Open(hive, path, create); }

RegistryKey::~RegistryKey() = default;
RegistryKey::RegistryKey(RegistryKey&&) noexcept = default;
RegistryKey& RegistryKey::operator=(RegistryKey&&) noexcept = default;

bool RegistryKey::Open(Hive hive, const std::string& path, bool create) {
  if (!FImpl) FImpl = std::make_unique<Impl>();
  Impl& key = *FImpl;
  key.Close();
  key.KeyHive = hive;
  key.KeyPath = NormalizePath(path);
  key.Folded = FoldCase(key.KeyPath);
  key.Error.clear();
  key.Db = OpenDatabase(hive, key.KeyPath, create, key.Error);
  if (!key.Db) return false;
  bool failed = false;
  const bool exists = KeyRowExists(key.Db, key.Folded, failed);
  if (create && !exists && !failed) {
    Transaction transaction(key.Db);
    if (!transaction.Active() || !CreateKeyRows(key.Db, key.KeyPath) || !transaction.Commit()) {
      key.Fail();
      key.Close();
      return false;
    }
  } else if (!exists || failed) {
    if (failed)
      key.Fail();
    else
      key.Error = MissingKey(hive, key.KeyPath);
    key.Close();
    return false;
  }
  return true;
}

void RegistryKey::Close() {
  if (FImpl) FImpl->Close();
}

bool RegistryKey::IsOpen() const { return FImpl && FImpl->Db; }

const std::string& RegistryKey::Error() const { return FImpl ? FImpl->Error : EmptyText(); }

const std::string& RegistryKey::Path() const { return FImpl ? FImpl->KeyPath : EmptyText(); }

std::string RegistryKey::CasedPath() const {
  if (!IsOpen()) return Path();
  std::string result, prefix;
  for (const std::string& segment : Split(FImpl->KeyPath, Separator)) {
    prefix = Child(prefix, segment);
    Statement query(FImpl->Db, "SELECT name FROM keys WHERE path = ?");
    result = Child(result, query.Bind(1, FoldCase(prefix)).Step() ? query.Text(0) : segment);
  }
  return result;
}

std::optional<RegValue> RegistryKey::ReadValue(const std::string& name) const {
  if (!IsOpen()) return std::nullopt;
  Statement query(FImpl->Db, "SELECT name, type, data FROM entries WHERE key = ? AND folded = ?");
  if (!query.Bind(1, FImpl->Folded).Bind(2, FoldCase(name)).Step()) {
    if (query.Failed()) FImpl->Fail();
    return std::nullopt;
  }
  return ValueOf(query);
}

std::string RegistryKey::ReadString(const std::string& name, const std::string& defaultValue) const {
  const auto value = ReadValue(name);
  if (!value) return defaultValue;
  return value->Type == ValueType::String ? value->Text : std::to_string(value->DWord);
}

int32_t RegistryKey::ReadInteger(const std::string& name, int32_t defaultValue) const {
  const auto value = ReadValue(name);
  if (!value) return defaultValue;
  if (value->Type == ValueType::DWord) return static_cast<int32_t>(value->DWord);
  const std::string text = Trim(value->Text);
  char* end = nullptr;
  errno = 0;
  const long long number = std::strtoll(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || errno != 0 || number < INT32_MIN || number > INT32_MAX) return defaultValue;
  return static_cast<int32_t>(number);
}

bool RegistryKey::ReadBool(const std::string& name, bool defaultValue) const {
  return ReadInteger(name, defaultValue ? 1 : 0) != 0;
}

bool RegistryKey::ValueExists(const std::string& name) const { return ReadValue(name).has_value(); }

namespace {

// Writes one value in its own transaction; a key deleted meanwhile by another process is made again.
bool WriteEntry(sqlite3* db, const std::string& path, const std::string& name, ValueType type,
                const std::string* text, int64_t number) {
  Transaction transaction(db);
  if (!transaction.Active() || !CreateKeyRows(db, path)) return false;
  Statement upsert(db,
                   "INSERT INTO entries(key, name, folded, type, data) VALUES(?, ?, ?, ?, ?) "
                   "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
  upsert.Bind(1, FoldCase(path)).Bind(2, name).Bind(3, FoldCase(name)).Bind(4, static_cast<int64_t>(type));
  if (text)
    upsert.Bind(5, *text);
  else
    upsert.Bind(5, number);
  return upsert.Run() && transaction.Commit();
}

} // namespace

bool RegistryKey::WriteString(const std::string& name, const std::string& value) {
  if (!IsOpen()) return false;
  if (WriteEntry(FImpl->Db, FImpl->KeyPath, name, ValueType::String, &value, 0)) return true;
  FImpl->Fail();
  return false;
}

bool RegistryKey::WriteInteger(const std::string& name, int32_t value) {
  if (!IsOpen()) return false;
  if (WriteEntry(FImpl->Db, FImpl->KeyPath, name, ValueType::DWord, nullptr, static_cast<uint32_t>(value))) return true;
  FImpl->Fail();
  return false;
}

bool RegistryKey::WriteBool(const std::string& name, bool value) { return WriteInteger(name, value ? 1 : 0); }

bool RegistryKey::DeleteValue(const std::string& name) {
  if (!IsOpen()) return false;
  Statement remove(FImpl->Db, "DELETE FROM entries WHERE key = ? AND folded = ?");
  if (!remove.Bind(1, FImpl->Folded).Bind(2, FoldCase(name)).Run()) {
    FImpl->Fail();
    return false;
  }
  if (sqlite3_changes(FImpl->Db) == 0) {
    FImpl->Error = "The value \"" + name + "\" does not exist in " + HiveName(FImpl->KeyHive) + "\\" + FImpl->KeyPath;
    return false;
  }
  return true;
}

std::vector<RegValue> RegistryKey::Values() const {
  std::vector<RegValue> values;
  if (!IsOpen()) return values;
  Statement query(FImpl->Db, "SELECT name, type, data FROM entries WHERE key = ? ORDER BY id");
  query.Bind(1, FImpl->Folded);
  while (query.Step()) {
    values.push_back(ValueOf(query));
  }
  if (query.Failed()) FImpl->Fail();
  return values;
}

std::vector<std::string> RegistryKey::ValueNames() const {
  std::vector<std::string> names;
  for (RegValue& value : Values()) names.push_back(std::move(value.Name));
  return names;
}

std::vector<std::string> RegistryKey::SubKeyNames() const {
  std::vector<std::string> names;
  if (!IsOpen()) return names;
  Statement query(FImpl->Db, "SELECT name FROM keys WHERE parent = ? ORDER BY id");
  query.Bind(1, FImpl->Folded);
  while (query.Step()) names.push_back(query.Text(0));
  if (query.Failed()) FImpl->Fail();
  return names;
}

bool RegistryKey::HasSubKeys() const { return !SubKeyNames().empty(); }

bool RegistryKey::DeleteKey(const std::string& subKey) {
  if (!IsOpen()) return false;
  if (NormalizePath(subKey).empty()) {
    FImpl->Error = "No subkey named to delete";
    return false;
  }
  return DeleteKeyIn(FImpl->Db, FImpl->KeyHive, Child(FImpl->KeyPath, subKey), FImpl->Error);
}

bool RegistryKey::KeyExists(Hive hive, const std::string& path) { return RegistryKey(hive, path, false).IsOpen(); }

bool RegistryKey::DeleteKey(Hive hive, const std::string& path, std::string* error) {
  std::string message;
  sqlite3* db = OpenDatabase(hive, NormalizePath(path), false, message);
  const bool deleted = db && DeleteKeyIn(db, hive, path, message);
  sqlite3_close(db);
  if (error) *error = message;
  return deleted;
}

} // namespace platform
