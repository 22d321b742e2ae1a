#include "vss/server/VSSStore.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "platform/Files.h"
#include "platform/Profile.h"
#include "vss/api/VSSErrors.h"
#include "vss/server/VSSIni.h"
#include "vss/server/VSSPostgresDriver.h"
#include "vss/server/VSSSqliteDriver.h"

namespace {

constexpr const char* StoreFileName = "sourcesafe.db";

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

// Covers the children query: a project's entries are read from the index alone.
constexpr const char* EntriesParentIndex = "CREATE INDEX entries_parent ON entries(parent, folded, deleted, item, name);";

// A content is kept whole in its row's data or, when larger than one chunk, with empty data and a
// row here per chunk.
constexpr const char* ChunkSchema = R"(
CREATE TABLE content_chunks(content INTEGER NOT NULL REFERENCES contents(id), number INTEGER NOT NULL,
  data BLOB NOT NULL, PRIMARY KEY(content, number));
)";

std::string SchemaWithVersion() {
  return std::string(Schema) + EntriesParentIndex + ChunkSchema + "INSERT INTO meta VALUES('schema', '" + VSSSchemaVersion + "');";
}

} // namespace

std::string VSSStore::StoreFileOf(const std::string& iniPath) {
  if (!platform::FileExists(iniPath)) throw EVSSAutomation("Cannot find database " + iniPath, VSSError::DatabaseNotFound);
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

void VSSStore::Create(const std::string& file) { VSSSqliteDriver::Create(file, SchemaWithVersion()); }

std::string VSSStore::CreateOnServer(const std::string& conninfo, const std::function<void(VSSStore&)>& fill) {
  auto owned = VSSPostgresDriver::ForCreating(conninfo);
  VSSPostgresDriver& driver = *owned;
  VSSStore store(std::move(owned));
  return store.Write([&] {
    driver.CreateSchema(SchemaWithVersion());
    fill(store);
    return driver.CreateClientRole();
  });
}

std::vector<std::string> VSSStore::Tables() const {
  std::vector<std::string> tables{"users", "items", "entries", "contents", "content_chunks", "versions",
                                  "checkouts", "workfolders"};
  if (FUnchunked) std::erase(tables, "content_chunks");
  return tables;
}

std::unique_ptr<VSSStore> VSSStore::Open(const std::string& iniPath) {
  const std::string file = StoreFileOf(iniPath);
  const std::string server = VSSIni::DataSource(iniPath);
  if (server.empty()) return std::make_unique<VSSStore>(file, iniPath);
  return std::make_unique<VSSStore>(std::make_unique<VSSPostgresDriver>(server, iniPath));
}

VSSStore::VSSStore(const std::string& file, const std::string& databaseName)
    : VSSStore(std::make_unique<VSSSqliteDriver>(file, databaseName)) {}

VSSStore::VSSStore(std::unique_ptr<VSSStoreDriver> driver)
    : FDriver(std::move(driver)), FUnchunked(FDriver->SchemaVersion() == VSSUnchunkedSchemaVersion) {}

void VSSStore::Upgrade() {
  if (QueryInt("SELECT COUNT(*) FROM meta WHERE key = 'schema' AND value = ?", std::string(VSSSchemaVersion)) == 1)
    return;   // another process was first
  Execute(ChunkSchema);
  Execute("DROP INDEX entries_parent");   // on (parent, folded) only
  Execute(EntriesParentIndex);
  Execute("UPDATE meta SET value = ? WHERE key = 'schema'", std::string(VSSSchemaVersion));
}

void VSSStore::Begin(bool write) {
  FDriver->Begin(write);
  FDepth = 1;
  FWriting = write;
  if (!write || !FUnchunked) return;
  try {
    Upgrade();
  } catch (...) {
    Rollback();
    throw;
  }
}

void VSSStore::WriteInsideRead() {
  throw EVSSAutomation("Internal error: a change was attempted inside a read", VSSError::InvalidOperation);
}

void VSSStore::Commit() {
  FDriver->Commit();
  FDepth = 0;
  if (!FWriting) return;
  FUnchunked = false;
  ++FGeneration;
}

std::optional<int64_t> VSSStore::Generation() {
  if (FWriting && FDepth > 0) return std::nullopt;
  const std::optional<int64_t> version = FDriver->DataVersion();
  if (!version) return std::nullopt;
  if (version != FDataVersion) {
    FDataVersion = version;
    ++FGeneration;
  }
  return FGeneration;
}

void VSSStore::Rollback() noexcept {
  FDriver->Rollback();
  FDepth = 0;
}
